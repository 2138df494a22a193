#include "richtext/RtfTableBuilder.h"

#include <QTextTable>

#include <algorithm>

namespace richtext {

namespace {

constexpr int kEdgeTolerance = 8; // twips; writers round edges differently row by row
constexpr int kOverflow = -2;     // a cell beyond the last column: it joins the row's last cell

QTextFrameFormat::BorderStyle styleOf(const RtfTableBuilder::Border& border) {
    return border.width > 0 ? border.style : QTextFrameFormat::BorderStyle_None;
}

QBrush brushOf(const RtfTableBuilder::Border& border) {
    return QBrush(border.color.isValid() ? border.color : QColor(Qt::black));
}

QTextCharFormat::VerticalAlignment verticalOf(Qt::Alignment alignment) {
    if (alignment & Qt::AlignVCenter)
        return QTextCharFormat::AlignMiddle;
    if (alignment & Qt::AlignBottom)
        return QTextCharFormat::AlignBottom;
    return QTextCharFormat::AlignTop;
}

} // namespace

RtfTableBuilder::RtfTableBuilder(QTextCursor* cursor) : m_cursor(cursor) {}

void RtfTableBuilder::beginRow(std::optional<RowDef> before) {
    m_rows.emplace_back();
    m_rows.back().before = std::move(before);
    m_rowOpen = true;
    m_pendingCell = true; // the first cell begins with the first content
}

bool RtfTableBuilder::beforeContent() {
    if (!m_rowOpen || !m_pendingCell)
        return false;
    m_pendingCell = false;
    m_rows.back().cells.emplace_back();
    return true;
}

RtfCellContent* RtfTableBuilder::cellContent() {
    if (!m_rowOpen)
        return nullptr;
    auto& cells = m_rows.back().cells;
    if (cells.empty())
        cells.emplace_back();
    return &cells.back();
}

void RtfTableBuilder::endCell() {
    // The next cell begins at the next content, so a trailing \cell adds no column.
    if (m_rowOpen)
        m_pendingCell = true;
}

void RtfTableBuilder::endRow(const RowDef& def) {
    if (!m_rowOpen)
        return;
    Row& row = m_rows.back();
    row.def = row.before ? *row.before : def;
    row.before.reset();
    m_rowOpen = false;
    m_pendingCell = false;
}

void RtfTableBuilder::endTable(const RowDef& def) {
    endRow(def);
    if (m_rows.empty())
        return;
    collectEdges();
    std::vector<std::vector<Placement>> places;
    places.reserve(m_rows.size());
    for (Row& row : m_rows)
        places.push_back(placeCells(row));
    QTextTable* table = insertTable();
    m_vmergeStart.assign(m_edges.size(), -1);
    std::vector<Merge> merges;
    for (size_t r = 0; r < m_rows.size(); ++r) {
        fillRow(table, static_cast<int>(r), m_rows[r], places[r], merges);
        m_rows[r] = Row{}; // done with its content
    }
    // Merging after the content keeps cell lookups cheap while filling.
    for (const Merge& m : merges)
        table->mergeCells(m.row, m.column, m.rows, m.columns);
    *m_cursor = table->lastCursorPosition();
    m_cursor->movePosition(QTextCursor::NextBlock);
    m_rows.clear();
    m_edges.clear();
    m_vmergeStart.clear();
    m_rowOpen = m_pendingCell = m_adjacent = false;
}

RtfTableBuilder::RowDef RtfTableBuilder::sanitised(const RowDef& given, std::optional<int> tableLeft) {
    // Edges increasing and within a sane page.
    RowDef def = given;
    def.left = std::clamp(def.left, -15000, 30000);
    def.gap = std::clamp(def.gap, 0, 1440);
    if (def.cells.empty()) {
        CellDef one;
        one.right = def.left + 9000;
        def.cells.push_back(one);
    }
    int previous = tableLeft.value_or(def.left); // later rows keep the first row's left edge
    for (auto& c : def.cells) {
        c.right = std::clamp(c.right, previous + 15, previous + 40000);
        previous = c.right;
    }
    return def;
}

void RtfTableBuilder::collectEdges() {
    // The union of all rows' edges, an edge within the tolerance of a known one being that one.
    m_edges.clear();
    for (size_t r = 0; r < m_rows.size(); ++r) {
        RowDef& def = m_rows[r].def;
        def = sanitised(def, r == 0 ? std::nullopt : std::optional<int>(m_left));
        if (r == 0)
            m_left = def.left;
        for (const CellDef& c : def.cells) {
            const auto at = std::lower_bound(m_edges.begin(), m_edges.end(), c.right - kEdgeTolerance);
            if (at != m_edges.end() && *at <= c.right + kEdgeTolerance)
                continue;
            if (static_cast<int>(m_edges.size()) >= kMaxColumns)
                continue;
            m_edges.insert(at, c.right);
        }
    }
}

int RtfTableBuilder::columnFor(int edge) const {
    const auto at = std::lower_bound(m_edges.begin(), m_edges.end(), edge - kEdgeTolerance);
    return at == m_edges.end() ? static_cast<int>(m_edges.size()) - 1 : static_cast<int>(at - m_edges.begin());
}

std::vector<RtfTableBuilder::Placement> RtfTableBuilder::placeCells(Row& row) {
    const RowDef& def = row.def;
    const size_t count = std::max(def.cells.size(), row.cells.size());
    row.cells.resize(count);
    std::vector<Placement> places(count);
    int nextColumn = 0;
    int lastPlaced = -1; // the cell that grows over merged ones and takes overflowing content
    for (size_t i = 0; i < count; ++i) {
        Placement& p = places[i];
        const int columns = static_cast<int>(m_edges.size());
        if (i < def.cells.size() && nextColumn < columns) {
            const CellDef& c = def.cells[i];
            const int last = std::max(nextColumn, columnFor(c.right));
            if (c.mergeNext && lastPlaced >= 0) {
                // Horizontally merged away: the previous cell grows over this one.
                Placement& grown = places[static_cast<size_t>(lastPlaced)];
                grown.span = last - grown.column + 1;
            } else {
                p.column = nextColumn;
                p.span = last - nextColumn + 1;
                lastPlaced = static_cast<int>(i);
            }
            nextColumn = last + 1;
            continue;
        }
        // More \cell than \cellx, or past the last column: a column of its own while there may be more.
        if (nextColumn >= columns && columns < kMaxColumns)
            m_edges.push_back(m_edges.back() + 1440);
        if (nextColumn < static_cast<int>(m_edges.size())) {
            p.column = nextColumn++;
            lastPlaced = static_cast<int>(i);
        } else if (lastPlaced >= 0) {
            p.column = kOverflow;
            row.cells[static_cast<size_t>(lastPlaced)].append(std::move(row.cells[i]));
        }
    }
    return places;
}

QTextTable* RtfTableBuilder::insertTable() {
    QTextTableFormat format;
    format.setBorderCollapse(true);
    format.setBorder(1); // Qt draws cell borders only when the table has one; cells say which
    format.setBorderBrush(Qt::black);
    format.setCellSpacing(0);
    format.setCellPadding(0);
    format.setMargin(0);
    format.setLeftMargin(qMax(0, m_left) / 15.0);
    format.setAlignment(Qt::AlignLeft);
    QTextTable* table =
        m_cursor->insertTable(static_cast<int>(m_rows.size()), static_cast<int>(m_edges.size()), format);
    // A table opening the document, or following another, leaves an empty block above it;
    // keep it from taking room.
    QTextCursor above(table->firstCursorPosition());
    if (above.movePosition(QTextCursor::PreviousBlock) && above.block().length() == 1 &&
        (!above.block().previous().isValid() || m_adjacent)) {
        QTextBlockFormat flat;
        flat.setLineHeight(0, QTextBlockFormat::FixedHeight);
        above.setBlockFormat(flat);
        QTextCharFormat tiny;
        tiny.setFontPointSize(1);
        above.setBlockCharFormat(tiny);
    }
    applyWidths(table);
    return table;
}

void RtfTableBuilder::fillRow(QTextTable* table, int r, Row& row, const std::vector<Placement>& places,
                              std::vector<Merge>& merges) {
    const CellDef extra; // a cell without its \cellx
    for (size_t i = 0; i < places.size(); ++i) {
        const int col = places[i].column;
        if (col < 0)
            continue;
        const CellDef& c = i < row.def.cells.size() ? row.def.cells[i] : extra;
        const int span = std::min(places[i].span, table->columns() - col);
        if (c.vmergeNext && m_vmergeStart[static_cast<size_t>(col)] >= 0) {
            const int start = m_vmergeStart[static_cast<size_t>(col)];
            merges.push_back({start, col, r - start + 1, span});
            continue; // merged away: its content is dropped
        }
        m_vmergeStart[static_cast<size_t>(col)] = c.vmergeFirst ? r : -1;
        if (span > 1)
            merges.push_back({r, col, 1, span});
        QTextTableCell cell = table->cellAt(r, col);
        const QTextTableCellFormat format = cellFormat(cell.format().toTableCellFormat(), row.def, c);
        cell.setFormat(format);
        QTextCursor cursor = cell.firstCursorPosition();
        row.cells[i].writeTo(cursor, contentWidth(col, span, format)); // pictures stay inside the borders
    }
}

double RtfTableBuilder::contentWidth(int column, int span, const QTextTableCellFormat& format) const {
    const int left = column == 0 ? m_left : m_edges[static_cast<size_t>(column - 1)];
    const int right = m_edges[static_cast<size_t>(column + span - 1)];
    return (right - left) / 15.0 - format.leftPadding() - format.rightPadding() - format.leftBorder() -
           format.rightBorder();
}

QTextTableCellFormat RtfTableBuilder::cellFormat(QTextTableCellFormat format, const RowDef& def,
                                                 const CellDef& c) const {
    // Cell padding, else the row's, else half the gap between cells.
    auto pad = [](int own, int row, int fallback) {
        return (own >= 0 ? own : row >= 0 ? row : fallback) / 15.0;
    };
    format.setLeftPadding(pad(c.padLeft, def.padLeft, def.gap));
    format.setRightPadding(pad(c.padRight, def.padRight, def.gap));
    format.setTopPadding(pad(c.padTop, def.padTop, 0));
    format.setBottomPadding(pad(c.padBottom, def.padBottom, 0));
    format.setTopBorder(c.top.width);
    format.setLeftBorder(c.left.width);
    format.setBottomBorder(c.bottom.width);
    format.setRightBorder(c.right_.width);
    format.setTopBorderStyle(styleOf(c.top));
    format.setLeftBorderStyle(styleOf(c.left));
    format.setBottomBorderStyle(styleOf(c.bottom));
    format.setRightBorderStyle(styleOf(c.right_));
    format.setBorderBrush(QBrush(Qt::black));
    format.setTopBorderBrush(brushOf(c.top));
    format.setLeftBorderBrush(brushOf(c.left));
    format.setBottomBorderBrush(brushOf(c.bottom));
    format.setRightBorderBrush(brushOf(c.right_));
    if (c.shading.isValid())
        format.setBackground(c.shading);
    format.setVerticalAlignment(verticalOf(c.vertical));
    return format;
}

void RtfTableBuilder::applyWidths(QTextTable* table) const {
    QVector<QTextLength> widths;
    int left = m_left;
    for (int edge : m_edges) {
        widths.append(QTextLength(QTextLength::FixedLength, qMax(1, edge - left) / 15.0));
        left = edge;
    }
    QTextTableFormat format = table->format();
    format.setColumnWidthConstraints(widths);
    table->setFormat(format);
}

} // namespace richtext
