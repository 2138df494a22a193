#pragma once

#include <QByteArray>
#include <QImage>

namespace richtext {

// Windows metafiles in documents mostly wrap one bitmap (a scanned photo pasted as a
// picture). This finds that bitmap; a metafile that draws anything else is "vector" and
// is shown as an empty frame by the reader. Bounds-checked against truncated data.
class MetafileBitmap {
public:
    struct Result {
        QImage image;        // null when there is no single bitmap
        bool vector = false; // draws lines, shapes or text
    };

    static Result fromWmf(const QByteArray& wmf);
    static Result fromEmf(const QByteArray& emf);
    // A packed DIB (BITMAPINFO followed by the bits), as in \dibitmap and metafile records.
    static QImage fromDib(const QByteArray& dib);
    // A device-dependent bitmap of \wbitmap: raw rows, top row first.
    static QImage fromDdb(const QByteArray& bits, int width, int height, int bitsPerPixel, int widthBytes);
};

} // namespace richtext
