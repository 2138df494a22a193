#include "kit/Cp1251.h"
#include "kit/KitFile.h"
#include "kit/KitManifest.h"
#include "kit/StationTables.h"
#include "station/KitCheck.h"
#include "richtext/SheetMeasure.h"
#include "tools/KitCheckCommands.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Severity = KitCheck::Severity;

const char* const kDemoManifest = ZUNT_TEST_DATA "/../../demo-kit/manifest.txt";

QByteArray demoFile(const QString& path) {
    QFile file(QStringLiteral(ZUNT_TEST_DATA "/../../demo-kit/") + path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

kit::MemTable demoKit() {
    kit::MemTable table;
    std::string error;
    EXPECT_TRUE(kit::loadManifest(kDemoManifest, &table, &error)) << error;
    return table;
}

// Sheets of a given height, audio of a given length: the rules alone.
struct Fakes {
    int sheetHeight = 100;
    KitCheck::AudioProbe audio{true, 30.0, {}};
    KitCheck::MeasureSheet measure() const {
        return [this](const QByteArray&, int) {
            return KitCheck::SheetMeasure{true, sheetHeight, 10, 3, 0};
        };
    }
    KitCheck::ProbeAudio probe() const {
        return [this](const QByteArray&) {
            return audio;
        };
    }
};

void setField(kit::MemTable& table, int varNo, const char* field, const std::string& cp1251) {
    table.first();
    ASSERT_TRUE(table.locate("VarNo", varNo));
    table.edit();
    table.setText(field, cp1251);
    table.post();
}

QStringList lines(const QList<KitCheck::Finding>& findings, Severity severity) {
    QStringList out;
    for (const KitCheck::Finding& f : findings) {
        if (f.severity == severity)
            out << KitCheck::line(f);
    }
    return out;
}

std::string numbered(int count) {
    std::string memo;
    for (int i = 1; i <= count; ++i)
        memo += "option " + std::to_string(i) + "\r\n";
    return memo;
}

} // namespace

TEST(KitCheck, demoKitIsCleanAndItsAudioLengthsAreTold) {
    kit::MemTable kit = demoKit();
    kit.setRecNo(1);
    const QList<KitCheck::Finding> findings = KitCheck::check(kit, &richtext::measureSheet, &KitCheck::decodeAudio);
    EXPECT_EQ(lines(findings, Severity::Error), QStringList());
    EXPECT_EQ(lines(findings, Severity::Warning), QStringList());
    const QStringList info = lines(findings, Severity::Info);
    ASSERT_EQ(info.size(), 6);
    EXPECT_TRUE(info[1].startsWith("info: t1Aud (variant 0): 119.6 s of sound, 122 s for the stage"))
        << info[1].toStdString();
    EXPECT_EQ(kit.recNo(), 1); // the current row stays
}

TEST(KitCheck, sheetTallerThanItsViewIsNamedWithBothHeights) {
    kit::MemTable kit = demoKit();
    Fakes fakes;
    fakes.sheetHeight = 620; // over the 614 px of a task sheet, under the 622 px of a preparation sheet
    const QStringList warnings = lines(KitCheck::check(kit, fakes.measure(), fakes.probe()), Severity::Warning);
    EXPECT_TRUE(
        warnings.contains("warning: t4Task (variant 2): needs 620 px of height at 1016 px width, the view (task "
                          "4) is 614 px high: the examinee must scroll"))
        << warnings.join('\n').toStdString();
    EXPECT_FALSE(warnings.join('\n').contains("t2Pre"));
    EXPECT_FALSE(warnings.join('\n').contains("t1Pre")); // never shown
    EXPECT_EQ(warnings.size(), 3 * 9);
}

TEST(KitCheck, optionMemosNeedTheLinesTheirTasksOffer) {
    kit::MemTable kit = demoKit();
    setField(kit, 0, "t5Ans", numbered(19));
    setField(kit, 1, "t1Ans", numbered(16));
    setField(kit, 2, "t4Ans", numbered(10));
    setField(kit, 2, "t6Ans", "");
    Fakes fakes;
    const QList<KitCheck::Finding> findings = KitCheck::check(kit, fakes.measure(), fakes.probe());
    EXPECT_EQ(lines(findings, Severity::Error), QStringList({"error: t5Ans (variant 0): 19 option lines, 20 needed",
                                                             "error: t6Ans (variant 2): 0 option lines, 2 needed"}));
    EXPECT_EQ(lines(findings, Severity::Warning),
              QStringList({"warning: t1Ans (variant 1): 16 option lines; lines after 15 are never offered",
                           "warning: t4Ans (variant 2): 10 options per list; positions above 9 take two digits of "
                           "the answer"}));
    EXPECT_TRUE(KitCheck::refusalText(findings).contains("вариант 0: в поле t5Ans строк: 19, нужно 20"));
}

TEST(KitCheck, fieldsOfUnusableTypesAndUnusedVariantsAreNamed) {
    std::vector<kit::FieldDef> fields = kit::makeComplectsTable().fields();
    for (kit::FieldDef& def : fields) {
        if (def.name == "t4Task")
            def.type = kit::FieldType::Integer;
    }
    kit::MemTable kit(fields);
    for (int varNo : {0, 1, 2, 2, 7}) {
        kit.append();
        kit.setText("VarNo", std::to_string(varNo));
        kit.post();
    }
    Fakes fakes;
    const QList<KitCheck::Finding> findings = KitCheck::check(kit, fakes.measure(), fakes.probe());
    const QStringList errors = lines(findings, Severity::Error);
    ASSERT_FALSE(errors.isEmpty());
    EXPECT_EQ(errors.front(), "error: t4Task: type Integer cannot be read as the station reads this field");
    EXPECT_EQ(lines(findings, Severity::Warning),
              QStringList({"warning: VarNo (variant 2): 2 rows; only the first is ever used",
                           "warning: VarNo (variant 7): the station never uses this variant"}));
    EXPECT_EQ(errors.size(), 1); // the rows are not judged without their fields
    EXPECT_EQ(KitCheck::summary(findings), "kit-check: 1 error, 2 warnings");
}

TEST(KitCheck, audioThatBreaksOffOrIsNoSoundDoesNotDecode) {
    const QByteArray whole = demoFile(QStringLiteral("assets/v2-t1Aud.ogg"));
    ASSERT_FALSE(whole.isEmpty());
    const KitCheck::AudioProbe decoded = KitCheck::decodeAudio(whole);
    EXPECT_TRUE(decoded.decoded);
    EXPECT_NEAR(decoded.seconds, 105.6, 0.1);
    EXPECT_FALSE(KitCheck::decodeAudio(whole.left(whole.size() / 2)).decoded);
    EXPECT_FALSE(KitCheck::decodeAudio(QByteArray("RIFF not a sound at all")).decoded);

    kit::MemTable kit = demoKit();
    setField(kit, 2, "t1AudPrep", whole.left(4000).toStdString());
    Fakes fakes;
    const QList<KitCheck::Finding> findings = KitCheck::check(kit, fakes.measure(), &KitCheck::decodeAudio);
    EXPECT_EQ(lines(findings, Severity::Error),
              QStringList({"error: t1AudPrep (variant 2): the audio does not decode: no sound, or the stream breaks "
                           "off before its announced end"}));
}

TEST(KitCheck, examDateAndSubjectMustMakeAFolderName) {
    kit::MemTable kit = demoKit();
    for (int varNo : {0, 1, 2})
        setField(kit, varNo, "ExamDate", varNo == 1 ? "" : "20/05/2019");
    Fakes fakes;
    const QList<KitCheck::Finding> findings = KitCheck::check(kit, fakes.measure(), fakes.probe());
    EXPECT_EQ(lines(findings, Severity::Error),
              QStringList({"error: ExamDate (variant 1): empty: the station folder's name is made of it"}));
    EXPECT_TRUE(lines(findings, Severity::Warning)
                    .contains("warning: ExamDate (variant 0): \"20/05/2019\" is not usable in a folder name as it is; "
                              "the station folder gets \"20-05-2019\""));
}

TEST(KitCheck, toolPrintsOneLinePerFindingAndTellsByItsStatus) {
    QTemporaryDir dir;
    const QString clean = dir.filePath(QStringLiteral("clean.kim"));
    const QString broken = dir.filePath(QStringLiteral("broken.kim"));
    kit::MemTable kit = demoKit();
    std::string error;
    ASSERT_TRUE(kit::saveKit(kit, clean.toStdString(), &error)) << error;
    setField(kit, 1, "t5Ans", numbered(30));
    setField(kit, 2, "t1Aud", "");
    ASSERT_TRUE(kit::saveKit(kit, broken.toStdString(), &error)) << error;

    const auto run = [](const QString& file) {
        QProcess tool;
        tool.start(QStringLiteral(ZUNT_TOOL), {QStringLiteral("kit-check"), file});
        EXPECT_TRUE(tool.waitForFinished(60000));
        return std::make_pair(tool.exitCode(),
                              QString::fromUtf8(tool.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts));
    };
    const auto [cleanStatus, cleanOut] = run(clean);
    EXPECT_EQ(cleanStatus, 0);
    EXPECT_EQ(cleanOut.last(), "kit-check: 0 errors, 0 warnings");

    const auto [brokenStatus, brokenOut] = run(broken);
    EXPECT_EQ(brokenStatus, 2);
    EXPECT_TRUE(brokenOut.contains("warning: t5Ans (variant 1): 30 option lines; lines after 20 are never offered"));
    EXPECT_TRUE(brokenOut.contains("error: t1Aud (variant 2): no audio"));
    EXPECT_EQ(brokenOut.last(), "kit-check: 1 error, 1 warning");

    const auto [missingStatus, missingOut] = run(dir.filePath(QStringLiteral("none.kim")));
    EXPECT_EQ(missingStatus, 2);
    EXPECT_EQ(missingOut.last(), "kit-check: 1 error, 0 warnings");
}
