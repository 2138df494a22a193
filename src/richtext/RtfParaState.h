#pragma once

#include "richtext/RtfTableBuilder.h"

#include <QColor>
#include <QTextBlockFormat>

#include <array>
#include <string_view>
#include <vector>

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
    // Paragraph borders (\box, \brdrt ...): top, left, bottom, right. Qt blocks have none, so the
    // parser puts bordered paragraphs in a one-cell table.
    std::array<RtfTableBuilder::Border, 4> borders{};
    int borderSpace = 0; // \brsp, twips between the border and the text
    int borderSide = -1; // the side the next \brdr* words describe; 4 = all four (\box)

    // False when the word is not about paragraphs.
    bool word(std::string_view word, bool hasParam, int param, const std::vector<QColor>& colors);
    bool hasBorders() const;
    // Paragraphs with the same borders and indents share one box.
    bool sameBox(const RtfParaState& other) const;
    // The box as a one-cell row: from the left indent to textRight (twips) less the right indent.
    RtfTableBuilder::RowDef box(int textRight) const;
    QTextBlockFormat format() const;
};

} // namespace richtext
