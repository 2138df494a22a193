#pragma once

#include <QLabel>

// The mark beside a listen-back check: a green "V" for "Да", a red "X" for "Нет".
// Hidden until the first verdict. Owned by its parent.
class VerdictMark : public QLabel {
    Q_OBJECT
public:
    static const QColor kGreen; // 0x008000
    static const QColor kRed;   // 0xFF0000 (0x0000FF when written blue-green-red)

    // checkName: what is checked, for screen readers ("Проверка записи").
    VerdictMark(const QString& checkName, int pixelSize, QWidget* parent);

    // Shows "V" in green (ok) or "X" in red.
    void showVerdict(bool ok);
    QColor colour() const;

private:
    QString m_checkName;
};
