#include "support/PrepStation.h"

#include "kit/StationTables.h"
#include "stages/StageTable.h"
#include "support/StagesKit.h"

#include <QDialog>
#include <QDir>

PrepStation::PrepStation() : w((stages::registerStages(h.stages), h.createWindow())), fiveSec(new QDialog(&w)) {
    fiveSec->setObjectName(QStringLiteral("countdownWindow"));
    w.countdownWindow = fiveSec;
    w.complects = kit::makeComplectsTable();
    w.answers = kit::makeAnswersTable();
    w.complects.append();
    w.complects.setText("VarNo", "0");
    w.complects.post();
    w.stationTag = QStringLiteral("2019-05-25_9_770001_0101_1");
    w.participantCode = QStringLiteral("0042");
    w.show();
}

void PrepStation::setKitField(const char* field, const QByteArray& bytes) {
    w.complects.edit();
    w.complects.setText(field, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    w.complects.post();
}

bool PrepStation::loadDemoKit() {
    const QList<QPair<const char*, QString>> files = {
        {"t1Task", "sheets/v0-t1Task.rtf"},   {"t2Pre", "sheets/v0-t2Pre.rtf"},
        {"t2Task", "sheets/v0-t2Task.rtf"},   {"t3Pre", "sheets/v0-t3Pre.rtf"},
        {"t3Task1", "sheets/v0-t3Task1.rtf"}, {"t3Task2", "sheets/v0-t3Task2.rtf"},
        {"t3Task3", "sheets/v0-t3Task3.rtf"}, {"t1Ans", "answers/v0-t1Ans.txt"},
    };
    for (const auto& [field, name] : files) {
        const std::optional<QByteArray> bytes = stagestest::demoKitFile(name);
        if (!bytes)
            return false;
        setKitField(field, *bytes);
    }
    return true;
}

QByteArray PrepStation::sheet(const QStringList& lines) {
    return stagestest::simpleRtf(lines.join(QLatin1Char('\n')));
}

QString PrepStation::workFile(const QString& name) const {
    return QDir(w.workDir).filePath(name);
}

void PrepStation::audioOf(const QString& name, double seconds) {
    h.audio.streamSeconds.insert(workFile(name), seconds);
}

QString PrepStation::currentStage() const {
    return w.currentStage ? QString::fromLatin1(w.currentStage->metaObject()->className()) : QString();
}

void PrepStation::probeAt(StageCode code) {
    addIdleStage(h.stages, code, [this, code] { reached << code; });
}
