#include "preview/qt/PreviewForm.h"

#include <QCloseEvent>
#include <QPixmap>

#include "preview/PreviewDrawing.h"
#include "preview/PreviewRaster.h"
#include "shell/General.h"
#include "shell/SharedObjects.h"
#include "shell/qt/FormPlacement.h"
#include "shell/qt/GeneralError.h"
#include "ui_PreviewForm.h"

namespace slanter {

TPreviewForm* PreviewForm = nullptr;

namespace {

// Beside the method window's designed place, so the two do not cover each other.
constexpr QPoint kDesignedPosition(496, 155);

// Colour values keep red in the low byte; the image wants it in the third.
QImage ToImage(const PreviewRaster& raster) {
    QImage image(raster.Width(), raster.Height(), QImage::Format_RGB32);
    for (std::int32_t y = 0; y < raster.Height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (std::int32_t x = 0; x < raster.Width(); ++x) {
            const auto colour = static_cast<std::uint32_t>(raster.At(x, y));
            line[x] = qRgb(colour & 0xFF, colour >> 8 & 0xFF, colour >> 16 & 0xFF);
        }
    }
    return image;
}

} // namespace

TPreviewForm::TPreviewForm(QWidget* parent)
    : QWidget(parent, Qt::Window), ui_(std::make_unique<Ui::PreviewForm>()) {
    ui_->setupUi(this);
    setGeometry(QRect(kDesignedPosition, size()));
    FormCreate();
}

TPreviewForm::~TPreviewForm() = default;

void TPreviewForm::FormCreate() {
    RunGuarded([this] { RestoreFormPlacement(*this); });
    // A single border: the client area is exactly the image, and the user cannot size it.
    setFixedSize(ui_->Image1->size());
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    if (!Japanese)
        setWindowTitle(QStringLiteral("Preview"));
    ui_->Image1->setPixmap(QPixmap::fromImage(ToImage(PreviewRaster(
        PreviewDrawing{ui_->Image1->width(), ui_->Image1->height(), kPreviewWhite, {}, true}))));
}

void TPreviewForm::DrawPreview() {
    show();
    raise();
    const std::int32_t width = ui_->Image1->width();
    const std::int32_t height = ui_->Image1->height();
    const PreviewRaster raster(PatternEngine != nullptr
                                   ? ComputePreviewDrawing(*PatternEngine, width, height)
                                   : PreviewDrawing{width, height, kPreviewWhite, {}, true});
    ui_->Image1->setPixmap(QPixmap::fromImage(ToImage(raster)));
}

QImage TPreviewForm::Picture() const {
    return ui_->Image1->pixmap().toImage();
}

void TPreviewForm::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TPreviewForm::FormClose() {
    RunGuarded([this] { SaveFormPlacement(*this); });
}

} // namespace slanter
