#include "support/PrepStation.h"

#include "kit/Cp1251.h"
#include "kit/StationTables.h"
#include "main/StageFrame.h"
#include "stages/StageTable.h"

#include <QDialog>
#include <QDir>
#include <QFile>

namespace {

// A stage that only sits there.
class IdleStage : public StageFrame {
public:
    using StageFrame::StageFrame;
    void Start() override {}
    void Timer1Timer() override {}
};

} // namespace

PrepStation::PrepStation() : w((stages::registerStages(h.stages), h.createWindow())), fiveSec(new QDialog(&w)) {
    fiveSec->setObjectName(QStringLiteral("FiveSec"));
    w.FiveSec = fiveSec;
    w.complects = kit::makeComplectsTable();
    w.answers = kit::makeAnswersTable();
    w.complects.append();
    w.complects.setText("VarNo", "0");
    w.complects.post();
    w.StationTag = QStringLiteral("2019-05-25_9_770001_0101_1");
    w.StudID = QStringLiteral("0042");
    w.show();
}

void PrepStation::setKitField(const char* field, const QByteArray& bytes) {
    w.complects.edit();
    w.complects.setText(field, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    w.complects.post();
}

bool PrepStation::loadDemoKit() {
    const QDir kit(QStringLiteral(ZUNT_TEST_DATA "/../../demo-kit"));
    const QList<QPair<const char*, QString>> files = {
        {"t1Task", "sheets/v0-t1Task.rtf"},   {"t2Pre", "sheets/v0-t2Pre.rtf"},
        {"t2Task", "sheets/v0-t2Task.rtf"},   {"t3Pre", "sheets/v0-t3Pre.rtf"},
        {"t3Task1", "sheets/v0-t3Task1.rtf"}, {"t3Task2", "sheets/v0-t3Task2.rtf"},
        {"t3Task3", "sheets/v0-t3Task3.rtf"}, {"t1Ans", "answers/v0-t1Ans.txt"},
    };
    for (const auto& [field, name] : files) {
        QFile file(kit.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return false;
        setKitField(field, file.readAll());
    }
    return true;
}

QByteArray PrepStation::sheet(const QStringList& lines) {
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs28 ";
    for (const QString& line : lines) {
        for (unsigned char c : kit::utf8ToCp1251(line.toStdString())) {
            if (c >= 128) {
                static const char* const hex = "0123456789abcdef";
                rtf += "\\'";
                rtf += hex[c >> 4];
                rtf += hex[c & 15];
            } else {
                rtf += static_cast<char>(c);
            }
        }
        rtf += "\\par\n";
    }
    rtf += "}";
    return QByteArray::fromStdString(rtf);
}

QString PrepStation::workFile(const QString& name) const {
    return QDir(w.WorkDir).filePath(name);
}

void PrepStation::audioOf(const QString& name, double seconds) {
    h.audio.streamSeconds.insert(workFile(name), seconds);
}

QString PrepStation::currentStage() const {
    return w.CurrentFrame ? QString::fromLatin1(w.CurrentFrame->metaObject()->className()) : QString();
}

void PrepStation::probeAt(int code) {
    h.stages.add(
        code, [](TfrmMain& main) -> StageFrame* { return new IdleStage(main); },
        [this, code](StageFrame&) { reached << code; });
}
