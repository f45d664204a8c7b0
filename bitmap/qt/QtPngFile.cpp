#include "bitmap/PngFile.h"

#include <QFile>
#include <QImage>
#include <QImageWriter>

#include "bitmap/ErrorTexts.h"
#include "bitmap/qt/WorkingImage.h"

namespace slanter {

std::string SaveAsPng(const THandyBitmap& picture, const std::string& fileName) {
    const QImage image = ToImage(picture);
    if (image.isNull())
        return bitmap_text::kNoImage;
    QImageWriter writer(QFile::decodeName(QByteArray::fromStdString(fileName)), "png");
    if (writer.write(image))
        return {};
    const QString reason = writer.errorString();
    return reason.isEmpty() ? bitmap_text::kCantCreate + fileName : reason.toStdString();
}

std::string PngWriterMissing() {
    return {};
}

} // namespace slanter
