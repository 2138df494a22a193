#include "stages/preexam/HardwareCheckStage.h"

#include "kit/Cp1251.h"
#include "main/DialogService.h"
#include "widgets/StageWidgets.h"
#include "main/StationWindow.h"
#include "widgets/DigitsOnlyValidator.h"
#include "stages/preexam/ListenBackCheck.h"
#include "widgets/PictureBox.h"
#include "station/StationIdentity.h"
#include "widgets/VerdictMark.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

const QString HardwareCheckStage::kRecTestCaption = QStringLiteral("Проверить качество записи");
const QString HardwareCheckStage::kStopPlayCaption = QStringLiteral("Завершить запись и воспроизвести");
const QString HardwareCheckStage::kNoAudioDevice = QStringLiteral("Нет готового устройства аудио-записи");
const QString HardwareCheckStage::kSubjectPrefix = QStringLiteral("Станция для проведения ЗУНТ по:\n\r");

namespace {

QString kitText(const kit::MemTable& table, const char* field) {
    return QString::fromStdString(kit::cp1251ToUtf8(table.asText(field)));
}

// The buttons of this stage: Arial 15 px, not bold.
QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    return StageWidgets::button(name, caption, StageWidgets::arial(15, false), parent);
}

// Both question panels of this stage share one design.
QFrame* questionPanel(const ListenBackCheck::QuestionNames& names, const QString& text, QLabel*& question,
                      QPushButton*& yes, QPushButton*& no, QWidget* parent) {
    const ListenBackCheck::QuestionPanel made =
        ListenBackCheck::questionPanel(names, text, StageWidgets::arial(14), StageWidgets::arial(15, false), parent);
    question = made.question;
    question->setGeometry(8, 4, 464, 24);
    yes = made.yes;
    yes->setGeometry(150, 30, 80, 26);
    no = made.no;
    no->setGeometry(250, 30, 80, 26);
    made.panel->resize(480, 62);
    return made.panel;
}

QLineEdit* numberField(const QString& name, int maxLength, QLabel* buddy, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    edit->setFont(StageWidgets::arial(19));
    buddy->setBuddy(edit);
    edit->setAccessibleName(buddy->text());
    return edit;
}

} // namespace

HardwareCheckStage::HardwareCheckStage(StationWindow& main) : StageFrame(main) {
    setObjectName(QStringLiteral("hardwareCheckStage"));
    tickTimer->setInterval(100);
    createControls();
    layoutControls();
}

HardwareCheckStage::~HardwareCheckStage() = default;

void HardwareCheckStage::createControls() {
    imgMic = ListenBackCheck::microphone(this);
    imgSpeak = ListenBackCheck::loudspeaker(this);

    Panel1 = StageWidgets::label(
        QStringLiteral("Panel1"),
        QStringLiteral("Настройка оборудования должна быть проведена стандартными средствами Windows"), this);
    Panel1->setFont(StageWidgets::arial(16));
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);

    btnRecTest = button(QStringLiteral("btnRecTest"), kRecTestCaption, this);
    lblTestREC = new VerdictMark(QStringLiteral("Проверка качества записи"), 32, this);
    lblTestREC->setObjectName(QStringLiteral("lblTestREC"));
    pnlTestREC = questionPanel(
        {QStringLiteral("pnlTestREC"), QStringLiteral("Label2"), QStringLiteral("Button4"), QStringLiteral("Button5")},
        QStringLiteral("Качество записи и воспроизведения устраивает?"), Label2, Button4, Button5, this);
    m_recCheck = std::make_unique<ListenBackCheck>(
        mainWindow(), ListenBackCheck::Controls{btnRecTest, lblTestREC, pnlTestREC, imgMic, imgSpeak}, kRecTestCaption,
        kStopPlayCaption);

    btnTestRTF = button(QStringLiteral("btnTestRTF"), QStringLiteral("Проверить отображение текста заданий"), this);
    lblTestRTF = new VerdictMark(QStringLiteral("Проверка отображения текста заданий"), 32, this);
    lblTestRTF->setObjectName(QStringLiteral("lblTestRTF"));
    pnlTestRTF = questionPanel(
        {QStringLiteral("pnlTestRTF"), QStringLiteral("Label6"), QStringLiteral("Button7"), QStringLiteral("Button8")},
        QStringLiteral("Качество отображения текста заданий устраивает?"), Label6, Button7, Button8, this);

    lblSubj = StageWidgets::label(QStringLiteral("lblSubj"), QStringLiteral("Экзамен:"), this);
    lblSubj->setFont(StageWidgets::arial(17));
    lblSubj->setAlignment(Qt::AlignCenter);
    lblSubj->setWordWrap(true);

    Label3 = StageWidgets::label(QStringLiteral("Label3"), QStringLiteral("Номер школы"), this);
    edtStationCode = numberField(QStringLiteral("edtStationCode"), 6, Label3, this);
    Label4 = StageWidgets::label(QStringLiteral("Label4"), QStringLiteral("Номер аудитории"), this);
    edtAudCode = numberField(QStringLiteral("edtAudCode"), 4, Label4, this);
    Label5 = StageWidgets::label(QStringLiteral("Label5"), QStringLiteral("Номер станции"), this);
    edtCompCode = numberField(QStringLiteral("edtCompCode"), 1, Label5, this);
    for (QLabel* l : {Label3, Label4, Label5}) {
        l->setFont(StageWidgets::arial(16));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    new DigitsOnlyValidator(edtStationCode, [this](QChar& Key) { edtStationCodeKeyPress(Key); });
    new DigitsOnlyValidator(edtAudCode, [this](QChar& Key) { edtAudCodeKeyPress(Key); });
    new DigitsOnlyValidator(edtCompCode, [this](QChar& Key) { edtCompCodeKeyPress(Key); });

    Button1 = button(QStringLiteral("Button1"),
                     QStringLiteral("Завершить проверку оборудования и приступить к выполнению работы"), this);
    Button1->setFont(StageWidgets::arial(17));
    Button6 = button(QStringLiteral("Button6"), QStringLiteral("Выйти из программы"), this);

    Action1 = new QAction(QStringLiteral("Завершить проверку оборудования и приступить к приему экзамена"), this);
    Action1->setObjectName(QStringLiteral("Action1"));

    connect(btnRecTest, &QPushButton::clicked, this, &HardwareCheckStage::btnRecTestClick);
    connect(Button4, &QPushButton::clicked, this, &HardwareCheckStage::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &HardwareCheckStage::Button5Click);
    connect(btnTestRTF, &QPushButton::clicked, this, &HardwareCheckStage::btnTestRTFClick);
    connect(Button7, &QPushButton::clicked, this, &HardwareCheckStage::Button7Click);
    connect(Button8, &QPushButton::clicked, this, &HardwareCheckStage::Button8Click);
    connect(Button6, &QPushButton::clicked, this, &HardwareCheckStage::Button6Click);
    connect(Button1, &QPushButton::clicked, Action1, &QAction::trigger);
    connect(Action1, &QAction::triggered, this, &HardwareCheckStage::Action1Execute);
    connect(Action1, &QAction::enabledChanged, Button1, &QWidget::setEnabled);
    for (QLineEdit* edit : {edtStationCode, edtAudCode, edtCompCode})
        connect(edit, &QLineEdit::textChanged, this, &HardwareCheckStage::Action1Update);
    Action1Update();
}

void HardwareCheckStage::resizeEvent(QResizeEvent* event) {
    StageFrame::resizeEvent(event);
    layoutControls();
}

void HardwareCheckStage::layoutControls() {
    const int w = width();
    const int h = height();
    constexpr int kPanelHeight = 41;
    Panel1->setGeometry(0, 0, w, kPanelHeight);
    // The pictures fill the frame below the caption panel.
    imgMic->setGeometry(0, kPanelHeight, w, h - kPanelHeight);
    imgSpeak->setGeometry(0, kPanelHeight, w, h - kPanelHeight);
    Button6->setGeometry(w - 16 - 190, kPanelHeight + 8, 190, 32);

    btnRecTest->setGeometry(16, 96, 340, 44);
    lblTestREC->setGeometry(362, 96, 44, 44);
    pnlTestREC->move(412, 87);
    btnTestRTF->setGeometry(16, 164, 340, 44);
    lblTestRTF->setGeometry(362, 164, 44, 44);
    pnlTestRTF->move(412, 155);

    lblSubj->setGeometry(16, 236, 340, 110);
    const int fieldsTop = 368;
    QLabel* labels[] = {Label3, Label4, Label5};
    QLineEdit* edits[] = {edtStationCode, edtAudCode, edtCompCode};
    const int widths[] = {110, 80, 40};
    for (int i = 0; i < 3; ++i) {
        labels[i]->setGeometry(16, fieldsTop + i * 48, 180, 34);
        edits[i]->setGeometry(206, fieldsTop + i * 48, widths[i], 34);
    }
    Button1->setGeometry(16, h - 16 - 64, w - 32, 64);
}

void HardwareCheckStage::start() {
    StationWindow& main = mainWindow();
    main.headerBar->hide();
    RecTestOK = false;
    TextTestOK = false;
    main.kitSubjectId = kitText(main.complects, "subjid");
    main.kitExamDate = kitText(main.complects, "ExamDate");
    lblSubj->setText(kSubjectPrefix + kitText(main.complects, "subjname"));
    Action1Update();
}

QString HardwareCheckStage::testRecordingPath() const {
    return QDir(mainWindow().workDir).filePath(QStringLiteral("test.ogg"));
}

void HardwareCheckStage::btnRecTestClick() {
    StationWindow& main = mainWindow();
    if (!main.audioReady) {
        main.dialogs().audioError(kNoAudioDevice);
        return;
    }
    imgMic->show();
    RecTestOK = false;
    lblTestREC->hide();
    Action1Update();
    if (main.recorder().RecChannel == 0) {
        m_recCheck->startRecording(testRecordingPath());
        return;
    }
    m_recCheck->stopAndPlayBack(testRecordingPath());
}

void HardwareCheckStage::recordingVerdict(bool ok) {
    RecTestOK = ok;
    m_recCheck->giveVerdict(ok);
    Action1Update();
}

void HardwareCheckStage::Button4Click() {
    recordingVerdict(true);
}

void HardwareCheckStage::Button5Click() {
    recordingVerdict(false);
}

void HardwareCheckStage::btnTestRTFClick() {
    StationWindow& main = mainWindow();
    if (main.kitTextViewer)
        main.dialogs().execModal(*main.kitTextViewer);
    pnlTestRTF->show();
}

void HardwareCheckStage::textVerdict(bool ok) {
    TextTestOK = ok;
    pnlTestRTF->hide();
    btnTestRTF->setEnabled(true);
    lblTestRTF->showVerdict(ok);
    Action1Update();
}

void HardwareCheckStage::Button7Click() {
    textVerdict(true);
}

void HardwareCheckStage::Button8Click() {
    textVerdict(false);
}

void HardwareCheckStage::edtStationCodeKeyPress(QChar& Key) {
    DigitsOnlyValidator::filterKey(Key);
}

void HardwareCheckStage::edtAudCodeKeyPress(QChar& Key) {
    DigitsOnlyValidator::filterKey(Key);
}

void HardwareCheckStage::edtCompCodeKeyPress(QChar& Key) {
    DigitsOnlyValidator::filterKey(Key);
}

void HardwareCheckStage::Action1Update() {
    Action1->setEnabled(RecTestOK && TextTestOK && StationIdentity::isUsableNumber(edtStationCode->text()) &&
                        StationIdentity::isUsableNumber(edtAudCode->text()) &&
                        StationIdentity::isUsableNumber(edtCompCode->text()));
}

void HardwareCheckStage::Action1Execute() {
    tickTimer->start();
}

void HardwareCheckStage::onTick() {
    tickTimer->stop();
    // The fields may have changed since the click; leave only with a usable identity.
    Action1Update();
    if (!Action1->isEnabled())
        return;
    StationWindow& main = mainWindow();
    main.schoolNumber = edtStationCode->text();
    main.auditoriumNumber = edtAudCode->text();
    main.stationNumber = edtCompCode->text();
    main.stationTag = StationIdentity::compose(main.kitExamDate, main.kitSubjectId, main.schoolNumber,
                                               main.auditoriumNumber, main.stationNumber);
    main.headerBar->show();
    switchTo(StageCode::Instruction);
}

void HardwareCheckStage::Button6Click() {
    mainWindow().stopExam();
}
