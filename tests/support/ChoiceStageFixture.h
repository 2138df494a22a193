#pragma once

#include "kit/StationTables.h"
#include "stages/tasks/TaskStages.h"
#include "main/StationWindow.h"
#include "richtext/RichView.h"
#include "stages/common/ChoiceStage.h"
#include "stages/StageTable.h"
#include "stages/tasks/ChoiceTask5Stage.h"
#include "stages/tasks/ChoiceTask6Stage.h"
#include "support/ChoiceStageKit.h"
#include "support/Screenshot.h"
#include "support/StagesKit.h"
#include "support/StationHarness.h"

#include <QComboBox>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace choicekit {

// A shown station window with the choice stages registered, an answers row, an examinee
// and a station, for the tests of the choice stage Frame (code: its stage code).
template <class Frame, StageCode code> struct ChoiceStageFixture : ::testing::Test {
    ChoiceStageFixture() : w(h.createWindow()) {
        // As at program start: the layout menus act on no list.
        ChoiceTask5Stage::layoutTarget = 0;
        ChoiceTask6Stage::layoutTarget = 0;
        w.answers = kit::makeAnswersTable();
        stages::registerTaskStages(h.stages);
        w.stationTag = QStringLiteral("2019-05-20_17_123456_0101_1");
        w.participantCode = QStringLiteral("0042");
        w.show();
    }

    // A kit row with the stage's option memo and sheet, then the switch to the stage.
    Frame* startWith(const std::string& memo, const std::string& sheet) {
        const ChoiceStage::Design design = Frame::design();
        setKitRow(w, {{design.optionsField.toStdString(), memo}, {design.sheetField.toStdString(), sheet}});
        w.startStage(code);
        return qobject_cast<Frame*>(w.currentStage.data());
    }

    Frame* start(const std::string& memo) {
        return startWith(memo, sheetRtf(QStringLiteral("Задание. Выберите в каждом списке слово для пропуска."),
                                        {QStringLiteral("1. I like the ______ colour best."),
                                         QStringLiteral("2. The sky is ______ today.")}));
    }

    // The stage on variant 0 of the demo kit; null when the demo kit is not in the tree.
    Frame* startDemoKit() {
        const QString task = Frame::design().optionsField.left(2); // t4, t5, t6
        const std::optional<QByteArray> memo =
            stagestest::demoKitFile(QStringLiteral("answers/v0-%1Ans.txt").arg(task));
        const std::optional<QByteArray> sheet =
            stagestest::demoKitFile(QStringLiteral("sheets/v0-%1Task.rtf").arg(task));
        return memo && sheet ? startWith(memo->toStdString(), sheet->toStdString()) : nullptr;
    }

    // Ends the stage by the clock; the answer it stored.
    std::string runOut(Frame* stage) {
        const ChoiceStage::Design design = Frame::design();
        tick(stage, w.*design.time + 1);
        return w.answers.asText(design.answerField);
    }

    // The stage on the demo kit: every list offers what rule makes of the kit's option memo
    // (optionsField), over a sheet that shows, and the first two options chosen give "12000".
    // Skipped when the demo kit is not in the tree.
    void expectDemoKitOptionsOverItsSheet(const char* optionsField, QList<QStringList> (*rule)(std::string_view)) {
        Frame* stage = startDemoKit();
        if (stage == nullptr)
            GTEST_SKIP() << "no demo kit in the source tree";
        const std::string memo = w.complects.asBytes(optionsField);
        const QList<QStringList> options = rule(memo);
        for (int i = 0; i < 5; ++i) {
            EXPECT_FALSE(options[i].isEmpty());
            EXPECT_EQ(itemsOf(*stage->lists()[i]), options[i]);
        }
        EXPECT_GT(stage->sheetView->documentHeight(), 0);
        const QString name = QString::fromLatin1(Frame::staticMetaObject.className());
        saveScreenshot(w, name + QStringLiteral("-demo-kit"));
        stage->list1->setCurrentIndex(0);
        stage->list2->setCurrentIndex(1);
        saveScreenshotWithOpenList(w, *stage->list3, name + QStringLiteral("-demo-kit-lists-open"));
        EXPECT_EQ(runOut(stage), "12000");
    }

    StationHarness h;
    StationWindow& w;
};

} // namespace choicekit
