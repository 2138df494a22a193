#include "kit/StationTables.h"
#include "stages/review/ReviewStages.h"
#include "main/StageFrame.h"
#include "main/StationWindow.h"
#include "stages/StageTable.h"
#include "stages/review/FinishStage.h"
#include "stages/review/ReviewStage.h"
#include "support/ReviewAnswersFile.h"
#include "support/Screenshot.h"
#include "support/StationHarness.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString kTag = QStringLiteral("2019-05-20_12_000123_0007_2");

// A main window at the review of examinee 0042 with the answers of the worked example.
struct Review {
    StationHarness h;
    StationWindow* w = nullptr;

    explicit Review(bool createFolders = true) {
        stages::registerReviewStages(h.stages);
        w = &h.createWindow();
        w->answers = kit::makeAnswersTable();
        setAnswers("12312", "21043", "00300", "11111");
        w->stationTag = kTag;
        w->participantCode = QStringLiteral("0042");
        if (createFolders)
            w->folders().ensureExist();
        w->show();
    }

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
    // Nothing is left beside it.
    EXPECT_EQ(QDir(r.w->folders().answerFolder()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("0042_0.ans")});
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
    Review r(false); // no answer folder: the write fails
    r.haveRecordings({"_2.ogg"});
    ReviewStage& f = r.start();
    f.onPlayTask2Clicked();
    const audio::Handle stream = f.playbackStream;
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
    EXPECT_EQ(QDir(r.w->folders().answerFolder()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    f.onFinishClicked();
    f.onFinishClicked(); // pressed twice before the tick: written twice, switched once
    EXPECT_EQ(r.h.dialogs.shown.size(), 1);
    EXPECT_EQ(r.answersBytes(), reviewAnswersFile({"33333", "", "", "33333", "33333", "33333"}));
    tick(&f, 2);
    auto* finish = qobject_cast<FinishStage*>(r.w->currentStage.data());
    ASSERT_NE(finish, nullptr);
    EXPECT_FALSE(finish->tickTimer->isActive());
}

TEST(ReviewStage, reportsAMissingAnswerFolderAndStaysForAnotherTry) {
    Review r(false);
    ReviewStage& f = r.start();
    f.onFinishClicked();
    ASSERT_EQ(r.h.dialogs.shown.size(), 1);
    EXPECT_TRUE(r.h.dialogs.shown[0].contains(QStringLiteral("0042_0.ans")));
    EXPECT_FALSE(f.tickTimer->isActive());
    EXPECT_FALSE(QFile::exists(r.answersFile()));

    r.w->folders().ensureExist();
    f.onFinishClicked();
    EXPECT_EQ(r.answersBytes().size(), 247);
    EXPECT_TRUE(f.tickTimer->isActive());
}
