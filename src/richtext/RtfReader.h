#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace richtext {

// Turns an RTF document, as Windows word processors write it, into a QTextDocument.
// Needs only Qt Gui. Never throws and never crashes on bad input: whatever could be
// read is kept, a blob that is not RTF at all is shown as its plain text.
// Sizes are converted at 96 dots per inch so a sheet keeps the pixel layout it had
// on the original platform. Call from the thread that owns the document.
class RtfReader {
public:
    // Replaces the content of doc. Returns false only when nothing at all could be read
    // (empty input); doc is then left empty.
    static bool read(const QByteArray& rtf, QTextDocument* doc);

    // The document's text, one line per paragraph, each table cell's paragraphs on lines
    // of their own, pictures as nothing. Lines end with '\n'.
    static QString plainText(const QByteArray& rtf);
    static QString plainText(const QTextDocument& doc);

    // True when the bytes start like an RTF document ("{\rtf", leading blanks allowed).
    static bool looksLikeRtf(const QByteArray& bytes);
};

// Height in pixels a document needs when wrapped at width pixels, as the sheet view lays it
// out: at that height the view shows it whole, without a scroll bar. doc is left as it is
// (measured on a copy when it is laid out at another width). For kit checks and the view.
int documentHeight(const QTextDocument& doc, int width);

} // namespace richtext
