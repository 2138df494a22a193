#pragma once

#include <QColor>
#include <QTextCursor>
#include <QTextTableCellFormat>

#include <optional>
#include <vector>

class QTextTable;

namespace richtext {

// Builds Qt tables from RTF rows. RTF gives each row its own cell edges (\cellx); the
// table takes the union of the edges as its columns, so rows with wider (merged) cells
// span several columns and the widths are the document's. Nested tables are flattened
// into their outer cell.
class RtfTableBuilder {
public:
    struct Border {
        int width = 0; // pixels; 0 = none
    };
    struct CellDef {
        int right = 0;                                // twips from the left margin
        bool mergeFirst = false, mergeNext = false;   // \clmgf, \clmrg
        bool vmergeFirst = false, vmergeNext = false; // \clvmgf, \clvmrg
        Border top, left, bottom, right_;
        QColor shading;
        int padLeft = -1, padTop = -1, padRight = -1, padBottom = -1; // twips; -1 = the row's
    };
    struct RowDef {
        int left = 0;                                                 // \trleft
        int gap = 0;                                                  // \trgaph
        int padLeft = -1, padTop = -1, padRight = -1, padBottom = -1; // \trpadd*, twips
        std::vector<CellDef> cells;
    };

    explicit RtfTableBuilder(QTextCursor* cursor);

    bool inTable() const { return m_table != nullptr; }
    bool rowOpen() const { return m_rowOpen; }
    // The current cell's content should be dropped (a merged-away cell).
    bool discarding() const { return m_discard; }

    void beginRow(const RowDef& def); // starts the table when needed
    void endCell();
    // Call before anything goes into the document while a row is open; true when the
    // cursor moved into a new cell.
    bool beforeContent();
    void endRow();
    void endTable(); // leaves the cursor in the block after the table

private:
    // The phases of beginRow.
    static RowDef sanitised(const RowDef& given, std::optional<int> tableLeft);
    void startTable();
    void addColumnsFor(const RowDef& def); // splits or appends columns for the row's edges
    void mapCellsToColumns();              // each RTF cell's first column and span
    void formatRowCells();                 // merges, padding, borders, shading
    QTextTableCellFormat cellFormat(QTextTableCellFormat format, const CellDef& c) const;

    int columnFor(int edge);
    void placeCursor();
    void applyWidths();

    QTextCursor* m_cursor;
    QTextTable* m_table = nullptr;
    std::vector<int> m_edges; // right edge of each column, twips
    int m_left = 0;
    bool m_rowOpen = false;
    bool m_discard = false;
    bool m_pendingCell = false;
    int m_row = -1;
    RowDef m_def;
    std::vector<int> m_cellColumn; // first column of each RTF cell in this row
    std::vector<int> m_cellSpan;
    int m_cell = 0;
    std::vector<int> m_vmergeStart; // per column: row where a vertical merge began, -1 none
};

} // namespace richtext
