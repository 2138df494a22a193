#include "stages/preexam/CountdownWindow.h"

#include "widgets/StageWidgets.h"
#include "main/StationWindow.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

CountdownWindow::CountdownWindow(StationWindow& main)
    : QDialog(&main, Qt::Dialog | Qt::FramelessWindowHint), Panel1(new QLabel(this)), Timer2(new QTimer(this)),
      m_main(main) {
    setObjectName(QStringLiteral("_FiveSec"));
    setWindowTitle(QStringLiteral("Отсчёт перед записью"));
    setModal(true);

    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFont(StageWidgets::arial(kDigitPixels, false));
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setAccessibleName(QStringLiteral("Секунды до начала записи"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    layout->addWidget(Panel1);

    Timer2->setInterval(kStepMs);
    connect(Timer2, &QTimer::timeout, this, &CountdownWindow::Timer2Timer);
    // The count starts with each showing only: a count run while hidden would show nothing.
    coverMainWindow();
}

CountdownWindow::~CountdownWindow() = default;

void CountdownWindow::coverMainWindow() {
    setFixedSize(m_main.size());
    move(m_main.pos());
}

void CountdownWindow::FormShow() {
    FiveSecCount = 5;
    Panel1->clear();
    // Enabling a running timer must not restart its period.
    if (!Timer2->isActive())
        Timer2->start();
}

void CountdownWindow::Timer2Timer() {
    if (FiveSecCount >= 0) {
        Panel1->setText(QString::number(FiveSecCount));
        // Painted at once rather than by pumping the event queue from inside a tick.
        if (Panel1->isVisible())
            Panel1->repaint();
    }
    --FiveSecCount;
    if (FiveSecCount < 0) {
        Timer2->stop();
        close();
    }
}

void CountdownWindow::Panel1Click() {
    FiveSecCount = 0;
}

void CountdownWindow::FormClose() {
    Panel1->clear();
}

void CountdownWindow::showEvent(QShowEvent* event) {
    coverMainWindow();
    QDialog::showEvent(event);
    FormShow();
}

void CountdownWindow::hideEvent(QHideEvent* event) {
    // Every way the window goes (its own close, a rejected modal loop) empties the digits.
    Timer2->stop();
    FormClose();
    QDialog::hideEvent(event);
}

void CountdownWindow::mousePressEvent(QMouseEvent* event) {
    Panel1Click();
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
