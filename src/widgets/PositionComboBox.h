#pragma once

#include <QComboBox>

// A drop-down list with an edit field whose answer is only the position of the option
// chosen from the list. Typed text never chooses an option (no completion, no match on
// Enter or on leaving the field, nothing inserted), and when the field is left or Enter is
// pressed it shows the chosen option again (empty with none), so what the box shows is
// what is stored.
class PositionComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit PositionComboBox(QWidget* parent = nullptr);

    // Height of an option in the opened list.
    static constexpr int kItemHeight = 16;

    // Replaces the options; none is chosen and the edit field is empty.
    void setOptions(const QStringList& options);
    // 1-based position of the chosen option, 0 for none.
    int position() const;

protected:
    // Keys typed at the focused list and its loss of focus reach the edit field directly,
    // past its event filters: the list itself shows the chosen option again then.
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // Events sent to the edit field itself.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showChosen();
};
