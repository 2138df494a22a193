#include "widgets/VerdictMark.h"

#include "widgets/StageWidgets.h"

const QColor VerdictMark::kGreen = QColor(0x00, 0x80, 0x00);
const QColor VerdictMark::kRed = QColor(0xFF, 0x00, 0x00);

VerdictMark::VerdictMark(const QString& checkName, int pixelSize, QWidget* parent)
    : QLabel(QStringLiteral("V"), parent), m_checkName(checkName) {
    setFont(StageWidgets::arial(pixelSize));
    setAlignment(Qt::AlignCenter);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, kGreen);
    setPalette(pal);
    setAccessibleName(m_checkName);
    hide();
}

void VerdictMark::showVerdict(bool ok) {
    setText(ok ? QStringLiteral("V") : QStringLiteral("X"));
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, ok ? kGreen : kRed);
    setPalette(pal);
    setAccessibleName(m_checkName + (ok ? QStringLiteral(": пройдена") : QStringLiteral(": не пройдена")));
    show();
}

QColor VerdictMark::colour() const {
    return palette().color(QPalette::WindowText);
}
