#include "stages/preexam/InstructionStage.h"

#include "main/DialogService.h"
#include "widgets/StageWidgets.h"
#include "main/StationWindow.h"
#include "station/StationFolders.h"
#include "station/StationTexts.h"
#include "richtext/RichView.h"
#include "widgets/DigitsOnlyValidator.h"
#include "station/ParticipantCode.h"
#include "station/ExamProgress.h"
#include "station/LogCategories.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QTimer>

const QString InstructionStage::kResumeQuestion =
    QStringLiteral("Участник с кодом %1 начинал работу на данной станции, но не завершил её.\n"
                   "Продолжить работу этого участника с %2?\n"
                   "Уже записанные ответы сохранятся.");
const QString InstructionStage::kRecoveryRunning =
    QStringLiteral("Станция восстанавливает записи, прерванные при прошлом запуске. "
                   "Подождите несколько секунд и нажмите кнопку снова.");

InstructionStage::InstructionStage(StationWindow& main)
    : StageFrame(main), instructionView(new richtext::RichView(this)), codePanel(new QFrame(this)),
      codeLabel(new QLabel(QStringLiteral("Код участника:"), codePanel)),
      codeEdit(new QLineEdit(QStringLiteral("9999"), codePanel)),
      startButton(new QPushButton(QStringLiteral("Начать выполнение работы"), codePanel)),
      stopStationButton(new QPushButton(QStringLiteral("Завершить"), codePanel)) {
    setObjectName(QStringLiteral("instructionStage"));
    tickTimer->setInterval(100);

    instructionView->setObjectName(QStringLiteral("instructionView"));
    instructionView->setAccessibleName(QStringLiteral("Инструкция"));
    instructionView->setDataSource(&main.complects);
    instructionView->setDataField(QStringLiteral("Intro"));

    codePanel->setObjectName(QStringLiteral("codePanel"));
    codePanel->setFixedHeight(kCodePanelHeight);
    codePanel->setFrameShape(QFrame::Panel);
    codePanel->setFrameShadow(QFrame::Raised);

    codeLabel->setObjectName(QStringLiteral("codeLabel"));
    codeLabel->setFont(StageWidgets::arial(27));
    codeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    codeLabel->setBuddy(codeEdit);

    codeEdit->setObjectName(QStringLiteral("codeEdit"));
    codeEdit->setFont(StageWidgets::arial(27));
    codeEdit->setMaxLength(4);
    codeEdit->setAccessibleName(QStringLiteral("Код участника"));
    new DigitsOnlyValidator(codeEdit, [this](QChar& key) { onCodeKey(key); });

    startButton->setObjectName(QStringLiteral("startButton"));
    startButton->setFont(StageWidgets::arial(17));
    startButton->setAutoDefault(false);
    startButton->setDefault(false);
    stopStationButton->setObjectName(QStringLiteral("stopStationButton"));
    stopStationButton->setFont(StageWidgets::arial(15));
    stopStationButton->setAutoDefault(false);

    StageWidgets::stackSheetOverBar(this, instructionView, codePanel);

    connect(startButton, &QPushButton::clicked, this, &InstructionStage::onStartClicked);
    connect(stopStationButton, &QPushButton::clicked, this, &InstructionStage::onStopStationClicked);
}

InstructionStage::~InstructionStage() = default;

void InstructionStage::resizeEvent(QResizeEvent* event) {
    StageFrame::resizeEvent(event);
    layoutPanel();
}

void InstructionStage::layoutPanel() {
    // The code and its button in the middle, "Завершить" at the right end.
    const int w = width();
    const int left = w / 2 - 210;
    codeLabel->setGeometry(left, 8, 240, 44);
    codeEdit->setGeometry(left + 250, 8, 100, 44);
    startButton->setGeometry(left + 40, 60, 340, 38);
    stopStationButton->setGeometry(w - 16 - 150, 60, 150, 38);
}

void InstructionStage::start() {
    mainWindow().headerBar->hide();
    codeEdit->clear();
    codeEdit->setFocus();
}

void InstructionStage::onCodeKey(QChar& key) {
    // Enter is discarded too: only startButton submits the code.
    DigitsOnlyValidator::filterKey(key);
}

ParticipantCode::Verdict InstructionStage::checkParticipantCode(const QString& code, QString& errorText) const {
    // Looks where the answers are written: the working folder's station folder.
    return ParticipantCode::check(code, mainWindow().workDir, mainWindow().stationTag, errorText);
}

void InstructionStage::onStartClicked() {
    StationWindow& main = mainWindow();
    const QString code = codeEdit->text();
    QString errorText;
    const ParticipantCode::Verdict verdict = checkParticipantCode(code, errorText);
    if (verdict == ParticipantCode::Verdict::Refused) {
        main.dialogs().message(ParticipantCode::kRefused + errorText);
        return;
    }
    const StationFolders folders(main.workDir, main.stationTag, ParticipantCode::studId(code));
    ExamProgress progress;
    if (verdict == ParticipantCode::Verdict::Interrupted &&
        !takeBackInterrupted(ParticipantCode::studId(code), folders, progress))
        return;
    // The answer folder is made now, while the organiser is at hand: a folder that cannot be
    // made would otherwise surface only as lost answers after the examinee has done the work.
    QString folderError;
    if (!folders.ensureExist(&folderError)) {
        main.dialogs().error(folderError);
        return;
    }
    main.beginExaminee(ParticipantCode::studId(code), ParticipantCode::variantFor(code), progress);
    m_nextStage = progress.resumeStage();
    tickTimer->start();
}

bool InstructionStage::takeBackInterrupted(const QString& studId, const StationFolders& folders,
                                           ExamProgress& progress) {
    StationWindow& main = mainWindow();
    if (main.recoveryRunning()) {
        // The recordings a power cut left are being encoded again, this examinee's among them.
        main.dialogs().message(kRecoveryRunning);
        return false;
    }
    progress = ExamProgress::load(folders);
    const StageCode resumeAt = progress.resumeStage();
    if (!main.dialogs().confirm(kResumeQuestion.arg(studId, ExamProgress::resumePointText(resumeAt))))
        return false;
    // What the interrupted work recorded stays, beside the recordings made from here on.
    QStringList kept;
    QString error;
    const bool setAside = ExamProgress::setAsideRecordings(folders, resumeAt, &kept, &error);
    if (!kept.isEmpty())
        qCInfo(lcStages).noquote() << "examinee" << studId << "resumed; interrupted recordings kept as"
                                   << kept.join(QStringLiteral(", "));
    if (!setAside) {
        main.dialogs().error(error);
        return false;
    }
    return true;
}

void InstructionStage::onTick() {
    tickTimer->stop();
    mainWindow().headerBar->show();
    switchTo(m_nextStage);
}

void InstructionStage::onStopStationClicked() {
    if (mainWindow().dialogs().confirm(texts::kConfirmStop))
        mainWindow().stopExam();
}
