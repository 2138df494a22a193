#include "stages/tasks/ListeningTaskStage.h"

#include "kit/Cp1251.h"
#include "kit/StationTables.h"
#include "main/DialogService.h"
#include "widgets/StageWidgets.h"
#include "station/StationTexts.h"
#include "main/StationWindow.h"
#include "richtext/RichView.h"
#include "station/ChoiceRules.h"
#include "widgets/PositionComboBox.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

audio::Handle ListeningTaskStage::taskAudioStream = 0;
const QString ListeningTaskStage::kTempFileName = QStringLiteral("~$t1.tmp");

ListeningTaskStage::ListeningTaskStage(StationWindow& main)
    : SheetStage(main, {49, QStringLiteral("Выполнение задания № 1."), QStringLiteral("Завершить ответ!"),
                        QSize(119, 25), 13, 10}),
      list5(makeList(QStringLiteral("list5"), 5, {273, 412})), list4(makeList(QStringLiteral("list4"), 4, {354, 363})),
      list3(makeList(QStringLiteral("list3"), 3, {480, 314})), list2(makeList(QStringLiteral("list2"), 2, {291, 265})),
      list1(makeList(QStringLiteral("list1"), 1, {444, 216})), optionsMemo(new QPlainTextEdit(this)),
      m_audio(main.audio(), taskAudioStream, QDir(main.workDir).filePath(kTempFileName)) {
    setObjectName(QStringLiteral("listeningTaskStage"));
    connect(finishButton, &QPushButton::clicked, this, &ListeningTaskStage::onFinishClicked);
    sheetView->setDataField(QStringLiteral("t1Task"));

    optionsMemo->setObjectName(QStringLiteral("optionsMemo"));
    optionsMemo->setReadOnly(true);
    optionsMemo->hide();

    // The lists stay at their places over the sheet, outside the layout.
    for (PositionComboBox* list : lists())
        list->raise();
}

PositionComboBox* ListeningTaskStage::makeList(const QString& name, int statement, QPoint place) {
    auto* list = new PositionComboBox(this);
    list->setObjectName(name);
    list->setAccessibleName(QStringLiteral("Ответ на утверждение %1").arg(statement));
    list->setFont(StageWidgets::font(QStringLiteral("MS Sans Serif"), 13, false));
    list->setGeometry(QRect(place, QSize(145, 24)));
    return list;
}

void ListeningTaskStage::start() {
    StationWindow& main = mainWindow();
    QString error;
    main.taskTime1 = m_audio.open(QByteArray::fromStdString(main.complects.asBytes("t1aud")), &error);
    if (!error.isEmpty())
        main.dialogs().error(error); // before the countdown runs, see ListeningPreparationStage

    const std::string memo = main.complects.asBytes("t1Ans");
    optionsMemo->setPlainText(QString::fromStdString(kit::cp1251ToUtf8(memo)));
    const QList<QStringList> options = ChoiceRules::task1Options(memo);
    const auto boxes = lists();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setOptions(options.value(static_cast<int>(i)));

    main.headerBar->show();
    main.timeLabel->show();
    main.progressBar->show();
    startCountdown(main.taskTime1, QString()); // task 1 shows no stage name
    main.folders().ensureExist();
    m_audio.play();
}

void ListeningTaskStage::onFinishClicked() {
    confirmEarlyEnd(texts::kConfirmTaskEnd, Countdown::kEarlyEndLong);
}

std::string ListeningTaskStage::answerString() const {
    QList<int> positions;
    for (const PositionComboBox* list : lists())
        positions.append(list->position());
    return ChoiceRules::answerString(positions);
}

void ListeningTaskStage::finishStage() {
    StationWindow& main = mainWindow();
    m_audio.close();
    main.folders().ensureExist();
    kit::writeAnswer(main.answers, "a1", answerString());
    mainWindow().startStage(StageCode::SpokenPreparation);
}
