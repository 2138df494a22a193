#include "stages/ChoiceStage.h"

#include "kit/Cp1251.h"
#include "kit/StationTables.h"
#include "main/StageWidgets.h"
#include "main/StationTexts.h"
#include "main/TfrmMain.h"
#include "richtext/RichView.h"
#include "stages/ChoiceRules.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

namespace {

constexpr int kItemHeight = 16;

void setItems(QComboBox& list, const QStringList& items) {
    list.clear();
    list.addItems(items);
    for (int i = 0; i < list.count(); ++i)
        list.setItemData(i, QSize(0, kItemHeight), Qt::SizeHintRole);
    // Adding to an empty list makes its first item current; nothing is chosen yet.
    list.setCurrentIndex(-1);
    list.clearEditText();
}

} // namespace

ChoiceStage::ChoiceStage(TfrmMain& main, Design design)
    : SheetStage(main, {kBarHeight, design.caption, QStringLiteral("Завершить ответ!"), QSize(119, 25), 13, 10}),
      Answers(new QPlainTextEdit(this)), t1(makeList("t1", 1)), t2(makeList("t2", 2)), t3(makeList("t3", 3)),
      t4(makeList("t4", 4)), t5(makeList("t5", 5)), m_design(std::move(design)), m_lists{t1, t2, t3, t4, t5} {
    resize(m_design.frameSize);

    connect(Button1, &QPushButton::clicked, this, &ChoiceStage::Button1Click);
    RxDBRichEdit1->setAccessibleName(QStringLiteral("Текст задания"));
    RxDBRichEdit1->setDataField(m_design.sheetField);

    // Only delivers the option lines; never shown.
    Answers->setObjectName(QStringLiteral("Answers"));
    Answers->setAccessibleName(QStringLiteral("Варианты ответов"));
    Answers->setGeometry(8, 24, 737, 41);
    Answers->setReadOnly(true);
    Answers->hide();

    // Fixed places over the sheet, whatever the frame's size or the sheet's text.
    for (int i = 0; i < 5; ++i) {
        m_lists[i]->setGeometry(m_design.lists[i]);
        setItems(*m_lists[i], m_design.designItems);
        m_lists[i]->raise();
        // What the field shows is what is stored: when editing ends the chosen option shows
        // again, before the list itself could pick an option by the typed text.
        m_lists[i]->lineEdit()->installEventFilter(this);
    }
    QWidget* previous = Button1;
    for (int i = 0; i < 5; ++i) {
        QComboBox* next = m_lists[m_design.tabFromLastList ? 4 - i : i];
        setTabOrder(previous, next);
        previous = next;
    }
}

QComboBox* ChoiceStage::makeList(const char* name, int number) {
    auto* list = new QComboBox(this);
    list->setObjectName(QString::fromLatin1(name));
    list->setAccessibleName(QStringLiteral("Ответ на пропуск %1").arg(number));
    list->setFont(StageWidgets::font(QStringLiteral("MS Sans Serif"), 13, false));
    list->setEditable(true);
    // Typed text never becomes an option or picks one: only a chosen position counts.
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setDuplicatesEnabled(true);
    list->setCompleter(nullptr);
    return list;
}

bool ChoiceStage::eventFilter(QObject* watched, QEvent* event) {
    const bool ending =
        event->type() == QEvent::FocusOut ||
        (event->type() == QEvent::KeyPress && (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                                               static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter));
    if (ending) {
        for (QComboBox* list : m_lists) {
            if (list->lineEdit() == watched) {
                const int chosen = list->currentIndex();
                list->setEditText(chosen < 0 ? QString() : list->itemText(chosen));
            }
        }
    }
    return SheetStage::eventFilter(watched, event);
}

void ChoiceStage::fillLists() {
    const std::string memo = mainWindow().complects.asBytes(m_design.optionsField.toStdString());
    Answers->setPlainText(QString::fromStdString(kit::cp1251ToUtf8(memo)));
    const QList<QStringList> options = m_design.options(memo);
    for (int i = 0; i < 5; ++i)
        setItems(*m_lists[i], options.value(i));
}

void ChoiceStage::Start() {
    fillLists();
    TfrmMain& main = mainWindow();
    startCountdown(main.*m_design.time, QString());
    // Counted, not shown: the header bar stays empty.
    main.lblProcessTime->hide();
    main.ProcessBar->hide();
    main.folders().ensureExist();
}

void ChoiceStage::Button1Click() {
    confirmEarlyEnd(texts::kConfirmTaskEnd, Countdown::kEarlyEndLong);
}

std::string ChoiceStage::answerString() const {
    QList<int> positions;
    for (const QComboBox* list : m_lists)
        positions.append(ChoiceRules::positionOf(list->currentIndex()));
    return ChoiceRules::answerString(positions);
}

void ChoiceStage::finishStage() {
    TfrmMain& main = mainWindow();
    main.folders().ensureExist();
    kit::writeAnswer(main.answers, m_design.answerField, answerString());
    main.StartFrame(m_design.nextCode);
}
