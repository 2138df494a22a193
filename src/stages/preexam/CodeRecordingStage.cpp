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
    imgMic = ListenBackCheck::microphone(this);
    imgSpeak = ListenBackCheck::loudspeaker(this);

    Label1 = StageWidgets::label(QStringLiteral("Label1"), QStringLiteral("Запись кода участника ЗУНТ"), this);
    Label1->setFont(StageWidgets::arial(21));
    Label1->setAlignment(Qt::AlignCenter);
    Label2 = StageWidgets::label(QStringLiteral("Label2"), QString(), this);
    QFont prompt = StageWidgets::arial(19);
    prompt.setItalic(true);
    Label2->setFont(prompt);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setWordWrap(true);

    btnRecID = StageWidgets::button(QStringLiteral("btnRecID"), kRecordCaption, StageWidgets::arial(19), this);
    lblRecID = new VerdictMark(QStringLiteral("Запись кода участника"), 32, this);
    lblRecID->setObjectName(QStringLiteral("lblRecID"));

    const ListenBackCheck::QuestionPanel question = ListenBackCheck::questionPanel(
        {QStringLiteral("pnlTestREC"), QStringLiteral("Label3"), QStringLiteral("Button4"), QStringLiteral("Button5")},
        QStringLiteral("Вас устраивает качество записи и воспроизведения кода участника?"), StageWidgets::arial(16),
        StageWidgets::arial(16), this);
    pnlTestREC = question.panel;
    Label3 = question.question;
    Label3->setAlignment(Qt::AlignCenter);
    Button4 = question.yes;
    Button5 = question.no;
    m_check = std::make_unique<ListenBackCheck>(
        mainWindow(), ListenBackCheck::Controls{btnRecID, lblRecID, pnlTestREC, imgMic, imgSpeak}, kRecordCaption,
        kStopPlayCaption);

    Action1 = new QAction(QStringLiteral("Завершить запись кода участника и приступить к выполнению заданий"), this);
    Action1->setObjectName(QStringLiteral("Action1"));
    Button1 = StageWidgets::button(QStringLiteral("Button1"), Action1->text(), StageWidgets::arial(19), this);

    connect(btnRecID, &QPushButton::clicked, this, &CodeRecordingStage::btnRecIDClick);
    connect(Button4, &QPushButton::clicked, this, &CodeRecordingStage::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &CodeRecordingStage::Button5Click);
    connect(Button1, &QPushButton::clicked, Action1, &QAction::trigger);
    connect(Action1, &QAction::triggered, this, &CodeRecordingStage::Action1Execute);
    connect(Action1, &QAction::enabledChanged, Button1, &QWidget::setEnabled);
    Action1Update();
}

void CodeRecordingStage::resizeEvent(QResizeEvent* event) {
    StageFrame::resizeEvent(event);
    layoutControls();
}

void CodeRecordingStage::layoutControls() {
    const int w = width();
    const int h = height();
    constexpr int kLabelsBottom = 130;
    Label1->setGeometry(0, 8, w, 32);
    Label2->setGeometry(16, 44, w - 32, kLabelsBottom - 44);
    // The pictures fill the frame below the labels.
    imgMic->setGeometry(0, kLabelsBottom, w, h - kLabelsBottom);
    imgSpeak->setGeometry(0, kLabelsBottom, w, h - kLabelsBottom);
    btnRecID->setGeometry(w / 2 - 210, 142, 420, 60);
    lblRecID->setGeometry(w / 2 + 220, 142, 50, 60);
    pnlTestREC->setGeometry(w / 2 - 330, 212, 660, 72);
    Label3->setGeometry(4, 4, 652, 26);
    Button4->setGeometry(330 - 110, 36, 100, 30);
    Button5->setGeometry(330 + 10, 36, 100, 30);
    Button1->setGeometry(16, h - 16 - 56, w - 32, 56);
}

void CodeRecordingStage::start() {
    StationWindow& main = mainWindow();
    main.headerBar->hide();
    Label2->setText(QStringLiteral("Нажмите кнопку \"Запись кода участника\"\n\rи четко произнесите на русском "
                                   "языке свой код \n\r") +
                    main.participantCode);
    CodeRecordOK = false;
    Action1Update();
}

QString CodeRecordingStage::codeRecordingPath() const {
    return mainWindow().folders().answerFile(QStringLiteral("_0.ogg"));
}

bool CodeRecordingStage::isRecording() const {
    StationWindow& main = mainWindow();
    return main.audio().channelIsActive(main.recorder().RecChannel) != 0;
}

void CodeRecordingStage::btnRecIDClick() {
    StationWindow& main = mainWindow();
    imgMic->show();
    // Both folders are made where the recording goes: the working folder, the same one
    // the code check looks in.
    main.folders().ensureExist();
    if (!isRecording()) {
        // A new recording replaces the confirmed one: its verdict is void until given again,
        // so the stage cannot be left while it runs.
        CodeRecordOK = false;
        lblRecID->hide();
        m_check->startRecording(codeRecordingPath());
        Action1Update();
        return;
    }
    m_check->stopAndPlayBack(codeRecordingPath());
    Action1Update();
}

void CodeRecordingStage::verdict(bool ok) {
    CodeRecordOK = ok;
    m_check->giveVerdict(ok);
    Action1Update();
}

void CodeRecordingStage::Button4Click() {
    verdict(true);
}

void CodeRecordingStage::Button5Click() {
    verdict(false);
    mainWindow().dialogs().message(kCallOrganiser);
}

void CodeRecordingStage::Action1Update() {
    Action1->setEnabled(CodeRecordOK && !isRecording());
}

void CodeRecordingStage::Action1Execute() {
    tickTimer->start();
}

void CodeRecordingStage::onTick() {
    tickTimer->stop();
    // A recording started between the click and this tick keeps the examinee here.
    Action1Update();
    if (!Action1->isEnabled())
        return;
    StationWindow& main = mainWindow();
    main.folders().ensureExist();
    main.headerBar->show();
    switchTo(StageCode::ListeningPreparation);
}
