#include "richtext/RtfParaState.h"

#include "richtext/RtfRowDefinition.h"

#include <QList>
#include <QTextOption>

#include <algorithm>

namespace richtext {

namespace {

int clampTwips(int v) {
    return std::clamp(v, -31680, 31680); // 22 inches either way
}

} // namespace

bool RtfParaState::word(std::string_view word, bool hasParam, int param, const std::vector<QColor>& colors) {
    static constexpr std::string_view kSides[] = {"brdrt", "brdrl", "brdrb", "brdrr", "box"};
    for (int side = 0; side < 5; ++side) {
        if (word == kSides[side]) {
            borderSide = side;
            return true;
        }
    }
    if (word == "brsp") {
        borderSpace = std::clamp(param, 0, 1440);
        return true;
    }
    if (borderSide >= 0 && word.substr(0, 4) == "brdr") {
        for (int side = 0; side < 4; ++side) {
            if (borderSide == side || borderSide == 4)
                RtfRowDefinition::borderWord(borders[static_cast<size_t>(side)], word, param, colors);
        }
        return true;
    }
    borderSide = -1; // any other word ends the border's description
    if (word == "pard") {
        *this = RtfParaState{};
    } else if (word == "ql") {
        align = 0;
    } else if (word == "qc") {
        align = 1;
    } else if (word == "qr") {
        align = 2;
    } else if (word == "qj" || word == "qd") {
        align = 3;
    } else if (word == "li" || word == "lin") {
        left = clampTwips(param);
    } else if (word == "ri" || word == "rin") {
        right = clampTwips(param);
    } else if (word == "fi") {
        first = clampTwips(param);
    } else if (word == "sb") {
        before = std::clamp(param, 0, 31680);
    } else if (word == "sa") {
        after = std::clamp(param, 0, 31680);
    } else if (word == "sl") {
        line = clampTwips(param);
    } else if (word == "slmult") {
        lineMultiple = !hasParam || param != 0;
    } else if (word == "tqr" || word == "tqc" || word == "tqdec") {
        nextTabKind = word[2];
    } else if (word == "tx" || word == "tb") {
        if (word == "tx" && tabCount < kMaxTabs) {
            tabs[static_cast<size_t>(tabCount)] = clampTwips(param);
            tabKinds[static_cast<size_t>(tabCount)] = nextTabKind;
            ++tabCount;
        }
        nextTabKind = 'l';
    } else if (word == "ls") {
        list = std::max(param, 0);
    } else if (word == "ilvl") {
        level = std::clamp(param, 0, 8);
    } else if (word == "intbl") {
        inTable = true;
    } else if (word == "itap") {
        nest = std::max(param, 0);
        inTable = nest > 0;
    } else {
        return false;
    }
    return true;
}

bool RtfParaState::hasBorders() const {
    return std::any_of(borders.begin(), borders.end(), [](const auto& b) { return b.width > 0; });
}

bool RtfParaState::sameBox(const RtfParaState& other) const {
    return borders == other.borders && borderSpace == other.borderSpace && left == other.left && right == other.right;
}

RtfTableBuilder::RowDef RtfParaState::box(int textRight) const {
    RtfTableBuilder::RowDef row;
    row.left = left;
    row.padLeft = row.padTop = row.padRight = row.padBottom = borderSpace;
    RtfTableBuilder::CellDef cell;
    cell.right = textRight - right;
    cell.top = borders[0];
    cell.left = borders[1];
    cell.bottom = borders[2];
    cell.right_ = borders[3];
    row.cells.push_back(cell);
    return row;
}

QTextBlockFormat RtfParaState::format() const {
    QTextBlockFormat f;
    static constexpr Qt::Alignment kAlign[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight, Qt::AlignJustify};
    f.setAlignment(kAlign[std::clamp(align, 0, 3)] | Qt::AlignAbsolute);
    f.setLeftMargin(left / 15.0);
    f.setRightMargin(right / 15.0);
    f.setTextIndent(first / 15.0);
    f.setTopMargin(before / 15.0);
    f.setBottomMargin(after / 15.0);
    if (line < 0)
        f.setLineHeight(-line / 15.0, QTextBlockFormat::FixedHeight);
    else if (line > 0 && lineMultiple)
        f.setLineHeight(line * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
    else if (line > 0)
        f.setLineHeight(line / 15.0, QTextBlockFormat::MinimumHeight);
    // Qt measures tab stops from where the first line starts; RTF from the text's left edge.
    const double origin = (left + first) / 15.0;
    QList<QTextOption::Tab> stops;
    for (int i = 0; i < tabCount; ++i) {
        const double at = tabs[static_cast<size_t>(i)] / 15.0 - origin;
        const char kind = tabKinds[static_cast<size_t>(i)];
        const auto type = kind == 'r'   ? QTextOption::RightTab
                          : kind == 'c' ? QTextOption::CenterTab
                          : kind == 'd' ? QTextOption::DelimiterTab
                                        : QTextOption::LeftTab;
        if (at > 0)
            stops.append(QTextOption::Tab(at, type, kind == 'd' ? QChar(u'.') : QChar()));
    }
    if (first < 0 && left > 0)
        stops.append(QTextOption::Tab(-first / 15.0, QTextOption::LeftTab)); // Word's hanging indent
    std::sort(stops.begin(), stops.end(), [](const auto& a, const auto& b) { return a.position < b.position; });
    if (!stops.isEmpty())
        f.setTabPositions(stops);
    return f;
}

} // namespace richtext
