#include "bitmap/PictureDecoder.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QStringList>
#include <QtGlobal>

#include "bitmap/ErrorTexts.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/qt/WorkingImage.h"

namespace slanter {

namespace {

// The image plug-ins tell their reasons (a libpng error, a bogus JPEG table) through Qt's
// message handler, which would print them on standard error. While a file is decoded
// they are kept instead, to go with the reader's own reason.
QStringList* heardMessages = nullptr;

void KeepMessage(QtMsgType, const QMessageLogContext&, const QString& text) {
    if (heardMessages != nullptr)
        heardMessages->append(text);
}

class MessagesKept {
  public:
    MessagesKept() : previous_(qInstallMessageHandler(KeepMessage)) { heardMessages = &heard_; }
    ~MessagesKept() {
        qInstallMessageHandler(previous_);
        heardMessages = nullptr;
    }
    MessagesKept(const MessagesKept&) = delete;
    MessagesKept& operator=(const MessagesKept&) = delete;

    // The reader's reason, with what the plug-in said about it.
    std::string Reason(const QString& readerReason) const {
        QString reason =
            readerReason.isEmpty() ? QStringLiteral("the picture cannot be decoded") : readerReason;
        if (!heard_.isEmpty())
            reason += QStringLiteral(" (") + heard_.join(QStringLiteral("; ")).simplified() +
                      QStringLiteral(")");
        return reason.toStdString();
    }

  private:
    QStringList heard_;
    QtMessageHandler previous_;
};

} // namespace

std::string DecodePictureFile(const std::string& fileName, THandyBitmap& picture) {
    const MessagesKept messages;
    // The record's own limits and memory decide how large a picture may be, not Qt's
    // default 128 MB.
    QImageReader::setAllocationLimit(0);
    QImageReader reader(QFile::decodeName(QByteArray::fromStdString(fileName)));
    // A photo is taken as it is shown, turned as its camera recorded.
    reader.setAutoTransform(true);
    // Refused before its pixels are decoded: a size no record holds.
    const QSize size = reader.size();
    if (size.isValid() && std::int64_t{size.width()} * size.height() > THandyBitmap::kMaxPixels)
        return bitmap_text::kTooLarge;
    // Known before the read, after which the reader forgets it.
    const bool gif = reader.format() == "gif";
    const QImage image = reader.read();
    if (image.isNull())
        return messages.Reason(reader.errorString());
    // Qt gives a GIF's frame as colours, though the file holds palette indices.
    return ToWorkingPicture(image, picture, gif);
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
