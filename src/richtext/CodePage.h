#pragma once

#include <QByteArray>
#include <QString>

namespace richtext {

// The code pages RTF text is written in: single-byte Windows and DOS pages from our own
// tables (no converter library needed), East Asian pages when the platform can decode them.
class CodePage {
public:
    // Pseudo code page of the Symbol and Wingdings bullet fonts.
    static constexpr int Symbol = 42;

    // The code page of a font's \fcharset; charset 1 ("default") means the document's \ansicpg.
    static int forCharset(int charset, int ansiCodePage);
    static bool isKnown(int codePage);
    // Unknown code pages read as Windows-1252 so Latin text still shows.
    static QString decode(const QByteArray& bytes, int codePage);
};

} // namespace richtext
