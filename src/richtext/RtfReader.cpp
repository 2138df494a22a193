#include "richtext/RtfReader.h"

#include "richtext/CodePage.h"
#include "richtext/RtfParser.h"

#include <QFont>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QtMath>

#include <memory>

namespace richtext {

namespace {

// Text without \f or \fs is the default font at 12 points: 16 pixels at 96 dpi.
QFont defaultFont() {
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(16);
    return font;
}

QString blockText(const QTextBlock& block) {
    QString text = block.text();
    text.remove(QChar::ObjectReplacementCharacter);
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

void frameText(const QTextFrame* frame, QString& out) {
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        // The empty block Qt keeps above a table that opens the document, or between two tables
        // with nothing between them (made to take no room), is no paragraph.
        if (!it.currentFrame() && it.currentBlock().length() == 1) {
            const QTextBlockFormat format = it.currentBlock().blockFormat();
            const bool flat = format.lineHeightType() == QTextBlockFormat::FixedHeight && format.lineHeight() == 0;
            auto next = it;
            ++next;
            if (!next.atEnd() && next.currentFrame() && (flat || !it.currentBlock().previous().isValid()))
                continue;
        }
        if (const QTextFrame* child = it.currentFrame()) {
            if (const auto* table = qobject_cast<const QTextTable*>(child)) {
                for (int r = 0; r < table->rows(); ++r) {
                    for (int c = 0; c < table->columns(); ++c) {
                        const QTextTableCell cell = table->cellAt(r, c);
                        if (cell.row() != r || cell.column() != c)
                            continue; // covered by a merged cell
                        for (auto cit = cell.begin(); !cit.atEnd(); ++cit) {
                            if (cit.currentFrame())
                                frameText(cit.currentFrame(), out);
                            else
                                out += blockText(cit.currentBlock()) + u'\n';
                        }
                    }
                }
            } else {
                frameText(child, out);
            }
        } else {
            out += blockText(it.currentBlock()) + u'\n';
        }
    }
}

} // namespace

bool RtfReader::looksLikeRtf(const QByteArray& bytes) {
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.mid(i, 5) == "{\\rtf";
}

bool RtfReader::read(const QByteArray& rtf, QTextDocument* doc) {
    doc->clear();
    doc->setDocumentMargin(0);
    doc->setDefaultFont(defaultFont());
    QTextOption option = doc->defaultTextOption();
    option.setTabStopDistance(48); // Word's default half-inch tabs
    doc->setDefaultTextOption(option);
    if (rtf.isEmpty())
        return false;
    if (!looksLikeRtf(rtf)) {
        // Not RTF: the blob's text, in UTF-8 when it is valid UTF-8, else the station's code page.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(rtf);
        if (utf8.hasError())
            text = CodePage::decode(rtf, 1251);
        text.remove(u'\r');
        text.remove(QChar(0));
        doc->setPlainText(text);
        return true;
    }
    RtfParser parser(doc);
    return parser.parse(rtf);
}

int documentHeight(const QTextDocument& doc, int width) {
    if (doc.textWidth() == width)
        return qCeil(doc.size().height());
    const std::unique_ptr<QTextDocument> copy(doc.clone());
    copy->setTextWidth(width);
    return qCeil(copy->size().height());
}

QString RtfReader::plainText(const QByteArray& rtf) {
    QTextDocument doc;
    read(rtf, &doc);
    return plainText(doc);
}

QString RtfReader::plainText(const QTextDocument& doc) {
    QString out;
    if (doc.isEmpty())
        return out;
    frameText(doc.rootFrame(), out);
    return out;
}

} // namespace richtext
