#include "stages/review/FinishStage.h"

#include "widgets/StageWidgets.h"
#include "main/StationWindow.h"
#include "widgets/WrapPushButton.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

FinishStage::FinishStage(StationWindow& main)
    : StageFrame(main),
      Button1(new WrapPushButton(QStringLiteral("Начать на станции выполнение работы для следующего участника"), this)),
      Button2(new WrapPushButton(QStringLiteral("Завершить работу станции"), this)), Label1(new QLabel(this)),
      Panel1(new QFrame(this)) {
    setObjectName(QStringLiteral("finishStage"));
    tickTimer->setInterval(10);

    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(288, 301, 150, 150);
    Button1->setFont(StageWidgets::arial(16));
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(584, 301, 150, 150);
    Button2->setFont(StageWidgets::arial(16));

    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::NoFrame);
    Panel1->setFixedHeight(97);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(StageWidgets::arial(27));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFixedHeight(32);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(Label1);
    layout->addStretch(1);

    connect(Button1, &QPushButton::clicked, this, &FinishStage::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &FinishStage::Button2Click);
}

void FinishStage::start() {
    StationWindow& main = mainWindow();
    main.headerBar->hide();
    Label1->setText(QStringLiteral("ЗУНТ для участника с кодом ") + main.participantCode +
                    QStringLiteral(" завершена!"));
}

void FinishStage::Button1Click() {
    tickTimer->start();
}

void FinishStage::Button2Click() {
    mainWindow().stopExam();
}

void FinishStage::onTick() {
    switchTo(StageCode::Instruction);
}
