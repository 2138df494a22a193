#include "richtext/RtfColorTable.h"

#include <algorithm>

namespace richtext {

void RtfColorTable::start() {
    m_colors.clear();
    m_red = m_green = m_blue = -1;
}

void RtfColorTable::word(std::string_view word, int param) {
    if (word == "red")
        m_red = std::clamp(param, 0, 255);
    else if (word == "green")
        m_green = std::clamp(param, 0, 255);
    else if (word == "blue")
        m_blue = std::clamp(param, 0, 255);
}

void RtfColorTable::text(std::string_view text) {
    for (char ch : text) {
        if (ch == ';')
            endEntry();
    }
}

void RtfColorTable::finish() {
    if (m_red >= 0 || m_green >= 0 || m_blue >= 0)
        endEntry();
}

void RtfColorTable::endEntry() {
    if (m_red < 0 && m_green < 0 && m_blue < 0)
        m_colors.push_back(QColor());
    else
        m_colors.push_back(QColor(std::max(m_red, 0), std::max(m_green, 0), std::max(m_blue, 0)));
    m_red = m_green = m_blue = -1;
}

} // namespace richtext
