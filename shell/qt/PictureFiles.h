#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QImage>
#include <QString>

namespace slanter {

// The platform's picture decoder and writer, for the pictures the main window shows and
// the working files it writes from them.

// A decoded picture, or the decoder's reason for failing.
struct DecodedPicture {
    QImage image;  // null when decoding failed
    QString error; // the decoder's reason, when it failed
};

// Any picture file the platform decodes, BMP files of every kind among them.
DecodedPicture DecodePicture(const std::string& fileName);

// An icon file as the platform shows an icon: the file's image closest to `size`, scaled
// to it and drawn at the top-left corner of a picture of size x size pixels.
DecodedPicture DecodeIcon(const std::string& fileName, int size, bool onWhite);

// The platform's standard icon size.
int StandardIconSize();

// The picture with its transparent and translucent pixels laid over white, which is how
// the main window shows them. An opaque picture comes back as it is.
QImage OnWhite(const QImage& picture);

// Writes the picture with the platform's BMP writer, in a form the program's own reader
// takes: uncompressed, with a colour table when the picture has one, otherwise 24 bits.
// False when the file cannot be written.
bool SaveAsBmp(const QImage& picture, const std::string& fileName);

// The picture formats the platform reads or writes, in lower case ("bmp", "ico", ...).
std::vector<std::string> PictureFormats(bool writable);

// Puts `lister` in place of PictureFormats (tests) and answers the one it replaces; an
// empty lister brings the platform's lists back.
using PictureFormatLister = std::function<std::vector<std::string>(bool writable)>;
PictureFormatLister SetPictureFormatLister(PictureFormatLister lister);

} // namespace slanter
