#include "widgets/DigitsOnlyValidator.h"

#include "station/Digits.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

constexpr char16_t kBackspace = 8;

} // namespace

DigitsOnlyValidator::DigitsOnlyValidator(QLineEdit* edit, KeyHandler keyHandler)
    : QValidator(edit), m_keyHandler(std::move(keyHandler)) {
    edit->setValidator(this);
    edit->installEventFilter(this);
}

bool DigitsOnlyValidator::passesKey(QChar key) {
    return (key >= QLatin1Char('0') && key <= QLatin1Char('9')) || key.unicode() == kBackspace;
}

void DigitsOnlyValidator::filterKey(QChar& key) {
    if (!passesKey(key))
        key = QChar();
}

QValidator::State DigitsOnlyValidator::validate(QString& input, int& pos) const {
    (void)pos;
    return isAsciiDigits(input) ? Acceptable : Invalid;
}

bool DigitsOnlyValidator::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QValidator::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // Shortcuts (copy, paste, undo) and editing keys that type nothing (arrows, Delete,
    // Tab) are the edit's own; whatever they bring in still meets validate().
    const bool editingKey = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Delete;
    if (key->text().isEmpty() || editingKey ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const QString text = key->text();
    for (QChar c : text) {
        QChar typed = c;
        if (m_keyHandler)
            m_keyHandler(typed);
        else
            filterKey(typed);
        if (typed.isNull())
            return true; // discarded: the edit never sees it
    }
    return false;
}
