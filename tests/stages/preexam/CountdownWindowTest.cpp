#include "stages/preexam/CountdownWindow.h"
#include "stages/preexam/PreExamStages.h"

#include "main/StationWindow.h"
#include "stages/StageTable.h"
#include "support/Screenshot.h"
#include "support/StationHarness.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Notes the caption each time the digits are painted.
class PaintLog : public QObject {
public:
    explicit PaintLog(QLabel* label) : m_label(label) { label->installEventFilter(this); }
    QStringList painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_label && event->type() == QEvent::Paint)
            painted << m_label->text();
        return false;
    }

private:
    QLabel* m_label;
};

struct Countdown {
    Countdown() {
        StationWindow& w = h.createWindow();
        stages::createStationWindows(w);
        w.show();
        QApplication::processEvents();
    }
    CountdownWindow& window() { return *static_cast<CountdownWindow*>(h.window->countdownWindow); }
    // Shows the window modally; inside, the test drives it.
    void showModal(const std::function<void(CountdownWindow&)>& drive) {
        h.dialogs.onModal = [&](QDialog& dialog) {
            dialog.show();
            QApplication::processEvents(); // exposed, as inside the modal loop
            drive(window());
            return dialog.result();
        };
        h.dialogs.execModal(window());
    }
    void click() {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(100, 100),
                          window().digitsLabel->mapToGlobal(QPointF(100, 100)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(window().digitsLabel, &press);
    }
    StationHarness h;
};

} // namespace

TEST(CountdownWindow, coversTheMainWindowWithLargeDigits) {
    Countdown c;
    CountdownWindow& f = c.window();
    EXPECT_TRUE(f.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(f.isModal());
    EXPECT_FALSE(f.isVisible());
    EXPECT_FALSE(f.countdownTimer->isActive()); // nothing counts while nobody looks
    EXPECT_EQ(f.countdownTimer->interval(), 250);
    EXPECT_EQ(f.digitsLabel->font().pixelSize(), 107);
    EXPECT_EQ(f.digitsLabel->font().family(), "Arial");
    EXPECT_TRUE(f.digitsLabel->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(f.layout()->contentsMargins(), QMargins(2, 2, 2, 2));
    c.showModal([&](CountdownWindow& window) {
        QApplication::processEvents();
        EXPECT_EQ(window.geometry(), c.h.window->geometry());
        EXPECT_EQ(window.digitsLabel->geometry(), QRect(2, 2, 1016 - 4, 713 - 4));
        window.onCountdownTick();
        window.onCountdownTick();
        saveScreenshot(window, QStringLiteral("CountdownWindow-counting"));
        window.onDigitsClicked();
        window.onCountdownTick();
    });
}

TEST(CountdownWindow, countsFiveToZeroAtQuarterSecondStepsAndCloses) {
    Countdown c;
    PaintLog log(c.window().digitsLabel);
    QStringList shownAfterTick;
    c.showModal([&](CountdownWindow& window) {
        EXPECT_TRUE(window.digitsLabel->text().isEmpty());
        EXPECT_TRUE(window.countdownTimer->isActive());
        for (int i = 0; i < 6 && window.isVisible(); ++i) {
            window.onCountdownTick();
            shownAfterTick << window.digitsLabel->text();
        }
    });
    EXPECT_EQ(shownAfterTick, QStringList({"5", "4", "3", "2", "1", ""}));
    // Each digit, the last one included, was painted on its own tick.
    EXPECT_EQ(log.painted.mid(log.painted.indexOf("5")), QStringList({"5", "4", "3", "2", "1", "0"}));
    EXPECT_FALSE(c.window().isVisible());
    EXPECT_FALSE(c.window().countdownTimer->isActive());
    EXPECT_EQ(c.window().nextDigit, -1);
}

TEST(CountdownWindow, aClickEndsTheCountOnTheNextTick) {
    Countdown c;
    PaintLog log(c.window().digitsLabel);
    c.showModal([&](CountdownWindow& window) {
        window.onCountdownTick();
        window.onCountdownTick();
        window.onCountdownTick();
        EXPECT_EQ(window.digitsLabel->text(), "3");
        c.click();
        EXPECT_EQ(window.nextDigit, 0);
        window.onCountdownTick();
        EXPECT_FALSE(window.isVisible());
    });
    EXPECT_EQ(log.painted.last(), "0");
}

TEST(CountdownWindow, aClickBeforeTheFirstTickClosesOnIt) {
    Countdown c;
    int ticks = 0;
    c.showModal([&](CountdownWindow& window) {
        c.click();
        while (window.isVisible() && ticks < 10) {
            window.onCountdownTick();
            ++ticks;
        }
    });
    EXPECT_EQ(ticks, 1);
}

TEST(CountdownWindow, twoShowingsInARowBothStartEmptyAndCountFromFive) {
    Countdown c;
    for (int showing = 0; showing < 2; ++showing) {
        QStringList seen;
        c.showModal([&](CountdownWindow& window) {
            seen << window.digitsLabel->text();
            EXPECT_EQ(window.nextDigit, 5);
            while (window.isVisible() && seen.size() < 10) {
                window.onCountdownTick();
                seen << window.digitsLabel->text();
            }
        });
        EXPECT_EQ(seen, QStringList({"", "5", "4", "3", "2", "1", ""})) << showing;
    }
}

TEST(CountdownWindow, aShowingEndedFromOutsideLeavesNoDigitsForTheNext) {
    Countdown c;
    c.showModal([&](CountdownWindow& window) {
        window.onCountdownTick();
        window.reject(); // the modal loop ended by other means
    });
    EXPECT_TRUE(c.window().digitsLabel->text().isEmpty());
    EXPECT_FALSE(c.window().countdownTimer->isActive());
    c.showModal([&](CountdownWindow& window) {
        EXPECT_TRUE(window.digitsLabel->text().isEmpty());
        EXPECT_EQ(window.nextDigit, 5);
        window.onDigitsClicked();
        window.onCountdownTick();
    });
}

TEST(CountdownWindow, escapeDoesNotEndTheCount) {
    Countdown c;
    c.showModal([&](CountdownWindow& window) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&window, &escape);
        EXPECT_TRUE(window.isVisible());
        window.onDigitsClicked();
        window.onCountdownTick();
    });
}

TEST(CountdownWindow, showingAgainWhileCountingDoesNotRestartTheTimer) {
    Countdown c;
    c.showModal([&](CountdownWindow& window) {
        window.onCountdownTick();
        const int timerId = window.countdownTimer->timerId();
        window.onShown(); // a second activation
        EXPECT_EQ(window.countdownTimer->timerId(), timerId);
        window.onDigitsClicked();
        window.onCountdownTick();
    });
}
