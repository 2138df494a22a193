#include "support/ReviewDemoStation.h"

#include "kit/KitFile.h"
#include "kit/KitManifest.h"
#include "support/AudioSignals.h"

#include <QDir>

ReviewDemoStation::ReviewDemoStation()
    : workDir(QDir(base.path()).filePath(QStringLiteral("station"))),
      headsetDir(QDir(base.path()).filePath(QStringLiteral("headset"))) {
    if (!base.isValid() || !QDir().mkpath(workDir) || !QDir().mkpath(headsetDir)) {
        error = "no temporary folder";
        return;
    }
    kit::MemTable kit;
    const std::string manifest = ZUNT_TEST_DATA "/../../demo-kit/manifest.txt";
    if (!kit::loadManifest(manifest, &kit, &error) ||
        !kit::saveKit(kit, QDir(workDir).filePath(QStringLiteral("kim.kim")).toStdString(), &error))
        return;
    headset = std::make_unique<audiotest::AudioDiskDriver>(headsetDir);
    headset->setInput(audiotest::sinePcm(330.0, 44100 * 30)); // the examinee speaks on and on
    ready = true;
}
