#include "stages/preexam/HardwareCheckStage.h"
#include "stages/preexam/PreExamStages.h"

#include "main/StationWindow.h"
#include "widgets/PictureBox.h"
#include "stages/StageTable.h"
#include "stages/preexam/InstructionStage.h"
#include "stages/preexam/KitTextViewer.h"
#include "station/Version.h"
#include "widgets/VerdictMark.h"
#include "support/Screenshot.h"
#include "support/StagesKeyboard.h"
#include "support/StagesKit.h"
#include "support/StationHarness.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A station at its first stage, with a kit of three variants and working audio.
struct HardwareTest {
    HardwareTest() {
        stages::registerPreExamStages(h.stages);
        StationWindow& w = h.createWindow();
        using stagestest::KitRow;
        w.complects = stagestest::makeKit(
            {KitRow::variant(1, QStringLiteral("Вариант 1"), QStringLiteral("01.01.2000")), KitRow::variant(0),
             KitRow::variant(2, QStringLiteral("Вариант 2"), QStringLiteral("02.02.2000"))});
        w.selectVariant(0);
        w.audioReady = true;
        stages::createStationWindows(w);
        w.show();
        w.startStage(StageCode::HardwareCheck);
        QApplication::processEvents();
        h.audio.streamSeconds.insert(testOgg(), 3.0);
    }
    StationWindow& main() { return *h.window; }
    HardwareCheckStage& frame() { return *qobject_cast<HardwareCheckStage*>(h.window->currentStage.data()); }
    QString testOgg() const { return QDir(h.workDir.path()).filePath(QStringLiteral("test.ogg")); }

    void bothChecksConfirmed() {
        frame().onRecordingYesClicked();
        frame().onTextYesClicked();
    }
    void numbers(const QString& school, const QString& aud, const QString& comp) {
        frame().schoolNumberEdit->setText(school);
        frame().auditoriumNumberEdit->setText(aud);
        frame().stationNumberEdit->setText(comp);
        frame().updateContinueEnabled();
    }
    bool canContinue() { return frame().continueButton->isEnabled(); }
    QString leave() {
        frame().continueButton->click();
        EXPECT_TRUE(frame().tickTimer->isActive());
        tick(&frame());
        return main().stationTag;
    }

    StationHarness h;
};

} // namespace

TEST(HardwareCheckStage, startsIdleWithTheHeaderHiddenAndTheKitSubjectShown) {
    HardwareTest t;
    HardwareCheckStage& f = t.frame();
    EXPECT_TRUE(t.main().headerBar->isHidden());
    EXPECT_FALSE(f.recordingCheckOk);
    EXPECT_FALSE(f.textCheckOk);
    EXPECT_FALSE(f.continueButton->isEnabled());
    EXPECT_FALSE(f.continueAction->isEnabled());
    EXPECT_EQ(t.main().kitSubjectId, "3");
    EXPECT_EQ(t.main().kitExamDate, "25.05.2019");
    EXPECT_EQ(f.subjectLabel->text(), QStringLiteral("Станция для проведения ЗУНТ по:\n\rАнглийский язык"));
    EXPECT_EQ(f.recordingCheckButton->text(), "Проверить качество записи");
    EXPECT_TRUE(f.recordingCheckButton->isEnabled());
    EXPECT_EQ(f.textCheckButton->text(), "Проверить отображение текста заданий");
    EXPECT_EQ(f.continueButton->text(), "Завершить проверку оборудования и приступить к выполнению работы");
    EXPECT_EQ(f.continueAction->text(), "Завершить проверку оборудования и приступить к приему экзамена");
    EXPECT_EQ(f.exitButton->text(), "Выйти из программы");
    EXPECT_EQ(f.setupNoticeBar->text(),
              "Настройка оборудования должна быть проведена стандартными средствами операционной системы");
    EXPECT_EQ(f.versionLabel->text(), QStringLiteral("версия ") + QLatin1String(kStationVersion));
    EXPECT_TRUE(f.rect().contains(f.versionLabel->geometry())); // in the frame, below the continue button
    EXPECT_GE(f.versionLabel->geometry().top(), f.continueButton->geometry().bottom());
    for (QWidget* hidden :
         std::initializer_list<QWidget*>{f.recordingCheckMark, f.textCheckMark, f.recordingQuestionPanel,
                                         f.textQuestionPanel, f.microphonePicture, f.loudspeakerPicture})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    EXPECT_EQ(f.tickTimer->interval(), 100);
    EXPECT_FALSE(f.tickTimer->isActive());
    saveScreenshot(t.main(), QStringLiteral("HardwareCheckStage-idle"));
}

TEST(HardwareCheckStage, recordingCheckRecordsPlaysBackAndTakesTheVerdict) {
    HardwareTest t;
    HardwareCheckStage& f = t.frame();
    f.recordingCheckButton->click();
    EXPECT_NE(t.main().recorder().RecChannel, 0u);
    EXPECT_EQ(t.h.audio.encodedFiles, QStringList{t.testOgg()});
    EXPECT_EQ(f.recordingCheckButton->text(), "Завершить запись и воспроизвести");
    EXPECT_TRUE(f.microphonePicture->isVisible());
    EXPECT_FALSE(f.loudspeakerPicture->isVisible());
    saveScreenshot(t.main(), QStringLiteral("HardwareCheckStage-recording"));

    f.recordingCheckButton->click();
    EXPECT_EQ(t.main().recorder().RecChannel, 0u);
    const audio::Handle playback = t.main().recorder().PlayStream;
    ASSERT_NE(playback, 0u);
    EXPECT_EQ(t.h.audio.channelIsActive(playback), audio::Playing);
    EXPECT_EQ(f.recordingCheckButton->text(), "Проверить качество записи");
    EXPECT_FALSE(f.recordingCheckButton->isEnabled());
    EXPECT_TRUE(f.recordingQuestionPanel->isVisible());
    EXPECT_EQ(f.recordingQuestionLabel->text(), "Качество записи и воспроизведения устраивает?");
    EXPECT_TRUE(f.loudspeakerPicture->isVisible());
    EXPECT_FALSE(f.microphonePicture->isVisible());
    saveScreenshot(t.main(), QStringLiteral("HardwareCheckStage-awaiting-verdict"));

    f.recordingNoButton->click(); // "Нет"
    EXPECT_FALSE(f.recordingCheckOk);
    EXPECT_EQ(t.h.audio.channelIsActive(playback), audio::Stopped);
    EXPECT_TRUE(f.recordingCheckButton->isEnabled());
    EXPECT_TRUE(f.recordingQuestionPanel->isHidden());
    EXPECT_TRUE(f.loudspeakerPicture->isHidden());
    EXPECT_TRUE(f.recordingCheckMark->isVisible());
    EXPECT_EQ(f.recordingCheckMark->text(), "X");
    EXPECT_EQ(f.recordingCheckMark->colour(), QColor(255, 0, 0));
    saveScreenshot(t.main(), QStringLiteral("HardwareCheckStage-recording-rejected"));

    f.recordingCheckButton->click(); // a third press hides the mark and records over the same file
    EXPECT_TRUE(f.recordingCheckMark->isHidden());
    EXPECT_EQ(t.h.audio.encodedFiles, QStringList({t.testOgg(), t.testOgg()}));
    f.recordingCheckButton->click();
    f.recordingYesButton->click(); // "Да"
    EXPECT_TRUE(f.recordingCheckOk);
    EXPECT_EQ(f.recordingCheckMark->text(), "V");
    EXPECT_EQ(f.recordingCheckMark->colour(), QColor(0, 0x80, 0));
    EXPECT_TRUE(f.microphonePicture->isHidden());
    EXPECT_TRUE(f.loudspeakerPicture->isHidden());

    f.recordingCheckButton->click(); // a new recording clears the confirmed verdict
    EXPECT_FALSE(f.recordingCheckOk);
    EXPECT_TRUE(f.recordingCheckMark->isHidden());
}

TEST(HardwareCheckStage, refusesTheTestRecordingWithoutAnAudioDevice) {
    HardwareTest t;
    t.main().audioReady = false;
    t.frame().recordingCheckButton->click();
    EXPECT_EQ(t.h.dialogs.shown, QStringList{"audioError: Нет готового устройства аудио-записи"});
    EXPECT_EQ(t.h.audio.callCount("recordStart"), 0);
    EXPECT_TRUE(t.frame().microphonePicture->isHidden());
    EXPECT_EQ(t.frame().recordingCheckButton->text(), "Проверить качество записи");
    EXPECT_FALSE(t.frame().recordingCheckOk);
}

TEST(HardwareCheckStage, aRecordingThatFailsToStartIsTriedAgainOnTheNextPress) {
    HardwareTest t;
    t.h.audio.recordStartFails = true;
    t.frame().recordingCheckButton->click();
    EXPECT_EQ(t.h.dialogs.shown.size(), 1);
    EXPECT_TRUE(t.h.dialogs.shown.front().startsWith("audioError: "));
    EXPECT_EQ(t.frame().recordingCheckButton->text(), "Завершить запись и воспроизвести");
    t.frame().recordingCheckButton->click();
    EXPECT_EQ(t.h.audio.callCount("recordStart"), 2);
    EXPECT_TRUE(t.frame().recordingQuestionPanel->isHidden());
}

TEST(HardwareCheckStage, textCheckShowsTheKitTextWindowThenAsks) {
    HardwareTest t;
    HardwareCheckStage& f = t.frame();
    bool panelShownWhileViewing = true;
    t.h.dialogs.onModal = [&](QDialog& window) {
        panelShownWhileViewing = f.textQuestionPanel->isVisible();
        EXPECT_EQ(&window, t.main().kitTextViewer);
        return QDialog::Accepted;
    };
    f.textCheckButton->click();
    EXPECT_EQ(t.h.dialogs.shown, QStringList{"modal: KitTextViewer"});
    EXPECT_FALSE(panelShownWhileViewing);
    EXPECT_TRUE(f.textQuestionPanel->isVisible());
    EXPECT_TRUE(f.textCheckButton->isEnabled());
    EXPECT_EQ(f.textQuestionLabel->text(), "Качество отображения текста заданий устраивает?");

    f.textNoButton->click(); // "Нет"
    EXPECT_FALSE(f.textCheckOk);
    EXPECT_EQ(f.textCheckMark->text(), "X");
    EXPECT_EQ(f.textCheckMark->colour(), QColor(255, 0, 0));
    EXPECT_TRUE(f.textQuestionPanel->isHidden());

    f.textCheckButton->click();
    f.textYesButton->click(); // "Да"
    EXPECT_TRUE(f.textCheckOk);
    EXPECT_EQ(f.textCheckMark->text(), "V");
    EXPECT_EQ(f.textCheckMark->colour(), QColor(0, 0x80, 0));
}

TEST(HardwareCheckStage, continueStaysDisabledUntilTheRejectedTextCheckIsConfirmed) {
    HardwareTest t;
    t.numbers("123", "7", "2");
    t.frame().onRecordingYesClicked();
    t.frame().onTextNoClicked();
    EXPECT_FALSE(t.canContinue());
    saveScreenshot(t.main(), QStringLiteral("HardwareCheckStage-text-rejected"));
    t.frame().onTextYesClicked();
    EXPECT_TRUE(t.canContinue());
    saveScreenshot(t.main(), QStringLiteral("HardwareCheckStage-both-confirmed"));
    t.frame().onRecordingNoClicked();
    EXPECT_FALSE(t.canContinue());
}

TEST(HardwareCheckStage, continueNeedsEveryNumberToBeNeitherEmptyNorTheSingleZero) {
    HardwareTest t;
    t.bothChecksConfirmed();
    t.numbers("1", "1", "1");
    EXPECT_TRUE(t.canContinue());
    const QString refused[] = {QString(), QStringLiteral("0")};
    for (const QString& bad : refused) {
        t.numbers(bad, "1", "1");
        EXPECT_FALSE(t.canContinue()) << "school " << bad.toStdString();
        t.numbers("1", bad, "1");
        EXPECT_FALSE(t.canContinue()) << "auditorium " << bad.toStdString();
        t.numbers("1", "1", bad);
        EXPECT_FALSE(t.canContinue()) << "station " << bad.toStdString();
    }
    t.numbers("00", "00", "1");
    EXPECT_TRUE(t.canContinue());
    t.numbers("000000", "0000", "9");
    EXPECT_TRUE(t.canContinue());
}

TEST(HardwareCheckStage, continueFollowsTheFieldsAsTheyAreTyped) {
    HardwareTest t;
    t.bothChecksConfirmed();
    stagestest::typeText(t.frame().schoolNumberEdit, "12");
    stagestest::typeText(t.frame().auditoriumNumberEdit, "3");
    EXPECT_FALSE(t.canContinue());
    stagestest::typeText(t.frame().stationNumberEdit, "0");
    EXPECT_FALSE(t.canContinue());
    stagestest::pressBackspace(t.frame().stationNumberEdit);
    stagestest::typeText(t.frame().stationNumberEdit, "4");
    EXPECT_TRUE(t.canContinue());
}

TEST(HardwareCheckStage, leavingComposesTheStationTagAndOpensTheInstruction) {
    HardwareTest t;
    t.bothChecksConfirmed();
    t.numbers("123", "7", "2");
    EXPECT_EQ(t.leave(), "25.05.2019_3_000123_0007_2");
    EXPECT_EQ(t.main().schoolNumber, "123");
    EXPECT_EQ(t.main().auditoriumNumber, "7");
    EXPECT_EQ(t.main().stationNumber, "2");
    EXPECT_NE(qobject_cast<InstructionStage*>(t.main().currentStage.data()), nullptr);
}

TEST(HardwareCheckStage, showsTheHeaderBarAgainBeforeTheNextStage) {
    HardwareTest t;
    bool headerShownAtNextStart = false;
    addIdleStage(t.h.stages, StageCode::Instruction, [&] { headerShownAtNextStart = t.main().headerBar->isVisible(); });
    t.bothChecksConfirmed();
    t.numbers("1", "2", "3");
    t.leave();
    EXPECT_TRUE(headerShownAtNextStart);
}

TEST(HardwareCheckStage, stationTagPadsShortNumbersAndKeepsSixDigitOnes) {
    {
        HardwareTest t;
        t.bothChecksConfirmed();
        t.numbers("00", "00", "1");
        EXPECT_EQ(t.leave(), "25.05.2019_3_000000_0000_1");
    }
    {
        HardwareTest t;
        t.bothChecksConfirmed();
        t.numbers("654321", "1234", "9");
        EXPECT_EQ(t.leave(), "25.05.2019_3_654321_1234_9");
    }
    {
        HardwareTest t;
        t.bothChecksConfirmed();
        t.numbers("5", "5", "5");
        EXPECT_EQ(t.leave(), "25.05.2019_3_000005_0005_5");
    }
}

TEST(HardwareCheckStage, unsafeKitDateNeverNamesAFolderOutsideTheWorkingFolder) {
    HardwareTest t;
    t.main().kitExamDate = QStringLiteral("../..\\x:*?");
    t.bothChecksConfirmed();
    t.numbers("1", "2", "3");
    EXPECT_EQ(t.leave(), "..-..-x---_3_000001_0002_3");
}

TEST(HardwareCheckStage, staysWhenTheFieldsChangeBetweenTheClickAndTheTick) {
    HardwareTest t;
    t.bothChecksConfirmed();
    t.numbers("1", "2", "3");
    t.frame().continueButton->click();
    t.frame().stationNumberEdit->clear();
    tick(&t.frame());
    EXPECT_NE(qobject_cast<HardwareCheckStage*>(t.main().currentStage.data()), nullptr);
    EXPECT_TRUE(t.main().stationTag.isEmpty());
    EXPECT_FALSE(t.frame().tickTimer->isActive());
}

TEST(HardwareCheckStage, numberFieldsTakeOnlyDigitsUpToTheirLength) {
    HardwareTest t;
    HardwareCheckStage& f = t.frame();
    EXPECT_EQ(f.schoolNumberEdit->maxLength(), 6);
    EXPECT_EQ(f.auditoriumNumberEdit->maxLength(), 4);
    EXPECT_EQ(f.stationNumberEdit->maxLength(), 1);
    for (QLineEdit* edit : {f.schoolNumberEdit, f.auditoriumNumberEdit, f.stationNumberEdit}) {
        stagestest::typeText(edit, "a -1");
        EXPECT_EQ(edit->text(), "1") << edit->objectName().toStdString();
        QApplication::clipboard()->setText(QStringLiteral("2x"));
        edit->paste();
        EXPECT_EQ(edit->text(), "1") << edit->objectName().toStdString();
        stagestest::pressBackspace(edit);
        EXPECT_EQ(edit->text(), "") << edit->objectName().toStdString();
        QApplication::clipboard()->setText(QStringLiteral("98765432"));
        edit->paste();
        EXPECT_EQ(edit->text(), QStringLiteral("98765432").left(edit->maxLength()));
    }
    QChar key = QLatin1Char('-');
    f.onSchoolNumberKey(key);
    EXPECT_TRUE(key.isNull());
    key = QLatin1Char('5');
    f.onAuditoriumNumberKey(key);
    EXPECT_EQ(key, QLatin1Char('5'));
    key = QChar(8);
    f.onStationNumberKey(key);
    EXPECT_EQ(key, QChar(8));
}

TEST(HardwareCheckStage, exitButtonStopsTheProgramAtAnyTimeOnceTheOrganiserSaysYes) {
    for (int presses = 0; presses < 3; ++presses) {
        HardwareTest t;
        for (int i = 0; i < presses; ++i)
            t.frame().recordingCheckButton->click(); // idle, recording, awaiting the verdict
        t.frame().exitButton->click();               // "Нет": a slip of the mouse changes nothing
        EXPECT_FALSE(t.main().canExit) << presses;
        EXPECT_TRUE(t.main().isVisible()) << presses;
        t.h.dialogs.confirmAnswers.push_back(true);
        t.frame().exitButton->click();
        EXPECT_TRUE(t.main().canExit) << presses;
        EXPECT_FALSE(t.main().isVisible()) << presses;
        EXPECT_EQ(t.h.dialogs.shown, QStringList(2, QStringLiteral("confirm: Выйти из программы?"))) << presses;
    }
}

TEST(HardwareCheckStage, keepsItsControlsInPlaceAndNamedForScreenReaders) {
    HardwareTest t;
    HardwareCheckStage& f = t.frame();
    EXPECT_EQ(f.geometry(), QRect(0, 0, 1016, 713));
    EXPECT_EQ(f.setupNoticeBar->geometry().width(), 1016);
    EXPECT_EQ(f.continueButton->geometry().bottom(), 713 - 17);
    EXPECT_EQ(f.continueButton->geometry().width(), 1016 - 32);
    EXPECT_EQ(f.exitButton->geometry().right(), 1016 - 17);
    for (QLineEdit* edit : {f.schoolNumberEdit, f.auditoriumNumberEdit, f.stationNumberEdit})
        EXPECT_FALSE(edit->accessibleName().isEmpty());
    EXPECT_EQ(f.schoolNumberLabel->buddy(), f.schoolNumberEdit);
    EXPECT_EQ(f.auditoriumNumberLabel->buddy(), f.auditoriumNumberEdit);
    EXPECT_EQ(f.stationNumberLabel->buddy(), f.stationNumberEdit);
    for (PictureBox* picture : {f.microphonePicture, f.loudspeakerPicture}) {
        EXPECT_TRUE(picture->isValid());
        EXPECT_EQ(picture->pictureSize(), QSize(256, 256));
        EXPECT_EQ(picture->pictureRect().center(), picture->rect().center());
        EXPECT_FALSE(picture->accessibleName().isEmpty());
        EXPECT_TRUE(picture->testAttribute(Qt::WA_TransparentForMouseEvents));
    }
}
