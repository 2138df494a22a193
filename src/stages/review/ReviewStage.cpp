#include "stages/review/ReviewStage.h"

#include "kit/Cp1251.h"
#include "kit/TableStream.h"
#include "main/DialogService.h"
#include "widgets/StageWidgets.h"
#include "main/StationWindow.h"
#include "widgets/WrapPushButton.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

QLabel* answerLabel(QWidget* parent, const char* name, int top) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(StageWidgets::font(QStringLiteral("MS Sans Serif"), 13, false));
    label->move(352, top);
    return label;
}

QPushButton* playButton(QWidget* parent, const char* name, const QString& caption, int top) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(352, top, 329, 25);
    return button;
}

constexpr int kDesignWidth = 1024;
constexpr int kLabel1Left = 8;
constexpr int kLabel1Width = 1009;

} // namespace

ReviewStage::ReviewStage(StationWindow& main)
    : StageFrame(main), Button1(new WrapPushButton(QStringLiteral("Завершить выполнение работы участником!"), this)),
      Label1(new QLabel(QStringLiteral("Просмотреть и/или воспроизвести ответы участника:"), this)),
      btnPlay2_1(playButton(this, "btnPlay2_1", QStringLiteral("Прослушать ответ на задание № 2"), 112)),
      btnPlay2_2(playButton(this, "btnPlay2_2", QStringLiteral("Прослушать ответ на задание № 3"), 144)),
      btnPlayID(playButton(this, "btnPlayID", QStringLiteral("Прослушать код участника"), 48)),
      Ans1(answerLabel(this, "Ans1", 80)), Ans4(answerLabel(this, "Ans4", 184)), Ans5(answerLabel(this, "Ans5", 216)),
      Ans6(answerLabel(this, "Ans6", 248)) {
    setObjectName(QStringLiteral("reviewStage"));
    tickTimer->setInterval(100);

    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(348, 310, 325, 41);
    Button1->setFont(StageWidgets::arial(13));

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(StageWidgets::arial(19));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setGeometry(kLabel1Left, 16, kLabel1Width, 22);

    // Top to bottom as the examinee's work went: code, task 1, tasks 2 and 3, tasks 4 to 6, finish.
    setTabOrder(btnPlayID, btnPlay2_1);
    setTabOrder(btnPlay2_1, btnPlay2_2);
    setTabOrder(btnPlay2_2, Button1);

    connect(btnPlayID, &QPushButton::clicked, this, &ReviewStage::btnPlayIDClick);
    connect(btnPlay2_1, &QPushButton::clicked, this, &ReviewStage::btnPlay2_1Click);
    connect(btnPlay2_2, &QPushButton::clicked, this, &ReviewStage::btnPlay2_2Click);
    connect(Button1, &QPushButton::clicked, this, &ReviewStage::Button1Click);
}

ReviewStage::~ReviewStage() {
    releaseReviewStream();
}

void ReviewStage::start() {
    StationWindow& main = mainWindow();
    main.headerBar->hide();
    const auto answer = [&main](const char* field) {
        return QString::fromStdString(kit::cp1251ToUtf8(main.answers.asText(field)));
    };
    Ans1->setText(QStringLiteral("Ответ на задание № 1: ") + answer("a1"));
    Ans4->setText(QStringLiteral("Ответ на задание № 4: ") + answer("a4"));
    Ans5->setText(QStringLiteral("Ответ на задание № 5: ") + answer("a5"));
    Ans6->setText(QStringLiteral("Ответ на задание № 6: ") + answer("a6"));
    for (QLabel* label : {Ans1, Ans4, Ans5, Ans6})
        label->adjustSize();
    Label1->setText(QStringLiteral("Посмотреть и/или воспроизвести ответы участника с кодом ") + main.participantCode);
}

void ReviewStage::btnPlayIDClick() {
    play(QStringLiteral("_0.ogg"));
}

void ReviewStage::btnPlay2_1Click() {
    play(QStringLiteral("_2.ogg"));
}

void ReviewStage::btnPlay2_2Click() {
    play(QStringLiteral("_3.ogg"));
}

void ReviewStage::play(const QString& suffix) {
    // A missing or unreadable recording gives no stream and no sound; nothing is shown.
    releaseReviewStream();
    audio::AudioLayer& layer = mainWindow().audio();
    ReviewStream = layer.streamCreateFile(mainWindow().folders().answerFile(suffix));
    if (ReviewStream != 0)
        layer.channelPlay(ReviewStream, true);
}

void ReviewStage::releaseReviewStream() {
    if (ReviewStream == 0)
        return;
    audio::AudioLayer& layer = mainWindow().audio();
    layer.channelStop(ReviewStream);
    layer.streamFree(ReviewStream);
    ReviewStream = 0;
}

void ReviewStage::Button1Click() {
    releaseReviewStream();
    StationWindow& main = mainWindow();
    std::string error;
    // Written beside the target and renamed over it: a failed write keeps the previous file.
    if (!kit::saveTable(main.answers,
                        QFile::encodeName(main.folders().answerFile(QStringLiteral("_0.ans"))).toStdString(), &error)) {
        main.dialogs().error(QString::fromStdString(error));
        return;
    }
    tickTimer->start();
}

void ReviewStage::onTick() {
    switchTo(StageCode::Finish);
}

void ReviewStage::resizeEvent(QResizeEvent* event) {
    StageFrame::resizeEvent(event);
    // Label1 keeps its left and right margins of the design width.
    Label1->setGeometry(kLabel1Left, 16, width() - kLabel1Left - (kDesignWidth - kLabel1Left - kLabel1Width), 22);
}
