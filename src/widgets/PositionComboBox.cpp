#include "widgets/PositionComboBox.h"

#include "station/ChoiceRules.h"

#include <QKeyEvent>
#include <QLineEdit>

PositionComboBox::PositionComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setDuplicatesEnabled(true);
    setCompleter(nullptr);
    // QComboBox picks the option whose text equals the typed text on Enter and when the
    // field loses focus; here only a choice from the list counts.
    disconnect(lineEdit(), SIGNAL(editingFinished()), this, nullptr);
    disconnect(lineEdit(), SIGNAL(returnPressed()), this, nullptr);
    lineEdit()->installEventFilter(this);
}

void PositionComboBox::setOptions(const QStringList& options) {
    clear();
    addItems(options);
    for (int i = 0; i < count(); ++i)
        setItemData(i, QSize(width(), kItemHeight), Qt::SizeHintRole);
    setCurrentIndex(-1); // adding to an empty list made the first option current
    setEditText(QString());
}

int PositionComboBox::position() const {
    return ChoiceRules::positionOf(currentIndex());
}

namespace {

bool isEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

} // namespace

void PositionComboBox::keyPressEvent(QKeyEvent* event) {
    QComboBox::keyPressEvent(event);
    if (isEnter(*event))
        showChosen();
}

void PositionComboBox::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    showChosen();
}

bool PositionComboBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit()) {
        const bool enter = event->type() == QEvent::KeyPress && isEnter(*static_cast<QKeyEvent*>(event));
        if (enter || event->type() == QEvent::FocusOut)
            showChosen();
    }
    return QComboBox::eventFilter(watched, event);
}

void PositionComboBox::showChosen() {
    const int chosen = currentIndex();
    setEditText(chosen < 0 ? QString() : itemText(chosen));
}
