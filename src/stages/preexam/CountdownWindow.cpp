#include "stages/preexam/CountdownWindow.h"

#include "widgets/StageWidgets.h"
#include "main/StationWindow.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

CountdownWindow::CountdownWindow(StationWindow& main)
    : QDialog(&main, Qt::Dialog | Qt::FramelessWindowHint), digitsLabel(new QLabel(this)),
      countdownTimer(new QTimer(this)), m_main(main) {
    setObjectName(QStringLiteral("countdownWindow"));
    setWindowTitle(QStringLiteral("Отсчёт перед записью"));
    setModal(true);

    digitsLabel->setObjectName(QStringLiteral("digitsLabel"));
    digitsLabel->setFont(StageWidgets::arial(kDigitPixels, false));
    digitsLabel->setAlignment(Qt::AlignCenter);
    digitsLabel->setFrameShape(QFrame::Panel);
    digitsLabel->setFrameShadow(QFrame::Raised);
    digitsLabel->setAccessibleName(QStringLiteral("Секунды до начала записи"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    layout->addWidget(digitsLabel);

    countdownTimer->setInterval(kStepMs);
    connect(countdownTimer, &QTimer::timeout, this, &CountdownWindow::onCountdownTick);
    // The count starts with each showing only: a count run while hidden would show nothing.
    coverMainWindow();
}

CountdownWindow::~CountdownWindow() = default;

void CountdownWindow::coverMainWindow() {
    setFixedSize(m_main.size());
    move(m_main.pos());
}

void CountdownWindow::onShown() {
    nextDigit = 5;
    digitsLabel->clear();
    // Enabling a running timer must not restart its period.
    if (!countdownTimer->isActive())
        countdownTimer->start();
}

void CountdownWindow::onCountdownTick() {
    if (nextDigit >= 0) {
        digitsLabel->setText(QString::number(nextDigit));
        // Painted at once rather than by pumping the event queue from inside a tick.
        if (digitsLabel->isVisible())
            digitsLabel->repaint();
    }
    --nextDigit;
    if (nextDigit < 0) {
        countdownTimer->stop();
        close();
    }
}

void CountdownWindow::onDigitsClicked() {
    nextDigit = 0;
}

void CountdownWindow::onClosed() {
    digitsLabel->clear();
}

void CountdownWindow::showEvent(QShowEvent* event) {
    coverMainWindow();
    QDialog::showEvent(event);
    onShown();
}

void CountdownWindow::hideEvent(QHideEvent* event) {
    // Every way the window goes (its own close, a rejected modal loop) empties the digits.
    countdownTimer->stop();
    onClosed();
    QDialog::hideEvent(event);
}

void CountdownWindow::mousePressEvent(QMouseEvent* event) {
    onDigitsClicked();
    event->accept();
}

void CountdownWindow::keyPressEvent(QKeyEvent* event) {
    // Escape would end the modal display: only a click ends the count early.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
