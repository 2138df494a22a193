#pragma once

#include "stages/common/ChoiceStage.h"

class QAction;
class QActionGroup;
class QMenu;

// The choice frame of tasks 5 and 6: a ChoiceStage with the layout menu PopupMenu1, with
// which an organiser moves and sizes the five lists one pixel at a time and writes their
// places to the layout file. The menu opens from the bottom bar (the sheet view takes no
// input) and its shortcuts work anywhere in the frame, also inside a list's edit field.
// The list the menu acts on is the unit's LayoutTarget (0 none, 1..5 for list1..list5), owned by
// the task's unit and handed in by reference, so it outlives the frame.
class LayoutChoiceStage : public ChoiceStage {
    Q_OBJECT
public:
    LayoutChoiceStage(StationWindow& main, Design design, int& layoutTarget);

    QMenu* const PopupMenu1;
    QAction* const N1;  // Влево
    QAction* const N2;  // Вправо
    QAction* const N3;  // Вверх
    QAction* const N4;  // Вниз
    QAction* const N5;  // separator
    QAction* const N6;  // Ширина плюс
    QAction* const N7;  // Ширина минус
    QAction* const N8;  // separator
    QAction* const N11; // 1
    QAction* const N21; // 2
    QAction* const N31; // 3
    QAction* const N41; // 4
    QAction* const N51; // 5
    QAction* const N9;  // separator
    QAction* const N10; // Записать

    void N1Click();
    void N2Click();
    void N3Click();
    void N4Click();
    void N6Click();
    void N7Click();
    void N11Click();
    void N21Click();
    void N31Click();
    void N41Click();
    void N51Click();
    void N10Click();

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
