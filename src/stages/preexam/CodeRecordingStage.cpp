#include "stages/preexam/CodeRecordingStage.h"

#include "main/DialogService.h"
#include "widgets/StageWidgets.h"
#include "main/StationWindow.h"
#include "stages/preexam/ListenBackCheck.h"
#include "widgets/PictureBox.h"
#include "widgets/VerdictMark.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

const QString CodeRecordingStage::kRecordCaption = QStringLiteral("Запись кода участника");
const QString CodeRecordingStage::kStopPlayCaption = QStringLiteral("Завершить запись и воспроизвести");
const QString CodeRecordingStage::kCallOrganiser =
    QStringLiteral("Пригласите организатора в аудитории и сообщите о проблеме записи кода участника.");

CodeRecordingStage::CodeRecordingStage(StationWindow& main) : StageFrame(main) {
    setObjectName(QStringLiteral("codeRecordingStage"));
    tickTimer->setInterval(100);
    createControls();
    layoutControls();
}

CodeRecordingStage::~CodeRecordingStage() = default;

void CodeRecordingStage::createControls() {
    microphonePicture = ListenBackCheck::microphone(this);
    loudspeakerPicture = ListenBackCheck::loudspeaker(this);

    titleLabel = StageWidgets::label(QStringLiteral("titleLabel"), QStringLiteral("Запись кода участника ЗУНТ"), this);
    titleLabel->setFont(StageWidgets::arial(21));
    titleLabel->setAlignment(Qt::AlignCenter);
    promptLabel = StageWidgets::label(QStringLiteral("promptLabel"), QString(), this);
    QFont prompt = StageWidgets::arial(19);
    prompt.setItalic(true);
    promptLabel->setFont(prompt);
    promptLabel->setAlignment(Qt::AlignCenter);
    promptLabel->setWordWrap(true);

    recordButton = StageWidgets::button(QStringLiteral("recordButton"), kRecordCaption, StageWidgets::arial(19), this);
    recordingMark = new VerdictMark(QStringLiteral("Запись кода участника"), 32, this);
    recordingMark->setObjectName(QStringLiteral("recordingMark"));

    const ListenBackCheck::QuestionPanel question = ListenBackCheck::questionPanel(
        {QStringLiteral("questionPanel"), QStringLiteral("questionLabel"), QStringLiteral("yesButton"),
         QStringLiteral("noButton")},
        QStringLiteral("Вас устраивает качество записи и воспроизведения кода участника?"), StageWidgets::arial(16),
        StageWidgets::arial(16), this);
    questionPanel = question.panel;
    questionLabel = question.question;
    questionLabel->setAlignment(Qt::AlignCenter);
    yesButton = question.yes;
    noButton = question.no;
    m_check = std::make_unique<ListenBackCheck>(
        mainWindow(),
        ListenBackCheck::Controls{recordButton, recordingMark, questionPanel, microphonePicture, loudspeakerPicture},
        kRecordCaption, kStopPlayCaption);

    continueAction =
        new QAction(QStringLiteral("Завершить запись кода участника и приступить к выполнению заданий"), this);
    continueAction->setObjectName(QStringLiteral("continueAction"));
    continueButton =
        StageWidgets::button(QStringLiteral("continueButton"), continueAction->text(), StageWidgets::arial(19), this);

    connect(recordButton, &QPushButton::clicked, this, &CodeRecordingStage::onRecordClicked);
    connect(yesButton, &QPushButton::clicked, this, &CodeRecordingStage::onYesClicked);
    connect(noButton, &QPushButton::clicked, this, &CodeRecordingStage::onNoClicked);
    connect(continueButton, &QPushButton::clicked, continueAction, &QAction::trigger);
    connect(continueAction, &QAction::triggered, this, &CodeRecordingStage::onContinue);
    connect(continueAction, &QAction::enabledChanged, continueButton, &QWidget::setEnabled);
    updateContinueEnabled();
}

void CodeRecordingStage::resizeEvent(QResizeEvent* event) {
    StageFrame::resizeEvent(event);
    layoutControls();
}

void CodeRecordingStage::layoutControls() {
    const int w = width();
    const int h = height();
    constexpr int kLabelsBottom = 130;
    titleLabel->setGeometry(0, 8, w, 32);
    promptLabel->setGeometry(16, 44, w - 32, kLabelsBottom - 44);
    // The pictures fill the frame below the labels.
    microphonePicture->setGeometry(0, kLabelsBottom, w, h - kLabelsBottom);
    loudspeakerPicture->setGeometry(0, kLabelsBottom, w, h - kLabelsBottom);
    recordButton->setGeometry(w / 2 - 210, 142, 420, 60);
    recordingMark->setGeometry(w / 2 + 220, 142, 50, 60);
    questionPanel->setGeometry(w / 2 - 330, 212, 660, 72);
    questionLabel->setGeometry(4, 4, 652, 26);
    yesButton->setGeometry(330 - 110, 36, 100, 30);
    noButton->setGeometry(330 + 10, 36, 100, 30);
    continueButton->setGeometry(16, h - 16 - 56, w - 32, 56);
}

void CodeRecordingStage::start() {
    StationWindow& main = mainWindow();
    main.headerBar->hide();
    promptLabel->setText(QStringLiteral("Нажмите кнопку \"Запись кода участника\"\n\rи четко произнесите на русском "
                                        "языке свой код \n\r") +
                         main.participantCode);
    codeRecordingOk = false;
    updateContinueEnabled();
}

QString CodeRecordingStage::codeRecordingPath() const {
    return mainWindow().folders().answerFile(QStringLiteral("_0.ogg"));
}

bool CodeRecordingStage::isRecording() const {
    StationWindow& main = mainWindow();
    return main.audio().channelIsActive(main.recorder().RecChannel) != 0;
}

void CodeRecordingStage::onRecordClicked() {
    StationWindow& main = mainWindow();
    microphonePicture->show();
    // Both folders are made where the recording goes: the working folder, the same one
    // the code check looks in.
    main.folders().ensureExist();
    if (!isRecording()) {
        // A new recording replaces the confirmed one: its verdict is void until given again,
        // so the stage cannot be left while it runs.
        codeRecordingOk = false;
        recordingMark->hide();
        m_check->startRecording(codeRecordingPath());
        updateContinueEnabled();
        return;
    }
    m_check->stopAndPlayBack(codeRecordingPath());
    updateContinueEnabled();
}

void CodeRecordingStage::verdict(bool ok) {
    codeRecordingOk = ok;
    m_check->giveVerdict(ok);
    updateContinueEnabled();
}

void CodeRecordingStage::onYesClicked() {
    if (m_check->confirmHeard())
        verdict(true);
}

void CodeRecordingStage::onNoClicked() {
    verdict(false);
    mainWindow().dialogs().message(kCallOrganiser);
}

void CodeRecordingStage::updateContinueEnabled() {
    continueAction->setEnabled(codeRecordingOk && !isRecording());
}

void CodeRecordingStage::onContinue() {
    tickTimer->start();
}

void CodeRecordingStage::onTick() {
    tickTimer->stop();
    // A recording started between the click and this tick keeps the examinee here.
    updateContinueEnabled();
    if (!continueAction->isEnabled())
        return;
    StationWindow& main = mainWindow();
    main.folders().ensureExist();
    main.headerBar->show();
    switchTo(StageCode::ListeningPreparation);
}
