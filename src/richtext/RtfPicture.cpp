#include "richtext/RtfPicture.h"

#include "richtext/MetafileBitmap.h"
#include "richtext/RtfTokenizer.h"

#include <QPainter>

#include <algorithm>

namespace richtext {

namespace {

constexpr qsizetype kMaxPictureBytes = 64 * 1024 * 1024;
constexpr double kMaxPictureSide = 20000; // pixels

} // namespace

RtfPicture::RtfPicture(bool inShape) : m_inShape(inShape) {}

void RtfPicture::word(std::string_view word, bool hasParam, int param) {
    const int v = hasParam ? param : 0;
    if (word == "pngblip")
        m_kind = Png;
    else if (word == "jpegblip")
        m_kind = Jpeg;
    else if (word == "dibitmap")
        m_kind = Dib;
    else if (word == "wbitmap")
        m_kind = Wbitmap;
    else if (word == "wmetafile")
        m_kind = Wmf;
    else if (word == "emfblip")
        m_kind = Emf;
    else if (word == "macpict" || word == "pmmetafile")
        m_kind = Other;
    else if (word == "picw")
        m_picw = v;
    else if (word == "pich")
        m_pich = v;
    else if (word == "picwgoal")
        m_goalw = v;
    else if (word == "pichgoal")
        m_goalh = v;
    else if (word == "picscalex")
        m_scalex = v;
    else if (word == "picscaley")
        m_scaley = v;
    else if (word == "wbmbitspixel")
        m_bitsPixel = v;
    else if (word == "wbmwidthbytes")
        m_widthBytes = v;
}

void RtfPicture::hexData(std::string_view text) {
    if (m_data.size() >= kMaxPictureBytes)
        return;
    m_data.reserve(m_data.size() + static_cast<qsizetype>(text.size() / 2));
    for (char ch : text) {
        const int v = RtfTokenizer::hexDigit(ch);
        if (v < 0)
            continue; // blanks and stray characters between the digits
        if (m_nibble < 0) {
            m_nibble = v;
        } else {
            m_data.append(static_cast<char>(m_nibble * 16 + v));
            m_nibble = -1;
        }
    }
}

void RtfPicture::binaryData(std::string_view bytes) {
    if (m_data.size() + static_cast<qsizetype>(bytes.size()) <= kMaxPictureBytes)
        m_data.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QImage RtfPicture::bitmap() const {
    QImage image;
    switch (m_kind) {
    case Png:
    case Jpeg:
        image.loadFromData(m_data);
        break;
    case Dib:
        image = MetafileBitmap::fromDib(m_data);
        break;
    case Wbitmap:
        image = MetafileBitmap::fromDdb(m_data, m_picw, m_pich, m_bitsPixel, m_widthBytes);
        break;
    case Wmf:
        image = MetafileBitmap::fromWmf(m_data).image;
        break;
    case Emf:
        image = MetafileBitmap::fromEmf(m_data).image;
        break;
    default:
        break;
    }
    return image;
}

RtfPicture::Result RtfPicture::decode(const QRect& shapeTwips) const {
    Result r;
    r.image = bitmap();
    // Displayed size: the goal size in twips, else the picture's own size (metafiles in
    // hundredths of a millimetre), then the writer's scale.
    const bool metafile = m_kind == Wmf || m_kind == Emf || m_kind == Other;
    auto side = [&](int goal, int pic, int fromImage, int scale) -> double {
        double px = 0;
        if (goal > 0)
            px = goal / 15.0;
        else if (pic > 0)
            px = metafile ? pic * 96.0 / 2540.0 : pic;
        else
            px = fromImage;
        return px * (scale > 0 ? std::min(scale, 10000) : 100) / 100.0;
    };
    r.width = std::min(side(m_goalw, m_picw, r.image.width(), m_scalex), kMaxPictureSide);
    r.height = std::min(side(m_goalh, m_pich, r.image.height(), m_scaley), kMaxPictureSide);
    if (m_inShape && m_goalw <= 0 && shapeTwips.isValid()) {
        // A shape's picture is drawn at the shape's size.
        r.width = std::min(shapeTwips.width() / 15.0, kMaxPictureSide);
        r.height = std::min(shapeTwips.height() / 15.0, kMaxPictureSide);
    }
    if (r.width < 1 || r.height < 1) {
        r = Result{};
        return r;
    }
    if (r.image.isNull()) {
        // Vector drawing or unreadable data: keep the room it takes, outlined.
        r.image = QImage(std::min(qRound(r.width), 1024), std::min(qRound(r.height), 1024),
                         QImage::Format_ARGB32_Premultiplied);
        r.image.fill(Qt::transparent);
        QPainter painter(&r.image);
        painter.setPen(QColor(160, 160, 160));
        painter.drawRect(0, 0, r.image.width() - 1, r.image.height() - 1);
    }
    return r;
}

} // namespace richtext
