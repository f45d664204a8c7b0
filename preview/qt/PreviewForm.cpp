#include "preview/qt/PreviewForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QPixmap>
#include <QScreen>

#include "bitmap/HandyBitmap.h"
#include "engine/Slanter.h"
#include "preview/PicturePreview.h"
#include "preview/PreviewDrawing.h"
#include "preview/PreviewRaster.h"
#include "shell/EnglishCaptions.h"
#include "shell/General.h"
#include "shell/ProgramState.h"
#include "shell/qt/FormPlacement.h"
#include "shell/qt/GeneralError.h"
#include "shell/qt/WindowKeys.h"
#include "shell/qt/WindowOnScreen.h"
#include "ui_PreviewForm.h"

namespace slanter {

TPreviewForm* PreviewForm = nullptr;

namespace {

// The English caption of this form's item `item`.
QString English(std::string_view item) {
    return QString::fromStdString(EnglishCaption(CaptionForm::Preview, item));
}

// Beside the method window's designed place, so the two do not cover each other.
constexpr QPoint kDesignedPosition(496, 155);

// Between the lattice and the picture view, and around the option below the lattice.
constexpr int kGap = 4;

// Colour values keep red in the low byte; the image wants it in the third.
QImage ToImage(std::int32_t width, std::int32_t height, const std::vector<std::uint32_t>& pixels) {
    QImage image(width, height, QImage::Format_RGB32);
    for (std::int32_t y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const std::uint32_t* colours = pixels.data() + static_cast<std::size_t>(y) * width;
        for (std::int32_t x = 0; x < width; ++x)
            line[x] = qRgb(colours[x] & 0xFF, colours[x] >> 8 & 0xFF, colours[x] >> 16 & 0xFF);
    }
    return image;
}

QImage ToImage(const PreviewRaster& raster) {
    return ToImage(raster.Width(), raster.Height(), raster.Pixels());
}

// The drawing of the lattice of the pattern `engine` has selected for a view of width by
// height pixels; white without an engine.
QImage LatticeImage(const TSlanter* engine, std::int32_t width, std::int32_t height) {
    return ToImage(PreviewRaster(engine != nullptr
                                     ? ComputePreviewDrawing(*engine, width, height)
                                     : PreviewDrawing{width, height, kPreviewWhite, {}, true}));
}

// The whole display scale of a window: a fraction is taken at the nearest whole one.
int WholeScale(qreal ratio) {
    return std::max(1, qRound(ratio));
}

} // namespace

TPreviewForm::TPreviewForm(ProgramState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), ui_(std::make_unique<Ui::PreviewForm>()), state_(state) {
    ui_->setupUi(this);
    setGeometry(QRect(kDesignedPosition, size()));
    // Shown by the method window's commands, it leaves the keys with the method window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    connect(ui_->CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    CloseOnKeys(*this, {QKeySequence(Qt::Key_Escape)});
    FormCreate();
}

TPreviewForm::~TPreviewForm() = default;

void TPreviewForm::FormCreate() {
    RunGuarded([this] { RestoreFormPlacement(*this); });
    // A single border: the client area is exactly the image (and the picture view beside
    // it, once there is a picture), and the user cannot size it.
    const QScreen* shown = screen();
    const QSize room = shown != nullptr ? shown->availableGeometry().size() : QSize();
    viewSide_ = slanter::PictureViewSide({room.width(), room.height()});
    ShowPictureView(false);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    if (!Japanese) {
        setWindowTitle(English("PreviewForm"));
        ui_->CheckBox1->setText(English("CheckBox1"));
    }
    ShowPicture(false);
}

void TPreviewForm::DrawPreview() {
    show();
    raise();
    ShowPicture(true);

    // The wallpaper in device pixels, so that one to one is pixel for pixel on any screen.
    wallpaper_ = {};
    {
        const TSlanter& engine = state_.PatternEngine;
        pixelRatio_ = devicePixelRatioF();
        const int side = qRound(viewSide_ * pixelRatio_);
        wallpaperTile_ = engine.PatternSize(engine.PatternIndex());
        wallpaper_ = RenderPicturePreview(engine, state_.SourceBitmap, Smoothing,
                                          PicturePreviewSize(wallpaperTile_, {side, side}), false);
    }
    ShowPictureView(wallpaper_.width > 0);
    CheckBox1Click();
}

void TPreviewForm::ShowPictureView(bool shown) {
    const QSize lattice = ui_->Image1->size();
    ui_->Image2->setVisible(shown);
    ui_->CheckBox1->setVisible(shown);
    if (!shown) {
        ui_->Image2->clear();
        setFixedSize(lattice);
        return;
    }
    ui_->Image2->setGeometry(lattice.width() + kGap, 0, viewSide_, viewSide_);
    const int optionHeight = ui_->CheckBox1->sizeHint().height();
    ui_->CheckBox1->setGeometry(kGap, lattice.height() + kGap, lattice.width() - 2 * kGap,
                                optionHeight);
    setFixedSize(lattice.width() + kGap + viewSide_,
                 std::max(viewSide_, lattice.height() + 2 * kGap + optionHeight));
    // Grown from a place kept for the lattice alone, it may reach past the screen's edge.
    KeepOnScreen(*this);
}

void TPreviewForm::CheckBox1Click() {
    if (wallpaper_.width <= 0)
        return;
    PicturePixels shown = wallpaper_;
    if (ui_->CheckBox1->isChecked())
        AddTileOutline(shown, wallpaperTile_);
    QImage image = ToImage(shown.width, shown.height, shown.pixels);
    image.setDevicePixelRatio(pixelRatio_);
    ui_->Image2->setPixmap(QPixmap::fromImage(image));
}

QImage TPreviewForm::PictureView() const {
    return ui_->Image2->isHidden() ? QImage() : ui_->Image2->pixmap().toImage();
}

void TPreviewForm::ShowPicture(bool pattern) {
    const TSlanter* engine = pattern ? &state_.PatternEngine : nullptr;
    picture_ = LatticeImage(engine, ui_->Image1->width(), ui_->Image1->height());
    // On a scaled display the lattice is drawn anew in the display's own pixels, so that
    // its lines are one display pixel wide: thin and straight, not doubled steps.
    const int scale = WholeScale(devicePixelRatioF());
    if (scale == 1) {
        ui_->Image1->setPixmap(QPixmap::fromImage(picture_));
        return;
    }
    QImage shown = LatticeImage(engine, picture_.width() * scale, picture_.height() * scale);
    shown.setDevicePixelRatio(scale);
    ui_->Image1->setPixmap(QPixmap::fromImage(shown));
}

QImage TPreviewForm::Picture() const {
    return picture_;
}

void TPreviewForm::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TPreviewForm::FormClose() {
    RunGuarded([this] { SaveFormPlacement(*this); });
}

} // namespace slanter
