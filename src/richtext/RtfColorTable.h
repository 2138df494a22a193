#pragma once

#include <QColor>

#include <string_view>
#include <vector>

namespace richtext {

// The document's colour table ({\colortbl;\red255\green0\blue0;}). Entry 0 and entries
// without any component are "auto": an invalid QColor.
class RtfColorTable {
public:
    void start();                                // \colortbl: a table replaces the one before
    void word(std::string_view word, int param); // \red, \green, \blue
    void text(std::string_view text);            // ';' ends an entry
    void finish();                               // the table's end: an entry lacking its ';'
    const std::vector<QColor>& colors() const { return m_colors; }

private:
    void endEntry();

    std::vector<QColor> m_colors;
    int m_red = -1, m_green = -1, m_blue = -1;
};

} // namespace richtext
