#include "stages/preexam/InstructionStage.h"

#include "main/DialogService.h"
#include "widgets/StageWidgets.h"
#include "main/StationWindow.h"
#include "richtext/RichView.h"
#include "widgets/DigitsOnlyValidator.h"
#include "station/ParticipantCode.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

const QString InstructionStage::kConfirmStop = QStringLiteral("Завершить работу на станции?");

InstructionStage::InstructionStage(StationWindow& main)
    : StageFrame(main), RxDBRichEdit1(new richtext::RichView(this)), Panel1(new QFrame(this)),
      Label1(new QLabel(QStringLiteral("Код участника:"), Panel1)),
      Edit3(new QLineEdit(QStringLiteral("9999"), Panel1)),
      Button1(new QPushButton(QStringLiteral("Начать выполнение работы"), Panel1)),
      Button2(new QPushButton(QStringLiteral("Завершить"), Panel1)) {
    setObjectName(QStringLiteral("instructionStage"));
    tickTimer->setInterval(100);

    RxDBRichEdit1->setObjectName(QStringLiteral("RxDBRichEdit1"));
    RxDBRichEdit1->setAccessibleName(QStringLiteral("Инструкция"));
    RxDBRichEdit1->setDataSource(&main.complects);
    RxDBRichEdit1->setDataField(QStringLiteral("Intro"));

    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(kPanelHeight);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(StageWidgets::arial(27));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1->setBuddy(Edit3);

    Edit3->setObjectName(QStringLiteral("Edit3"));
    Edit3->setFont(StageWidgets::arial(27));
    Edit3->setMaxLength(4);
    Edit3->setAccessibleName(QStringLiteral("Код участника"));
    new DigitsOnlyValidator(Edit3, [this](QChar& Key) { Edit3KeyPress(Key); });

    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFont(StageWidgets::arial(17));
    Button1->setAutoDefault(false);
    Button1->setDefault(false);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setFont(StageWidgets::arial(15));
    Button2->setAutoDefault(false);

    StageWidgets::stackSheetOverBar(this, RxDBRichEdit1, Panel1);

    connect(Button1, &QPushButton::clicked, this, &InstructionStage::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &InstructionStage::Button2Click);
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
    Label1->setGeometry(left, 8, 240, 44);
    Edit3->setGeometry(left + 250, 8, 100, 44);
    Button1->setGeometry(left + 40, 60, 340, 38);
    Button2->setGeometry(w - 16 - 150, 60, 150, 38);
}

void InstructionStage::start() {
    mainWindow().headerBar->hide();
    Edit3->clear();
    Edit3->setFocus();
}

void InstructionStage::Edit3KeyPress(QChar& Key) {
    // Enter is discarded too: only Button1 submits the code.
    DigitsOnlyValidator::filterKey(Key);
}

bool InstructionStage::CheckStudCode(const QString& code, QString& errorText) const {
    // Looks where the answers are written: the working folder's station folder.
    return ParticipantCode::check(code, mainWindow().workDir, mainWindow().stationTag, errorText);
}

void InstructionStage::Button1Click() {
    StationWindow& main = mainWindow();
    const QString code = Edit3->text();
    QString errorText;
    if (!CheckStudCode(code, errorText)) {
        main.dialogs().message(ParticipantCode::kRefused + errorText);
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

void InstructionStage::Button2Click() {
    if (mainWindow().dialogs().confirm(kConfirmStop))
        mainWindow().stopExam();
}
