#pragma once

#include "richtext/RtfTableBuilder.h"

#include <QColor>

#include <string_view>
#include <vector>

namespace richtext {

// Collects a table row's definition from \trowd, \trgaph, \trleft, \trpadd*, cell borders,
// padding, shading, merge marks and \cellx. Writers give it before the row's cells (LibreOffice,
// once per row) or repeat it before \row (Word); the table builder takes it at the first cell.
class RtfRowDefinition {
public:
    // False when the word is not about table rows.
    bool word(std::string_view word, int param, const std::vector<QColor>& colors);
    const RtfTableBuilder::RowDef& row() const { return m_row; }

private:
    RtfTableBuilder::RowDef m_row;
    RtfTableBuilder::CellDef m_cell; // the cell being defined, until its \cellx
    int m_borderTarget = -1;         // 0 top, 1 left, 2 bottom, 3 right of that cell
};

} // namespace richtext
