#pragma once

#include "support/AudioDiskDriver.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

// The folders of a whole-station test: a working folder holding the demo kit as kim.kim,
// and beside it (never inside) the files of SDL's disk driver standing in for the headset,
// whose microphone says a steady tone. Create it before the audio layer; all goes with it.
struct ReviewDemoStation {
    ReviewDemoStation();

    QTemporaryDir base;
    QString workDir;
    QString headsetDir;
    std::unique_ptr<audiotest::AudioDiskDriver> headset;
    bool ready = false; // the kit was built
    std::string error;
};
