#include "stages/TfrmRecStudID.h"

#include "main/DialogService.h"
#include "main/StageWidgets.h"
#include "main/TfrmMain.h"
#include "stages/ListenBackCheck.h"
#include "stages/PictureBox.h"
#include "stages/VerdictMark.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

const QString TfrmRecStudID::kRecordCaption = QStringLiteral("Запись кода участника");
const QString TfrmRecStudID::kStopPlayCaption = QStringLiteral("Завершить запись и воспроизвести");
const QString TfrmRecStudID::kCallOrganiser =
    QStringLiteral("Пригласите организатора в аудитории и сообщите о проблеме записи кода участника.");

TfrmRecStudID::TfrmRecStudID(TfrmMain& main) : StageFrame(main) {
    setObjectName(QStringLiteral("frmRecStudID"));
    Timer1->setInterval(100);
    createControls();
    layoutControls();
}

TfrmRecStudID::~TfrmRecStudID() = default;

void TfrmRecStudID::createControls() {
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

    connect(btnRecID, &QPushButton::clicked, this, &TfrmRecStudID::btnRecIDClick);
    connect(Button4, &QPushButton::clicked, this, &TfrmRecStudID::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TfrmRecStudID::Button5Click);
    connect(Button1, &QPushButton::clicked, Action1, &QAction::trigger);
    connect(Action1, &QAction::triggered, this, &TfrmRecStudID::Action1Execute);
    connect(Action1, &QAction::enabledChanged, Button1, &QWidget::setEnabled);
    Action1Update();
}

void TfrmRecStudID::resizeEvent(QResizeEvent* event) {
    StageFrame::resizeEvent(event);
    layoutControls();
}

void TfrmRecStudID::layoutControls() {
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

void TfrmRecStudID::Start() {
    TfrmMain& main = mainWindow();
    main.Panel1->hide();
    Label2->setText(QStringLiteral("Нажмите кнопку \"Запись кода участника\"\n\rи четко произнесите на русском "
                                   "языке свой код \n\r") +
                    main.StudID);
    CodeRecordOK = false;
    Action1Update();
}

QString TfrmRecStudID::codeRecordingPath() const {
    return mainWindow().folders().answerFile(QStringLiteral("_0.ogg"));
}

bool TfrmRecStudID::isRecording() const {
    TfrmMain& main = mainWindow();
    return main.audio().channelIsActive(main.recorder().RecChannel) != 0;
}

void TfrmRecStudID::btnRecIDClick() {
    TfrmMain& main = mainWindow();
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

void TfrmRecStudID::verdict(bool ok) {
    CodeRecordOK = ok;
    m_check->giveVerdict(ok);
    Action1Update();
}

void TfrmRecStudID::Button4Click() {
    verdict(true);
}

void TfrmRecStudID::Button5Click() {
    verdict(false);
    mainWindow().dialogs().message(kCallOrganiser);
}

void TfrmRecStudID::Action1Update() {
    Action1->setEnabled(CodeRecordOK && !isRecording());
}

void TfrmRecStudID::Action1Execute() {
    Timer1->start();
}

void TfrmRecStudID::Timer1Timer() {
    Timer1->stop();
    // A recording started between the click and this tick keeps the examinee here.
    Action1Update();
    if (!Action1->isEnabled())
        return;
    TfrmMain& main = mainWindow();
    main.folders().ensureExist();
    main.Panel1->show();
    switchTo(10);
}
