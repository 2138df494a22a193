#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <map>
#include <string_view>

namespace richtext {

// The document's font table: each font's name, family class and code page, and the
// installed faces to draw it with (metric-compatible ones for the Windows core fonts).
class RtfFontTable {
public:
    // Control words inside {\fonttbl}; \f starts an entry.
    void word(std::string_view word, bool hasParam, int param, int ansiCodePage);
    // Name text; ';' ends the entry.
    void text(std::string_view text);
    void nameByte(char byte);
    void finishEntry();
    void setDefaultFont(int font) { m_default = font; }

    // The code page of text in this font (-1: the default font).
    int codePage(int font, int ansiCodePage) const;
    // Families to draw with, best first.
    QStringList families(int font) const;
    static QStringList familiesFor(const QString& name, int familyClass);

private:
    struct Font {
        QString name;
        QByteArray rawName;
        int codePage = 0;
        int family = 0; // 0 nil, 1 roman, 2 swiss, 3 modern
        bool hasCharset = false;
    };
    const Font* find(int font) const;

    std::map<int, Font> m_fonts;
    int m_entry = -1;
    int m_default = 0;
};

} // namespace richtext
