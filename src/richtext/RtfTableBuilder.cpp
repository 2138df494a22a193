#include "richtext/RtfTableBuilder.h"

#include <QTextTable>

#include <algorithm>
#include <cstdlib>

namespace richtext {

namespace {

constexpr int kMaxCells = 64;
constexpr int kEdgeTolerance = 8; // twips; writers round edges differently row by row

QTextFrameFormat::BorderStyle styleFor(int width) {
    return width > 0 ? QTextFrameFormat::BorderStyle_Solid : QTextFrameFormat::BorderStyle_None;
}

} // namespace

RtfTableBuilder::RtfTableBuilder(QTextCursor* cursor) : m_cursor(cursor) {}

int RtfTableBuilder::columnFor(int edge) {
    for (size_t i = 0; i < m_edges.size(); ++i) {
        if (std::abs(m_edges[i] - edge) <= kEdgeTolerance || m_edges[i] > edge)
            return static_cast<int>(i);
    }
    return static_cast<int>(m_edges.size()) - 1;
}

void RtfTableBuilder::beginRow(const RowDef& given) {
    m_def = sanitised(given, m_table ? std::optional<int>(m_left) : std::nullopt);
    if (!m_table) {
        startTable();
    } else {
        addColumnsFor(m_def);
        m_table->appendRows(1);
        ++m_row;
    }
    applyWidths();
    mapCellsToColumns();
    formatRowCells();
    m_cell = 0;
    m_rowOpen = true;
    m_pendingCell = true; // the cursor enters the first cell with the first content
}

RtfTableBuilder::RowDef RtfTableBuilder::sanitised(const RowDef& given, std::optional<int> tableLeft) {
    // Edges increasing, within a sane page, not too many.
    RowDef def = given;
    if (def.cells.size() > kMaxCells)
        def.cells.resize(kMaxCells);
    def.left = std::clamp(def.left, -15000, 30000);
    def.gap = std::clamp(def.gap, 0, 1440);
    if (def.cells.empty()) {
        CellDef one;
        one.right = def.left + 9000;
        def.cells.push_back(one);
    }
    int previous = tableLeft.value_or(def.left); // a started table keeps its first row's left edge
    for (auto& c : def.cells) {
        c.right = std::clamp(c.right, previous + 15, previous + 40000);
        previous = c.right;
    }
    return def;
}

void RtfTableBuilder::startTable() {
    m_left = m_def.left;
    m_edges.clear();
    for (const auto& c : m_def.cells)
        m_edges.push_back(c.right);
    QTextTableFormat format;
    format.setBorderCollapse(true);
    format.setBorder(1); // Qt draws cell borders only when the table has one; cells say which
    format.setBorderBrush(Qt::black);
    format.setCellSpacing(0);
    format.setCellPadding(0);
    format.setMargin(0);
    format.setLeftMargin(qMax(0, m_left) / 15.0);
    format.setAlignment(Qt::AlignLeft);
    m_table = m_cursor->insertTable(1, static_cast<int>(m_edges.size()), format);
    // A table opening the document leaves an empty block above it; keep it from taking room.
    QTextCursor above(m_table->firstCursorPosition());
    if (above.movePosition(QTextCursor::PreviousBlock) && above.block().length() == 1 &&
        !above.block().previous().isValid()) {
        QTextBlockFormat flat;
        flat.setLineHeight(0, QTextBlockFormat::FixedHeight);
        above.setBlockFormat(flat);
        QTextCharFormat tiny;
        tiny.setFontPointSize(1);
        above.setBlockCharFormat(tiny);
    }
    m_vmergeStart.assign(m_edges.size(), -1);
    m_row = 0;
}

void RtfTableBuilder::addColumnsFor(const RowDef& def) {
    for (const auto& c : def.cells) {
        const int x = c.right;
        const int k = columnFor(x);
        if (std::abs(m_edges[k] - x) <= kEdgeTolerance)
            continue;
        if (m_edges[k] < x) { // beyond the last edge
            m_table->appendColumns(1);
            m_edges.push_back(x);
            m_vmergeStart.push_back(-1);
            continue;
        }
        if (static_cast<int>(m_edges.size()) >= kMaxCells)
            continue;
        // Split column k at x; earlier rows keep one cell over both halves.
        m_table->insertColumns(k + 1, 1);
        for (int r = 0; r < m_table->rows(); ++r) {
            const QTextTableCell cell = m_table->cellAt(r, k);
            if (cell.row() != r || cell.column() + cell.columnSpan() - 1 != k)
                continue;
            m_table->mergeCells(cell.row(), cell.column(), cell.rowSpan(), cell.columnSpan() + 1);
        }
        m_edges.insert(m_edges.begin() + k, x);
        m_vmergeStart.insert(m_vmergeStart.begin() + k + 1, -1);
    }
}

void RtfTableBuilder::mapCellsToColumns() {
    m_cellColumn.clear();
    m_cellSpan.clear();
    int nextColumn = 0;
    for (size_t i = 0; i < m_def.cells.size(); ++i) {
        const CellDef& c = m_def.cells[i];
        const int last = std::max(nextColumn, columnFor(c.right));
        if (c.mergeNext && i > 0) {
            // Horizontally merged away: the previous cell grows over this one.
            m_cellSpan.back() = last - m_cellColumn.back() + 1;
            m_cellColumn.push_back(-1);
            m_cellSpan.push_back(0);
        } else {
            m_cellColumn.push_back(std::min(nextColumn, static_cast<int>(m_edges.size()) - 1));
            m_cellSpan.push_back(std::max(1, last - nextColumn + 1));
        }
        nextColumn = last + 1;
    }
}

void RtfTableBuilder::formatRowCells() {
    for (size_t i = 0; i < m_def.cells.size(); ++i) {
        const int col = m_cellColumn[i];
        if (col < 0)
            continue;
        const CellDef& c = m_def.cells[i];
        const int span = std::min(m_cellSpan[i], m_table->columns() - col);
        if (c.vmergeNext && m_vmergeStart[col] >= 0) {
            m_table->mergeCells(m_vmergeStart[col], col, m_row - m_vmergeStart[col] + 1, span);
            m_cellColumn[i] = -1;
            continue;
        }
        m_vmergeStart[col] = c.vmergeFirst ? m_row : -1;
        if (span > 1)
            m_table->mergeCells(m_row, col, 1, span);
        QTextTableCell cell = m_table->cellAt(m_row, col);
        cell.setFormat(cellFormat(cell.format().toTableCellFormat(), c));
    }
}

QTextTableCellFormat RtfTableBuilder::cellFormat(QTextTableCellFormat format, const CellDef& c) const {
    // Cell padding, else the row's, else half the gap between cells.
    auto pad = [](int own, int row, int fallback) {
        return (own >= 0 ? own : row >= 0 ? row : fallback) / 15.0;
    };
    format.setLeftPadding(pad(c.padLeft, m_def.padLeft, m_def.gap));
    format.setRightPadding(pad(c.padRight, m_def.padRight, m_def.gap));
    format.setTopPadding(pad(c.padTop, m_def.padTop, 0));
    format.setBottomPadding(pad(c.padBottom, m_def.padBottom, 0));
    format.setTopBorder(c.top.width);
    format.setLeftBorder(c.left.width);
    format.setBottomBorder(c.bottom.width);
    format.setRightBorder(c.right_.width);
    format.setTopBorderStyle(styleFor(c.top.width));
    format.setLeftBorderStyle(styleFor(c.left.width));
    format.setBottomBorderStyle(styleFor(c.bottom.width));
    format.setRightBorderStyle(styleFor(c.right_.width));
    format.setBorderBrush(QBrush(Qt::black));
    if (c.shading.isValid())
        format.setBackground(c.shading);
    format.setVerticalAlignment(QTextCharFormat::AlignTop);
    return format;
}

void RtfTableBuilder::placeCursor() {
    if (m_cell >= static_cast<int>(m_cellColumn.size())) {
        // More \cell than \cellx: give the extra cell a column of its own.
        if (static_cast<int>(m_edges.size()) < kMaxCells && m_cellColumn.size() == m_def.cells.size() &&
            (m_cellColumn.empty() || m_cellColumn.back() + m_cellSpan.back() >= m_table->columns())) {
            m_table->appendColumns(1);
            m_edges.push_back(m_edges.back() + 1440);
            m_vmergeStart.push_back(-1);
            applyWidths();
        }
        const int col = m_cellColumn.empty() ? 0 : std::max(m_cellColumn.back(), 0) + std::max(m_cellSpan.back(), 1);
        if (col >= m_table->columns()) {
            m_discard = true;
            return;
        }
        m_cellColumn.push_back(col);
        m_cellSpan.push_back(1);
        CellDef extra;
        extra.right = m_edges[col];
        m_def.cells.push_back(extra);
    }
    const int col = m_cellColumn[m_cell];
    m_discard = col < 0;
    if (!m_discard)
        *m_cursor = m_table->cellAt(m_row, col).firstCursorPosition();
}

void RtfTableBuilder::endCell() {
    if (!m_rowOpen)
        return;
    ++m_cell;
    // The cursor moves on at the next content, so a trailing \cell adds no column.
    m_discard = true;
    m_pendingCell = true;
}

bool RtfTableBuilder::beforeContent() {
    if (m_rowOpen && m_pendingCell) {
        m_pendingCell = false;
        placeCursor();
        return true;
    }
    return false;
}

void RtfTableBuilder::endRow() {
    m_rowOpen = false;
    m_pendingCell = false;
    m_discard = false;
}

void RtfTableBuilder::endTable() {
    if (!m_table)
        return;
    *m_cursor = m_table->lastCursorPosition();
    m_cursor->movePosition(QTextCursor::NextBlock);
    m_table = nullptr;
    m_edges.clear();
    m_vmergeStart.clear();
    m_rowOpen = false;
    m_pendingCell = false;
    m_discard = false;
    m_row = -1;
}

void RtfTableBuilder::applyWidths() {
    QVector<QTextLength> widths;
    int left = m_left;
    for (int edge : m_edges) {
        widths.append(QTextLength(QTextLength::FixedLength, qMax(1, edge - left) / 15.0));
        left = edge;
    }
    QTextTableFormat format = m_table->format();
    format.setColumnWidthConstraints(widths);
    m_table->setFormat(format);
}

} // namespace richtext
