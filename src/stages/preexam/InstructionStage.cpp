#include "stages/preexam/InstructionStage.h"

#include "main/DialogService.h"
#include "widgets/StageWidgets.h"
#include "main/StationWindow.h"
#include "station/StationFolders.h"
#include "station/StationTexts.h"
#include "richtext/RichView.h"
#include "widgets/DigitsOnlyValidator.h"
#include "station/ParticipantCode.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

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

bool InstructionStage::checkParticipantCode(const QString& code, QString& errorText) const {
    // Looks where the answers are written: the working folder's station folder.
    return ParticipantCode::check(code, mainWindow().workDir, mainWindow().stationTag, errorText);
}

void InstructionStage::onStartClicked() {
    StationWindow& main = mainWindow();
    const QString code = codeEdit->text();
    QString errorText;
    if (!checkParticipantCode(code, errorText)) {
        main.dialogs().message(ParticipantCode::kRefused + errorText);
        return;
    }
    // The answer folder is made now, while the organiser is at hand: a folder that cannot be
    // made would otherwise surface only as lost answers after the examinee has done the work.
    QString folderError;
    if (!StationFolders(main.workDir, main.stationTag, ParticipantCode::studId(code)).ensureExist(&folderError)) {
        main.dialogs().error(folderError);
        return;
    }
    main.participantCode = ParticipantCode::studId(code);
    main.variantNo = ParticipantCode::variantFor(code);
    main.selectVariant(main.variantNo.toInt());
    tickTimer->start();
}

void InstructionStage::onTick() {
    tickTimer->stop();
    mainWindow().headerBar->show();
    switchTo(StageCode::CodeRecording);
}

void InstructionStage::onStopStationClicked() {
    if (mainWindow().dialogs().confirm(texts::kConfirmStop))
        mainWindow().stopExam();
}
