#pragma once

#include <QTextBlockFormat>

#include <array>
#include <string_view>

namespace richtext {

// Paragraph formatting of one RTF group (\ql, \li, \sb, \tx, \intbl ...) and the Qt block format it gives.
struct RtfParaState {
    int align = 0; // 0 left, 1 centre, 2 right, 3 justify
    int left = 0, right = 0, first = 0, before = 0, after = 0, line = 0;
    bool lineMultiple = false;
    bool inTable = false;
    int nest = 1;            // \itap
    int list = 0, level = 0; // \ls, \ilvl
    static constexpr int kMaxTabs = 32;
    std::array<int, kMaxTabs> tabs{};      // \tx positions, twips from the text's left edge
    std::array<char, kMaxTabs> tabKinds{}; // 'l', 'r', 'c', 'd'
    int tabCount = 0;
    char nextTabKind = 'l';

    // False when the word is not about paragraphs.
    bool word(std::string_view word, bool hasParam, int param);
    QTextBlockFormat format() const;
};

} // namespace richtext
