#pragma once

#include <QByteArray>
#include <QString>

#include <string_view>

namespace richtext {

// The text read since the content last went into the document. Bytes are kept until the
// code page changes or the run is taken, so a run decodes in one call and a \'hh sequence
// makes one multi-byte character.
class RtfTextRun {
public:
    void appendChars(const QString& text);
    void appendBytes(std::string_view bytes, int codePage);
    // \uN (negative values taken unsigned); in a symbol font its private-use character
    // (U+F020..U+F0FF) is the byte it stands for.
    void appendUnicode(int code, int codePage);
    // The run's text without control characters; the run is empty afterwards.
    QString take();

private:
    void decodeBytes();

    QString m_text;
    QByteArray m_bytes;
    int m_codePage = 1252;
};

} // namespace richtext
