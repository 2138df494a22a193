#pragma once

#include <QByteArray>
#include <QString>

namespace richtext {

// The code pages RTF text is written in, decoded by Qt's converters (Core5Compat's QTextCodec:
// Qt 6.4's QStringDecoder knows only UTF and Latin-1). Bytes a page leaves undefined come out
// as Qt's converter gives them, mostly C1 controls. Symbol-font bytes map to Unicode here.
class CodePage {
public:
    // Pseudo code pages: the Symbol font (\fcharset2) as Unicode (Greek, arrows, maths), and the
    // Wingdings bullets (also the bullets of list level texts) as the Unicode shapes they draw.
    static constexpr int Symbol = 42;
    static constexpr int Bullets = 43;
    static bool isSymbolFont(int codePage) { return codePage == Symbol || codePage == Bullets; }

    // The code page of a font's \fcharset; charset 1 ("default") means the document's \ansicpg.
    static int forCharset(int charset, int ansiCodePage);
    static bool isKnown(int codePage);
    // Unknown code pages read as Windows-1252 so Latin text still shows. One call per text run.
    static QString decode(const QByteArray& bytes, int codePage);
};

} // namespace richtext
