#include "richtext/RtfFontTable.h"

#include "richtext/CodePage.h"

namespace richtext {

void RtfFontTable::word(std::string_view word, bool hasParam, int param, int ansiCodePage) {
    if (word == "f") {
        finishEntry();
        m_entry = hasParam ? param : 0;
        m_fonts[m_entry] = Font{};
        m_fonts[m_entry].codePage = ansiCodePage;
        return;
    }
    if (m_entry < 0)
        return;
    Font& f = m_fonts[m_entry];
    if (word == "fcharset") {
        f.codePage = CodePage::forCharset(param, ansiCodePage);
        f.hasCharset = true;
    } else if (word == "cpg" && CodePage::isKnown(param)) {
        f.codePage = param;
        f.hasCharset = true;
    } else if (word == "froman") {
        f.family = 1;
    } else if (word == "fswiss") {
        f.family = 2;
    } else if (word == "fmodern") {
        f.family = 3;
    }
}

void RtfFontTable::text(std::string_view text) {
    for (char ch : text) {
        if (ch == ';')
            finishEntry();
        else
            nameByte(ch);
    }
}

void RtfFontTable::nameByte(char byte) {
    if (m_entry >= 0 && m_fonts[m_entry].rawName.size() < 256)
        m_fonts[m_entry].rawName.append(byte);
}

void RtfFontTable::finishEntry() {
    if (m_entry < 0)
        return;
    Font& f = m_fonts[m_entry];
    f.name = CodePage::decode(f.rawName, CodePage::isSymbolFont(f.codePage) ? 1252 : f.codePage).trimmed();
    // Symbol fonts are often declared with a Western charset; their bytes are symbols all the same.
    if (f.name.compare(u"Symbol", Qt::CaseInsensitive) == 0)
        f.codePage = CodePage::Symbol;
    else if (f.name.startsWith(u"Wingdings", Qt::CaseInsensitive))
        f.codePage = CodePage::Bullets;
    m_entry = -1;
}

const RtfFontTable::Font* RtfFontTable::find(int font) const {
    auto it = m_fonts.find(font < 0 ? m_default : font);
    return it == m_fonts.end() ? nullptr : &it->second;
}

int RtfFontTable::codePage(int font, int ansiCodePage) const {
    const Font* f = find(font);
    if (!f)
        return ansiCodePage;
    return f->hasCharset || CodePage::isSymbolFont(f->codePage) ? f->codePage : ansiCodePage;
}

QStringList RtfFontTable::families(int font) const {
    const Font* f = find(font);
    return f ? familiesFor(f->name, f->family) : QStringList{QStringLiteral("Liberation Serif")};
}

QStringList RtfFontTable::familiesFor(const QString& given, int familyClass) {
    QString name = given.trimmed();
    for (const char* suffix : {" CYR", " Cyr", " Greek", " Tur", " CE", " Baltic", " (W1)"}) {
        if (name.endsWith(QLatin1String(suffix)))
            name.chop(static_cast<int>(qstrlen(suffix)));
    }
    const QString lower = name.toLower();
    // Metric-compatible faces keep line breaks where the original fonts put them.
    if (lower == u"arial" || lower == u"helvetica" || lower == u"ms sans serif" || lower == u"microsoft sans serif")
        return {QStringLiteral("Liberation Sans")};
    if (lower == u"times new roman" || lower == u"times" || lower == u"ms serif")
        return {QStringLiteral("Liberation Serif")};
    if (lower == u"courier new" || lower == u"courier")
        return {QStringLiteral("Liberation Mono")};
    if (lower == u"calibri")
        return {QStringLiteral("Carlito"), QStringLiteral("Liberation Sans")};
    if (lower == u"cambria")
        return {QStringLiteral("Caladea"), QStringLiteral("Liberation Serif")};
    if (lower == u"symbol" || lower.startsWith(u"wingdings"))
        return {QStringLiteral("DejaVu Sans")};
    QString fallback = QStringLiteral("Liberation Serif");
    if (familyClass == 2)
        fallback = QStringLiteral("Liberation Sans");
    else if (familyClass == 3)
        fallback = QStringLiteral("Liberation Mono");
    if (name.isEmpty())
        return {fallback};
    return {name, fallback};
}

} // namespace richtext
