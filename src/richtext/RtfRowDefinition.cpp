#include "richtext/RtfRowDefinition.h"

#include <algorithm>

namespace richtext {

namespace {

int clampTwips(int v) {
    return std::clamp(v, -31680, 31680);
}

} // namespace

bool RtfRowDefinition::word(std::string_view word, int param, const std::vector<QColor>& colors) {
    RtfTableBuilder::CellDef& c = m_cell;
    if (word == "trowd") {
        m_row = RtfTableBuilder::RowDef{};
        ++m_generation;
        m_cell = RtfTableBuilder::CellDef{};
        m_borderTarget = -1;
    } else if (word == "trgaph") {
        m_row.gap = param;
    } else if (word == "trleft") {
        m_row.left = clampTwips(param);
    } else if (word == "cellx") {
        c.right = clampTwips(param);
        m_row.cells.push_back(c);
        m_cell = RtfTableBuilder::CellDef{};
        m_borderTarget = -1;
    } else if (word == "clmgf") {
        c.mergeFirst = true;
    } else if (word == "clmrg") {
        c.mergeNext = true;
    } else if (word == "clvmgf") {
        c.vmergeFirst = true;
    } else if (word == "clvmrg") {
        c.vmergeNext = true;
    } else if (word == "clbrdrt") {
        m_borderTarget = 0;
    } else if (word == "clbrdrl") {
        m_borderTarget = 1;
    } else if (word == "clbrdrb") {
        m_borderTarget = 2;
    } else if (word == "clbrdrr") {
        m_borderTarget = 3;
    } else if (word.substr(0, 4) == "brdr" || word.substr(0, 3) == "trb" || word.substr(0, 2) == "bo") {
        if (m_borderTarget < 0)
            return true;
        RtfTableBuilder::Border* b[] = {&c.top, &c.left, &c.bottom, &c.right_};
        RtfTableBuilder::Border& border = *b[m_borderTarget];
        if (word == "brdrnone" || word == "brdrnil" || word == "brdrtbl")
            border.width = 0;
        else if (word == "brdrw")
            border.width = std::clamp((std::clamp(param, 0, 150) + 7) / 15, 1, 10); // twips to 1..10 px
        else if (word.substr(0, 4) == "brdr" && word != "brdrcf" && border.width == 0)
            border.width = 1;
        else if (word.substr(0, 3) == "trb" || word.substr(0, 2) == "bo")
            m_borderTarget = -1; // row or paragraph borders are not the cell's
    } else if (word.substr(0, 5) == "clpad" || word.substr(0, 6) == "trpadd") {
        // Word reads \clpadl as the top padding and \clpadt as the left one, and writers follow it.
        const bool cell = word[1] == 'l';
        const std::string_view side = word.substr(cell ? 5 : 6);
        const int v = std::clamp(param, 0, 1440);
        int* cellSides[] = {&c.padTop, &c.padLeft, &c.padBottom, &c.padRight};
        int* rowSides[] = {&m_row.padLeft, &m_row.padTop, &m_row.padBottom, &m_row.padRight};
        int** sides = cell ? cellSides : rowSides;
        if (side == "l")
            *sides[0] = v;
        else if (side == "t")
            *sides[1] = v;
        else if (side == "b")
            *sides[2] = v;
        else if (side == "r")
            *sides[3] = v;
    } else if (word == "clcbpat") {
        if (param > 0 && param < static_cast<int>(colors.size()))
            c.shading = colors[static_cast<size_t>(param)];
    } else {
        return false;
    }
    return true;
}

} // namespace richtext
