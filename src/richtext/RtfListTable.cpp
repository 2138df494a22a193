#include "richtext/RtfListTable.h"

#include "richtext/CodePage.h"

#include <algorithm>

namespace richtext {

void RtfListTable::listWord(std::string_view word, int param) {
    if (word == "list") {
        if (m_lists.size() < 1000)
            m_lists.emplace_back();
        return;
    }
    if (m_lists.empty())
        return;
    List& list = m_lists.back();
    if (word == "listid") {
        list.id = param;
    } else if (word == "listlevel") {
        if (list.levels.size() < 9)
            list.levels.emplace_back();
    } else if (!list.levels.empty()) {
        Level& level = list.levels.back();
        if (word == "levelnfc" || word == "levelnfcn")
            level.format = param;
        else if (word == "levelstartat")
            level.start = std::clamp(param, 0, 100000);
        else if (word == "levelfollow")
            level.follow = param;
    }
}

void RtfListTable::levelText(const QString& text) {
    if (!m_lists.empty() && !m_lists.back().levels.empty() && m_lists.back().levels.back().text.size() < 64)
        m_lists.back().levels.back().text += text;
}

void RtfListTable::overrideWord(std::string_view word, int param) {
    if (word == "listoverride") {
        m_overrideLs = m_overrideId = -1;
    } else if (word == "listid") {
        m_overrideId = param;
    } else if (word == "ls") {
        m_overrideLs = param;
    }
    if (m_overrideLs >= 0 && m_overrideId >= 0)
        m_overrides[m_overrideLs] = m_overrideId;
}

QString RtfListTable::number(int value, int format) {
    switch (format) {
    case 1:
    case 2: {
        static const std::pair<int, const char*> kRoman[] = {
            {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
            {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
        QString out;
        int v = std::clamp(value, 1, 3999);
        for (const auto& [n, s] : kRoman) {
            for (; v >= n; v -= n)
                out += QLatin1String(s);
        }
        return format == 1 ? out.toUpper() : out;
    }
    case 3:
    case 4: {
        QString out;
        for (int v = std::max(value, 1); v > 0; v = (v - 1) / 26)
            out.prepend(QChar(u'a' + (v - 1) % 26));
        return format == 3 ? out.toUpper() : out;
    }
    case 255:
        return {};
    default:
        return QString::number(value);
    }
}

QString RtfListTable::nextLabel(int ls, int level) {
    const auto o = m_overrides.find(ls);
    if (o == m_overrides.end())
        return {};
    const auto list = std::find_if(m_lists.begin(), m_lists.end(), [&](const List& l) { return l.id == o->second; });
    if (list == m_lists.end() || list->levels.empty())
        return {};
    level = std::clamp(level, 0, static_cast<int>(list->levels.size()) - 1);
    std::vector<int>& counters = m_counters[ls];
    if (counters.size() < list->levels.size()) {
        counters.clear();
        for (const Level& l : list->levels)
            counters.push_back(l.start - 1);
    }
    ++counters[static_cast<size_t>(level)];
    for (size_t deeper = static_cast<size_t>(level) + 1; deeper < counters.size(); ++deeper)
        counters[deeper] = list->levels[deeper].start - 1; // a new item restarts its sublists
    const Level& l = list->levels[static_cast<size_t>(level)];
    QString label;
    // The first character is the length; characters below 9 stand for the numbers of levels.
    const qsizetype length = l.text.isEmpty() ? 0 : std::min<qsizetype>(l.text.at(0).unicode(), l.text.size() - 1);
    for (qsizetype i = 1; i <= length; ++i) {
        const char16_t c = l.text.at(i).unicode();
        if (c < 9 && c < list->levels.size())
            label += number(counters[c], list->levels[c].format);
        else if (c >= 0xF000 && c <= 0xF0FF) // symbol-font characters written as private use
            label += CodePage::decode(QByteArray(1, static_cast<char>(c & 0xFF)), CodePage::Bullets);
        else if (l.format == 23 && c >= 0x80 && c < 0x100)
            label += CodePage::decode(QByteArray(1, static_cast<char>(c)), CodePage::Bullets);
        else
            label += QChar(c);
    }
    if (l.follow == 0)
        label += u'\t';
    else if (l.follow == 1)
        label += u' ';
    return label;
}

} // namespace richtext
