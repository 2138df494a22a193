#include "main/StationApplication.h"

#include <QTimer>
#include <QTimerEvent>

#include <gtest/gtest.h>

#include <stdexcept>

// Its own program: the application object under test is the process's only one.
TEST(StationApplication, anExceptionInAnEventHandlerIsShownAndTheStationGoesOn) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    StationApplication app(argc, argv);
    QStringList shown;
    app.setFailureReporter([&](const QString& text) { shown << text; });

    QTimer failing;
    int calls = 0;
    QObject::connect(&failing, &QTimer::timeout, [&] {
        if (++calls == 1)
            throw std::runtime_error("disk exploded");
    });
    failing.start(1000);
    QTimerEvent tick(failing.timerId());
    QCoreApplication::sendEvent(&failing, &tick); // caught where Qt delivers the event
    EXPECT_EQ(shown, QStringList{StationApplication::failureText(QStringLiteral("disk exploded"))});
    EXPECT_TRUE(shown.first().contains(QStringLiteral("Уже сохранённые ответы не затронуты")));

    QCoreApplication::sendEvent(&failing, &tick); // the station goes on: the next event is delivered
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(shown.size(), 1);
}
