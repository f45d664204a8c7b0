#include "bitmap/PictureDecoder.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

#include "bitmap/ErrorTexts.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/qt/WorkingImage.h"

namespace slanter {

std::string DecodePictureFile(const std::string& fileName, THandyBitmap& picture) {
    QImageReader reader(QFile::decodeName(QByteArray::fromStdString(fileName)));
    // A photo is taken as it is shown, turned as its camera recorded.
    reader.setAutoTransform(true);
    // Refused before its pixels are decoded: a size no record holds.
    const QSize size = reader.size();
    if (size.isValid() && std::int64_t{size.width()} * size.height() > THandyBitmap::kMaxPixels)
        return bitmap_text::kTooLarge;
    const QImage image = reader.read();
    if (image.isNull()) {
        const QString reason = reader.errorString();
        return reason.isEmpty() ? std::string("the picture cannot be decoded")
                                : reason.toStdString();
    }
    return ToWorkingPicture(image, picture);
}

std::vector<std::string> DecodedExtensions() {
    std::vector<std::string> extensions;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        extensions.push_back(format.toLower().toStdString());
    return extensions;
}

bool DecodesOtherFormats() {
    return true;
}

} // namespace slanter
