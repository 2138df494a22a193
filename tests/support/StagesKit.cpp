#include "support/StagesKit.h"

#include "kit/Cp1251.h"
#include "kit/KitFile.h"
#include "kit/StationTables.h"

#include <QDir>
#include <QFile>

namespace stagestest {

namespace {

std::string cp1251(const QString& text) {
    return kit::utf8ToCp1251(text.toStdString());
}

} // namespace

void appendKitRow(kit::MemTable& complects, const KitRow& row) {
    complects.append();
    complects.setText("VarNo", std::to_string(row.varNo));
    complects.setText("subjid", std::to_string(row.subjid));
    complects.setText("subjname", cp1251(row.subjname));
    complects.setText("ExamDate", cp1251(row.examDate));
    if (!row.intro.isEmpty())
        complects.setText("Intro", row.intro.toStdString());
    if (!row.testRtf.isEmpty())
        complects.setText("TestRTF", row.testRtf.toStdString());
    complects.post();
}

kit::MemTable makeKit(std::initializer_list<KitRow> rows) {
    kit::MemTable complects = kit::makeComplectsTable();
    for (const KitRow& row : rows)
        appendKitRow(complects, row);
    complects.first();
    return complects;
}

bool saveKitFile(const kit::MemTable& complects, const QString& folder) {
    std::string error;
    return kit::saveKit(complects, QDir(folder).filePath(QStringLiteral("kim.kim")).toStdString(), &error);
}

QByteArray simpleRtf(const QString& text, int fontSizeHalfPoints) {
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs" +
                     QByteArray::number(fontSizeHalfPoints) + " ";
    for (const QChar c : text) {
        if (c == QLatin1Char('\n'))
            rtf += "\\par ";
        else if (c.unicode() < 128 && c != QLatin1Char('\\') && c != QLatin1Char('{') && c != QLatin1Char('}'))
            rtf += static_cast<char>(c.unicode());
        else
            rtf += "\\u" + QByteArray::number(static_cast<short>(c.unicode())) + "?";
    }
    return rtf + "\\par }";
}

std::optional<QByteArray> demoKitFile(const QString& path) {
    // Cleaned as text: the data folder itself need not exist for ".." to pass through it.
    QFile file(QDir::cleanPath(QStringLiteral(ZUNT_TEST_DATA "/../../demo-kit/") + path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QByteArray demoKitSheet(const QString& name, const QByteArray& fallback) {
    return demoKitFile(QStringLiteral("sheets/") + name + QStringLiteral(".rtf")).value_or(fallback);
}

} // namespace stagestest
