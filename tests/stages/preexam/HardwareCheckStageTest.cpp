#include "stages/preexam/HardwareCheckStage.h"
#include "stages/preexam/PreExamStages.h"

#include "main/StationWindow.h"
#include "widgets/PictureBox.h"
#include "stages/StageTable.h"
#include "stages/preexam/InstructionStage.h"
#include "stages/preexam/KitTextViewer.h"
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
        frame().Button4Click();
        frame().Button7Click();
    }
    void numbers(const QString& school, const QString& aud, const QString& comp) {
        frame().edtStationCode->setText(school);
        frame().edtAudCode->setText(aud);
        frame().edtCompCode->setText(comp);
        frame().Action1Update();
    }
    bool canContinue() { return frame().Button1->isEnabled(); }
    QString leave() {
        frame().Button1->click();
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
    EXPECT_FALSE(f.RecTestOK);
    EXPECT_FALSE(f.TextTestOK);
    EXPECT_FALSE(f.Button1->isEnabled());
    EXPECT_FALSE(f.Action1->isEnabled());
    EXPECT_EQ(t.main().kitSubjectId, "3");
    EXPECT_EQ(t.main().kitExamDate, "25.05.2019");
    EXPECT_EQ(f.lblSubj->text(), QStringLiteral("Станция для проведения ЗУНТ по:\n\rАнглийский язык"));
    EXPECT_EQ(f.btnRecTest->text(), "Проверить качество записи");
    EXPECT_TRUE(f.btnRecTest->isEnabled());
    EXPECT_EQ(f.btnTestRTF->text(), "Проверить отображение текста заданий");
    EXPECT_EQ(f.Button1->text(), "Завершить проверку оборудования и приступить к выполнению работы");
    EXPECT_EQ(f.Action1->text(), "Завершить проверку оборудования и приступить к приему экзамена");
    EXPECT_EQ(f.Button6->text(), "Выйти из программы");
    EXPECT_EQ(f.Panel1->text(), "Настройка оборудования должна быть проведена стандартными средствами Windows");
    for (QWidget* hidden :
         std::initializer_list<QWidget*>{f.lblTestREC, f.lblTestRTF, f.pnlTestREC, f.pnlTestRTF, f.imgMic, f.imgSpeak})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    EXPECT_EQ(f.tickTimer->interval(), 100);
    EXPECT_FALSE(f.tickTimer->isActive());
    saveScreenshot(t.main(), QStringLiteral("HardwareCheckStage-idle"));
}

TEST(HardwareCheckStage, recordingCheckRecordsPlaysBackAndTakesTheVerdict) {
    HardwareTest t;
    HardwareCheckStage& f = t.frame();
    f.btnRecTest->click();
    EXPECT_NE(t.main().recorder().RecChannel, 0u);
    EXPECT_EQ(t.h.audio.encodedFiles, QStringList{t.testOgg()});
    EXPECT_EQ(f.btnRecTest->text(), "Завершить запись и воспроизвести");
    EXPECT_TRUE(f.imgMic->isVisible());
    EXPECT_FALSE(f.imgSpeak->isVisible());
    saveScreenshot(t.main(), QStringLiteral("HardwareCheckStage-recording"));

    f.btnRecTest->click();
    EXPECT_EQ(t.main().recorder().RecChannel, 0u);
    const audio::Handle playback = t.main().recorder().PlayStream;
    ASSERT_NE(playback, 0u);
    EXPECT_EQ(t.h.audio.channelIsActive(playback), audio::Playing);
    EXPECT_EQ(f.btnRecTest->text(), "Проверить качество записи");
    EXPECT_FALSE(f.btnRecTest->isEnabled());
    EXPECT_TRUE(f.pnlTestREC->isVisible());
    EXPECT_EQ(f.Label2->text(), "Качество записи и воспроизведения устраивает?");
    EXPECT_TRUE(f.imgSpeak->isVisible());
    EXPECT_FALSE(f.imgMic->isVisible());
    saveScreenshot(t.main(), QStringLiteral("HardwareCheckStage-awaiting-verdict"));

    f.Button5->click(); // "Нет"
    EXPECT_FALSE(f.RecTestOK);
    EXPECT_EQ(t.h.audio.channelIsActive(playback), audio::Stopped);
    EXPECT_TRUE(f.btnRecTest->isEnabled());
    EXPECT_TRUE(f.pnlTestREC->isHidden());
    EXPECT_TRUE(f.imgSpeak->isHidden());
    EXPECT_TRUE(f.lblTestREC->isVisible());
    EXPECT_EQ(f.lblTestREC->text(), "X");
    EXPECT_EQ(f.lblTestREC->colour(), QColor(255, 0, 0));
    saveScreenshot(t.main(), QStringLiteral("HardwareCheckStage-recording-rejected"));

    f.btnRecTest->click(); // a third press hides the mark and records over the same file
    EXPECT_TRUE(f.lblTestREC->isHidden());
    EXPECT_EQ(t.h.audio.encodedFiles, QStringList({t.testOgg(), t.testOgg()}));
    f.btnRecTest->click();
    f.Button4->click(); // "Да"
    EXPECT_TRUE(f.RecTestOK);
    EXPECT_EQ(f.lblTestREC->text(), "V");
    EXPECT_EQ(f.lblTestREC->colour(), QColor(0, 0x80, 0));
    EXPECT_TRUE(f.imgMic->isHidden());
    EXPECT_TRUE(f.imgSpeak->isHidden());

    f.btnRecTest->click(); // a new recording clears the confirmed verdict
    EXPECT_FALSE(f.RecTestOK);
    EXPECT_TRUE(f.lblTestREC->isHidden());
}

TEST(HardwareCheckStage, refusesTheTestRecordingWithoutAnAudioDevice) {
    HardwareTest t;
    t.main().audioReady = false;
    t.frame().btnRecTest->click();
    EXPECT_EQ(t.h.dialogs.shown, QStringList{"audioError: Нет готового устройства аудио-записи"});
    EXPECT_EQ(t.h.audio.callCount("recordStart"), 0);
    EXPECT_TRUE(t.frame().imgMic->isHidden());
    EXPECT_EQ(t.frame().btnRecTest->text(), "Проверить качество записи");
    EXPECT_FALSE(t.frame().RecTestOK);
}

TEST(HardwareCheckStage, aRecordingThatFailsToStartIsTriedAgainOnTheNextPress) {
    HardwareTest t;
    t.h.audio.recordStartFails = true;
    t.frame().btnRecTest->click();
    EXPECT_EQ(t.h.dialogs.shown.size(), 1);
    EXPECT_TRUE(t.h.dialogs.shown.front().startsWith("audioError: "));
    EXPECT_EQ(t.frame().btnRecTest->text(), "Завершить запись и воспроизвести");
    t.frame().btnRecTest->click();
    EXPECT_EQ(t.h.audio.callCount("recordStart"), 2);
    EXPECT_TRUE(t.frame().pnlTestREC->isHidden());
}

TEST(HardwareCheckStage, textCheckShowsTheKitTextWindowThenAsks) {
    HardwareTest t;
    HardwareCheckStage& f = t.frame();
    bool panelShownWhileViewing = true;
    t.h.dialogs.onModal = [&](QDialog& window) {
        panelShownWhileViewing = f.pnlTestRTF->isVisible();
        EXPECT_EQ(&window, t.main().kitTextViewer);
        return QDialog::Accepted;
    };
    f.btnTestRTF->click();
    EXPECT_EQ(t.h.dialogs.shown, QStringList{"modal: KitTextViewer"});
    EXPECT_FALSE(panelShownWhileViewing);
    EXPECT_TRUE(f.pnlTestRTF->isVisible());
    EXPECT_TRUE(f.btnTestRTF->isEnabled());
    EXPECT_EQ(f.Label6->text(), "Качество отображения текста заданий устраивает?");

    f.Button8->click(); // "Нет"
    EXPECT_FALSE(f.TextTestOK);
    EXPECT_EQ(f.lblTestRTF->text(), "X");
    EXPECT_EQ(f.lblTestRTF->colour(), QColor(255, 0, 0));
    EXPECT_TRUE(f.pnlTestRTF->isHidden());

    f.btnTestRTF->click();
    f.Button7->click(); // "Да"
    EXPECT_TRUE(f.TextTestOK);
    EXPECT_EQ(f.lblTestRTF->text(), "V");
    EXPECT_EQ(f.lblTestRTF->colour(), QColor(0, 0x80, 0));
}

TEST(HardwareCheckStage, continueStaysDisabledUntilTheRejectedTextCheckIsConfirmed) {
    HardwareTest t;
    t.numbers("123", "7", "2");
    t.frame().Button4Click();
    t.frame().Button8Click();
    EXPECT_FALSE(t.canContinue());
    saveScreenshot(t.main(), QStringLiteral("HardwareCheckStage-text-rejected"));
    t.frame().Button7Click();
    EXPECT_TRUE(t.canContinue());
    saveScreenshot(t.main(), QStringLiteral("HardwareCheckStage-both-confirmed"));
    t.frame().Button5Click();
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
    stagestest::typeText(t.frame().edtStationCode, "12");
    stagestest::typeText(t.frame().edtAudCode, "3");
    EXPECT_FALSE(t.canContinue());
    stagestest::typeText(t.frame().edtCompCode, "0");
    EXPECT_FALSE(t.canContinue());
    stagestest::pressBackspace(t.frame().edtCompCode);
    stagestest::typeText(t.frame().edtCompCode, "4");
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
    t.frame().Button1->click();
    t.frame().edtCompCode->clear();
    tick(&t.frame());
    EXPECT_NE(qobject_cast<HardwareCheckStage*>(t.main().currentStage.data()), nullptr);
    EXPECT_TRUE(t.main().stationTag.isEmpty());
    EXPECT_FALSE(t.frame().tickTimer->isActive());
}

TEST(HardwareCheckStage, numberFieldsTakeOnlyDigitsUpToTheirLength) {
    HardwareTest t;
    HardwareCheckStage& f = t.frame();
    EXPECT_EQ(f.edtStationCode->maxLength(), 6);
    EXPECT_EQ(f.edtAudCode->maxLength(), 4);
    EXPECT_EQ(f.edtCompCode->maxLength(), 1);
    for (QLineEdit* edit : {f.edtStationCode, f.edtAudCode, f.edtCompCode}) {
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
    f.edtStationCodeKeyPress(key);
    EXPECT_TRUE(key.isNull());
    key = QLatin1Char('5');
    f.edtAudCodeKeyPress(key);
    EXPECT_EQ(key, QLatin1Char('5'));
    key = QChar(8);
    f.edtCompCodeKeyPress(key);
    EXPECT_EQ(key, QChar(8));
}

TEST(HardwareCheckStage, exitButtonStopsTheProgramAtAnyTime) {
    for (int presses = 0; presses < 3; ++presses) {
        HardwareTest t;
        for (int i = 0; i < presses; ++i)
            t.frame().btnRecTest->click(); // idle, recording, awaiting the verdict
        t.frame().Button6->click();
        EXPECT_TRUE(t.main().canExit) << presses;
        EXPECT_FALSE(t.main().isVisible()) << presses;
        EXPECT_TRUE(t.h.dialogs.shown.isEmpty()) << presses;
    }
}

TEST(HardwareCheckStage, keepsItsControlsInPlaceAndNamedForScreenReaders) {
    HardwareTest t;
    HardwareCheckStage& f = t.frame();
    EXPECT_EQ(f.geometry(), QRect(0, 0, 1016, 713));
    EXPECT_EQ(f.Panel1->geometry().width(), 1016);
    EXPECT_EQ(f.Button1->geometry().bottom(), 713 - 17);
    EXPECT_EQ(f.Button1->geometry().width(), 1016 - 32);
    EXPECT_EQ(f.Button6->geometry().right(), 1016 - 17);
    for (QLineEdit* edit : {f.edtStationCode, f.edtAudCode, f.edtCompCode})
        EXPECT_FALSE(edit->accessibleName().isEmpty());
    EXPECT_EQ(f.Label3->buddy(), f.edtStationCode);
    EXPECT_EQ(f.Label4->buddy(), f.edtAudCode);
    EXPECT_EQ(f.Label5->buddy(), f.edtCompCode);
    for (PictureBox* picture : {f.imgMic, f.imgSpeak}) {
        EXPECT_TRUE(picture->isValid());
        EXPECT_EQ(picture->pictureSize(), QSize(256, 256));
        EXPECT_EQ(picture->pictureRect().center(), picture->rect().center());
        EXPECT_FALSE(picture->accessibleName().isEmpty());
        EXPECT_TRUE(picture->testAttribute(Qt::WA_TransparentForMouseEvents));
    }
}
