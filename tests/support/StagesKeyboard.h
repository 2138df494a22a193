#pragma once

#include <QString>
#include <Qt>

class QWidget;

// Keyboard input for stage tests without QtTest: each key is sent to the widget as a
// press and a release, the way the platform delivers typed characters.
namespace stagestest {

void pressKey(QWidget* widget, Qt::Key key, const QString& text = QString(),
              Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Types each character of text as one key.
void typeText(QWidget* widget, const QString& text);
void pressBackspace(QWidget* widget);
void pressEnter(QWidget* widget);

} // namespace stagestest
