#include "stages/review/FinishStage.h"

#include "widgets/StageWidgets.h"
#include "main/StationWindow.h"
#include "main/DialogService.h"
#include "station/StationTexts.h"
#include "widgets/VerdictMark.h"
#include "widgets/WrapPushButton.h"

#include <QFileInfo>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

FinishStage::FinishStage(StationWindow& main)
    : StageFrame(main), nextExamineeButton(new WrapPushButton(
                            QStringLiteral("Начать на станции выполнение работы для следующего участника"), this)),
      stopStationButton(new WrapPushButton(QStringLiteral("Завершить работу станции"), this)),
      doneLabel(new QLabel(this)), topSpacer(new QFrame(this)),
      answersMissingLabel(new QLabel(QStringLiteral("Внимание: файл ответов участника не записан!"), this)) {
    setObjectName(QStringLiteral("finishStage"));
    tickTimer->setInterval(10);

    nextExamineeButton->setObjectName(QStringLiteral("nextExamineeButton"));
    nextExamineeButton->setGeometry(288, 301, 150, 150);
    nextExamineeButton->setFont(StageWidgets::arial(16));
    stopStationButton->setObjectName(QStringLiteral("stopStationButton"));
    stopStationButton->setGeometry(584, 301, 150, 150);
    stopStationButton->setFont(StageWidgets::arial(16));

    topSpacer->setObjectName(QStringLiteral("topSpacer"));
    topSpacer->setFrameShape(QFrame::NoFrame);
    topSpacer->setFixedHeight(97);
    doneLabel->setObjectName(QStringLiteral("doneLabel"));
    doneLabel->setFont(StageWidgets::arial(27));
    doneLabel->setAlignment(Qt::AlignCenter);
    doneLabel->setFixedHeight(32);
    answersMissingLabel->setObjectName(QStringLiteral("answersMissingLabel"));
    answersMissingLabel->setFont(StageWidgets::arial(19));
    answersMissingLabel->setAlignment(Qt::AlignCenter);
    QPalette warning = answersMissingLabel->palette();
    warning.setColor(QPalette::WindowText, VerdictMark::kRed);
    answersMissingLabel->setPalette(warning);
    answersMissingLabel->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(topSpacer);
    layout->addWidget(doneLabel);
    layout->addWidget(answersMissingLabel);
    layout->addStretch(1);

    connect(nextExamineeButton, &QPushButton::clicked, this, &FinishStage::onNextExamineeClicked);
    connect(stopStationButton, &QPushButton::clicked, this, &FinishStage::onStopStationClicked);
}

void FinishStage::start() {
    StationWindow& main = mainWindow();
    main.headerBar->hide();
    doneLabel->setText(QStringLiteral("ЗУНТ для участника с кодом ") + main.participantCode +
                       QStringLiteral(" завершена!"));
    answersMissingLabel->setVisible(!QFileInfo(main.folders().answerFile(QStringLiteral("_0.ans"))).isFile());
}

void FinishStage::onNextExamineeClicked() {
    tickTimer->start();
}

void FinishStage::onStopStationClicked() {
    if (mainWindow().dialogs().confirm(texts::kConfirmStop))
        mainWindow().stopExam();
}

void FinishStage::onTick() {
    switchTo(StageCode::Instruction);
}
