#pragma once

#include "richtext/RtfCharState.h"
#include "richtext/RtfColorTable.h"
#include "richtext/RtfFontTable.h"
#include "richtext/RtfListTable.h"
#include "richtext/RtfParaState.h"
#include "richtext/RtfPicture.h"
#include "richtext/RtfRowDefinition.h"
#include "richtext/RtfShape.h"
#include "richtext/RtfTableBuilder.h"
#include "richtext/RtfTextRun.h"
#include "richtext/RtfTokenizer.h"

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QTextCursor>

#include <array>
#include <string>
#include <string_view>
#include <vector>

class QTextDocument;

namespace richtext {

// The group/destination state machine behind RtfReader: one instance reads one document.
// Keeps its own stack of group states (no recursion), bounded in depth.
class RtfParser {
public:
    explicit RtfParser(QTextDocument* doc);
    // False when the data held nothing readable.
    bool parse(const QByteArray& rtf);

    static constexpr int kMaxDepth = 512;

private:
    enum class Dest { Text, Skip, FontTable, ColorTable, Picture, Shape, ListTable, ListLevelText, ListOverride };

    struct Group {
        Dest dest = Dest::Text;
        RtfCharState chr;
        RtfParaState para;
        int uc = 1;
        bool ignorableNext = false; // just saw \*
    };

    void handleWord(std::string_view word, bool hasParam, int param);
    bool handleDestination(std::string_view word);
    // The phases of handleWord, each true when it took the word.
    void handleTableOrPropertyWord(std::string_view word, bool hasParam, int param); // outside the text
    bool handleCharacterWord(std::string_view word, int param);                      // \u, \tab, \emdash ...
    bool handleStructureWord(std::string_view word);                                 // \par, \cell, \row, \nestcell
    bool handleDocumentWord(std::string_view word, int param);                       // \ansicpg, \deff, \deftab, \uc
    void handleSymbol(char symbol);
    void handleText(std::string_view text);
    void handleByte(char byte);
    void endGroup();

    void flush();
    void beforeContent();
    void paragraph(bool cellEnd);
    void startParagraph(); // before the first content of a paragraph: its list label
    void applyBlockFormat();
    // Content goes into the open table cell, else at the cursor.
    void insertText(const QString& text); // in the current character format
    void insertBlock();
    void beginRow();
    void endRow();
    // Bordered paragraphs (Qt blocks have no borders) go into a one-cell table, one per run of
    // paragraphs with the same borders and indents.
    void beginBox();
    void endTableOrBox();
    QTextCharFormat charFormat() const;
    int currentCodePage() const;

    void insertPicture();

    Group& top() { return m_stack.back(); }
    const Group& top() const { return m_stack.back(); }

    QTextDocument* m_doc;
    QTextCursor m_cursor;
    RtfTableBuilder m_tables;
    RtfTokenizer* m_tokens = nullptr;
    std::vector<Group> m_stack;
    int m_overflow = 0; // groups opened beyond kMaxDepth
    int m_ucSkip = 0;
    int m_ansiCodePage = 1252;
    RtfFontTable m_fonts;
    RtfListTable m_lists;
    bool m_paraStarted = false; // the current paragraph has content
    bool m_labelSeen = false;   // it had a \listtext or \pntext
    RtfColorTable m_colors;
    RtfRowDefinition m_rowDef;
    int m_rowDefAtRowEnd = 0; // m_rowDef's generation at the last \row
    bool m_boxOpen = false;   // the open table is a box of bordered paragraphs
    RtfParaState m_boxPara;   // the paragraph that began the open box
    int m_paperWidth = 12240, m_marginLeft = 1800, m_marginRight = 1800; // twips, Word's defaults
    int m_textRight = 8640; // the text's right edge from the left margin, twips
    RtfPicture m_picture;
    RtfShape m_shape;
    bool m_nestBreak = false;
    bool m_parPending = false; // a \par was read; its successor's block is not made yet
    int m_pictures = 0;
    RtfTextRun m_run;
    bool m_any = false; // something readable was seen
};

} // namespace richtext
