#include "richtext/RtfRowDefinition.h"

#include <algorithm>
#include <optional>

namespace richtext {

namespace {

int clampTwips(int v) {
    return std::clamp(v, -31680, 31680);
}

// The drawn width: a double border is two lines and the gap between them.
void updateWidth(RtfTableBuilder::Border& border, int line) {
    border.line = line;
    border.width = border.style == QTextFrameFormat::BorderStyle_Double ? std::clamp(3 * line, 3, 12) : line;
}

// Border styles Qt can draw; the others get the closest.
std::optional<QTextFrameFormat::BorderStyle> styleOf(std::string_view word) {
    using S = QTextFrameFormat::BorderStyle;
    if (word == "brdrdb" || word == "brdrtriple" || word.substr(0, 8) == "brdrtnth" ||
        word.substr(0, 8) == "brdrthtn" || word == "brdrwavydb")
        return S::BorderStyle_Double;
    if (word == "brdrdot")
        return S::BorderStyle_Dotted;
    if (word == "brdrdash" || word == "brdrdashsm")
        return S::BorderStyle_Dashed;
    if (word == "brdrdashd" || word == "brdrdashdotstr")
        return S::BorderStyle_DotDash;
    if (word == "brdrdashdd")
        return S::BorderStyle_DotDotDash;
    if (word == "brdrengrave" || word == "brdrinset")
        return S::BorderStyle_Inset;
    if (word == "brdremboss" || word == "brdroutset")
        return S::BorderStyle_Outset;
    if (word == "brdrs" || word == "brdrth" || word == "brdrsh" || word == "brdrhair" || word == "brdrframe" ||
        word == "brdrwavy")
        return S::BorderStyle_Solid;
    return std::nullopt;
}

} // namespace

bool RtfRowDefinition::borderWord(RtfTableBuilder::Border& border, std::string_view word, int param,
                                  const std::vector<QColor>& colors) {
    if (word == "brdrt" || word == "brdrb" || word == "brdrl" || word == "brdrr" || word == "brdrbtw" ||
        word == "brdrbar") {
        return false; // a paragraph's border
    }
    if (word == "brdrnone" || word == "brdrnil" || word == "brdrtbl") {
        border = RtfTableBuilder::Border{};
    } else if (word == "brdrw") {
        updateWidth(border, std::clamp((std::clamp(param, 0, 150) + 7) / 15, 1, 10)); // twips to 1..10 px
    } else if (word == "brdrcf") {
        if (param > 0 && param < static_cast<int>(colors.size()))
            border.color = colors[static_cast<size_t>(param)];
    } else if (const auto style = styleOf(word)) {
        border.style = *style;
        int line = border.line > 0 ? border.line : 1;
        if (word == "brdrth" && border.line == 0)
            line = 2; // thick
        updateWidth(border, line);
    } else if (word.substr(0, 4) == "brdr") {
        if (border.line == 0)
            updateWidth(border, 1); // a style Qt lacks: drawn solid
    } else {
        return false; // \box: a paragraph's border, \trbrdr*: the row's
    }
    return true;
}

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
    } else if (word == "clvertalt" || word == "clvertalc" || word == "clvertalb") {
        c.vertical = word.back() == 'c' ? Qt::AlignVCenter : word.back() == 'b' ? Qt::AlignBottom : Qt::AlignTop;
    } else if (word.substr(0, 4) == "brdr" || word.substr(0, 3) == "trb" || word.substr(0, 2) == "bo") {
        if (m_borderTarget < 0)
            return true;
        RtfTableBuilder::Border* b[] = {&c.top, &c.left, &c.bottom, &c.right_};
        if (!borderWord(*b[m_borderTarget], word, param, colors))
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
