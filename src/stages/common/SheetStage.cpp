#include "stages/common/SheetStage.h"

#include "widgets/StageWidgets.h"
#include "main/StationWindow.h"
#include "richtext/RichView.h"
#include "widgets/BottomBar.h"

#include <QPushButton>

SheetStage::SheetStage(StationWindow& main, const Bar& bar)
    : CountdownStage(main), bottomBar(new BottomBar(this, bar.height, bar.caption)),
      finishButton(bottomBar->addButton(bar.buttonCaption, bar.buttonSize, bar.buttonTop, bar.buttonRightMargin)),
      sheetView(new richtext::RichView(this)) {
    finishButton->setObjectName(QStringLiteral("finishButton"));
    sheetView->setObjectName(QStringLiteral("sheetView"));
    sheetView->setDataSource(&main.complects);
    StageWidgets::stackSheetOverBar(this, sheetView, bottomBar);
}
