#pragma once

#include "richtext/RtfTableBuilder.h"

#include <QColor>

#include <string_view>
#include <vector>

namespace richtext {

// Collects a table row's definition from \trowd, \trgaph, \trleft, \trpadd*, cell borders,
// padding, shading, merge marks and \cellx. Writers give it before the row's cells (LibreOffice,
// once per row), after them before \row (Word), or both (Word again); a row takes the one given
// before its cells, else the one given at its \row.
class RtfRowDefinition {
public:
    // False when the word is not about table rows.
    bool word(std::string_view word, int param, const std::vector<QColor>& colors);
    const RtfTableBuilder::RowDef& row() const { return m_row; }
    // A \brdr* word about a border (a cell's or a paragraph's); false when the word is not about it.
    static bool borderWord(RtfTableBuilder::Border& border, std::string_view word, int param,
                           const std::vector<QColor>& colors);
    // Counts \trowd words: tells whether a row had a definition of its own before its cells.
    int generation() const { return m_generation; }

private:
    RtfTableBuilder::RowDef m_row;
    RtfTableBuilder::CellDef m_cell; // the cell being defined, until its \cellx
    int m_borderTarget = -1;         // 0 top, 1 left, 2 bottom, 3 right of that cell
    int m_generation = 0;
};

} // namespace richtext
