#pragma once

#include "richtext/RtfCellContent.h"

#include <QColor>
#include <QTextCursor>
#include <QTextFrameFormat>
#include <QTextTableCellFormat>

#include <optional>
#include <vector>

class QTextTable;

namespace richtext {

// Builds Qt tables from RTF rows. RTF gives each row its own cell edges (\cellx); the
// table takes the union of the edges as its columns, so rows with wider (merged) cells
// span several columns and the widths are the document's. Nested tables are flattened
// into their outer cell.
//
// A row's cells are kept until its \row, whose definition places them: writers give it
// before the cells (LibreOffice) or after them (Word). The Qt table is made in one go when
// the table ends, so building costs time in proportion to rows and cells.
class RtfTableBuilder {
public:
    struct Border {
        int width = 0; // pixels drawn; 0 = none
        int line = 0;  // pixels of one line (a double border draws two)
        QTextFrameFormat::BorderStyle style = QTextFrameFormat::BorderStyle_Solid;
        QColor color; // invalid: black
        bool operator==(const Border&) const = default;
    };
    struct CellDef {
        int right = 0;                                // twips from the left margin
        bool mergeFirst = false, mergeNext = false;   // \clmgf, \clmrg
        bool vmergeFirst = false, vmergeNext = false; // \clvmgf, \clvmrg
        Border top, left, bottom, right_;
        QColor shading;
        Qt::Alignment vertical = Qt::AlignTop;                        // \clvertalt, \clvertalc, \clvertalb
        int padLeft = -1, padTop = -1, padRight = -1, padBottom = -1; // twips; -1 = the row's
    };
    struct RowDef {
        int left = 0;                                                 // \trleft
        int gap = 0;                                                  // \trgaph
        int padLeft = -1, padTop = -1, padRight = -1, padBottom = -1; // \trpadd*, twips
        std::vector<CellDef> cells;
    };

    // Columns beyond this many are not made; the cells that would need them join the row's last cell.
    static constexpr int kMaxColumns = 64;

    explicit RtfTableBuilder(QTextCursor* cursor);

    bool inTable() const { return m_rowOpen || !m_rows.empty(); }
    bool rowOpen() const { return m_rowOpen; }

    // before: the row's definition when it was given ahead of its cells.
    void beginRow(std::optional<RowDef> before);
    // The table follows another with nothing between: the block Qt keeps between them takes no room.
    void setAdjacentToPrevious(bool adjacent) { m_adjacent = adjacent; }
    // Call before anything goes into the document while a row is open; true when a new cell began.
    bool beforeContent();
    // Where content goes while a row is open, else null.
    RtfCellContent* cellContent();
    void endCell();
    // def places the cells unless the row had its definition before them.
    void endRow(const RowDef& def);
    // Makes the table (an open row ends with def) and leaves the cursor in the block after it.
    void endTable(const RowDef& def);

private:
    struct Row {
        std::optional<RowDef> before;
        RowDef def;
        std::vector<RtfCellContent> cells;
    };
    struct Placement {
        int column = -1; // -1: merged away, its content is dropped
        int span = 1;
    };
    struct Merge {
        int row, column, rows, columns;
    };

    static RowDef sanitised(const RowDef& given, std::optional<int> tableLeft);
    void collectEdges();
    std::vector<Placement> placeCells(Row& row); // each cell's column and span; may add columns
    QTextTable* insertTable();
    void fillRow(QTextTable* table, int r, Row& row, const std::vector<Placement>& places, std::vector<Merge>& merges);
    double contentWidth(int column, int span, const QTextTableCellFormat& format) const; // pixels
    QTextTableCellFormat cellFormat(QTextTableCellFormat format, const RowDef& def, const CellDef& c) const;
    int columnFor(int edge) const;
    void applyWidths(QTextTable* table) const;

    QTextCursor* m_cursor;
    std::vector<Row> m_rows;
    bool m_rowOpen = false;
    bool m_pendingCell = false;
    bool m_adjacent = false;
    std::vector<int> m_edges; // right edge of each column, twips, while the table is made
    int m_left = 0;
    std::vector<int> m_vmergeStart; // per column: row where a vertical merge began, -1 none
};

} // namespace richtext
