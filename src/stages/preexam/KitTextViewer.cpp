#include "stages/preexam/KitTextViewer.h"

#include "widgets/StageWidgets.h"
#include "main/StationWindow.h"
#include "richtext/RichView.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>

KitTextViewer::KitTextViewer(StationWindow& main)
    : QDialog(&main, Qt::Dialog | Qt::FramelessWindowHint), RxDBRichEdit1(new richtext::RichView(this)),
      Panel1(new QFrame(this)), Button1(new QPushButton(QStringLiteral("Закрыть"), Panel1)), m_main(main) {
    setObjectName(QStringLiteral("kitTextViewer"));
    setWindowTitle(QStringLiteral("Проверка отображения текста заданий"));
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);

    RxDBRichEdit1->setObjectName(QStringLiteral("RxDBRichEdit1"));
    RxDBRichEdit1->setAccessibleName(QStringLiteral("Образец текста заданий"));
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(kPanelHeight);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFixedSize(100, 27);

    auto* buttons = new QHBoxLayout(Panel1);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addStretch(1);

    StageWidgets::stackSheetOverBar(this, RxDBRichEdit1, Panel1);

    connect(Button1, &QPushButton::clicked, this, &KitTextViewer::Button1Click);
}

KitTextViewer::~KitTextViewer() = default;

void KitTextViewer::FormActivate() {
    m_main.selectVariant(0);
}

void KitTextViewer::Button1Click() {
    accept();
}

void KitTextViewer::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    StageWidgets::centreOnScreen(this);
    RxDBRichEdit1->setDataSource(&m_main.complects);
    RxDBRichEdit1->setDataField(QStringLiteral("TestRTF"));
    FormActivate();
}

void KitTextViewer::hideEvent(QHideEvent* event) {
    RxDBRichEdit1->setDataSource(nullptr);
    QDialog::hideEvent(event);
}
