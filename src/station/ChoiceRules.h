#pragma once

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <string>
#include <string_view>

// The plain rules of the choice tasks (1, 4, 5, 6), without any widget: how a kit memo
// becomes the options of the drop-down lists, and how the chosen positions become the
// answer string stored in a1, a4, a5, a6. Pure functions; any thread.
class ChoiceRules {
public:
    ChoiceRules() = delete;

    // Every choice task has five lists, list1 to list5.
    static constexpr int kListCount = 5;
    // Task 1: three options per box; task 5: four per list.
    static constexpr int kTask1PerList = 3;
    static constexpr int kTask5PerList = 4;

    // The lines of a memo held as Windows-1251 bytes. CR LF, LF or a lone CR ends a line;
    // a final line break gives no empty last line, so an empty memo has no lines; an empty
    // line inside the text is kept. A line is never wrapped or split, however long.
    static QStringList memoLines(std::string_view cp1251);

    // Fixed groups: list i (0-based) gets lines i * perList ... i * perList + perList - 1;
    // a line the text lacks is an empty option, lines after the last group are unused.
    static QList<QStringList> groupedOptions(const QStringList& lines, int listCount, int perList);
    // Every list gets all lines, in their order.
    static QList<QStringList> sharedOptions(const QStringList& lines, int listCount);

    // The options of the five lists of each task, straight from the kit memo.
    static QList<QStringList> task1Options(std::string_view memo);
    static QList<QStringList> task4Options(std::string_view memo);
    static QList<QStringList> task5Options(std::string_view memo);
    static QList<QStringList> task6Options(std::string_view memo);

    // The position of a list's chosen option counted from 1, 0 when none is chosen, from
    // the list's 0-based current index (-1 for none).
    static int positionOf(int currentIndex) { return currentIndex < 0 ? 0 : currentIndex + 1; }

    // The answer string: each position (1-based, 0 for none) in decimal without leading
    // zeros, one after another with no separator. Positions above 9 take two or more
    // digits (ten options: 10 then 1, 1, 1, 1 give "101111"); a negative one counts as 0.
    static std::string answerString(const QList<int>& positions);

    // The layout file of tasks 5 and 6: one line per list, in the order given, holding
    // its top edge, left edge and width joined by ";", each line ended by CR LF.
    static QByteArray layoutText(const QList<QRect>& lists);
};
