#include "stages/preexam/HardwareCheckStage.h"

#include "kit/Cp1251.h"
#include "main/DialogService.h"
#include "widgets/StageWidgets.h"
#include "main/StationWindow.h"
#include "station/StationTexts.h"
#include "widgets/DigitsOnlyValidator.h"
#include "stages/preexam/ListenBackCheck.h"
#include "widgets/PictureBox.h"
#include "station/StationIdentity.h"
#include "station/Version.h"
#include "widgets/VerdictMark.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

const QString HardwareCheckStage::kRecordingCheckCaption = QStringLiteral("Проверить качество записи");
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
    microphonePicture = ListenBackCheck::microphone(this);
    loudspeakerPicture = ListenBackCheck::loudspeaker(this);

    setupNoticeBar = StageWidgets::label(
        QStringLiteral("setupNoticeBar"),
        QStringLiteral("Настройка оборудования должна быть проведена стандартными средствами операционной системы"),
        this);
    setupNoticeBar->setFont(StageWidgets::arial(16));
    setupNoticeBar->setAlignment(Qt::AlignCenter);
    setupNoticeBar->setFrameShape(QFrame::Panel);
    setupNoticeBar->setFrameShadow(QFrame::Raised);

    recordingCheckButton = button(QStringLiteral("recordingCheckButton"), kRecordingCheckCaption, this);
    recordingCheckMark = new VerdictMark(QStringLiteral("Проверка качества записи"), 32, this);
    recordingCheckMark->setObjectName(QStringLiteral("recordingCheckMark"));
    recordingQuestionPanel =
        questionPanel({QStringLiteral("recordingQuestionPanel"), QStringLiteral("recordingQuestionLabel"),
                       QStringLiteral("recordingYesButton"), QStringLiteral("recordingNoButton")},
                      QStringLiteral("Качество записи и воспроизведения устраивает?"), recordingQuestionLabel,
                      recordingYesButton, recordingNoButton, this);
    m_recordingCheck = std::make_unique<ListenBackCheck>(
        mainWindow(),
        ListenBackCheck::Controls{recordingCheckButton, recordingCheckMark, recordingQuestionPanel, microphonePicture,
                                  loudspeakerPicture},
        kRecordingCheckCaption, kStopPlayCaption);

    textCheckButton =
        button(QStringLiteral("textCheckButton"), QStringLiteral("Проверить отображение текста заданий"), this);
    textCheckMark = new VerdictMark(QStringLiteral("Проверка отображения текста заданий"), 32, this);
    textCheckMark->setObjectName(QStringLiteral("textCheckMark"));
    textQuestionPanel = questionPanel({QStringLiteral("textQuestionPanel"), QStringLiteral("textQuestionLabel"),
                                       QStringLiteral("textYesButton"), QStringLiteral("textNoButton")},
                                      QStringLiteral("Качество отображения текста заданий устраивает?"),
                                      textQuestionLabel, textYesButton, textNoButton, this);

    subjectLabel = StageWidgets::label(QStringLiteral("subjectLabel"), QStringLiteral("Экзамен:"), this);
    subjectLabel->setFont(StageWidgets::arial(17));
    subjectLabel->setAlignment(Qt::AlignCenter);
    subjectLabel->setWordWrap(true);

    schoolNumberLabel = StageWidgets::label(QStringLiteral("schoolNumberLabel"), QStringLiteral("Номер школы"), this);
    schoolNumberEdit = numberField(QStringLiteral("schoolNumberEdit"), 6, schoolNumberLabel, this);
    auditoriumNumberLabel =
        StageWidgets::label(QStringLiteral("auditoriumNumberLabel"), QStringLiteral("Номер аудитории"), this);
    auditoriumNumberEdit = numberField(QStringLiteral("auditoriumNumberEdit"), 4, auditoriumNumberLabel, this);
    stationNumberLabel =
        StageWidgets::label(QStringLiteral("stationNumberLabel"), QStringLiteral("Номер станции"), this);
    stationNumberEdit = numberField(QStringLiteral("stationNumberEdit"), 1, stationNumberLabel, this);
    for (QLabel* l : {schoolNumberLabel, auditoriumNumberLabel, stationNumberLabel}) {
        l->setFont(StageWidgets::arial(16));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    new DigitsOnlyValidator(schoolNumberEdit, [this](QChar& key) { onSchoolNumberKey(key); });
    new DigitsOnlyValidator(auditoriumNumberEdit, [this](QChar& key) { onAuditoriumNumberKey(key); });
    new DigitsOnlyValidator(stationNumberEdit, [this](QChar& key) { onStationNumberKey(key); });

    continueButton = button(QStringLiteral("continueButton"),
                            QStringLiteral("Завершить проверку оборудования и приступить к выполнению работы"), this);
    continueButton->setFont(StageWidgets::arial(17));
    exitButton = button(QStringLiteral("exitButton"), QStringLiteral("Выйти из программы"), this);

    continueAction =
        new QAction(QStringLiteral("Завершить проверку оборудования и приступить к приему экзамена"), this);
    continueAction->setObjectName(QStringLiteral("continueAction"));

    connect(recordingCheckButton, &QPushButton::clicked, this, &HardwareCheckStage::onRecordingCheckClicked);
    connect(recordingYesButton, &QPushButton::clicked, this, &HardwareCheckStage::onRecordingYesClicked);
    connect(recordingNoButton, &QPushButton::clicked, this, &HardwareCheckStage::onRecordingNoClicked);
    connect(textCheckButton, &QPushButton::clicked, this, &HardwareCheckStage::onTextCheckClicked);
    connect(textYesButton, &QPushButton::clicked, this, &HardwareCheckStage::onTextYesClicked);
    connect(textNoButton, &QPushButton::clicked, this, &HardwareCheckStage::onTextNoClicked);
    connect(exitButton, &QPushButton::clicked, this, &HardwareCheckStage::onExitClicked);
    connect(continueButton, &QPushButton::clicked, continueAction, &QAction::trigger);
    connect(continueAction, &QAction::triggered, this, &HardwareCheckStage::onContinue);
    connect(continueAction, &QAction::enabledChanged, continueButton, &QWidget::setEnabled);
    for (QLineEdit* edit : {schoolNumberEdit, auditoriumNumberEdit, stationNumberEdit})
        connect(edit, &QLineEdit::textChanged, this, &HardwareCheckStage::updateContinueEnabled);
    updateContinueEnabled();

    // For the technician, in small print under the continue button.
    versionLabel = StageWidgets::label(QStringLiteral("versionLabel"),
                                       QStringLiteral("версия %1").arg(QLatin1String(kStationVersion)), this);
    versionLabel->setFont(StageWidgets::arial(10, false));
    versionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    versionLabel->setForegroundRole(QPalette::PlaceholderText);
}

void HardwareCheckStage::resizeEvent(QResizeEvent* event) {
    StageFrame::resizeEvent(event);
    layoutControls();
}

void HardwareCheckStage::layoutControls() {
    const int w = width();
    const int h = height();
    constexpr int kPanelHeight = 41;
    setupNoticeBar->setGeometry(0, 0, w, kPanelHeight);
    // The pictures fill the frame below the caption panel.
    microphonePicture->setGeometry(0, kPanelHeight, w, h - kPanelHeight);
    loudspeakerPicture->setGeometry(0, kPanelHeight, w, h - kPanelHeight);
    exitButton->setGeometry(w - 16 - 190, kPanelHeight + 8, 190, 32);

    recordingCheckButton->setGeometry(16, 96, 340, 44);
    recordingCheckMark->setGeometry(362, 96, 44, 44);
    recordingQuestionPanel->move(412, 87);
    textCheckButton->setGeometry(16, 164, 340, 44);
    textCheckMark->setGeometry(362, 164, 44, 44);
    textQuestionPanel->move(412, 155);

    subjectLabel->setGeometry(16, 236, 340, 110);
    const int fieldsTop = 368;
    QLabel* labels[] = {schoolNumberLabel, auditoriumNumberLabel, stationNumberLabel};
    QLineEdit* edits[] = {schoolNumberEdit, auditoriumNumberEdit, stationNumberEdit};
    const int widths[] = {110, 80, 40};
    for (int i = 0; i < 3; ++i) {
        labels[i]->setGeometry(16, fieldsTop + i * 48, 180, 34);
        edits[i]->setGeometry(206, fieldsTop + i * 48, widths[i], 34);
    }
    continueButton->setGeometry(16, h - 16 - 64, w - 32, 64);
    versionLabel->setGeometry(w - 16 - 200, h - 15, 200, 14);
}

void HardwareCheckStage::start() {
    StationWindow& main = mainWindow();
    main.headerBar->hide();
    recordingCheckOk = false;
    textCheckOk = false;
    main.kitSubjectId = kitText(main.complects, "subjid");
    main.kitExamDate = kitText(main.complects, "ExamDate");
    subjectLabel->setText(kSubjectPrefix + kitText(main.complects, "subjname"));
    updateContinueEnabled();
}

QString HardwareCheckStage::testRecordingPath() const {
    return QDir(mainWindow().workDir).filePath(QStringLiteral("test.ogg"));
}

void HardwareCheckStage::onRecordingCheckClicked() {
    StationWindow& main = mainWindow();
    if (!main.audioReady) {
        main.dialogs().audioError(kNoAudioDevice);
        return;
    }
    microphonePicture->show();
    recordingCheckOk = false;
    recordingCheckMark->hide();
    updateContinueEnabled();
    if (main.recorder().RecChannel == 0) {
        m_recordingCheck->startRecording(testRecordingPath());
        return;
    }
    m_recordingCheck->stopAndPlayBack(testRecordingPath());
}

void HardwareCheckStage::recordingVerdict(bool ok) {
    recordingCheckOk = ok;
    m_recordingCheck->giveVerdict(ok);
    updateContinueEnabled();
}

void HardwareCheckStage::onRecordingYesClicked() {
    if (m_recordingCheck->confirmHeard())
        recordingVerdict(true);
}

void HardwareCheckStage::onRecordingNoClicked() {
    recordingVerdict(false);
}

void HardwareCheckStage::onTextCheckClicked() {
    StationWindow& main = mainWindow();
    if (main.kitTextViewer)
        main.dialogs().execModal(*main.kitTextViewer);
    textQuestionPanel->show();
}

void HardwareCheckStage::textVerdict(bool ok) {
    textCheckOk = ok;
    textQuestionPanel->hide();
    textCheckButton->setEnabled(true);
    textCheckMark->showVerdict(ok);
    updateContinueEnabled();
}

void HardwareCheckStage::onTextYesClicked() {
    textVerdict(true);
}

void HardwareCheckStage::onTextNoClicked() {
    textVerdict(false);
}

void HardwareCheckStage::onSchoolNumberKey(QChar& key) {
    DigitsOnlyValidator::filterKey(key);
}

void HardwareCheckStage::onAuditoriumNumberKey(QChar& key) {
    DigitsOnlyValidator::filterKey(key);
}

void HardwareCheckStage::onStationNumberKey(QChar& key) {
    DigitsOnlyValidator::filterKey(key);
}

void HardwareCheckStage::updateContinueEnabled() {
    continueAction->setEnabled(recordingCheckOk && textCheckOk &&
                               StationIdentity::isUsableNumber(schoolNumberEdit->text()) &&
                               StationIdentity::isUsableNumber(auditoriumNumberEdit->text()) &&
                               StationIdentity::isUsableNumber(stationNumberEdit->text()));
}

void HardwareCheckStage::onContinue() {
    tickTimer->start();
}

void HardwareCheckStage::onTick() {
    tickTimer->stop();
    // The fields may have changed since the click; leave only with a usable identity.
    updateContinueEnabled();
    if (!continueAction->isEnabled())
        return;
    StationWindow& main = mainWindow();
    main.schoolNumber = schoolNumberEdit->text();
    main.auditoriumNumber = auditoriumNumberEdit->text();
    main.stationNumber = stationNumberEdit->text();
    main.stationTag = StationIdentity::compose(main.kitExamDate, main.kitSubjectId, main.schoolNumber,
                                               main.auditoriumNumber, main.stationNumber);
    main.headerBar->show();
    switchTo(StageCode::Instruction);
}

void HardwareCheckStage::onExitClicked() {
    if (mainWindow().dialogs().confirm(texts::kConfirmExit))
        mainWindow().stopExam();
}
