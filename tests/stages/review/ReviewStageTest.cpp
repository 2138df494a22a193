#include "kit/StationTables.h"
#include "stages/review/ReviewStages.h"
#include "main/StageFrame.h"
#include "main/StationWindow.h"
#include "stages/StageTable.h"
#include "stages/review/FinishStage.h"
#include "stages/review/ReviewStage.h"
#include "support/AudioSignals.h"
#include "support/ReviewAnswersFile.h"
#include "support/Screenshot.h"
#include "support/StationHarness.h"
#include "widgets/VerdictMark.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sndfile.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kTag = QStringLiteral("2019-05-20_12_000123_0007_2");

// A main window at the review of examinee 0042 with the answers of the worked example and
// the three recordings (1, 2 and 3 s) in the answer folder.
struct Review {
    StationHarness h;
    StationWindow* w = nullptr;

    Review() {
        stages::registerReviewStages(h.stages);
        w = &h.createWindow();
        w->answers = kit::makeAnswersTable();
        setAnswers("12312", "21043", "00300", "11111");
        w->stationTag = kTag;
        w->participantCode = QStringLiteral("0042");
        w->folders().ensureExist();
        writeRecording("_0.ogg", 1.0);
        writeRecording("_2.ogg", 2.0);
        writeRecording("_3.ogg", 3.0);
        w->show();
    }

    // A quiet tone as Ogg Vorbis, as the encoder leaves it.
    void writeRecording(const char* suffix, double seconds, int amplitude = 3277) const {
        EXPECT_TRUE(audiotest::writeSoundFile(
            recording(suffix), audiotest::sinePcm(440.0, static_cast<int>(seconds * 44100), amplitude), SF_FORMAT_OGG));
    }
    void writeBytes(const char* suffix, const QByteArray& bytes) const {
        QFile file(recording(suffix));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    // The working folder goes, station folder and all (a stick pulled out); back empty by restoreWorkDir.
    void removeWorkDir() const { ASSERT_TRUE(QDir(w->workDir).removeRecursively()); }
    void restoreWorkDir() const { ASSERT_TRUE(QDir().mkpath(w->workDir)); }

    void setAnswers(const char* a1, const char* a4, const char* a5, const char* a6) {
        kit::writeAnswer(w->answers, "a1", a1);
        kit::writeAnswer(w->answers, "a4", a4);
        kit::writeAnswer(w->answers, "a5", a5);
        kit::writeAnswer(w->answers, "a6", a6);
    }

    ReviewStage& start() {
        w->startStage(StageCode::Review);
        auto* frame = qobject_cast<ReviewStage*>(w->currentStage.data());
        EXPECT_NE(frame, nullptr);
        return *frame;
    }

    QString recording(const char* suffix) const { return w->folders().answerFile(QString::fromLatin1(suffix)); }
    // Recordings the fake layer can open, as the recording stages would have left them.
    void haveRecordings(std::initializer_list<const char*> suffixes) {
        for (const char* suffix : suffixes)
            h.audio.streamSeconds.insert(recording(suffix), 2.0);
    }
    QString answersFile() const { return w->folders().answerFile(QStringLiteral("_0.ans")); }
    // The answers file and anything written beside it under a temporary name.
    QStringList answersFiles() const {
        return QDir(w->folders().answerFolder()).entryList({QStringLiteral("0042_0.ans*")}, QDir::Files | QDir::Hidden);
    }
    QByteArray answersBytes() const {
        QFile file(answersFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

// Limits the size of files this process writes, as a full disk would; restores it when it goes.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

// Makes a folder refuse new files, as a write-protected stick does: by its permissions, or,
// for root whom they do not bind, by the immutable flag. Undone when it goes.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& path) : m_path(QFile::encodeName(path)) {
        ::chmod(m_path.constData(), 0555);
        if (::access(m_path.constData(), W_OK) != 0) {
            m_readOnly = true;
            return;
        }
        m_readOnly = m_immutable = setImmutable(true);
    }
    ~ReadOnlyFolder() { undo(); }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool readOnly() const { return m_readOnly; }
    void undo() {
        if (m_immutable)
            setImmutable(false);
        m_immutable = false;
        ::chmod(m_path.constData(), 0755);
    }

private:
    bool setImmutable(bool on) const {
        const int fd = ::open(m_path.constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }

    QByteArray m_path;
    bool m_readOnly = false;
    bool m_immutable = false;
};

} // namespace

TEST(ReviewStage, showsTheAnswersAndTheCodeOfTheExaminee) {
    Review r;
    r.w->headerBar->show();
    ReviewStage& f = r.start();
    EXPECT_TRUE(r.w->headerBar->isHidden());
    EXPECT_EQ(f.titleLabel->text(), QStringLiteral("Посмотреть и/или воспроизвести ответы участника с кодом 0042"));
    EXPECT_EQ(f.answer1Label->text(), QStringLiteral("Ответ на задание № 1: 12312"));
    EXPECT_EQ(f.answer4Label->text(), QStringLiteral("Ответ на задание № 4: 21043"));
    EXPECT_EQ(f.answer5Label->text(), QStringLiteral("Ответ на задание № 5: 00300"));
    EXPECT_EQ(f.answer6Label->text(), QStringLiteral("Ответ на задание № 6: 11111"));
    EXPECT_EQ(f.playCodeButton->text(), QStringLiteral("Прослушать код участника"));
    EXPECT_EQ(f.playTask2Button->text(), QStringLiteral("Прослушать ответ на задание № 2"));
    EXPECT_EQ(f.playTask3Button->text(), QStringLiteral("Прослушать ответ на задание № 3"));
    EXPECT_EQ(f.finishButton->text(), QStringLiteral("Завершить выполнение работы участником!"));
    EXPECT_FALSE(f.tickTimer->isActive());
    EXPECT_EQ(f.tickTimer->interval(), 100);
    f.awaitRecordingChecks();
    r.w->layout()->activate(); // the hidden header bar gives its room to the frame
    saveScreenshot(*r.w, QStringLiteral("ReviewStage-0042"));
}

TEST(ReviewStage, showsZerosForAnExamineeWhoChoseNothing) {
    Review r;
    r.setAnswers("00000", "00000", "00000", "00000");
    ReviewStage& f = r.start();
    EXPECT_EQ(f.answer1Label->text(), QStringLiteral("Ответ на задание № 1: 00000"));
    EXPECT_EQ(f.answer4Label->text(), QStringLiteral("Ответ на задание № 4: 00000"));
    EXPECT_EQ(f.answer5Label->text(), QStringLiteral("Ответ на задание № 5: 00000"));
    EXPECT_EQ(f.answer6Label->text(), QStringLiteral("Ответ на задание № 6: 00000"));
    r.w->layout()->activate(); // the hidden header bar gives its room to the frame
    saveScreenshot(*r.w, QStringLiteral("ReviewStage-nothing-chosen"));
}

TEST(ReviewStage, keepsTheDesignPlacesOfItsControls) {
    Review r;
    ReviewStage& f = r.start();
    EXPECT_EQ(f.playCodeButton->geometry(), QRect(352, 48, 329, 25));
    EXPECT_EQ(f.playTask2Button->geometry(), QRect(352, 112, 329, 25));
    EXPECT_EQ(f.playTask3Button->geometry(), QRect(352, 144, 329, 25));
    EXPECT_EQ(f.finishButton->geometry(), QRect(348, 310, 325, 41));
    EXPECT_EQ(f.answer1Label->pos(), QPoint(352, 80));
    EXPECT_EQ(f.answer6Label->pos(), QPoint(352, 248));
    // Anchored left and right: the design's margins of 8 and 7 pixels on the 1016-pixel window.
    EXPECT_EQ(f.titleLabel->geometry(), QRect(8, 16, StationWindow::kClientWidth - 15, 22));
    EXPECT_EQ(f.titleLabel->font().pixelSize(), 19);
    EXPECT_TRUE(f.finishButton->font().bold());
}

TEST(ReviewStage, playsEachRecordingOfTheAnswerFolderAndStopsThePreviousOne) {
    Review r;
    r.haveRecordings({"_0.ogg", "_2.ogg", "_3.ogg"});
    ReviewStage& f = r.start();
    const QString folder = r.w->workDir + QStringLiteral("/Answer_") + kTag + QStringLiteral("/0042/");
    EXPECT_EQ(QDir::cleanPath(r.recording("_2.ogg")), QDir::cleanPath(folder + QStringLiteral("0042_2.ogg")));

    f.playCodeButton->click();
    const audio::Handle codeStream = f.playbackStream;
    ASSERT_NE(codeStream, 0u);
    EXPECT_EQ(r.h.audio.channelIsActive(codeStream), audio::Playing);

    f.onPlayTask2Clicked();
    const audio::Handle task2Stream = f.playbackStream;
    ASSERT_NE(task2Stream, 0u);
    EXPECT_EQ(r.h.audio.channelIsActive(task2Stream), audio::Playing);
    // The code recording stopped at once, and its stream went back to the layer.
    EXPECT_EQ(r.h.audio.channelIsActive(codeStream), audio::Stopped);
    EXPECT_EQ(r.h.audio.freedStreams, std::vector<audio::Handle>{codeStream});

    f.onPlayTask3Clicked();
    f.onPlayTask3Clicked(); // again: the same recording from its start, on a fresh stream
    EXPECT_EQ(r.h.audio.createdPaths, QStringList({r.recording("_0.ogg"), r.recording("_2.ogg"), r.recording("_3.ogg"),
                                                   r.recording("_3.ogg")}));
    EXPECT_EQ(r.h.audio.freedStreams.size(), 3u);
    EXPECT_EQ(r.h.audio.channelIsActive(f.playbackStream), audio::Playing);
    EXPECT_TRUE(r.h.dialogs.shown.isEmpty());
}

TEST(ReviewStage, playsNothingForAMissingTask3RecordingWhileTheOtherButtonsWork) {
    Review r;
    r.haveRecordings({"_0.ogg", "_2.ogg"});
    ReviewStage& f = r.start();
    f.onPlayTask2Clicked();
    const audio::Handle task2Stream = f.playbackStream;
    f.onPlayTask3Clicked();
    EXPECT_EQ(f.playbackStream, 0u);
    EXPECT_EQ(r.h.audio.channelIsActive(task2Stream), audio::Stopped); // the click still stopped task 2
    EXPECT_TRUE(r.h.dialogs.shown.isEmpty());

    f.onPlayCodeClicked();
    EXPECT_NE(f.playbackStream, 0u);
    EXPECT_EQ(r.h.audio.channelIsActive(f.playbackStream), audio::Playing);
    f.onPlayTask2Clicked();
    EXPECT_EQ(r.h.audio.channelIsActive(f.playbackStream), audio::Playing);
    EXPECT_TRUE(r.h.dialogs.shown.isEmpty());
}

TEST(ReviewStage, freesItsStreamWhenTheReviewEnds) {
    Review r;
    r.haveRecordings({"_0.ogg"});
    ReviewStage& f = r.start();
    f.onPlayCodeClicked();
    const audio::Handle stream = f.playbackStream;
    r.w->startStage(StageCode::Finish);
    EXPECT_EQ(r.h.audio.freedStreams, std::vector<audio::Handle>{stream});
}

TEST(ReviewStage, writesTheWorkedExampleAnswersFileByteForByte) {
    Review r;
    ReviewStage& f = r.start();
    f.onFinishClicked();
    const QByteArray bytes = r.answersBytes();
    EXPECT_EQ(bytes.size(), 247);
    EXPECT_TRUE(bytes.endsWith(QByteArray("\x08\x06\x05"
                                          "11111"
                                          "\x00\x00",
                                          10)));
    EXPECT_EQ(bytes.toHex(' ').toStdString(),
              reviewAnswersFile({"12312", "", "", "21043", "00300", "11111"}).toHex(' ').toStdString());
    EXPECT_EQ(QDir::cleanPath(r.answersFile()),
              QDir::cleanPath(r.w->workDir + QStringLiteral("/Answer_") + kTag + QStringLiteral("/0042/0042_0.ans")));
    // Nothing is left beside it, and with every recording whole nothing was asked.
    EXPECT_EQ(r.answersFiles(), QStringList{QStringLiteral("0042_0.ans")});
    EXPECT_TRUE(r.h.dialogs.shown.isEmpty());
}

TEST(ReviewStage, finishesOnlyAtTheTickAfterThePress) {
    Review r;
    ReviewStage& f = r.start();
    f.finishButton->click();
    EXPECT_EQ(r.w->currentStage.data(), &f); // never switches inside the click
    EXPECT_TRUE(f.tickTimer->isActive());
    tick(&f);
    EXPECT_NE(qobject_cast<FinishStage*>(r.w->currentStage.data()), nullptr);
}

TEST(ReviewStage, stopsPlaybackBeforeWritingTheAnswersFile) {
    Review r;
    r.haveRecordings({"_2.ogg"});
    ReviewStage& f = r.start();
    f.onPlayTask2Clicked();
    const audio::Handle stream = f.playbackStream;
    const int stopsBefore = r.h.audio.callCount(QStringLiteral("channelStop"));
    f.onFinishClicked();
    EXPECT_EQ(r.h.audio.callCount(QStringLiteral("channelStop")), stopsBefore + 1);
    EXPECT_EQ(r.h.audio.channelIsActive(stream), audio::Stopped);
    EXPECT_EQ(f.playbackStream, 0u);
    EXPECT_EQ(r.answersBytes().size(), 247);
}

TEST(ReviewStage, stopsPlaybackEvenWhenTheAnswersFileCannotBeWritten) {
    Review r;
    r.haveRecordings({"_2.ogg"});
    ReviewStage& f = r.start();
    f.onPlayTask2Clicked();
    const audio::Handle stream = f.playbackStream;
    f.awaitRecordingChecks(); // checked while they were there
    r.removeWorkDir();
    f.onFinishClicked();
    EXPECT_EQ(r.h.audio.channelIsActive(stream), audio::Stopped);
    ASSERT_EQ(r.h.dialogs.shown.size(), 1);
    EXPECT_TRUE(r.h.dialogs.shown[0].startsWith(QStringLiteral("error: ")));
}

TEST(ReviewStage, reportsAFailedWriteKeepsThePreviousFileAndSwitchesOnceAfterASuccess) {
    Review r;
    ReviewStage& f = r.start();
    f.onFinishClicked(); // a first, good file
    const QByteArray first = r.answersBytes();
    ASSERT_EQ(first.size(), 247);
    f.tickTimer->stop();

    // The disk fills up (a file may grow to 100 bytes only): the next write fails and must
    // not damage the file. Root is bound by this limit too, unlike by file permissions.
    r.setAnswers("33333", "33333", "33333", "33333");
    {
        const FileSizeLimit diskFull(100);
        f.onFinishClicked();
    }
    ASSERT_EQ(r.h.dialogs.shown.size(), 1);
    EXPECT_TRUE(r.h.dialogs.shown[0].startsWith(QStringLiteral("error: ")));
    EXPECT_TRUE(r.h.dialogs.shown[0].contains(QStringLiteral("0042_0.ans")));
    EXPECT_FALSE(f.tickTimer->isActive());
    EXPECT_EQ(r.answersBytes(), first);
    EXPECT_EQ(r.answersFiles().size(), 1);

    f.onFinishClicked();
    f.onFinishClicked(); // pressed twice before the tick: written twice, switched once
    EXPECT_EQ(r.h.dialogs.shown.size(), 1);
    EXPECT_EQ(r.answersBytes(), reviewAnswersFile({"33333", "", "", "33333", "33333", "33333"}));
    tick(&f, 2);
    auto* finish = qobject_cast<FinishStage*>(r.w->currentStage.data());
    ASSERT_NE(finish, nullptr);
    EXPECT_FALSE(finish->tickTimer->isActive());
}

TEST(ReviewStage, reportsAVanishedWorkingFolderAndWritesOnceItIsBack) {
    Review r;
    ReviewStage& f = r.start();
    f.awaitRecordingChecks(); // checked while they were there
    r.removeWorkDir();
    f.onFinishClicked();
    // The folder that cannot be made, and why; then what the organiser can do.
    const QString stationFolder = QDir::cleanPath(r.w->folders().stationFolder());
    ASSERT_EQ(r.h.dialogs.shown.size(), 1);
    EXPECT_TRUE(r.h.dialogs.shown[0].startsWith(QStringLiteral("error: Не удаётся создать папку «") + stationFolder +
                                                QStringLiteral("»: файл или папка не найдены\n\n")))
        << r.h.dialogs.shown[0].toStdString();
    EXPECT_TRUE(
        r.h.dialogs.shown[0].contains(QStringLiteral("нажмите «Завершить выполнение работы участником!» ещё раз")));
    EXPECT_FALSE(f.tickTimer->isActive());
    EXPECT_FALSE(f.continueWithoutAnswersButton->isHidden());

    r.restoreWorkDir(); // the stick is back: station and answer folders are made again
    f.onFinishClicked();
    EXPECT_EQ(r.h.dialogs.shown.size(), 1);
    EXPECT_EQ(r.answersBytes().size(), 247);
    EXPECT_TRUE(f.tickTimer->isActive());
    EXPECT_TRUE(f.continueWithoutAnswersButton->isHidden());
}

TEST(ReviewStage, makesAVanishedAnswerFolderAgainWithoutAsking) {
    Review r;
    ReviewStage& f = r.start();
    f.awaitRecordingChecks();
    ASSERT_TRUE(QDir(r.w->folders().answerFolder()).removeRecursively());
    f.onFinishClicked();
    EXPECT_TRUE(r.h.dialogs.shown.isEmpty());
    EXPECT_EQ(r.answersBytes().size(), 247);
    EXPECT_TRUE(f.tickTimer->isActive());
}

TEST(ReviewStage, reportsAReadOnlyAnswerFolderKeepsTheFileThereAndWritesOnceItIsWritable) {
    Review r;
    ReviewStage& f = r.start();
    f.onFinishClicked(); // a first, good file
    const QByteArray first = r.answersBytes();
    ASSERT_EQ(first.size(), 247);
    f.tickTimer->stop();

    r.setAnswers("33333", "33333", "33333", "33333");
    ReadOnlyFolder readOnly(r.w->folders().answerFolder());
    if (!readOnly.readOnly())
        GTEST_SKIP() << "this file system lets every process write";
    f.onFinishClicked();
    ASSERT_EQ(r.h.dialogs.shown.size(), 1);
    EXPECT_TRUE(r.h.dialogs.shown[0].startsWith(QStringLiteral("error: Не удаётся создать файл «") + r.answersFile() +
                                                QStringLiteral("»: нет доступа\n\n")))
        << r.h.dialogs.shown[0].toStdString();
    EXPECT_FALSE(f.tickTimer->isActive());
    EXPECT_EQ(r.answersBytes(), first);

    readOnly.undo(); // the organiser fixes the folder and presses again
    f.onFinishClicked();
    EXPECT_EQ(r.h.dialogs.shown.size(), 1);
    EXPECT_EQ(r.answersBytes(), reviewAnswersFile({"33333", "", "", "33333", "33333", "33333"}));
    EXPECT_EQ(r.answersFiles().size(), 1);
    EXPECT_TRUE(f.tickTimer->isActive());
}

TEST(ReviewStage, goesOnWithoutTheAnswersFileOnlyAfterTheOrganiserConfirms) {
    Review r;
    ReviewStage& f = r.start();
    EXPECT_TRUE(f.continueWithoutAnswersButton->isHidden()); // only once a write has failed
    f.awaitRecordingChecks();                                // checked while they were there
    r.removeWorkDir();
    f.onFinishClicked();
    ASSERT_FALSE(f.continueWithoutAnswersButton->isHidden());
    EXPECT_EQ(f.continueWithoutAnswersButton->text(), QStringLiteral("Продолжить без файла ответов"));

    f.continueWithoutAnswersButton->click(); // "Нет": stays
    EXPECT_FALSE(f.tickTimer->isActive());
    ASSERT_EQ(r.h.dialogs.shown.size(), 2);
    // The question says why and shows the answers to copy by hand.
    const QString question = r.h.dialogs.shown[1];
    EXPECT_TRUE(question.startsWith(QStringLiteral("confirm: Файл ответов не записан:\nНе удаётся создать папку «")))
        << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("Ответ на задание № 1: 12312\nОтвет на задание № 4: 21043\n"
                                                 "Ответ на задание № 5: 00300\nОтвет на задание № 6: 11111")));
    EXPECT_TRUE(question.endsWith(QStringLiteral("Перейти к завершению без файла ответов?")));

    r.h.dialogs.confirmAnswers = {true};
    f.onContinueWithoutAnswersClicked();
    EXPECT_EQ(r.w->currentStage.data(), &f); // never switches inside the click
    EXPECT_TRUE(f.tickTimer->isActive());
    tick(&f);
    EXPECT_NE(qobject_cast<FinishStage*>(r.w->currentStage.data()), nullptr);
    EXPECT_FALSE(QFile::exists(r.answersFile()));
}

TEST(ReviewStage, showsWhatEachRecordingHoldsBesideItsButton) {
    Review r;
    r.writeRecording("_2.ogg", 12.4);
    QFile::remove(r.recording("_3.ogg"));
    ReviewStage& f = r.start();
    f.awaitRecordingChecks();
    EXPECT_EQ(f.codeRecordingLabel->text(), QStringLiteral("1 сек."));
    EXPECT_EQ(f.task2RecordingLabel->text(), QStringLiteral("12 сек."));
    EXPECT_EQ(f.task3RecordingLabel->text(), QStringLiteral("нет записи"));
    EXPECT_EQ(f.codeRecordingLabel->accessibleName(), QStringLiteral("Запись кода участника: 1 сек."));
    EXPECT_EQ(f.task2RecordingLabel->accessibleName(), QStringLiteral("Запись ответа на задание № 2: 12 сек."));
    EXPECT_EQ(f.task3RecordingLabel->accessibleName(), QStringLiteral("Запись ответа на задание № 3: нет записи"));
    EXPECT_EQ(f.task3RecordingLabel->palette().color(QPalette::WindowText), VerdictMark::kRed);
    EXPECT_NE(f.task2RecordingLabel->palette().color(QPalette::WindowText), VerdictMark::kRed);
    // Beside its button, in the font of the answers.
    EXPECT_EQ(f.task2RecordingLabel->geometry(), QRect(689, 112, 320, 25));
    EXPECT_EQ(f.codeRecordingLabel->y(), f.playCodeButton->y());
    EXPECT_EQ(f.task3RecordingLabel->y(), f.playTask3Button->y());
    EXPECT_EQ(f.task3RecordingLabel->font(), f.answer1Label->font());
    r.w->layout()->activate();
    saveScreenshot(*r.w, QStringLiteral("ReviewStage-task3-missing"));
}

TEST(ReviewStage, tellsAnEmptyRecordingFromABrokenOneAndFromOneCutShort) {
    Review r;
    r.writeBytes("_0.ogg", QByteArray()); // the encoder never wrote a byte
    r.writeBytes("_2.ogg", QByteArray("OggS and nothing of a stream"));
    r.writeRecording("_3.ogg", 12.0);
    QFile task3(r.recording("_3.ogg"));
    ASSERT_TRUE(task3.open(QIODevice::ReadWrite));
    ASSERT_TRUE(task3.resize(task3.size() / 2)); // the encoder died half-way
    task3.close();
    ReviewStage& f = r.start();
    f.awaitRecordingChecks();
    EXPECT_EQ(f.codeRecordingLabel->text(), QStringLiteral("нет записи"));
    EXPECT_EQ(f.task2RecordingLabel->text(), QStringLiteral("запись повреждена"));
    const double plays = f.recordingChecks()[2].seconds;
    EXPECT_GT(plays, 3.0);
    EXPECT_LT(plays, 11.0);
    EXPECT_EQ(f.task3RecordingLabel->text(),
              QStringLiteral("%1 сек., запись оборвана").arg(static_cast<int>(std::lround(plays))));
}

TEST(ReviewStage, asksBeforeFinishingWithARecordingMissingOrBroken) {
    Review r;
    r.writeRecording("_0.ogg", 1.0, 10); // an unplugged microphone's hiss, -70 dBFS
    r.writeBytes("_2.ogg", QByteArray("OggS and nothing of a stream"));
    QFile::remove(r.recording("_3.ogg"));
    r.writeRecording("_3_interrupted.ogg", 2.0); // the first attempt of a resumed examinee
    ReviewStage& f = r.start();
    f.awaitRecordingChecks();
    EXPECT_EQ(f.codeRecordingLabel->text(), QStringLiteral("1 сек., тишина"));
    EXPECT_EQ(f.codeRecordingLabel->palette().color(QPalette::WindowText), VerdictMark::kRed);
    EXPECT_EQ(f.task3RecordingLabel->text(), QStringLiteral("нет записи (и прерванная запись)"));
    r.w->layout()->activate();
    saveScreenshot(*r.w, QStringLiteral("ReviewStage-silent-and-interrupted"));
    f.onFinishClicked(); // "Нет": nothing written, the review stays
    ASSERT_EQ(r.h.dialogs.shown.size(), 1);
    EXPECT_EQ(r.h.dialogs.shown[0], QStringLiteral("confirm: Не все записи участника можно прослушать полностью:\n"
                                                   "— код участника: в записи тишина (1 сек.), микрофон ничего не "
                                                   "услышал\n"
                                                   "— ответ на задание № 2: запись повреждена\n"
                                                   "— ответ на задание № 3: нет записи\n"
                                                   "Всё равно завершить выполнение работы участником?"));
    EXPECT_FALSE(QFile::exists(r.answersFile()));
    EXPECT_FALSE(f.tickTimer->isActive());

    r.h.dialogs.confirmAnswers = {true};
    f.onFinishClicked();
    EXPECT_EQ(r.h.dialogs.shown.size(), 2);
    EXPECT_EQ(r.answersBytes().size(), 247);
    EXPECT_TRUE(f.tickTimer->isActive());
    f.onFinishClicked(); // once confirmed, a second press does not ask again
    EXPECT_EQ(r.h.dialogs.shown.size(), 2);
}
