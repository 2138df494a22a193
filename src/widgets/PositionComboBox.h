#pragma once

#include <QComboBox>

// A drop-down list whose answer is only the position of the option chosen from the list.
// Its edit field is read-only: typed text never appears, so what the list shows is always
// the chosen option (empty with none), which is what is stored. The field may still be
// selected and copied from; a click on it opens the list. The mouse wheel never changes the
// choice: it goes on to the sheet behind the list. The chosen text is shown from its start,
// cut with "…" when it is wider than the field; the opened list is as wide as its longest
// option, up to the window's width.
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

    // The text the field draws: the chosen option, cut at the end with "…" when it does not fit.
    QString shownText() const;

    void showPopup() override;

protected:
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class ChosenTextField;
    ChosenTextField* m_field; // owned by the combo box
};
