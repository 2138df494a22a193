#pragma once

#include <QString>

class QWidget;

// Saves the widget as <ZUNT_SCREENSHOTS>/<name>.png when that variable names a folder;
// does nothing otherwise. Name it after the frame's class and its state:
// "ChoiceTask4Stage-lists-open".
void saveScreenshot(QWidget& widget, const QString& name);
