#pragma once

#include <QString>

#include <map>
#include <string_view>
#include <vector>

namespace richtext {

// Word's list table (\listtable, \listoverridetable), used to number paragraphs marked
// \ls/\ilvl that come without the writer's own \listtext. Counters run per list.
class RtfListTable {
public:
    // Control words inside {\listtable}.
    void listWord(std::string_view word, int param);
    // Text of a {\leveltext} group: length byte, literal characters and level placeholders.
    void levelText(const QString& text);
    // Control words inside {\listoverridetable}.
    void overrideWord(std::string_view word, int param);

    // The number or bullet of the next paragraph of list ls at level, with the tab after it;
    // empty when the list is not defined.
    QString nextLabel(int ls, int level);

private:
    struct Level {
        int format = 0; // \levelnfc: 0 decimal, 1/2 roman, 3/4 letters, 23 bullet, 255 none
        int start = 1;
        int follow = 0; // 0 tab, 1 space, 2 nothing
        QString text;
    };
    struct List {
        int id = 0;
        std::vector<Level> levels;
    };

    static QString number(int value, int format);

    std::vector<List> m_lists;
    std::map<int, int> m_overrides; // \ls -> \listid
    int m_overrideLs = -1, m_overrideId = -1;
    std::map<int, std::vector<int>> m_counters; // by \ls
};

} // namespace richtext
