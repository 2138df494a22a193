#pragma once

#include <QKeySequence>
#include <QString>
#include <QStringList>

#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QWidget;
class StationWindow;

// Helpers for the tests of the choice stages (tasks 1, 4, 5, 6).
namespace choicekit {

// Replaces the kit table of the window by one row of variant 0 holding the given fields;
// values are Windows-1251 bytes (memo lines, RTF sheets).
void setKitRow(StationWindow& main, const std::vector<std::pair<std::string, std::string>>& fields);

// The memo "line 1" ... "line count", each line ended by CR LF.
std::string numberedMemo(int count);

// A plain RTF sheet: a title and then one paragraph per line, each followed by an empty
// paragraph, in 13 px Arial (for screenshots of lists laid over a sheet).
std::string sheetRtf(const QString& title, const QStringList& lines);

// The texts of a list's options, in order.
QStringList itemsOf(const QComboBox& list);

// The object names of the lists (combo boxes) in the tab order, starting after first.
QStringList listTabOrder(QWidget& first);

// Types text into a list's edit field key by key and presses Enter, as a person would.
void typeInto(QComboBox& list, const QString& text);

// Delivers a key combination to the window's focus widget the way a keyboard does: the
// focus widget may claim it first, otherwise a matching shortcut runs. True when a shortcut ran.
bool pressShortcut(QWidget& focus, QKeyCombination keys);

// Saves window as a screenshot (see saveScreenshot) with an open popup window (a list's
// drop-down, a menu) painted over it where it shows on screen.
void saveScreenshotWithPopup(QWidget& window, QWidget& popup, const QString& name);
// The same with the drop-down of list opened for the picture and closed again.
void saveScreenshotWithOpenList(QWidget& window, QComboBox& list, const QString& name);

} // namespace choicekit
