#include "support/ChoiceStageKit.h"

#include "kit/Cp1251.h"
#include "kit/StationTables.h"
#include "main/StationWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>

// Exported by QtGui for its own test library: the keyboard's path to shortcuts.
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                               const QString& text = QString(), bool autorep = false, ushort count = 1);

namespace choicekit {

void setKitRow(StationWindow& main, const std::vector<std::pair<std::string, std::string>>& fields) {
    main.complects = kit::makeComplectsTable();
    main.complects.append();
    main.complects.setText("VarNo", "0");
    for (const auto& [name, value] : fields)
        main.complects.setText(name, value);
    main.complects.post();
    main.complects.first();
}

std::string numberedMemo(int count) {
    std::string memo;
    for (int k = 1; k <= count; ++k)
        memo += "line " + std::to_string(k) + "\r\n";
    return memo;
}

std::string sheetRtf(const QString& title, const QStringList& lines) {
    auto escaped = [](const QString& text) {
        std::string out;
        for (char c : kit::utf8ToCp1251(text.toStdString())) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x80) {
                static const char* const hex = "0123456789abcdef";
                out += "\\'";
                out += hex[byte >> 4];
                out += hex[byte & 15];
            } else if (c == '\\' || c == '{' || c == '}') {
                out += '\\';
                out += c;
            } else {
                out += c;
            }
        }
        return out;
    };
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}\\f0\\fs20 ";
    rtf += "\\b " + escaped(title) + "\\b0\\par\\par ";
    for (const QString& line : lines)
        rtf += escaped(line) + "\\par\\par ";
    rtf += "}";
    return rtf;
}

QStringList itemsOf(const QComboBox& list) {
    QStringList items;
    for (int i = 0; i < list.count(); ++i)
        items.append(list.itemText(i));
    return items;
}

QStringList listTabOrder(QWidget& first) {
    QStringList order;
    for (QWidget* next = first.nextInFocusChain(); next != &first; next = next->nextInFocusChain()) {
        if (qobject_cast<QComboBox*>(next) != nullptr && !order.contains(next->objectName()))
            order.append(next->objectName());
    }
    return order;
}

void typeInto(QComboBox& list, const QString& text) {
    QLineEdit* edit = list.lineEdit();
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(edit, &press);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &enter);
}

bool pressShortcut(QWidget& focus, QKeyCombination keys) {
    QWidget* window = focus.window();
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    focus.setFocus(Qt::OtherFocusReason);
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &focus;
    return qt_sendShortcutOverrideEvent(target, 0, keys.key(), keys.keyboardModifiers());
}

void saveScreenshotWithPopup(QWidget& window, QWidget& popup, const QString& name) {
    const QString folder = qEnvironmentVariable("ZUNT_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QPixmap shot = window.grab();
    {
        QPainter painter(&shot);
        painter.drawPixmap(popup.mapToGlobal(QPoint(0, 0)) - window.mapToGlobal(QPoint(0, 0)), popup.grab());
    }
    QDir().mkpath(folder);
    shot.save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

void saveScreenshotWithOpenList(QWidget& window, QComboBox& list, const QString& name) {
    if (qEnvironmentVariable("ZUNT_SCREENSHOTS").isEmpty())
        return;
    list.showPopup();
    saveScreenshotWithPopup(window, *list.view()->window(), name);
    list.hidePopup();
}

} // namespace choicekit
