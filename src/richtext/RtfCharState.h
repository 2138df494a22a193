#pragma once

#include <QColor>
#include <QTextCharFormat>

#include <string_view>
#include <vector>

namespace richtext {

class RtfFontTable;

// Character formatting of one RTF group (\b, \i, \fs, \f, \cf ...) and the Qt format it gives.
struct RtfCharState {
    int font = -1;
    int halfPoints = 24;
    bool bold = false, italic = false, underline = false, strike = false, caps = false, smallCaps = false;
    bool hidden = false;
    int vertical = 0; // 1 super, -1 sub
    int color = 0, background = 0;

    // False when the word is not about characters.
    bool word(std::string_view word, bool hasParam, int param);
    QTextCharFormat format(const RtfFontTable& fonts, const std::vector<QColor>& colors) const;
};

} // namespace richtext
