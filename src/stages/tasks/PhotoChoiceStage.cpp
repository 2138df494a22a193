#include "stages/tasks/PhotoChoiceStage.h"

#include "main/DialogService.h"
#include "widgets/StageWidgets.h"
#include "main/StationWindow.h"
#include "widgets/BottomBar.h"

#include <QButtonGroup>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>

namespace {
constexpr int kNoPhoto = 9;
}

PhotoChoiceStage::PhotoChoiceStage(StationWindow& main)
    : PreparationStage(main, 3, QStringLiteral("t3Pre")),
      nPhoto(new QGroupBox(QStringLiteral(" Выбор фото "), bottomBar)), nPhotoItems{},
      m_photoGroup(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("photoChoiceStage"));
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
    // Right edge 5 px left of finishButton, bottom 2 px above the bar's.
    bottomBar->anchorRight(nPhoto, bottomBar->height() - 2 - nPhoto->height(), 6 + finishButton->width() + 5);
    setTabOrder(finishButton, nPhotoItems[0]);
}

void PhotoChoiceStage::start() {
    StationWindow& main = mainWindow();
    if (main.countdownWindow)
        main.dialogs().execModal(*main.countdownWindow);
    main.headerBar->show();
    startPreparation(main.prepTime3);
}

int PhotoChoiceStage::nPhotoItemIndex() const {
    return m_photoGroup->checkedId();
}

int PhotoChoiceStage::photoFor(int itemIndex) {
    return itemIndex >= 1 && itemIndex <= 3 ? itemIndex : kNoPhoto;
}

StageCode PhotoChoiceStage::nextStageCode(int itemIndex) {
    switch (photoFor(itemIndex)) {
    case 1:
        return StageCode::PhotoAnswer1;
    case 2:
        return StageCode::PhotoAnswer2;
    case 3:
        return StageCode::PhotoAnswer3;
    default:
        return StageCode::PhotoAnswerNoPhoto;
    }
}

void PhotoChoiceStage::finishStage() {
    // Read only now: the examinee may change the choice until the very end.
    PhotoChoice = photoFor(nPhotoItemIndex());
    mainWindow().startStage(nextStageCode(nPhotoItemIndex()));
}
