#include "stages/common/LayoutChoiceStage.h"

#include "main/DialogService.h"
#include "main/StationWindow.h"
#include "station/ChoiceRules.h"
#include "widgets/PositionComboBox.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSaveFile>

LayoutChoiceStage::LayoutChoiceStage(StationWindow& main, Design design, int& layoutTarget)
    : ChoiceStage(main, std::move(design)), layoutMenu(new QMenu(this)),
      moveLeftAction(makeAction("moveLeftAction", QStringLiteral("Влево"), QKeySequence(Qt::CTRL | Qt::Key_L))),
      moveRightAction(makeAction("moveRightAction", QStringLiteral("Вправо"), QKeySequence(Qt::CTRL | Qt::Key_R))),
      moveUpAction(makeAction("moveUpAction", QStringLiteral("Вверх"), QKeySequence(Qt::CTRL | Qt::Key_T))),
      moveDownAction(makeAction("moveDownAction", QStringLiteral("Вниз"), QKeySequence(Qt::CTRL | Qt::Key_B))),
      sizeSeparator(makeSeparator("sizeSeparator")),
      widthPlusAction(makeAction("widthPlusAction", QStringLiteral("Ширина плюс"), QKeySequence(Qt::CTRL | Qt::Key_W))),
      widthMinusAction(
          makeAction("widthMinusAction", QStringLiteral("Ширина минус"), QKeySequence(Qt::CTRL | Qt::Key_X))),
      targetSeparator(makeSeparator("targetSeparator")), targetList1Action(makeTargetItem("targetList1Action", 1)),
      targetList2Action(makeTargetItem("targetList2Action", 2)),
      targetList3Action(makeTargetItem("targetList3Action", 3)),
      targetList4Action(makeTargetItem("targetList4Action", 4)),
      targetList5Action(makeTargetItem("targetList5Action", 5)), saveSeparator(makeSeparator("saveSeparator")),
      saveLayoutAction(makeAction("saveLayoutAction", QStringLiteral("Записать"))), m_layoutTarget(layoutTarget),
      m_targets(new QActionGroup(this)) {
    layoutMenu->setObjectName(QStringLiteral("layoutMenu"));
    connect(moveLeftAction, &QAction::triggered, this, &LayoutChoiceStage::onMoveLeft);
    connect(moveRightAction, &QAction::triggered, this, &LayoutChoiceStage::onMoveRight);
    connect(moveUpAction, &QAction::triggered, this, &LayoutChoiceStage::onMoveUp);
    connect(moveDownAction, &QAction::triggered, this, &LayoutChoiceStage::onMoveDown);
    connect(widthPlusAction, &QAction::triggered, this, &LayoutChoiceStage::onWidthPlus);
    connect(widthMinusAction, &QAction::triggered, this, &LayoutChoiceStage::onWidthMinus);
    connect(targetList1Action, &QAction::triggered, this, &LayoutChoiceStage::onTargetList1);
    connect(targetList2Action, &QAction::triggered, this, &LayoutChoiceStage::onTargetList2);
    connect(targetList3Action, &QAction::triggered, this, &LayoutChoiceStage::onTargetList3);
    connect(targetList4Action, &QAction::triggered, this, &LayoutChoiceStage::onTargetList4);
    connect(targetList5Action, &QAction::triggered, this, &LayoutChoiceStage::onTargetList5);
    connect(saveLayoutAction, &QAction::triggered, this, &LayoutChoiceStage::onSaveLayout);

    m_targets->setExclusive(true);
    for (QAction* item :
         {targetList1Action, targetList2Action, targetList3Action, targetList4Action, targetList5Action})
        m_targets->addAction(item);
    // The mark shows the list the menu acts on, also when the choice came from an earlier frame.
    if (m_layoutTarget >= 1 && m_layoutTarget <= 5)
        m_targets->actions().at(m_layoutTarget - 1)->setChecked(true);

    // The sheet view takes no input, so the bottom bar carries the menu in both tasks.
    bottomBar->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(bottomBar, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { layoutMenu->popup(bottomBar->mapToGlobal(at)); });
    // Shortcuts act wherever the focus is in the frame.
    addActions(layoutMenu->actions());
    // A list's edit field would take Ctrl+X (cut) and the like for itself; the list hands
    // the keyboard's shortcut check on to its edit field, so the list is where to stop it.
    for (QComboBox* list : lists())
        list->installEventFilter(this);
}

QAction* LayoutChoiceStage::makeAction(const char* name, const QString& text, const QKeySequence& shortcut) {
    QAction* action = layoutMenu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
}

QAction* LayoutChoiceStage::makeSeparator(const char* name) {
    QAction* separator = layoutMenu->addSeparator();
    separator->setObjectName(QString::fromLatin1(name));
    return separator;
}

QAction* LayoutChoiceStage::makeTargetItem(const char* name, int number) {
    QAction* item = makeAction(name, QString::number(number));
    item->setCheckable(true);
    return item;
}

QString LayoutChoiceStage::layoutFilePath(const QString& workDir) {
#ifdef Q_OS_WIN
    Q_UNUSED(workDir);
    return QStringLiteral("c:/coords.txt");
#else
    return QDir(workDir).filePath(QStringLiteral("coords.txt"));
#endif
}

void LayoutChoiceStage::chooseTarget(int number) {
    m_layoutTarget = number;
    m_targets->actions().at(number - 1)->setChecked(true);
}

void LayoutChoiceStage::changeTarget(int dx, int dy, int dwidth) {
    if (m_layoutTarget < 1 || m_layoutTarget > 5)
        return;
    QComboBox* list = lists()[static_cast<std::size_t>(m_layoutTarget - 1)];
    const QRect place = list->geometry();
    list->setGeometry(place.x() + dx, place.y() + dy, place.width() + dwidth, place.height());
}

void LayoutChoiceStage::onMoveLeft() {
    changeTarget(-1, 0, 0);
}

void LayoutChoiceStage::onMoveRight() {
    changeTarget(1, 0, 0);
}

void LayoutChoiceStage::onMoveUp() {
    changeTarget(0, -1, 0);
}

void LayoutChoiceStage::onMoveDown() {
    changeTarget(0, 1, 0);
}

void LayoutChoiceStage::onWidthPlus() {
    changeTarget(0, 0, 1);
}

void LayoutChoiceStage::onWidthMinus() {
    changeTarget(0, 0, -1);
}

void LayoutChoiceStage::onTargetList1() {
    chooseTarget(1);
}

void LayoutChoiceStage::onTargetList2() {
    chooseTarget(2);
}

void LayoutChoiceStage::onTargetList3() {
    chooseTarget(3);
}

void LayoutChoiceStage::onTargetList4() {
    chooseTarget(4);
}

void LayoutChoiceStage::onTargetList5() {
    chooseTarget(5);
}

void LayoutChoiceStage::onSaveLayout() {
    QList<QRect> places;
    for (const QComboBox* list : lists())
        places.append(list->geometry());
    const QString path = layoutFilePath(mainWindow().workDir);
    // Written beside the target and then put in its place: a failure leaves no half-written file.
    QSaveFile file(path);
    // A folder that takes no new files (the root of C:) can still hold a writable coords.txt.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || file.write(ChoiceRules::layoutText(places)) < 0 || !file.commit())
        mainWindow().dialogs().error(
            QStringLiteral("Не удалось записать файл %1.").arg(QDir::toNativeSeparators(path)));
}

bool LayoutChoiceStage::isMenuShortcut(const QKeyEvent& key) const {
    const QKeySequence pressed(key.keyCombination());
    for (const QAction* action : layoutMenu->actions()) {
        if (!action->shortcut().isEmpty() && action->shortcut() == pressed)
            return true;
    }
    return false;
}

bool LayoutChoiceStage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && isMenuShortcut(*static_cast<QKeyEvent*>(event))) {
        event->ignore(); // not claimed by the edit field: the menu's shortcut runs
        return true;
    }
    return ChoiceStage::eventFilter(watched, event);
}
