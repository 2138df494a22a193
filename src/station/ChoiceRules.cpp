#include "station/ChoiceRules.h"

#include "kit/Cp1251.h"

QStringList ChoiceRules::memoLines(std::string_view cp1251) {
    QStringList lines;
    std::size_t begin = 0;
    while (begin < cp1251.size()) {
        std::size_t end = begin;
        while (end < cp1251.size() && cp1251[end] != '\r' && cp1251[end] != '\n')
            ++end;
        lines.append(QString::fromStdString(kit::cp1251ToUtf8(cp1251.substr(begin, end - begin))));
        // CR LF is one break; so is a lone CR or a lone LF.
        if (end < cp1251.size() && cp1251[end] == '\r')
            ++end;
        if (end < cp1251.size() && cp1251[end] == '\n')
            ++end;
        begin = end;
    }
    return lines;
}

QList<QStringList> ChoiceRules::groupedOptions(const QStringList& lines, int listCount, int perList) {
    QList<QStringList> lists;
    for (int list = 0; list < listCount; ++list) {
        QStringList options;
        for (int option = 0; option < perList; ++option)
            options.append(lines.value(list * perList + option));
        lists.append(options);
    }
    return lists;
}

QList<QStringList> ChoiceRules::sharedOptions(const QStringList& lines, int listCount) {
    QList<QStringList> lists;
    for (int list = 0; list < listCount; ++list)
        lists.append(lines);
    return lists;
}

QList<QStringList> ChoiceRules::task1Options(std::string_view memo) {
    return groupedOptions(memoLines(memo), kListCount, kTask1PerList);
}

QList<QStringList> ChoiceRules::task4Options(std::string_view memo) {
    return sharedOptions(memoLines(memo), kListCount);
}

QList<QStringList> ChoiceRules::task5Options(std::string_view memo) {
    return groupedOptions(memoLines(memo), kListCount, kTask5PerList);
}

QList<QStringList> ChoiceRules::task6Options(std::string_view memo) {
    return sharedOptions(memoLines(memo), kListCount);
}

std::string ChoiceRules::answerString(const QList<int>& positions) {
    std::string answer;
    for (int position : positions)
        answer += std::to_string(position < 0 ? 0 : position);
    return answer;
}

QByteArray ChoiceRules::layoutText(const QList<QRect>& lists) {
    QByteArray text;
    for (const QRect& list : lists)
        text += QByteArray::number(list.top()) + ';' + QByteArray::number(list.left()) + ';' +
                QByteArray::number(list.width()) + "\r\n";
    return text;
}
