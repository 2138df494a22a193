#include "kit/StationTables.h"
#include "kit/TableStream.h"
#include "station/StationReport.h"
#include "support/AudioSignals.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sndfile.h>

namespace {

// Writes seconds of a quiet tone as Ogg Vorbis at 44100 Hz, 2 channels, like the encoder's output.
bool writeOgg(const QString& path, double seconds) {
    const int frames = static_cast<int>(seconds * 44100);
    return audiotest::writeSoundFile(path, audiotest::sinePcm(440.0, frames, 3277), SF_FORMAT_OGG);
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A station folder in a temporary working folder, filled examinee by examinee.
struct Station {
    QTemporaryDir work;
    QString folder;

    Station() : folder(QDir(work.path()).filePath(QStringLiteral("Answer_2019-05-20_12_000123_0007_2"))) {
        QDir().mkpath(folder);
    }

    QString file(const QString& code, const char* suffix) const {
        return QDir(folder).filePath(code + QLatin1Char('/') + code + QString::fromLatin1(suffix));
    }
    void addFolder(const QString& code) const { QDir(folder).mkdir(code); }
    void addRecording(const QString& code, const char* suffix, double seconds) const {
        addFolder(code);
        ASSERT_TRUE(writeOgg(file(code, suffix), seconds));
    }
    void addAnswers(const QString& code, const char* a1, const char* a4, const char* a5, const char* a6) const {
        addFolder(code);
        kit::MemTable answers = kit::makeAnswersTable();
        kit::writeAnswer(answers, "a1", a1);
        kit::writeAnswer(answers, "a4", a4);
        kit::writeAnswer(answers, "a5", a5);
        kit::writeAnswer(answers, "a6", a6);
        std::string error;
        ASSERT_TRUE(kit::saveTable(answers, QFile::encodeName(file(code, "_0.ans")).toStdString(), &error)) << error;
    }
    void addComplete(const QString& code, double seconds) const {
        addRecording(code, "_0.ogg", 1.0);
        addRecording(code, "_2.ogg", seconds);
        addRecording(code, "_3.ogg", seconds + 0.5);
        addAnswers(code, "12312", "21043", "00300", "11111");
    }
};

} // namespace

TEST(StationReport, reportsEveryExamineeInCodeOrderWithLengthsAndAnswers) {
    Station s;
    s.addComplete(QStringLiteral("1235"), 2.0);
    s.addComplete(QStringLiteral("0042"), 1.5);
    const StationReport report = StationReport::inspect(s.folder);
    ASSERT_TRUE(report.isStationFolder());
    EXPECT_EQ(
        report.lines(),
        QStringList({QStringLiteral("0042 code=1.0 task2=1.5 task3=2.0 a1=12312 a2= a3= a4=21043 a5=00300 a6=11111"),
                     QStringLiteral("1235 code=1.0 task2=2.0 task3=2.5 a1=12312 a2= a3= a4=21043 a5=00300 a6=11111"),
                     QStringLiteral("complete 2 incomplete 0")}));
    EXPECT_EQ(report.exitStatus(), 0);
    EXPECT_TRUE(report.notes().isEmpty());
    ASSERT_NE(report.find(QStringLiteral("1235")), nullptr);
    EXPECT_NEAR(report.find(QStringLiteral("1235"))->task2.seconds, 2.0, 0.01);
    EXPECT_EQ(report.find(QStringLiteral("0042"))->answers.value(0), QStringLiteral("12312"));
    EXPECT_EQ(report.find(QStringLiteral("0001")), nullptr);
}

TEST(StationReport, marksMissingAndUndecodableRecordingsAsIncomplete) {
    Station s;
    s.addRecording(QStringLiteral("0007"), "_0.ogg", 1.0);
    ASSERT_TRUE(writeBytes(s.file(QStringLiteral("0007"), "_2.ogg"), QByteArray("OggS but not really a stream")));
    s.addAnswers(QStringLiteral("0007"), "00000", "00000", "00000", "00000");
    s.addComplete(QStringLiteral("0008"), 1.0);
    const StationReport report = StationReport::inspect(s.folder);
    EXPECT_EQ(report.lines().value(0),
              QStringLiteral("0007 code=1.0 task2=broken task3=missing a1=00000 a2= a3= a4=00000 a5=00000 a6=00000"));
    EXPECT_EQ(report.lines().value(2), QStringLiteral("complete 1 incomplete 1"));
    EXPECT_EQ(report.exitStatus(), 1);
    EXPECT_FALSE(report.find(QStringLiteral("0007"))->complete());
    EXPECT_TRUE(report.find(QStringLiteral("0008"))->complete());
}

TEST(StationReport, countsARecordingCutShortAsBroken) {
    Station s;
    s.addComplete(QStringLiteral("0010"), 3.0);
    QFile task2(s.file(QStringLiteral("0010"), "_2.ogg"));
    ASSERT_TRUE(task2.open(QIODevice::ReadWrite));
    ASSERT_TRUE(task2.resize(task2.size() / 2)); // the encoder died half-way
    task2.close();
    const StationReport report = StationReport::inspect(s.folder);
    const StationReport::Examinee* e = report.find(QStringLiteral("0010"));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->task2.state, RecordingDecoder::State::Broken) << e->task2.seconds;
    EXPECT_NEAR(e->task3.seconds, 3.5, 0.01);
}

TEST(StationReport, countsARecordingWithoutSoundAsBroken) {
    Station s;
    s.addComplete(QStringLiteral("0011"), 1.0);
    s.addRecording(QStringLiteral("0011"), "_3.ogg", 0.0); // the encoder got no sound at all
    EXPECT_EQ(StationReport::inspect(s.folder).lines().value(0),
              QStringLiteral("0011 code=1.0 task2=1.0 task3=broken a1=12312 a2= a3= a4=21043 a5=00300 a6=11111"));
}

TEST(StationReport, saysWhetherTheAnswersFileIsMissingOrUnreadable) {
    Station s;
    s.addRecording(QStringLiteral("0001"), "_0.ogg", 1.0);
    s.addRecording(QStringLiteral("0001"), "_2.ogg", 1.0);
    s.addRecording(QStringLiteral("0001"), "_3.ogg", 1.0);
    s.addRecording(QStringLiteral("0002"), "_0.ogg", 1.0);
    s.addRecording(QStringLiteral("0002"), "_2.ogg", 1.0);
    s.addRecording(QStringLiteral("0002"), "_3.ogg", 1.0);
    ASSERT_TRUE(writeBytes(s.file(QStringLiteral("0002"), "_0.ans"), QByteArray("TPF0\x03\xFB\x00\x01", 8)));
    // A table stream that reads but is no answers table.
    s.addFolder(QStringLiteral("0003"));
    s.addRecording(QStringLiteral("0003"), "_0.ogg", 1.0);
    s.addRecording(QStringLiteral("0003"), "_2.ogg", 1.0);
    s.addRecording(QStringLiteral("0003"), "_3.ogg", 1.0);
    std::string error;
    ASSERT_TRUE(kit::saveTable(kit::makeComplectsTable(),
                               QFile::encodeName(s.file(QStringLiteral("0003"), "_0.ans")).toStdString(), &error));
    const QStringList lines = StationReport::inspect(s.folder).lines();
    EXPECT_EQ(lines, QStringList({QStringLiteral("0001 code=1.0 task2=1.0 task3=1.0 answers=missing"),
                                  QStringLiteral("0002 code=1.0 task2=1.0 task3=1.0 answers=broken"),
                                  QStringLiteral("0003 code=1.0 task2=1.0 task3=1.0 answers=broken"),
                                  QStringLiteral("complete 0 incomplete 3")}));
}

TEST(StationReport, keepsALineParseableWhateverTheAnswersHold) {
    Station s;
    s.addComplete(QStringLiteral("0005"), 1.0);
    s.addAnswers(QStringLiteral("0005"), "1 2=3", "", "", "");
    const QString line = StationReport::inspect(s.folder).lines().value(0);
    EXPECT_EQ(line, QStringLiteral("0005 code=1.0 task2=1.0 task3=1.5 a1=1?2?3 a2= a3= a4= a5= a6="));
}

TEST(StationReport, reportsAnEmptyStationAsComplete) {
    Station s;
    const StationReport report = StationReport::inspect(s.folder + QLatin1Char('/'));
    EXPECT_EQ(report.lines(), QStringList{QStringLiteral("complete 0 incomplete 0")});
    EXPECT_EQ(report.exitStatus(), 0);
}

TEST(StationReport, refusesAFolderThatIsNoStationFolder) {
    Station s;
    EXPECT_EQ(StationReport::inspect(s.work.path()).exitStatus(), 2); // the working folder above it
    EXPECT_FALSE(StationReport::inspect(s.work.path()).isStationFolder());
    EXPECT_EQ(StationReport::inspect(s.folder + QStringLiteral("-missing")).exitStatus(), 2);
    const QString file = QDir(s.work.path()).filePath(QStringLiteral("Answer_file"));
    ASSERT_TRUE(writeBytes(file, "x"));
    EXPECT_EQ(StationReport::inspect(file).exitStatus(), 2);
}

TEST(StationReport, notesWhatBelongsToNoExamineeWithoutCountingIt) {
    Station s;
    s.addComplete(QStringLiteral("0042"), 1.0);
    QDir(s.folder).mkdir(QStringLiteral("42"));
    ASSERT_TRUE(writeBytes(QDir(s.folder).filePath(QStringLiteral("notes.txt")), "x"));
    ASSERT_TRUE(writeBytes(s.file(QStringLiteral("0042"), "_0.ans.Ab12Cd"), "x"));
    const StationReport report = StationReport::inspect(s.folder);
    EXPECT_EQ(report.lines().size(), 2);
    EXPECT_EQ(report.exitStatus(), 0);
    EXPECT_EQ(report.notes().size(), 3);
    EXPECT_TRUE(report.notes().join(QLatin1Char('\n')).contains(QStringLiteral("0042_0.ans.Ab12Cd")));
}
