#include "preview/qt/PreviewForm.h"

#include <algorithm>

#include <QCheckBox>
#include <QCloseEvent>
#include <QPixmap>
#include <QScreen>

#include "preview/PreviewLayout.h"
#include "preview/PreviewRaster.h"
#include "shell/qt/FormPlacement.h"
#include "shell/qt/GeneralError.h"
#include "shell/qt/WindowKeys.h"
#include "shell/qt/WindowOnScreen.h"
#include "ui_PreviewForm.h"

namespace slanter {

TPreviewForm* PreviewForm = nullptr;

namespace {

// Beside the method window's designed place, so the two do not cover each other.
constexpr QPoint kDesignedPosition(496, 155);

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

// The whole display scale of a window: a fraction is taken at the nearest whole one.
int WholeScale(qreal ratio) {
    return std::max(1, qRound(ratio));
}

} // namespace

TPreviewForm::TPreviewForm(ProgramState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), ui_(std::make_unique<Ui::PreviewForm>()), services_(this),
      presenter_(state, services_, *this) {
    ui_->setupUi(this);
    setGeometry(QRect(kDesignedPosition, size()));
    // Shown by the method window's commands, it leaves the keys with the method window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    connect(ui_->CheckBox1, &QCheckBox::toggled, this,
            [this](bool checked) { presenter_.SetOutline(checked); });
    CloseOnKeys(*this, {QKeySequence(Qt::Key_Escape)});
    RunGuarded([this] { RestoreFormPlacement(*this); });
    // A single border: the client area is exactly the image (and the picture view beside
    // it, once there is a picture), and the user cannot size it.
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    presenter_.Start();
}

TPreviewForm::~TPreviewForm() = default;

TPoint TPreviewForm::ScreenRoom() const {
    const QScreen* shown = screen();
    const QSize room = shown != nullptr ? shown->availableGeometry().size() : QSize();
    return {room.width(), room.height()};
}

TPoint TPreviewForm::LatticeSize() const {
    return {ui_->Image1->width(), ui_->Image1->height()};
}

std::int32_t TPreviewForm::OptionHeight() const {
    return ui_->CheckBox1->sizeHint().height();
}

// On a scaled display the lattice is drawn in the display's own pixels, so that its lines
// are one display pixel wide: thin and straight, not doubled steps.
TPoint TPreviewForm::LatticePixels() const {
    const int scale = WholeScale(devicePixelRatioF());
    return {ui_->Image1->width() * scale, ui_->Image1->height() * scale};
}

std::int32_t TPreviewForm::DisplayPixels(std::int32_t length) {
    pixelRatio_ = devicePixelRatioF();
    return qRound(length * pixelRatio_);
}

void TPreviewForm::SetCaption(std::string_view item, const std::string& text) {
    const QString caption = QString::fromStdString(text);
    if (item == "CheckBox1")
        ui_->CheckBox1->setText(caption);
    else
        setWindowTitle(caption);
}

void TPreviewForm::ShowLattice(const PreviewRaster& drawing) {
    lattice_ = ToImage(drawing.Width(), drawing.Height(), drawing.Pixels());
    lattice_.setDevicePixelRatio(std::max(1, drawing.Width() / ui_->Image1->width()));
    ui_->Image1->setPixmap(QPixmap::fromImage(lattice_));
}

void TPreviewForm::LayOut(const PreviewLayout& layout) {
    ui_->Image2->setVisible(layout.pictureView);
    ui_->CheckBox1->setVisible(layout.pictureView);
    setFixedSize(layout.client.X, layout.client.Y);
    if (!layout.pictureView) {
        ui_->Image2->clear();
        return;
    }
    const auto place = [](QWidget& part, const PreviewPart& at) {
        part.setGeometry(at.left, at.top, at.width, at.height);
    };
    place(*ui_->Image2, layout.view);
    place(*ui_->CheckBox1, layout.option);
    // Grown from a place kept for the lattice alone, it may reach past the screen's edge.
    KeepOnScreen(*this);
}

void TPreviewForm::ShowWallpaper(const PicturePixels& wallpaper) {
    QImage image = ToImage(wallpaper.width, wallpaper.height, wallpaper.pixels);
    image.setDevicePixelRatio(pixelRatio_);
    ui_->Image2->setPixmap(QPixmap::fromImage(image));
}

QImage TPreviewForm::PictureView() const {
    return ui_->Image2->isHidden() ? QImage() : ui_->Image2->pixmap().toImage();
}

void TPreviewForm::ShowInFront() {
    show();
    raise();
}

void TPreviewForm::SavePlacement() {
    SaveFormPlacement(*this);
}

void TPreviewForm::closeEvent(QCloseEvent* event) {
    presenter_.Closing();
    event->accept();
}

} // namespace slanter
