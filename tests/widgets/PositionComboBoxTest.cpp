#include "widgets/PositionComboBox.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

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

void pressAtList(PositionComboBox& list, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&list, &press);
}

void leave(PositionComboBox& list) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&list, &out);
}

struct ColourList {
    ColourList() {
        list.setOptions({QStringLiteral("red"), QStringLiteral("green"), QStringLiteral("blue")});
        list.show();
        list.setFocus();
    }
    PositionComboBox list;
};

} // namespace

TEST(PositionComboBox, textTypedAtTheListNeverChoosesAnOptionAndGoesOnEnterOrLeaving) {
    ColourList c;
    typeAtList(c.list, QStringLiteral("green"));
    EXPECT_EQ(c.list.currentText(), "green");
    pressAtList(c.list, Qt::Key_Return);
    EXPECT_EQ(c.list.currentIndex(), -1);
    EXPECT_EQ(c.list.position(), 0);
    EXPECT_EQ(c.list.currentText(), "");

    typeAtList(c.list, QStringLiteral("blue"));
    leave(c.list);
    EXPECT_EQ(c.list.currentIndex(), -1);
    EXPECT_EQ(c.list.currentText(), "");
    EXPECT_EQ(c.list.count(), 3); // nothing was added either
}

TEST(PositionComboBox, textTypedOverAChoiceAtTheListShowsTheChoiceAgain) {
    ColourList c;
    c.list.setCurrentIndex(2);
    c.list.lineEdit()->end(false);
    typeAtList(c.list, QStringLiteral("!"));
    EXPECT_EQ(c.list.currentText(), "blue!");
    pressAtList(c.list, Qt::Key_Enter);
    EXPECT_EQ(c.list.currentText(), "blue");
    EXPECT_EQ(c.list.position(), 3);

    typeAtList(c.list, QStringLiteral("red"));
    leave(c.list);
    EXPECT_EQ(c.list.currentText(), "blue");
    EXPECT_EQ(c.list.position(), 3);
}
