#include "widgets/PositionComboBox.h"
#include "widgets/StageWidgets.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

// Keys go to the list itself, which has the focus, as a real keyboard's do: the list
// hands them to its edit field past that field's event filters.
void typeAtList(PositionComboBox& list, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&list, &press);
    }
}

void typeAtField(PositionComboBox& list, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(list.lineEdit(), &press);
    }
}

void pressAtList(PositionComboBox& list, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&list, &press);
}

void leave(PositionComboBox& list) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&list, &out);
}

// One notch of the wheel turned down over the middle of widget, delivered as the
// application delivers it (to the widget under the pointer, then up to its parents).
void wheelOver(QWidget& widget) {
    const QPointF at(widget.width() / 2.0, widget.height() / 2.0);
    QWheelEvent wheel(at, widget.mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &wheel);
}

// Stands for the sheet under the lists: counts the wheel notches that reach it.
class Sheet : public QWidget {
public:
    using QWidget::QWidget;
    int notches = 0;

protected:
    void wheelEvent(QWheelEvent* event) override {
        notches += -event->angleDelta().y() / 120;
        event->accept();
    }
};

struct ColourList {
    ColourList() {
        list.setOptions({QStringLiteral("red"), QStringLiteral("green"), QStringLiteral("blue")});
        list.show();
        list.setFocus();
    }
    PositionComboBox list;
};

// A frame with the sheet and a list laid over it, as the stages build them.
struct SheetWithList {
    SheetWithList() {
        frame.resize(600, 400);
        sheet.setGeometry(0, 0, 600, 400);
        list->setGeometry(100, 100, 145, 24);
        list->setFont(StageWidgets::font(StageWidgets::msSansSerif(), 13, false));
        list->raise();
        frame.show();
    }
    QWidget frame;
    Sheet sheet{&frame};
    PositionComboBox* list = new PositionComboBox(&frame);
};

} // namespace

TEST(PositionComboBox, typedTextNeverShowsAndNeverChoosesAnOption) {
    ColourList c;
    typeAtList(c.list, QStringLiteral("green"));
    typeAtField(c.list, QStringLiteral("green"));
    EXPECT_EQ(c.list.currentText(), "");
    pressAtList(c.list, Qt::Key_Return);
    EXPECT_EQ(c.list.currentIndex(), -1);
    EXPECT_EQ(c.list.position(), 0);
    leave(c.list);
    EXPECT_EQ(c.list.currentIndex(), -1);
    EXPECT_EQ(c.list.currentText(), "");
    EXPECT_EQ(c.list.count(), 3); // nothing was added either
}

TEST(PositionComboBox, textTypedOverAChoiceLeavesTheChoiceShown) {
    ColourList c;
    c.list.setCurrentIndex(2);
    c.list.lineEdit()->end(false);
    typeAtList(c.list, QStringLiteral("!"));
    typeAtField(c.list, QStringLiteral("red"));
    EXPECT_EQ(c.list.currentText(), "blue");
    pressAtList(c.list, Qt::Key_Enter);
    leave(c.list);
    EXPECT_EQ(c.list.currentText(), "blue");
    EXPECT_EQ(c.list.position(), 3);
}

TEST(PositionComboBox, enterKeepsTheChosenOneOfEqualOptions) {
    ColourList c;
    c.list.setOptions({QStringLiteral(""), QStringLiteral("same"), QStringLiteral("same")});
    pressAtList(c.list, Qt::Key_Return); // an empty field must not pick the empty option
    EXPECT_EQ(c.list.position(), 0);
    c.list.setCurrentIndex(2);
    pressAtList(c.list, Qt::Key_Return);
    leave(c.list);
    EXPECT_EQ(c.list.position(), 3);
}

TEST(PositionComboBox, theWheelNeverChoosesAndReachesTheSheetBehind) {
    SheetWithList s;
    s.list->setOptions({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
    wheelOver(*s.list);
    EXPECT_EQ(s.list->currentIndex(), -1);
    s.list->setFocus();
    s.list->setCurrentIndex(0);
    wheelOver(*s.list);
    wheelOver(*s.list->lineEdit());
    EXPECT_EQ(s.list->position(), 1);
    EXPECT_EQ(s.sheet.notches, 3);
}

TEST(PositionComboBox, showsALongOptionFromItsStartCutWithAnEllipsis) {
    SheetWithList s;
    const QString longOption = QStringLiteral("В тексте не сказано ничего о погоде");
    s.list->setOptions({QStringLiteral("Верно"), longOption});
    s.list->setCurrentIndex(0);
    EXPECT_EQ(s.list->shownText(), "Верно");
    s.list->setCurrentIndex(1);
    const QString shown = s.list->shownText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("В тексте"))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_EQ(s.list->lineEdit()->cursorPosition(), 0);
    EXPECT_EQ(s.list->currentText(), longOption); // the option itself is whole
    EXPECT_EQ(s.list->size(), QSize(145, 24));    // and the list keeps its size
}

TEST(PositionComboBox, theOpenedListIsAsWideAsItsLongestOptionWithinTheWindow) {
    SheetWithList s;
    const QString longOption = QStringLiteral("В тексте не сказано ничего о погоде");
    s.list->setOptions({QStringLiteral("Верно"), longOption});
    s.list->showPopup();
    QWidget* popup = s.list->view()->window();
    EXPECT_GE(s.list->view()->viewport()->width(), s.list->view()->fontMetrics().horizontalAdvance(longOption));
    EXPECT_LE(popup->width(), s.frame.width());
    s.list->hidePopup();

    s.list->setOptions({longOption.repeated(8)});
    s.list->showPopup();
    EXPECT_LE(s.list->view()->window()->width(), s.frame.width());
    s.list->hidePopup();
}

// Windows' MS Sans Serif at 13 px averages about 5 px a lowercase letter; fontconfig's
// stand-in DejaVu Sans takes 190 px for the alphabet, Liberation Sans 165.
TEST(PositionComboBox, listsUseAFaceWithTheWidthsOfMsSansSerif) {
    const QFont font = StageWidgets::font(StageWidgets::msSansSerif(), 13, false);
    EXPECT_EQ(QFontInfo(font).family(), "MS Sans Serif");
    const QFontMetrics metrics(font);
    EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("abcdefghijklmnopqrstuvwxyz")), 140);
    EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("абвгдеёжзийклмнопрстуфхцчшщъыьэюя")), 215);
}
