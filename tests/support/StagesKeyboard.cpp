#include "support/StagesKeyboard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace stagestest {

void pressKey(QWidget* widget, Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers) {
    QKeyEvent down(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &down);
    QKeyEvent up(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &up);
}

void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        // Qt's key codes of Latin-1 characters are their upper-case code points.
        const auto key = c == QLatin1Char(' ') ? Qt::Key_Space : static_cast<Qt::Key>(c.toUpper().unicode());
        pressKey(widget, key, QString(c));
    }
}

void pressBackspace(QWidget* widget) {
    pressKey(widget, Qt::Key_Backspace, QStringLiteral("\b"));
}

void pressEnter(QWidget* widget) {
    pressKey(widget, Qt::Key_Return, QStringLiteral("\r"));
}

} // namespace stagestest
