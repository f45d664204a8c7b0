#include "shell/qt/PictureFiles.h"

#include <algorithm>
#include <utility>

#include <QApplication>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QStyle>

#include "bitmap/WhiteBackground.h"
#include "shell/IconChoice.h"

namespace slanter {

namespace {

QString NameOf(const std::string& fileName) {
    return QFile::decodeName(QByteArray::fromStdString(fileName));
}

DecodedPicture Failure(const QImageReader& reader) {
    return {QImage(), reader.errorString()};
}

int LongerSide(const QSize& size) {
    return std::max(size.width(), size.height());
}

PictureFormatLister& CurrentLister() {
    static PictureFormatLister lister;
    return lister;
}

std::vector<std::string> Lowered(const QList<QByteArray>& formats) {
    std::vector<std::string> names;
    for (const QByteArray& format : formats)
        names.push_back(format.toLower().toStdString());
    return names;
}

} // namespace

DecodedPicture DecodePicture(const std::string& fileName) {
    // Memory decides how large a picture may be, not Qt's default 128 MB.
    QImageReader::setAllocationLimit(0);
    QImageReader reader(NameOf(fileName));
    QImage image = reader.read();
    if (image.isNull())
        return Failure(reader);
    return {std::move(image), QString()};
}

DecodedPicture DecodeIcon(const std::string& fileName, int size, bool onWhite) {
    QImageReader reader(NameOf(fileName), "ico");
    QImage best;
    const int count = std::max(reader.imageCount(), 1);
    for (int k = 0; k < count; ++k) {
        if (k > 0 && !reader.jumpToImage(k))
            break;
        QImage image = reader.read();
        if (!image.isNull() && (best.isNull() || IsCloserIconSide(LongerSide(image.size()),
                                                                  LongerSide(best.size()), size)))
            best = std::move(image);
    }
    if (best.isNull())
        return Failure(reader);
    QImage icon(size, size, QImage::Format_RGB32);
    icon.fill(onWhite ? Qt::white : Qt::black);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(0, 0, size, size), best);
    painter.end();
    return {std::move(icon), QString()};
}

int StandardIconSize() {
    const int size = QApplication::style()->pixelMetric(QStyle::PM_LargeIconSize);
    return size > 0 ? size : 32;
}

QImage OnWhite(const QImage& picture) {
    if (!picture.hasAlphaChannel())
        return picture;
    if (picture.format() == QImage::Format_Indexed8) {
        QImage flat = picture;
        QList<QRgb> table = flat.colorTable();
        for (QRgb& color : table) {
            const int alpha = qAlpha(color);
            color = qRgb(OverWhite(qRed(color), alpha), OverWhite(qGreen(color), alpha),
                         OverWhite(qBlue(color), alpha));
        }
        flat.setColorTable(table);
        return flat;
    }
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, picture);
    painter.end();
    return flat;
}

bool SaveAsBmp(const QImage& picture, const std::string& fileName) {
    if (picture.isNull() || fileName.empty())
        return false;
    QImage flat = OnWhite(picture);
    const bool indexed =
        (flat.format() == QImage::Format_Indexed8 || flat.format() == QImage::Format_Mono ||
         flat.format() == QImage::Format_MonoLSB) &&
        flat.colorCount() > 0;
    if (!indexed)
        flat = flat.convertToFormat(QImage::Format_RGB32);
    QImageWriter writer(NameOf(fileName), "bmp");
    return writer.write(flat);
}

std::vector<std::string> PictureFormats(bool writable) {
    if (const PictureFormatLister& lister = CurrentLister())
        return lister(writable);
    return Lowered(writable ? QImageWriter::supportedImageFormats()
                            : QImageReader::supportedImageFormats());
}

PictureFormatLister SetPictureFormatLister(PictureFormatLister lister) {
    return std::exchange(CurrentLister(), std::move(lister));
}

} // namespace slanter
