#include "stages/common/ChoiceStage.h"

#include "kit/Cp1251.h"
#include "kit/StationTables.h"
#include "widgets/StageWidgets.h"
#include "station/StationTexts.h"
#include "main/StationWindow.h"
#include "richtext/RichView.h"
#include "station/ChoiceRules.h"
#include "widgets/PositionComboBox.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

ChoiceStage::ChoiceStage(StationWindow& main, Design design)
    : SheetStage(main, {kBarHeight, design.caption, QStringLiteral("Завершить ответ!"), QSize(119, 25), 13, 10}),
      optionsMemo(new QPlainTextEdit(this)), list1(makeList("list1", 1)), list2(makeList("list2", 2)),
      list3(makeList("list3", 3)), list4(makeList("list4", 4)), list5(makeList("list5", 5)),
      m_design(std::move(design)), m_lists{list1, list2, list3, list4, list5} {
    resize(m_design.frameSize);

    connect(finishButton, &QPushButton::clicked, this, &ChoiceStage::onFinishClicked);
    sheetView->setAccessibleName(QStringLiteral("Текст задания"));
    sheetView->setDataField(m_design.sheetField);

    // Only delivers the option lines; never shown.
    optionsMemo->setObjectName(QStringLiteral("optionsMemo"));
    optionsMemo->setAccessibleName(QStringLiteral("Варианты ответов"));
    optionsMemo->setGeometry(8, 24, 737, 41);
    optionsMemo->setReadOnly(true);
    optionsMemo->hide();

    // Fixed places over the sheet, whatever the frame's size or the sheet's text.
    for (int i = 0; i < 5; ++i) {
        m_lists[i]->setGeometry(m_design.lists[i]);
        m_lists[i]->setOptions(m_design.designItems);
        m_lists[i]->raise();
    }
    QWidget* previous = finishButton;
    for (int i = 0; i < 5; ++i) {
        QComboBox* next = m_lists[m_design.tabFromLastList ? 4 - i : i];
        setTabOrder(previous, next);
        previous = next;
    }
}

PositionComboBox* ChoiceStage::makeList(const char* name, int number) {
    auto* list = new PositionComboBox(this);
    list->setObjectName(QString::fromLatin1(name));
    list->setAccessibleName(QStringLiteral("Ответ на пропуск %1").arg(number));
    list->setFont(StageWidgets::font(QStringLiteral("MS Sans Serif"), 13, false));
    return list;
}

void ChoiceStage::fillLists() {
    const std::string memo = mainWindow().complects.asBytes(m_design.optionsField.toStdString());
    optionsMemo->setPlainText(QString::fromStdString(kit::cp1251ToUtf8(memo)));
    const QList<QStringList> options = m_design.options(memo);
    for (int i = 0; i < 5; ++i)
        m_lists[i]->setOptions(options.value(i));
}

void ChoiceStage::start() {
    fillLists();
    StationWindow& main = mainWindow();
    startCountdown(main.*m_design.time, QString());
    // Counted, not shown: the header bar stays empty.
    main.timeLabel->hide();
    main.progressBar->hide();
    main.folders().ensureExist();
}

void ChoiceStage::onFinishClicked() {
    confirmEarlyEnd(texts::kConfirmTaskEnd, Countdown::kEarlyEndLong);
}

std::string ChoiceStage::answerString() const {
    QList<int> positions;
    for (const PositionComboBox* list : m_lists)
        positions.append(list->position());
    return ChoiceRules::answerString(positions);
}

void ChoiceStage::finishStage() {
    StationWindow& main = mainWindow();
    main.folders().ensureExist();
    kit::writeAnswer(main.answers, m_design.answerField, answerString());
    main.startStage(m_design.nextCode);
}
