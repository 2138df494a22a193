#pragma once

#include "stages/common/ChoiceStage.h"

class QAction;
class QActionGroup;
class QMenu;

// The choice frame of tasks 5 and 6: a ChoiceStage with the layout menu, with which an
// organiser moves and sizes the five lists one pixel at a time and writes their places to
// the layout file. The menu opens from the bottom bar (the sheet view takes no input) and
// its shortcuts work anywhere in the frame, also inside a list's edit field. The list the
// menu acts on is the unit's layoutTarget (0 none, 1..5 for list1..list5), owned by the
// task's unit and handed in by reference, so it outlives the frame.
class LayoutChoiceStage : public ChoiceStage {
    Q_OBJECT
public:
    LayoutChoiceStage(StationWindow& main, Design design, int& layoutTarget);

    QMenu* const layoutMenu;
    QAction* const moveLeftAction;  // Влево
    QAction* const moveRightAction; // Вправо
    QAction* const moveUpAction;    // Вверх
    QAction* const moveDownAction;  // Вниз
    QAction* const sizeSeparator;
    QAction* const widthPlusAction;  // Ширина плюс
    QAction* const widthMinusAction; // Ширина минус
    QAction* const targetSeparator;
    QAction* const targetList1Action; // 1
    QAction* const targetList2Action; // 2
    QAction* const targetList3Action; // 3
    QAction* const targetList4Action; // 4
    QAction* const targetList5Action; // 5
    QAction* const saveSeparator;
    QAction* const saveLayoutAction; // Записать

    void onMoveLeft();
    void onMoveRight();
    void onMoveUp();
    void onMoveDown();
    void onWidthPlus();
    void onWidthMinus();
    void onTargetList1();
    void onTargetList2();
    void onTargetList3();
    void onTargetList4();
    void onTargetList5();
    void onSaveLayout();

    // "c:\coords.txt" on Windows; elsewhere coords.txt in the working folder.
    static QString layoutFilePath(const QString& workDir);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* makeAction(const char* name, const QString& text, const QKeySequence& shortcut = {});
    QAction* makeSeparator(const char* name);
    QAction* makeTargetItem(const char* name, int number);
    void chooseTarget(int number);
    void changeTarget(int dx, int dy, int dwidth);
    bool isMenuShortcut(const QKeyEvent& key) const;

    int& m_layoutTarget;
    QActionGroup* const m_targets;
};
