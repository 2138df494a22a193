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

TEST(StationReport, reportsHowMuchOfARecordingCutShortStillPlays) {
    Station s;
    s.addComplete(QStringLiteral("0010"), 12.0);
    QFile task2(s.file(QStringLiteral("0010"), "_2.ogg"));
    ASSERT_TRUE(task2.open(QIODevice::ReadWrite));
    ASSERT_TRUE(task2.resize(task2.size() / 2)); // the encoder died half-way
    task2.close();
    const StationReport report = StationReport::inspect(s.folder);
    const StationReport::Examinee* e = report.find(QStringLiteral("0010"));
    ASSERT_NE(e, nullptr);
    // Told apart from a file with nothing in it: what still plays is said.
    EXPECT_EQ(e->task2.state, RecordingDecoder::State::CutShort);
    EXPECT_GT(e->task2.seconds, 3.0);
    EXPECT_LT(e->task2.seconds, 12.0);
    EXPECT_EQ(report.lines().value(0), QStringLiteral("0010 code=1.0 task2=cut-short:%1 task3=12.5 a1=12312 a2= a3= "
                                                      "a4=21043 a5=00300 a6=11111")
                                           .arg(e->task2.seconds, 0, 'f', 1));
    EXPECT_NEAR(e->task3.seconds, 12.5, 0.01);
    EXPECT_FALSE(e->complete());
    EXPECT_EQ(report.exitStatus(), 1);
}

TEST(StationReport, countsARecordingWithADamagedStretchAsCutShort) {
    Station s;
    s.addComplete(QStringLiteral("0012"), 20.0);
    QFile task3(s.file(QStringLiteral("0012"), "_3.ogg"));
    ASSERT_TRUE(task3.open(QIODevice::ReadWrite));
    QByteArray bytes = task3.readAll();
    // Inside the body of a page in the middle, its pages intact: the decoder skips the page
    // (its checksum fails) and the stream still ends with its end-of-stream page.
    const qsizetype page = bytes.indexOf("OggS", bytes.size() / 2);
    const qsizetype next = bytes.indexOf("OggS", page + 4);
    ASSERT_GT(page, 0);
    ASSERT_GT(next, page + 400);
    for (qsizetype i = page + 300; i < next - 50; ++i)
        bytes[i] = static_cast<char>(bytes[i] ^ 0x5a);
    ASSERT_TRUE(task3.seek(0));
    ASSERT_EQ(task3.write(bytes), bytes.size());
    task3.close();
    const StationReport report = StationReport::inspect(s.folder);
    const StationReport::Examinee* e = report.find(QStringLiteral("0012"));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->task3.state, RecordingDecoder::State::CutShort) << e->task3.seconds;
    EXPECT_LT(e->task3.seconds, 20.5);
    EXPECT_GT(e->task3.seconds, 15.0);
    EXPECT_FALSE(e->complete());
}

TEST(StationReport, reportsARecordingWithoutSoundAsEmptyAndOneThatDoesNotOpenAsBroken) {
    Station s;
    s.addComplete(QStringLiteral("0011"), 1.0);
    s.addRecording(QStringLiteral("0011"), "_3.ogg", 0.0);                           // the encoder got no sound at all
    ASSERT_TRUE(writeBytes(s.file(QStringLiteral("0011"), "_0.ogg"), QByteArray())); // nor started writing
    s.addComplete(QStringLiteral("0013"), 1.0);
    ASSERT_TRUE(writeBytes(s.file(QStringLiteral("0013"), "_2.ogg"), QByteArray("OggS", 4)));
    const QStringList lines = StationReport::inspect(s.folder).lines();
    EXPECT_EQ(lines.value(0),
              QStringLiteral("0011 code=empty task2=1.0 task3=empty a1=12312 a2= a3= a4=21043 a5=00300 a6=11111"));
    EXPECT_EQ(lines.value(1),
              QStringLiteral("0013 code=1.0 task2=broken task3=1.5 a1=12312 a2= a3= a4=21043 a5=00300 a6=11111"));
    EXPECT_EQ(lines.value(2), QStringLiteral("complete 0 incomplete 2"));
}

TEST(StationReport, reportsAnInterruptedAnswerAsRecoverableNotAsStrayFiles) {
    Station s;
    s.addComplete(QStringLiteral("0020"), 1.0);
    const QString task2 = s.file(QStringLiteral("0020"), "_2.ogg");
    // A power cut: the recorder's raw sound (2.5 s) and a re-encoding left beside the answer.
    ASSERT_TRUE(writeBytes(task2 + QStringLiteral(".pcm.tmp"), QByteArray(44100 * 4 * 5 / 2, '\0')));
    ASSERT_TRUE(writeBytes(task2 + QStringLiteral(".redo.tmp"), QByteArray("OggS", 4)));
    // Power cut before the encoder wrote anything of task 3.
    QFile::remove(s.file(QStringLiteral("0020"), "_3.ogg"));
    ASSERT_TRUE(writeBytes(s.file(QStringLiteral("0020"), "_3.ogg.pcm.tmp"), QByteArray(44100 * 4, '\0')));
    // A re-encoding whose raw sound is gone, and raw sound of no answer of the station.
    ASSERT_TRUE(writeBytes(s.file(QStringLiteral("0020"), "_0.ogg.redo.tmp"), QByteArray("OggS", 4)));
    ASSERT_TRUE(writeBytes(s.file(QStringLiteral("0020"), "_5.ogg.pcm.tmp"), QByteArray(4, '\0')));

    const StationReport report = StationReport::inspect(s.folder);
    EXPECT_EQ(report.lines().value(0), QStringLiteral("0020 code=1.0 task2=recoverable:2.5 task3=recoverable:1.0 "
                                                      "a1=12312 a2= a3= a4=21043 a5=00300 a6=11111"));
    EXPECT_EQ(report.exitStatus(), 1);
    const StationReport::Examinee* e = report.find(QStringLiteral("0020"));
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(e->task2.interrupted);
    EXPECT_EQ(e->task2.state, RecordingDecoder::State::Decoded);
    EXPECT_EQ(e->task3.state, RecordingDecoder::State::Missing);
    EXPECT_FALSE(e->complete());

    const QStringList& notes = report.notes();
    ASSERT_EQ(notes.size(), 4) << notes.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(notes.filter(QStringLiteral("interrupted answer that can be recovered: 0020/0020_2.ogg (2.5 s")).size(),
              1);
    EXPECT_EQ(notes.filter(QStringLiteral("interrupted answer that can be recovered: 0020/0020_3.ogg (1.0 s")).size(),
              1);
    EXPECT_EQ(notes.filter(QStringLiteral("leftover of an interrupted answer: 0020/0020_0.ogg.redo.tmp")).size(), 1);
    EXPECT_EQ(notes.filter(QStringLiteral("stray")),
              QStringList{QStringLiteral("stray file in the answer folder 0020: 0020_5.ogg.pcm.tmp")});
}

TEST(StationReport, tellsSilentRecordingsAndWhatAResumableExamineeLeftApart) {
    Station s;
    s.addComplete(QStringLiteral("0030"), 1.0);
    // An unplugged microphone: the faint hiss of the line, -70 dBFS, for two seconds.
    ASSERT_TRUE(audiotest::writeSoundFile(s.file(QStringLiteral("0030"), "_2.ogg"),
                                          audiotest::sinePcm(440.0, 2 * 44100, 10), SF_FORMAT_OGG));
    // Stopped in task 2 and not yet resumed: the progress, the code, and task 2's first attempt.
    s.addRecording(QStringLiteral("0031"), "_0.ogg", 1.0);
    s.addRecording(QStringLiteral("0031"), "_2_interrupted.ogg", 1.5);
    ASSERT_TRUE(writeBytes(s.file(QStringLiteral("0031"), ".progress"), "done=6 11\na1=20133\n"));

    const StationReport report = StationReport::inspect(s.folder);
    EXPECT_EQ(report.lines(),
              QStringList({QStringLiteral("0030 code=1.0 task2=silent:2.0 task3=1.5 a1=12312 a2= a3= a4=21043 "
                                          "a5=00300 a6=11111"),
                           QStringLiteral("0031 code=1.0 task2=missing task3=missing answers=missing"),
                           QStringLiteral("complete 1 incomplete 1")}));
    EXPECT_EQ(report.notes(),
              QStringList({QStringLiteral("silent recording: 0030/0030_2.ogg plays 2.0 s, all of it below the silence "
                                          "floor (-50 dBFS); check the headset and listen to it"),
                           QStringLiteral("recording of interrupted work kept beside the answer: "
                                          "0031/0031_2_interrupted.ogg (plays 1.5 s)"),
                           QStringLiteral("examinee 0031 was interrupted: the station can resume the work where it "
                                          "stopped (type the code again)")}));
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
