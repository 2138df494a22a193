#include "richtext/MetafileBitmap.h"

#include <cstdint>

namespace richtext {

namespace {

std::uint32_t u32(const QByteArray& d, qsizetype at) {
    if (at < 0 || at + 4 > d.size())
        return 0;
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(d[at + i]);
    return v;
}

std::uint16_t u16(const QByteArray& d, qsizetype at) {
    if (at < 0 || at + 2 > d.size())
        return 0;
    return static_cast<std::uint16_t>(static_cast<unsigned char>(d[at]) | (static_cast<unsigned char>(d[at + 1]) << 8));
}

bool isWmfDrawing(std::uint16_t fn) {
    switch (fn) {
    case 0x0213: // LineTo
    case 0x0324: // Polygon
    case 0x0325: // Polyline
    case 0x0538: // PolyPolygon
    case 0x041B: // Rectangle
    case 0x061C: // RoundRect
    case 0x0418: // Ellipse
    case 0x0817: // Arc
    case 0x081A: // Pie
    case 0x0830: // Chord
    case 0x0521: // TextOut
    case 0x0A32: // ExtTextOut
    case 0x041F: // SetPixel
    case 0x0228: // FillRegion
    case 0x0429: // FrameRegion
    case 0x012B: // PaintRegion
    case 0x012A: // InvertRegion
    case 0x0419: // FloodFill
    case 0x0548: // ExtFloodFill
    case 0x0922: // BitBlt with a device bitmap
    case 0x0B23: // StretchBlt with a device bitmap
        return true;
    default:
        return false;
    }
}

bool isEmfDrawing(std::uint32_t type) {
    switch (type) {
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:  // poly shapes
    case 15: // SetPixelV
    case 41:
    case 42:
    case 43:
    case 44:
    case 45:
    case 46:
    case 47: // arcs, ellipses, rectangles
    case 54:
    case 55:
    case 56: // LineTo, ArcTo, PolyDraw
    case 62:
    case 63:
    case 64: // fill/stroke path
    case 71:
    case 72:
    case 73:
    case 74: // regions
    case 78:
    case 79: // MaskBlt, PlgBlt
    case 83:
    case 84: // ExtTextOut
    case 85:
    case 86:
    case 87:
    case 88:
    case 89:
    case 90:
    case 91:
    case 92: // 16-bit polys
    case 96:
    case 97:
    case 108: // text
    case 114:
    case 116:
    case 118: // AlphaBlend, TransparentBlt, GradientFill
        return true;
    default:
        return false;
    }
}

// A metafile shows as a bitmap only when one bitmap is all it draws.
MetafileBitmap::Result finish(MetafileBitmap::Result result, int bitmaps, const QByteArray& dib) {
    if (bitmaps == 1 && !result.vector)
        result.image = MetafileBitmap::fromDib(dib);
    else if (bitmaps > 0)
        result.vector = true;
    return result;
}

} // namespace

QImage MetafileBitmap::fromDib(const QByteArray& dib) {
    const std::uint32_t headerSize = u32(dib, 0);
    if (headerSize < 12 || headerSize > static_cast<std::uint32_t>(dib.size()))
        return {};
    std::uint32_t paletteBytes = 0;
    if (headerSize == 12) {
        const int bits = u16(dib, 10);
        paletteBytes = bits <= 8 ? (1u << bits) * 3 : 0;
    } else {
        const int bits = u16(dib, 14);
        const std::uint32_t compression = u32(dib, 16);
        std::uint32_t used = u32(dib, 32);
        if (used == 0 && bits <= 8)
            used = 1u << bits;
        if (used > 65536)
            return {};
        paletteBytes = used * 4;
        if (compression == 3 && headerSize == 40)
            paletteBytes += 12; // BI_BITFIELDS masks follow a short header
    }
    // A BMP file is the DIB behind a 14-byte file header.
    QByteArray file("BM", 2);
    const std::uint32_t total = 14 + static_cast<std::uint32_t>(dib.size());
    const std::uint32_t offset = 14 + headerSize + paletteBytes;
    char header[12] = {};
    for (int i = 0; i < 4; ++i) {
        header[i] = static_cast<char>((total >> (8 * i)) & 0xFF);
        header[8 + i] = static_cast<char>((offset >> (8 * i)) & 0xFF);
    }
    file.append(header, 12);
    file.append(dib);
    QImage image;
    image.loadFromData(file, "BMP");
    return image;
}

QImage MetafileBitmap::fromDdb(const QByteArray& bits, int width, int height, int bitsPerPixel, int widthBytes) {
    if (width <= 0 || height <= 0 || width > 20000 || height > 20000)
        return {};
    if (bitsPerPixel != 1 && bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32)
        return {};
    if (widthBytes <= 0)
        widthBytes = ((width * bitsPerPixel + 15) / 16) * 2;
    if (static_cast<qint64>(widthBytes) * height > bits.size())
        height = widthBytes > 0 ? static_cast<int>(bits.size() / widthBytes) : 0;
    if (height <= 0)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const auto* row =
            reinterpret_cast<const unsigned char*>(bits.constData()) + static_cast<qsizetype>(y) * widthBytes;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            switch (bitsPerPixel) {
            case 1:
                out[x] = (x / 8 < widthBytes && (row[x / 8] & (0x80 >> (x % 8)))) ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
                break;
            case 8:
                out[x] = x < widthBytes ? qRgb(row[x], row[x], row[x]) : 0;
                break;
            case 24:
                out[x] = x * 3 + 2 < widthBytes ? qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]) : 0;
                break;
            case 32:
                out[x] = x * 4 + 2 < widthBytes ? qRgb(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]) : 0;
                break;
            default:
                return {};
            }
        }
    }
    return image;
}

MetafileBitmap::Result MetafileBitmap::fromWmf(const QByteArray& wmf) {
    Result result;
    qsizetype pos = 0;
    if (u32(wmf, 0) == 0x9AC6CDD7u)
        pos = 22; // placeable header
    const qsizetype headerWords = u16(wmf, pos + 2);
    if (headerWords < 9)
        return result;
    pos += headerWords * 2;
    int bitmaps = 0;
    QByteArray dib;
    while (pos + 6 <= wmf.size()) {
        const qint64 words = u32(wmf, pos);
        const std::uint16_t fn = u16(wmf, pos + 4);
        if (fn == 0 || words < 3)
            break; // end of file record, or garbage
        const qsizetype size = static_cast<qsizetype>(qMin<qint64>(words * 2, wmf.size() - pos));
        qsizetype dibAt = -1;
        switch (fn) {
        case 0x0F43: // StretchDIB
            dibAt = 6 + 22;
            break;
        case 0x0B41: // DIBStretchBlt
            if (words != (fn >> 8) + 3)
                dibAt = 6 + 20;
            break;
        case 0x0940: // DIBBitBlt
            if (words != (fn >> 8) + 3)
                dibAt = 6 + 16;
            break;
        case 0x0D33: // SetDIBitsToDevice
            dibAt = 6 + 18;
            break;
        default:
            if (isWmfDrawing(fn))
                result.vector = true;
        }
        if (dibAt >= 0 && dibAt < size) {
            ++bitmaps;
            dib = wmf.mid(pos + dibAt, size - dibAt);
        }
        pos += size;
    }
    return finish(result, bitmaps, dib);
}

MetafileBitmap::Result MetafileBitmap::fromEmf(const QByteArray& emf) {
    Result result;
    if (u32(emf, 0) != 1 || u32(emf, 40) != 0x464D4520u) // EMR_HEADER and " EMF"
        return result;
    qsizetype pos = 0;
    int bitmaps = 0;
    QByteArray dib;
    while (pos + 8 <= emf.size()) {
        const std::uint32_t type = u32(emf, pos);
        const std::uint32_t size = u32(emf, pos + 4);
        if (size < 8 || size > static_cast<std::uint32_t>(emf.size() - pos))
            break;
        qsizetype bmiField = -1;
        if (type == 81 || type == 80) // StretchDIBits, SetDIBitsToDevice
            bmiField = 48;
        else if (type == 76 || type == 77) // BitBlt, StretchBlt
            bmiField = 100;
        else if (isEmfDrawing(type))
            result.vector = true;
        if (bmiField >= 0) {
            const std::uint32_t offBmi = u32(emf, pos + bmiField);
            const std::uint32_t cbBmi = u32(emf, pos + bmiField + 4);
            const std::uint32_t offBits = u32(emf, pos + bmiField + 8);
            const std::uint32_t cbBits = u32(emf, pos + bmiField + 12);
            if (cbBmi > 0 && offBmi + static_cast<qint64>(cbBmi) <= size &&
                offBits + static_cast<qint64>(cbBits) <= size) {
                ++bitmaps;
                dib = emf.mid(pos + offBmi, cbBmi) + emf.mid(pos + offBits, cbBits);
            } else if (type == 76 || type == 77) {
                result.vector = true; // a pattern fill, drawn without a bitmap
            }
        }
        if (type == 14)
            break; // EMR_EOF
        pos += size;
    }
    return finish(result, bitmaps, dib);
}

} // namespace richtext
