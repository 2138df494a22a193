#include "richtext/RtfReader.h"

#include <QTextDocument>

namespace richtext {

bool RtfReader::read(const QByteArray& rtf, QTextDocument* doc) {
    doc->setPlainText(QString::fromLatin1(rtf));
    return !rtf.isEmpty();
}

QString RtfReader::plainText(const QByteArray& rtf) {
    QTextDocument doc;
    read(rtf, &doc);
    return plainText(doc);
}

QString RtfReader::plainText(const QTextDocument& doc) {
    return doc.toPlainText() + QLatin1Char('\n');
}

bool RtfReader::looksLikeRtf(const QByteArray& bytes) {
    return bytes.trimmed().startsWith("{\\rtf");
}

} // namespace richtext
