#include "stages/TfrmTestRTF.h"

#include "main/StageWidgets.h"
#include "main/TfrmMain.h"
#include "richtext/RichView.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>

TfrmTestRTF::TfrmTestRTF(TfrmMain& main)
    : QDialog(&main, Qt::Dialog | Qt::FramelessWindowHint), RxDBRichEdit1(new richtext::RichView(this)),
      Panel1(new QFrame(this)), Button1(new QPushButton(QStringLiteral("Закрыть"), Panel1)), m_main(main) {
    setObjectName(QStringLiteral("frmTestRTF"));
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

    connect(Button1, &QPushButton::clicked, this, &TfrmTestRTF::Button1Click);
}

TfrmTestRTF::~TfrmTestRTF() = default;

void TfrmTestRTF::FormActivate() {
    m_main.selectVariant(0);
}

void TfrmTestRTF::Button1Click() {
    accept();
}

void TfrmTestRTF::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    StageWidgets::centreOnScreen(this);
    RxDBRichEdit1->setDataSource(&m_main.complects);
    RxDBRichEdit1->setDataField(QStringLiteral("TestRTF"));
    FormActivate();
}

void TfrmTestRTF::hideEvent(QHideEvent* event) {
    RxDBRichEdit1->setDataSource(nullptr);
    QDialog::hideEvent(event);
}
