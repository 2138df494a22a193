#include "richtext/RtfCharState.h"

#include "richtext/RtfFontTable.h"

#include <QFont>

#include <algorithm>

namespace richtext {

bool RtfCharState::word(std::string_view word, bool hasParam, int param) {
    const bool on = !hasParam || param != 0;
    if (word == "plain") {
        *this = RtfCharState{};
    } else if (word == "b") {
        bold = on;
    } else if (word == "i") {
        italic = on;
    } else if (word.size() >= 2 && word.substr(0, 2) == "ul" && word != "ulc") {
        underline = word != "ulnone" && on;
    } else if (word == "strike" || word == "striked") {
        strike = on;
    } else if (word == "caps") {
        caps = on;
    } else if (word == "scaps") {
        smallCaps = on;
    } else if (word == "v") {
        hidden = on;
    } else if (word == "super") {
        vertical = on ? 1 : 0;
    } else if (word == "sub") {
        vertical = on ? -1 : 0;
    } else if (word == "nosupersub") {
        vertical = 0;
    } else if (word == "fs") {
        halfPoints = hasParam && param > 0 ? std::min(param, 3276) : 24;
    } else if (word == "f") {
        font = hasParam ? param : 0;
    } else if (word == "cf") {
        color = param;
    } else if (word == "highlight" || word == "cb" || word == "chcbpat") {
        background = param;
    } else {
        return false;
    }
    return true;
}

QTextCharFormat RtfCharState::format(const RtfFontTable& fonts, const std::vector<QColor>& colors) const {
    QTextCharFormat f;
    f.setFontFamilies(fonts.families(font));
    f.setProperty(QTextFormat::FontPixelSize, std::max(1, qRound(halfPoints * 2 / 3.0))); // half-points at 96 dpi
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(italic);
    f.setFontUnderline(underline);
    f.setFontStrikeOut(strike);
    if (caps)
        f.setFontCapitalization(QFont::AllUppercase); // \caps wins over \scaps, as in Word
    else if (smallCaps)
        f.setFontCapitalization(QFont::SmallCaps);
    if (vertical > 0)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (vertical < 0)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    const auto colorAt = [&colors](int index) {
        return index > 0 && index < static_cast<int>(colors.size()) ? colors[static_cast<size_t>(index)] : QColor();
    };
    if (colorAt(color).isValid())
        f.setForeground(colorAt(color));
    if (colorAt(background).isValid())
        f.setBackground(colorAt(background));
    return f;
}

} // namespace richtext
