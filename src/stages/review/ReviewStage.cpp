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
constexpr int kTitleLeft = 8;
constexpr int kTitleWidth = 1009;

} // namespace

ReviewStage::ReviewStage(StationWindow& main)
    : StageFrame(main),
      finishButton(new WrapPushButton(QStringLiteral("Завершить выполнение работы участником!"), this)),
      titleLabel(new QLabel(QStringLiteral("Просмотреть и/или воспроизвести ответы участника:"), this)),
      playTask2Button(playButton(this, "playTask2Button", QStringLiteral("Прослушать ответ на задание № 2"), 112)),
      playTask3Button(playButton(this, "playTask3Button", QStringLiteral("Прослушать ответ на задание № 3"), 144)),
      playCodeButton(playButton(this, "playCodeButton", QStringLiteral("Прослушать код участника"), 48)),
      answer1Label(answerLabel(this, "answer1Label", 80)), answer4Label(answerLabel(this, "answer4Label", 184)),
      answer5Label(answerLabel(this, "answer5Label", 216)), answer6Label(answerLabel(this, "answer6Label", 248)) {
    setObjectName(QStringLiteral("reviewStage"));
    tickTimer->setInterval(100);

    finishButton->setObjectName(QStringLiteral("finishButton"));
    finishButton->setGeometry(348, 310, 325, 41);
    finishButton->setFont(StageWidgets::arial(13));

    titleLabel->setObjectName(QStringLiteral("titleLabel"));
    titleLabel->setFont(StageWidgets::arial(19));
    titleLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    titleLabel->setGeometry(kTitleLeft, 16, kTitleWidth, 22);

    // Top to bottom as the examinee's work went: code, task 1, tasks 2 and 3, tasks 4 to 6, finish.
    setTabOrder(playCodeButton, playTask2Button);
    setTabOrder(playTask2Button, playTask3Button);
    setTabOrder(playTask3Button, finishButton);

    connect(playCodeButton, &QPushButton::clicked, this, &ReviewStage::onPlayCodeClicked);
    connect(playTask2Button, &QPushButton::clicked, this, &ReviewStage::onPlayTask2Clicked);
    connect(playTask3Button, &QPushButton::clicked, this, &ReviewStage::onPlayTask3Clicked);
    connect(finishButton, &QPushButton::clicked, this, &ReviewStage::onFinishClicked);
}

ReviewStage::~ReviewStage() {
    releasePlaybackStream();
}

void ReviewStage::start() {
    StationWindow& main = mainWindow();
    main.headerBar->hide();
    const auto answer = [&main](const char* field) {
        return QString::fromStdString(kit::cp1251ToUtf8(main.answers.asText(field)));
    };
    answer1Label->setText(QStringLiteral("Ответ на задание № 1: ") + answer("a1"));
    answer4Label->setText(QStringLiteral("Ответ на задание № 4: ") + answer("a4"));
    answer5Label->setText(QStringLiteral("Ответ на задание № 5: ") + answer("a5"));
    answer6Label->setText(QStringLiteral("Ответ на задание № 6: ") + answer("a6"));
    for (QLabel* label : {answer1Label, answer4Label, answer5Label, answer6Label})
        label->adjustSize();
    titleLabel->setText(QStringLiteral("Посмотреть и/или воспроизвести ответы участника с кодом ") +
                        main.participantCode);
}

void ReviewStage::onPlayCodeClicked() {
    play(QStringLiteral("_0.ogg"));
}

void ReviewStage::onPlayTask2Clicked() {
    play(QStringLiteral("_2.ogg"));
}

void ReviewStage::onPlayTask3Clicked() {
    play(QStringLiteral("_3.ogg"));
}

void ReviewStage::play(const QString& suffix) {
    // A missing or unreadable recording gives no stream and no sound; nothing is shown.
    releasePlaybackStream();
    audio::AudioLayer& layer = mainWindow().audio();
    playbackStream = layer.streamCreateFile(mainWindow().folders().answerFile(suffix));
    if (playbackStream != 0)
        layer.channelPlay(playbackStream, true);
}

void ReviewStage::releasePlaybackStream() {
    if (playbackStream == 0)
        return;
    audio::AudioLayer& layer = mainWindow().audio();
    layer.channelStop(playbackStream);
    layer.streamFree(playbackStream);
    playbackStream = 0;
}

void ReviewStage::onFinishClicked() {
    releasePlaybackStream();
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
    // titleLabel keeps its left and right margins of the design width.
    titleLabel->setGeometry(kTitleLeft, 16, width() - kTitleLeft - (kDesignWidth - kTitleLeft - kTitleWidth), 22);
}
