#pragma once

#include "kit/MemTable.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Small kits for the stage tests: rows of the station's kit table with the fields the
// pre-exam stages read, and a minimal RTF document for the sheet fields.
namespace stagestest {

struct KitRow {
    int varNo = 0;
    int subjid = 3;
    QString subjname = QStringLiteral("Английский язык");
    QString examDate = QStringLiteral("25.05.2019");
    QByteArray intro;   // RTF
    QByteArray testRtf; // RTF

    static KitRow variant(int varNo, const QString& subjname = QStringLiteral("Английский язык"),
                          const QString& examDate = QStringLiteral("25.05.2019")) {
        KitRow row;
        row.varNo = varNo;
        row.subjname = subjname;
        row.examDate = examDate;
        return row;
    }
};

// Appends and posts one row (texts stored in Windows-1251, as a kit holds them).
void appendKitRow(kit::MemTable& complects, const KitRow& row);

// The station's kit table holding the rows, positioned on the first.
kit::MemTable makeKit(std::initializer_list<KitRow> rows);

// Saves the table as a kit file (kim.kim) into folder; false on failure.
bool saveKitFile(const kit::MemTable& complects, const QString& folder);

// A one-paragraph RTF document, each line of text a paragraph; non-ASCII as \uN escapes.
QByteArray simpleRtf(const QString& text, int fontSizeHalfPoints = 28);

// The bytes of a file of the demo kit (demo-kit/<path> at the top of the source tree), or
// nullopt when the demo kit is not there.
std::optional<QByteArray> demoKitFile(const QString& path);

// A sheet of the demo kit (demo-kit/sheets/<name>.rtf), or fallback while the demo kit is
// not there.
QByteArray demoKitSheet(const QString& name, const QByteArray& fallback);

} // namespace stagestest
