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
      photoGroup(new QGroupBox(QStringLiteral(" Выбор фото "), bottomBar)), photoItems{},
      m_photoButtons(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("photoChoiceStage"));
    photoGroup->setObjectName(QStringLiteral("photoGroup"));
    photoGroup->setFont(StageWidgets::arial(11));
    photoGroup->setFixedSize(199, 37);
    auto* columns = new QHBoxLayout(photoGroup);
    columns->setContentsMargins(8, 0, 4, 2);
    columns->setSpacing(0);
    const QStringList items = {QStringLiteral("нет"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    for (int i = 0; i < 4; ++i) {
        auto* item = new QRadioButton(items[i], photoGroup);
        item->setAccessibleName(QStringLiteral("Выбор фото: ") + items[i]);
        m_photoButtons->addButton(item, i);
        columns->addWidget(item, 1);
        photoItems[static_cast<std::size_t>(i)] = item;
    }
    photoItems[0]->setChecked(true);
    // Right edge 5 px left of finishButton, bottom 2 px above the bar's.
    bottomBar->anchorRight(photoGroup, bottomBar->height() - 2 - photoGroup->height(), 6 + finishButton->width() + 5);
    setTabOrder(finishButton, photoItems[0]);
}

void PhotoChoiceStage::start() {
    StationWindow& main = mainWindow();
    if (main.countdownWindow)
        main.dialogs().execModal(*main.countdownWindow);
    main.headerBar->show();
    startPreparation(main.prepTime3);
}

int PhotoChoiceStage::photoItemIndex() const {
    return m_photoButtons->checkedId();
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
    photoChoice = photoFor(photoItemIndex());
    mainWindow().startStage(nextStageCode(photoItemIndex()));
}
