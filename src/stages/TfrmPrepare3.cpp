#include "stages/TfrmPrepare3.h"

#include "main/DialogService.h"
#include "main/StageWidgets.h"
#include "main/TfrmMain.h"
#include "stages/BottomBar.h"

#include <QButtonGroup>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>

namespace {
constexpr int kNoPhoto = 9;
}

TfrmPrepare3::TfrmPrepare3(TfrmMain& main)
    : PrepareStage(main, 3, QStringLiteral("t3Pre")),
      nPhoto(new QGroupBox(QStringLiteral(" Выбор фото "), Panel1)), nPhotoItems{},
      m_photoGroup(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("frmPrepare3"));
    nPhoto->setObjectName(QStringLiteral("nPhoto"));
    nPhoto->setFont(StageWidgets::arial(11));
    nPhoto->setFixedSize(199, 37);
    auto* columns = new QHBoxLayout(nPhoto);
    columns->setContentsMargins(8, 0, 4, 2);
    columns->setSpacing(0);
    const QStringList items = {QStringLiteral("нет"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    for (int i = 0; i < 4; ++i) {
        auto* item = new QRadioButton(items[i], nPhoto);
        item->setAccessibleName(QStringLiteral("Выбор фото: ") + items[i]);
        m_photoGroup->addButton(item, i);
        columns->addWidget(item, 1);
        nPhotoItems[static_cast<std::size_t>(i)] = item;
    }
    nPhotoItems[0]->setChecked(true);
    // Right edge 5 px left of Button1, bottom 2 px above the bar's.
    Panel1->anchorRight(nPhoto, Panel1->height() - 2 - nPhoto->height(), 6 + Button1->width() + 5);
    setTabOrder(Button1, nPhotoItems[0]);
}

void TfrmPrepare3::Start() {
    TfrmMain& main = mainWindow();
    if (main.FiveSec)
        main.dialogs().execModal(*main.FiveSec);
    main.Panel1->show();
    startPreparation(main.PrepTime3);
}

int TfrmPrepare3::nPhotoItemIndex() const {
    return m_photoGroup->checkedId();
}

int TfrmPrepare3::nextStageCode(int itemIndex) {
    const int photo = itemIndex >= 1 && itemIndex <= 3 ? itemIndex : kNoPhoto;
    return 30 + photo;
}

void TfrmPrepare3::finishStage() {
    // Read only now: the examinee may change the choice until the very end.
    const int code = nextStageCode(nPhotoItemIndex());
    PhotoChoice = code - 30;
    mainWindow().StartFrame(code);
}
