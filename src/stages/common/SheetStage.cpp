#include "stages/common/SheetStage.h"

#include "widgets/StageWidgets.h"
#include "main/StationWindow.h"
#include "richtext/RichView.h"
#include "widgets/BottomBar.h"

#include <QPushButton>

SheetStage::SheetStage(StationWindow& main, const Bar& bar)
    : CountdownStage(main), Panel1(new BottomBar(this, bar.height, bar.caption)),
      Button1(Panel1->addButton(bar.buttonCaption, bar.buttonSize, bar.buttonTop, bar.buttonRightMargin)),
      RxDBRichEdit1(new richtext::RichView(this)) {
    Button1->setObjectName(QStringLiteral("Button1"));
    RxDBRichEdit1->setObjectName(QStringLiteral("RxDBRichEdit1"));
    RxDBRichEdit1->setDataSource(&main.complects);
    StageWidgets::stackSheetOverBar(this, RxDBRichEdit1, Panel1);
}
