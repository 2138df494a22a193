#include "stages/preexam/KitTextViewer.h"

#include "widgets/StageWidgets.h"
#include "main/StationWindow.h"
#include "richtext/RichView.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>

KitTextViewer::KitTextViewer(StationWindow& main)
    : QDialog(&main, Qt::Dialog | Qt::FramelessWindowHint), sampleTextView(new richtext::RichView(this)),
      buttonBar(new QFrame(this)), closeButton(new QPushButton(QStringLiteral("Закрыть"), buttonBar)), m_main(main) {
    setObjectName(QStringLiteral("kitTextViewer"));
    setWindowTitle(QStringLiteral("Проверка отображения текста заданий"));
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);

    sampleTextView->setObjectName(QStringLiteral("sampleTextView"));
    sampleTextView->setAccessibleName(QStringLiteral("Образец текста заданий"));
    buttonBar->setObjectName(QStringLiteral("buttonBar"));
    buttonBar->setFixedHeight(kButtonBarHeight);
    buttonBar->setFrameShape(QFrame::Panel);
    buttonBar->setFrameShadow(QFrame::Raised);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setFixedSize(100, 27);

    auto* buttons = new QHBoxLayout(buttonBar);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    buttons->addStretch(1);

    StageWidgets::stackSheetOverBar(this, sampleTextView, buttonBar);

    connect(closeButton, &QPushButton::clicked, this, &KitTextViewer::onCloseClicked);
}

KitTextViewer::~KitTextViewer() = default;

void KitTextViewer::onActivated() {
    m_main.selectVariant(0);
}

void KitTextViewer::onCloseClicked() {
    accept();
}

void KitTextViewer::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    StageWidgets::centreOnScreen(this);
    sampleTextView->setDataSource(&m_main.complects);
    sampleTextView->setDataField(QStringLiteral("TestRTF"));
    onActivated();
}

void KitTextViewer::hideEvent(QHideEvent* event) {
    sampleTextView->setDataSource(nullptr);
    QDialog::hideEvent(event);
}
