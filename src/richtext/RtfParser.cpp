#include "richtext/RtfParser.h"

#include "richtext/CodePage.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QUrl>

#include <algorithm>

namespace richtext {

namespace {

bool is(std::string_view a, const char* b) {
    return a == b;
}

// Destinations whose content never reaches the sheet.
// clang-format off
const char* const kSkipped[] = {
    "stylesheet", "info", "nonshppict", "header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr",
    "footerf", "footnote", "annotation", "listpicture", "listname", "levelnumbers", "revtbl", "rsidtbl", "xmlnstbl",
    "themedata", "colorschememapping", "datastore", "latentstyles", "generator", "pgdsctbl", "fldinst", "objdata",
    "pn", "filetbl", "comment", "author", "operator", "title", "subject", "keywords", "doccomm", "company",
    "userprops", "mmathPr", "fchars", "lchars", "pnseclvl", "private", "xe", "tc", "bkmkstart", "bkmkend",
    "template", "docvar", "wgrffmtfilter", "passwordhash", "ftnsep", "ftnsepc", "aftnsep", "aftnsepc",
    "nonesttables", "picprop", "blipuid", "nesttableprops", "txe", "atnid", "atnauthor", "protusertbl"};
// clang-format on

} // namespace

RtfParser::RtfParser(QTextDocument* doc) : m_doc(doc), m_cursor(doc), m_tables(&m_cursor) {}

bool RtfParser::parse(const QByteArray& rtf) {
    RtfTokenizer tokens(rtf);
    m_tokens = &tokens;
    m_stack.assign(1, Group{});
    bool rootClosed = false;
    for (auto t = tokens.next(); t.type != RtfTokenizer::Type::End && !rootClosed; t = tokens.next()) {
        using T = RtfTokenizer::Type;
        if (t.type == T::GroupStart) {
            m_ucSkip = 0;
            flush();
            if (m_overflow > 0 || m_stack.size() >= kMaxDepth) {
                ++m_overflow;
                continue;
            }
            Group g = top();
            g.ignorableNext = false;
            m_stack.push_back(g);
            continue;
        }
        if (t.type == T::GroupEnd) {
            m_ucSkip = 0;
            if (m_overflow > 0) {
                --m_overflow;
                continue;
            }
            if (m_stack.size() <= 1)
                continue; // a stray '}' before the document began
            endGroup();
            rootClosed = m_stack.size() == 1;
            continue;
        }
        if (m_overflow > 0)
            continue; // too deep: neither text nor formatting
        if (m_ucSkip > 0) {
            // The fallback after \uN: one unit per byte, hex byte or control word.
            if (t.type == T::Text) {
                const auto n = std::min<size_t>(static_cast<size_t>(m_ucSkip), t.word.size());
                m_ucSkip -= static_cast<int>(n);
                t.word.remove_prefix(n);
                if (t.word.empty())
                    continue;
            } else {
                --m_ucSkip;
                if (t.type == T::Word && is(t.word, "bin") && t.hasParam)
                    tokens.readBinary(t.param);
                continue;
            }
        }
        switch (t.type) {
        case T::Word:
            handleWord(t.word, t.hasParam, t.param);
            break;
        case T::Symbol:
            handleSymbol(t.symbol);
            break;
        case T::HexByte:
            handleByte(t.symbol);
            break;
        case T::Text:
            handleText(t.word);
            break;
        default:
            break;
        }
    }
    while (m_stack.size() > 1)
        endGroup(); // unbalanced: close what is open
    flush();
    if (!m_parPending && (!m_tables.inTable() || m_boxOpen))
        applyBlockFormat(); // the last paragraph had no \par
    m_tables.endTable(m_rowDef.row());
    m_tokens = nullptr;
    return m_any;
}

void RtfParser::endGroup() {
    flush();
    const Group ending = top();
    m_stack.pop_back();
    if (ending.dest == Dest::Picture && top().dest != Dest::Picture)
        insertPicture();
    if (ending.dest == Dest::FontTable)
        m_fonts.finishEntry();
    if (ending.dest == Dest::ColorTable && top().dest != Dest::ColorTable)
        m_colors.finish();
}

bool RtfParser::handleDestination(std::string_view word) {
    Group& g = top();
    if (is(word, "fonttbl")) {
        g.dest = Dest::FontTable;
        return true;
    }
    if (is(word, "colortbl")) {
        g.dest = Dest::ColorTable;
        m_colors.start();
        return true;
    }
    if (is(word, "pict")) {
        g.dest = Dest::Picture;
        m_picture = RtfPicture(m_shape.active);
        // A shape may hold several pictures (fill, texture); its own is property "pib".
        if (m_shape.active && !m_shape.pictureIsShown())
            g.dest = Dest::Skip;
        return true;
    }
    if (is(word, "listtable")) {
        g.dest = Dest::ListTable;
        return true;
    }
    if (is(word, "listoverridetable")) {
        g.dest = Dest::ListOverride;
        return true;
    }
    if (is(word, "leveltext") && g.dest == Dest::ListTable) {
        g.dest = Dest::ListLevelText;
        return true;
    }
    if (is(word, "listtext") || is(word, "pntext")) {
        m_labelSeen = true; // the writer gave the number itself
        return true;
    }
    if (is(word, "shpinst")) {
        // A drawing shape: its properties are no text, but its picture is the one to show.
        g.dest = Dest::Shape;
        m_shape = RtfShape{};
        m_shape.active = true;
        return true;
    }
    if (is(word, "shp")) {
        m_shape = RtfShape{};
        return true;
    }
    if (is(word, "shprslt")) {
        // The writer's fallback for the shape; skip it when the shape's own picture is shown.
        if (m_shape.pictureShown)
            g.dest = Dest::Skip;
        return true;
    }
    for (const char* skipped : kSkipped) {
        if (word == skipped) {
            g.dest = Dest::Skip;
            return true;
        }
    }
    // Known destinations whose content is the text to show, even when marked ignorable.
    for (const char* shown : {"shppict", "fldrslt", "field", "result"}) {
        if (word == shown)
            return true;
    }
    return false;
}

void RtfParser::handleWord(std::string_view word, bool hasParam, int param) {
    Group& g = top();
    const bool ignorable = g.ignorableNext;
    g.ignorableNext = false;
    if (is(word, "bin")) {
        const std::string_view bytes = m_tokens->readBinary(hasParam ? param : 0);
        if (g.dest == Dest::Picture)
            m_picture.binaryData(bytes);
        return;
    }
    if (g.dest == Dest::Skip || handleDestination(word))
        return;
    if (ignorable) {
        g.dest = Dest::Skip;
        return;
    }
    if (g.dest != Dest::Text) {
        handleTableOrPropertyWord(word, hasParam, param);
        return;
    }
    // Words that add characters keep the pending run; every other word may change formatting.
    if (handleCharacterWord(word, param))
        return;
    flush();
    if (!handleStructureWord(word) && !handleDocumentWord(word, param) && !g.chr.word(word, hasParam, param) &&
        !g.para.word(word, hasParam, param, m_colors.colors()))
        m_rowDef.word(word, param, m_colors.colors());
}

void RtfParser::handleTableOrPropertyWord(std::string_view word, bool hasParam, int param) {
    Group& g = top();
    switch (g.dest) {
    case Dest::FontTable:
        m_fonts.word(word, hasParam, param, m_ansiCodePage);
        return;
    case Dest::ColorTable:
        m_colors.word(word, param);
        return;
    case Dest::Picture:
        m_picture.word(word, hasParam, param);
        return;
    case Dest::ListTable:
        m_lists.listWord(word, param);
        return;
    case Dest::ListOverride:
        m_lists.overrideWord(word, param);
        return;
    case Dest::ListLevelText:
        if (is(word, "u")) {
            m_lists.levelText(QString(QChar(static_cast<char16_t>(param < 0 ? param + 65536 : param))));
            m_ucSkip = g.uc;
        }
        return;
    case Dest::Shape:
        m_shape.word(word, param);
        return;
    default:
        return;
    }
}

bool RtfParser::handleCharacterWord(std::string_view word, int param) {
    Group& g = top();
    if (is(word, "u")) {
        if (!g.chr.hidden)
            m_run.appendUnicode(param, currentCodePage());
        m_ucSkip = g.uc;
        return true;
    }
    static const std::pair<const char*, char16_t> kChars[] = {
        {"tab", u'\t'},           {"line", u'\u2028'},    {"emdash", u'\u2014'},  {"endash", u'\u2013'},
        {"bullet", u'\u2022'},    {"lquote", u'\u2018'},  {"rquote", u'\u2019'},  {"ldblquote", u'\u201C'},
        {"rdblquote", u'\u201D'}, {"emspace", u'\u2003'}, {"enspace", u'\u2002'}, {"qmspace", u'\u2005'}};
    for (const auto& [name, ch] : kChars) {
        if (word == name) {
            if (!g.chr.hidden)
                m_run.appendChars(QString(QChar(ch)));
            return true;
        }
    }
    return false;
}

bool RtfParser::handleStructureWord(std::string_view word) {
    if (is(word, "nestcell")) {
        // Nested tables are flattened into their outer cell: a nested cell starts a line,
        // but only once more content follows in the same cell.
        m_nestBreak = m_tables.inTable();
    } else if (is(word, "par") || is(word, "sect") || is(word, "page")) {
        paragraph(false);
    } else if (is(word, "cell")) {
        paragraph(true);
    } else if (is(word, "row")) {
        if (m_tables.rowOpen())
            endRow();
    } else {
        return false;
    }
    return true;
}

bool RtfParser::handleDocumentWord(std::string_view word, int param) {
    if (is(word, "uc")) {
        top().uc = std::clamp(param, 0, 16);
    } else if (is(word, "ansicpg")) {
        m_ansiCodePage = CodePage::isKnown(param) ? param : 1252;
    } else if (is(word, "mac")) {
        m_ansiCodePage = 10000;
    } else if (is(word, "pc")) {
        m_ansiCodePage = 437;
    } else if (is(word, "pca")) {
        m_ansiCodePage = 850;
    } else if (is(word, "paperw") || is(word, "margl") || is(word, "margr")) {
        int& given = word == "paperw" ? m_paperWidth : word == "margl" ? m_marginLeft : m_marginRight;
        given = std::clamp(param, 0, 31680);
        m_textRight = std::max(m_paperWidth - m_marginLeft - m_marginRight, 1440);
    } else if (is(word, "deff")) {
        m_fonts.setDefaultFont(param);
    } else if (is(word, "deftab")) {
        if (param > 0) {
            QTextOption option = m_doc->defaultTextOption();
            option.setTabStopDistance(std::clamp(param, 15, 14400) / 15.0);
            m_doc->setDefaultTextOption(option);
        }
    } else {
        return false;
    }
    return true;
}

void RtfParser::handleSymbol(char symbol) {
    Group& g = top();
    if (symbol == '*') {
        g.ignorableNext = true;
        return;
    }
    g.ignorableNext = false;
    if (g.dest != Dest::Text || g.chr.hidden) {
        if (g.dest == Dest::FontTable && (symbol == '\\' || symbol == '{' || symbol == '}'))
            m_fonts.nameByte(symbol);
        return;
    }
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        m_run.appendChars(QString(QLatin1Char(symbol)));
        break;
    case '~':
        m_run.appendChars(QString(QChar(0x00A0)));
        break;
    case '-':
        m_run.appendChars(QString(QChar(0x00AD)));
        break;
    case '_':
        m_run.appendChars(QString(QChar(0x2011)));
        break;
    case '\n':
        flush();
        paragraph(false);
        break;
    default:
        break; // \| \: and bad hex carry nothing to show
    }
}

void RtfParser::handleText(std::string_view text) {
    Group& g = top();
    g.ignorableNext = false;
    switch (g.dest) {
    case Dest::Text:
        if (!g.chr.hidden)
            m_run.appendBytes(text, currentCodePage());
        return;
    case Dest::FontTable:
        m_fonts.text(text);
        return;
    case Dest::ColorTable:
        m_colors.text(text);
        return;
    case Dest::Picture:
        m_picture.hexData(text);
        return;
    case Dest::Shape:
        m_shape.text(text);
        return;
    case Dest::ListLevelText:
        m_lists.levelText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
        return;
    default:
        return;
    }
}

void RtfParser::handleByte(char byte) {
    Group& g = top();
    g.ignorableNext = false;
    if (g.dest == Dest::FontTable) {
        m_fonts.nameByte(byte);
        return;
    }
    if (g.dest == Dest::ListLevelText) {
        m_lists.levelText(QString(QChar(static_cast<unsigned char>(byte))));
        return;
    }
    if (g.dest == Dest::Text && !g.chr.hidden)
        m_run.appendBytes(std::string_view(&byte, 1), currentCodePage());
}

int RtfParser::currentCodePage() const {
    return m_fonts.codePage(top().chr.font, m_ansiCodePage);
}

QTextCharFormat RtfParser::charFormat() const {
    return top().chr.format(m_fonts, m_colors.colors());
}

void RtfParser::flush() {
    const QString text = m_run.take();
    if (text.isEmpty())
        return;
    beforeContent();
    startParagraph();
    insertText(text);
    m_any = true;
}

void RtfParser::beforeContent() {
    const RtfParaState& p = top().para;
    const bool wantTable = p.inTable && p.nest > 0;
    const bool wantBox = !wantTable && p.hasBorders();
    bool adjacent = false; // a table or box right after another, nothing between them
    if (m_tables.inTable()) {
        // A table, a bordered box or plain text: when the kind changes, what was open ends.
        const bool keep = m_boxOpen ? wantBox && p.sameBox(m_boxPara) : wantTable;
        if (!keep) {
            endTableOrBox();
            adjacent = true;
        }
    }
    if (wantTable || wantBox) {
        if (!m_tables.rowOpen()) {
            // A new table goes right after the paragraph before it, not after an empty one.
            if (wantBox)
                beginBox();
            else
                beginRow();
            m_tables.setAdjacentToPrevious(adjacent);
            m_parPending = false;
        }
        if (m_tables.beforeContent())
            m_parPending = m_nestBreak = false; // a fresh cell
    }
    if (m_parPending || m_nestBreak)
        insertBlock();
    m_parPending = m_nestBreak = false;
}

void RtfParser::endTableOrBox() {
    m_tables.endTable(m_rowDef.row());
    m_boxOpen = false;
    m_parPending = m_nestBreak = false;
}

void RtfParser::beginBox() {
    m_boxPara = top().para;
    m_tables.beginRow(m_boxPara.box(m_textRight));
    m_boxOpen = true;
}

void RtfParser::startParagraph() {
    if (m_paraStarted)
        return;
    m_paraStarted = true;
    const RtfParaState& p = top().para;
    if (p.list > 0 && !m_labelSeen) {
        const QString label = m_lists.nextLabel(p.list, p.level);
        if (!label.isEmpty())
            insertText(label);
    }
}

void RtfParser::paragraph(bool cellEnd) {
    flush();
    m_any = true;
    m_paraStarted = false;
    m_labelSeen = false;
    if (cellEnd) {
        m_nestBreak = false;
        if (m_boxOpen)
            endTableOrBox(); // a \cell ends a bordered box: it is no table row
        // A \cell outside any row still means a table.
        if (!m_tables.rowOpen()) {
            beginRow();
            m_parPending = false;
        }
    }
    beforeContent();
    applyBlockFormat();
    if (cellEnd)
        m_tables.endCell();
    else
        m_parPending = true; // the next paragraph's block is made when its content comes
}

void RtfParser::applyBlockFormat() {
    if (RtfCellContent* cell = m_tables.cellContent()) {
        QTextBlockFormat format = top().para.format();
        if (m_boxOpen) { // the box stands at the indents
            format.setLeftMargin(0);
            format.setRightMargin(0);
        }
        cell->setBlockFormat(format, charFormat());
        return;
    }
    m_cursor.setBlockFormat(top().para.format());
    m_cursor.mergeBlockCharFormat(charFormat());
}

void RtfParser::beginRow() {
    const bool defined = m_rowDef.generation() != m_rowDefAtRowEnd; // a \trowd since the last \row
    m_tables.beginRow(defined ? std::optional(m_rowDef.row()) : std::nullopt);
}

void RtfParser::endRow() {
    // Without a definition before its cells the row takes the one given at its \row.
    m_tables.endRow(m_rowDef.row());
    m_rowDefAtRowEnd = m_rowDef.generation();
}

void RtfParser::insertText(const QString& text) {
    if (RtfCellContent* cell = m_tables.cellContent())
        cell->insertText(text, charFormat());
    else
        m_cursor.insertText(text, charFormat());
}

void RtfParser::insertBlock() {
    if (RtfCellContent* cell = m_tables.cellContent())
        cell->insertBlock();
    else
        m_cursor.insertBlock();
}

void RtfParser::insertPicture() {
    const RtfPicture::Result shown = m_picture.decode(m_shape.box());
    if (shown.image.isNull())
        return;
    const QString name = QStringLiteral("rtfpict:%1").arg(++m_pictures);
    m_doc->addResource(QTextDocument::ImageResource, QUrl(name), shown.image);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(shown.width);
    format.setHeight(shown.height);
    beforeContent();
    startParagraph();
    if (RtfCellContent* cell = m_tables.cellContent())
        cell->insertImage(format);
    else
        m_cursor.insertImage(format);
    if (m_picture.inShape())
        m_shape.pictureShown = true;
    m_any = true;
}

} // namespace richtext
