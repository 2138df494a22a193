#include "richtext/CodePage.h"

#include <QTextCodec>

#include <map>

namespace richtext {

namespace {

// Qt's decoder names of the code pages RTF writers use.
const char* codecName(int codePage) {
    switch (codePage) {
    case 437:
        return "IBM437";
    case 850:
        return "IBM850";
    case 866:
        return "IBM866";
    case 874:
        return "windows-874";
    case 1250:
        return "windows-1250";
    case 1251:
        return "windows-1251";
    case 1252:
        return "windows-1252";
    case 1253:
        return "windows-1253";
    case 1254:
        return "windows-1254";
    case 1255:
        return "windows-1255";
    case 1256:
        return "windows-1256";
    case 1257:
        return "windows-1257";
    case 1258:
        return "windows-1258";
    case 10000:
        return "macintosh";
    case 10007:
        return "x-mac-cyrillic";
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    default:
        return nullptr;
    }
}

QTextCodec* codecFor(int codePage) {
    // Looking a converter up by name is slow (ICU compares names); do it once per page.
    static const std::map<int, QTextCodec*> codecs = [] {
        std::map<int, QTextCodec*> found;
        for (int page : {437, 850, 866, 874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 10000, 10007, 932,
                         936, 949, 950}) {
            if (QTextCodec* codec = QTextCodec::codecForName(codecName(page)))
                found.emplace(page, codec);
        }
        return found;
    }();
    const auto it = codecs.find(codePage);
    return it == codecs.end() ? nullptr : it->second;
}

// Bullet fonts draw their own glyphs at these bytes; the metric fonts we show with have
// the Unicode shapes instead.
char16_t symbolChar(unsigned char b) {
    switch (b) {
    case 0xB7:
        return u'\u2022';
    case 0xA7:
        return u'\u25AA';
    case 0xD8:
        return u'\u27A2';
    case 0xFC:
        return u'\u2713';
    case 0x76:
        return u'\u2756';
    case 0x6C:
        return u'\u25CF';
    case 0x6E:
        return u'\u25A0';
    case 0x71:
        return u'\u2751';
    case 0x75:
        return u'\u25C6';
    case 0xA8:
        return u'\u25CB';
    case 0x2D:
        return u'\u2212';
    default:
        return b < 0x80 ? char16_t(b) : u'\u2022';
    }
}

} // namespace

int CodePage::forCharset(int charset, int ansiCodePage) {
    switch (charset) {
    case 0:
        return 1252;
    case 1:
        return ansiCodePage;
    case 2:
        return Symbol;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 255:
        return 437;
    default:
        return ansiCodePage;
    }
}

bool CodePage::isKnown(int codePage) {
    return codePage == Symbol || codePage == 65001 || codecFor(codePage);
}

QString CodePage::decode(const QByteArray& bytes, int codePage) {
    QString out;
    if (bytes.isEmpty())
        return out;
    if (codePage == Symbol) {
        out.reserve(bytes.size());
        for (char c : bytes)
            out.append(QChar(symbolChar(static_cast<unsigned char>(c))));
        return out;
    }
    if (codePage == 65001)
        return QString::fromUtf8(bytes);
    QTextCodec* codec = codecFor(codePage);
    if (!codec)
        codec = codecFor(1252);
    if (!codec)
        return QString::fromLatin1(bytes); // a Qt without its code-page converters
    return codec->toUnicode(bytes);
}

} // namespace richtext
