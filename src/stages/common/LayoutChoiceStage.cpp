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
    : ChoiceStage(main, std::move(design)), PopupMenu1(new QMenu(this)),
      N1(makeAction("N1", QStringLiteral("Влево"), QKeySequence(Qt::CTRL | Qt::Key_L))),
      N2(makeAction("N2", QStringLiteral("Вправо"), QKeySequence(Qt::CTRL | Qt::Key_R))),
      N3(makeAction("N3", QStringLiteral("Вверх"), QKeySequence(Qt::CTRL | Qt::Key_T))),
      N4(makeAction("N4", QStringLiteral("Вниз"), QKeySequence(Qt::CTRL | Qt::Key_B))), N5(makeSeparator("N5")),
      N6(makeAction("N6", QStringLiteral("Ширина плюс"), QKeySequence(Qt::CTRL | Qt::Key_W))),
      N7(makeAction("N7", QStringLiteral("Ширина минус"), QKeySequence(Qt::CTRL | Qt::Key_X))), N8(makeSeparator("N8")),
      N11(makeTargetItem("N11", 1)), N21(makeTargetItem("N21", 2)), N31(makeTargetItem("N31", 3)),
      N41(makeTargetItem("N41", 4)), N51(makeTargetItem("N51", 5)), N9(makeSeparator("N9")),
      N10(makeAction("N10", QStringLiteral("Записать"))), m_layoutTarget(layoutTarget),
      m_targets(new QActionGroup(this)) {
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    connect(N1, &QAction::triggered, this, &LayoutChoiceStage::N1Click);
    connect(N2, &QAction::triggered, this, &LayoutChoiceStage::N2Click);
    connect(N3, &QAction::triggered, this, &LayoutChoiceStage::N3Click);
    connect(N4, &QAction::triggered, this, &LayoutChoiceStage::N4Click);
    connect(N6, &QAction::triggered, this, &LayoutChoiceStage::N6Click);
    connect(N7, &QAction::triggered, this, &LayoutChoiceStage::N7Click);
    connect(N11, &QAction::triggered, this, &LayoutChoiceStage::N11Click);
    connect(N21, &QAction::triggered, this, &LayoutChoiceStage::N21Click);
    connect(N31, &QAction::triggered, this, &LayoutChoiceStage::N31Click);
    connect(N41, &QAction::triggered, this, &LayoutChoiceStage::N41Click);
    connect(N51, &QAction::triggered, this, &LayoutChoiceStage::N51Click);
    connect(N10, &QAction::triggered, this, &LayoutChoiceStage::N10Click);

    m_targets->setExclusive(true);
    for (QAction* item : {N11, N21, N31, N41, N51})
        m_targets->addAction(item);
    // The mark shows the list the menu acts on, also when the choice came from an earlier frame.
    if (m_layoutTarget >= 1 && m_layoutTarget <= 5)
        m_targets->actions().at(m_layoutTarget - 1)->setChecked(true);

    // The sheet view takes no input, so the bottom bar carries the menu in both tasks.
    bottomBar->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(bottomBar, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(bottomBar->mapToGlobal(at)); });
    // Shortcuts act wherever the focus is in the frame.
    addActions(PopupMenu1->actions());
    // A list's edit field would take Ctrl+X (cut) and the like for itself; the list hands
    // the keyboard's shortcut check on to its edit field, so the list is where to stop it.
    for (QComboBox* list : lists())
        list->installEventFilter(this);
}

QAction* LayoutChoiceStage::makeAction(const char* name, const QString& text, const QKeySequence& shortcut) {
    QAction* action = PopupMenu1->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
}

QAction* LayoutChoiceStage::makeSeparator(const char* name) {
    QAction* separator = PopupMenu1->addSeparator();
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

void LayoutChoiceStage::N1Click() {
    changeTarget(-1, 0, 0);
}

void LayoutChoiceStage::N2Click() {
    changeTarget(1, 0, 0);
}

void LayoutChoiceStage::N3Click() {
    changeTarget(0, -1, 0);
}

void LayoutChoiceStage::N4Click() {
    changeTarget(0, 1, 0);
}

void LayoutChoiceStage::N6Click() {
    changeTarget(0, 0, 1);
}

void LayoutChoiceStage::N7Click() {
    changeTarget(0, 0, -1);
}

void LayoutChoiceStage::N11Click() {
    chooseTarget(1);
}

void LayoutChoiceStage::N21Click() {
    chooseTarget(2);
}

void LayoutChoiceStage::N31Click() {
    chooseTarget(3);
}

void LayoutChoiceStage::N41Click() {
    chooseTarget(4);
}

void LayoutChoiceStage::N51Click() {
    chooseTarget(5);
}

void LayoutChoiceStage::N10Click() {
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
    for (const QAction* action : PopupMenu1->actions()) {
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
