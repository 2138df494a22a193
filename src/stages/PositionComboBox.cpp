#include "stages/PositionComboBox.h"

#include "stages/ChoiceRules.h"

#include <QLineEdit>

PositionComboBox::PositionComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    // QComboBox picks the option whose text equals the typed text on Enter and when the
    // field loses focus; here only a choice from the list counts.
    disconnect(lineEdit(), SIGNAL(editingFinished()), this, nullptr);
    disconnect(lineEdit(), SIGNAL(returnPressed()), this, nullptr);
    connect(lineEdit(), &QLineEdit::textEdited, this, &PositionComboBox::textTyped);
}

void PositionComboBox::setOptions(const QStringList& options) {
    clear();
    addItems(options);
    for (int i = 0; i < count(); ++i)
        setItemData(i, QSize(width(), kItemHeight), Qt::SizeHintRole);
    setCurrentIndex(-1);
    setEditText(QString());
}

int PositionComboBox::position() const {
    return ChoiceRules::positionOf(currentIndex());
}

void PositionComboBox::textTyped(const QString& text) {
    if (currentIndex() < 0)
        return;
    const int cursor = lineEdit()->cursorPosition();
    setCurrentIndex(-1); // empties the field: put the typed text back
    lineEdit()->setText(text);
    lineEdit()->setCursorPosition(cursor);
}
