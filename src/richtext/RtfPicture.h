#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>

#include <string_view>

namespace richtext {

// One {\pict} group: its control words and data, decoded into the bitmap to show and the
// size to show it at (96 dpi). Data is capped; bad data gives an outlined empty frame.
class RtfPicture {
public:
    struct Result {
        QImage image;                 // null when the picture takes no room
        double width = 0, height = 0; // pixels
    };

    explicit RtfPicture(bool inShape = false);

    void word(std::string_view word, bool hasParam, int param);
    void hexData(std::string_view text);
    void binaryData(std::string_view bytes);
    bool inShape() const { return m_inShape; }
    // shapeTwips: the enclosing shape's rectangle, used when the picture has no goal size.
    Result decode(const QRect& shapeTwips) const;

private:
    enum Kind { None, Png, Jpeg, Dib, Wbitmap, Wmf, Emf, Other };

    QImage bitmap() const;

    Kind m_kind = None;
    bool m_inShape = false;
    int m_picw = 0, m_pich = 0, m_goalw = 0, m_goalh = 0, m_scalex = 100, m_scaley = 100;
    int m_bitsPixel = 1, m_widthBytes = 0;
    QByteArray m_data;
    int m_nibble = -1;
};

} // namespace richtext
