#include "station/KitCheck.h"

#include "kit/Cp1251.h"
#include "kit/MemTable.h"
#include "station/ChoiceRules.h"
#include "station/RecordingDecoder.h"
#include "station/StationIdentity.h"
#include "station/TempAudio.h"

#include <QTemporaryFile>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

using Finding = KitCheck::Finding;
using Severity = KitCheck::Severity;

// The station's window is 1016 x 713; the header bar takes 50 px over the stages that keep it.
constexpr int kWidth = 1016;
constexpr int kHeight = 713;
constexpr int kHeader = 50;
constexpr int kTaskBar = 49;
constexpr int kPreparationBar = 41;
constexpr int kCodePanel = 107;    // the instruction stage hides the header bar
constexpr int kViewerButtons = 41; // the kit text viewer is a window of its own

// How a field's value is read by the stages.
enum class Use { VarNo, Number, Text, Bytes };

struct FieldRule {
    const char* name;
    Use use;
    bool read; // false: kept in kits but the station never reads it
};

const std::vector<FieldRule>& fieldRules() {
    static const std::vector<FieldRule> rules = {
        {"VarNo", Use::VarNo, true},   {"subjid", Use::Number, true},   {"subjname", Use::Text, true},
        {"ExamDate", Use::Text, true}, {"Intro", Use::Bytes, true},     {"TestRTF", Use::Bytes, true},
        {"t1Ans", Use::Bytes, true},   {"t1Aud", Use::Bytes, true},     {"t1Task", Use::Bytes, true},
        {"t1Pre", Use::Bytes, false},  {"t2Pre", Use::Bytes, true},     {"t2Task", Use::Bytes, true},
        {"t3Pre", Use::Bytes, true},   {"t3Task1", Use::Bytes, true},   {"t3Task2", Use::Bytes, true},
        {"t3Task3", Use::Bytes, true}, {"t4Ans", Use::Bytes, true},     {"t4Task", Use::Bytes, true},
        {"t5Ans", Use::Bytes, true},   {"t5Task", Use::Bytes, true},    {"t6Ans", Use::Bytes, true},
        {"t6Task", Use::Bytes, true},  {"t1AudPrep", Use::Bytes, true},
    };
    return rules;
}

bool isTextType(kit::FieldType type) {
    using kit::FieldType;
    return type == FieldType::String || type == FieldType::FixedChar || type == FieldType::Memo ||
           type == FieldType::FmtMemo || type == FieldType::HugeClob;
}

bool usable(const kit::FieldDef& def, Use use) {
    const kit::ValueClass value = kit::valueClassOf(def.type);
    switch (use) {
    case Use::VarNo:
        return value == kit::ValueClass::Integer || value == kit::ValueClass::LargeInt;
    case Use::Number:
        return value == kit::ValueClass::Integer || value == kit::ValueClass::LargeInt || isTextType(def.type);
    case Use::Text:
        return isTextType(def.type);
    case Use::Bytes:
        return value == kit::ValueClass::Bytes;
    }
    return false;
}

class Findings {
public:
    void add(Severity severity, const QString& field, int variant, const QString& text, const QString& russian = {}) {
        list.append({severity, field, variant, text, russian});
    }
    void error(const QString& field, int variant, const QString& text, const QString& russian) {
        add(Severity::Error, field, variant, text, russian);
    }
    void warning(const QString& field, int variant, const QString& text) {
        add(Severity::Warning, field, variant, text);
    }
    void info(const QString& field, int variant, const QString& text) { add(Severity::Info, field, variant, text); }
    QList<Finding> list;
};

QString variantWord(int variant) {
    return QStringLiteral("вариант %1").arg(variant);
}

QString text(const kit::MemTable& table, const char* field) {
    return QString::fromStdString(kit::cp1251ToUtf8(table.asText(field)));
}

bool looksLikeRtf(const std::string& bytes) {
    const auto start = bytes.find_first_not_of(" \t\r\n");
    return start != std::string::npos && bytes.compare(start, 5, "{\\rtf") == 0;
}

void checkFolderPiece(Findings& out, const kit::MemTable& table, const char* field, int variant) {
    const QString value = text(table, field).trimmed();
    if (value.isEmpty()) {
        out.error(field, variant, QStringLiteral("empty: the station folder's name is made of it"),
                  QStringLiteral("%1: поле %2 пусто").arg(variantWord(variant), QLatin1String(field)));
        return;
    }
    if (StationIdentity::folderSafe(value) != value)
        out.warning(field, variant,
                    QStringLiteral("\"%1\" is not usable in a folder name as it is; the station folder gets \"%2\"")
                        .arg(value, StationIdentity::folderSafe(value)));
}

void checkSheet(Findings& out, const kit::MemTable& table, const KitCheck::Sheet& sheet, int variant,
                const KitCheck::MeasureSheet& measure) {
    const std::string bytes = table.asBytes(sheet.field);
    const QString field = QLatin1String(sheet.field);
    if (bytes.empty()) {
        if (sheet.shown)
            out.error(field, variant, QStringLiteral("empty sheet (%1)").arg(QLatin1String(sheet.where)),
                      QStringLiteral("%1: лист %2 пуст").arg(variantWord(variant), field));
        return;
    }
    if (!looksLikeRtf(bytes))
        out.warning(field, variant, QStringLiteral("not RTF: shown as plain text"));
    if (!sheet.shown)
        return;
    const KitCheck::SheetMeasure m = measure(QByteArray::fromStdString(bytes), sheet.view.width());
    if (!m.converted || (m.textLength == 0 && m.pictures == 0)) {
        out.error(field, variant, QStringLiteral("%1 bytes convert to an empty sheet").arg(bytes.size()),
                  QStringLiteral("%1: лист %2 не читается").arg(variantWord(variant), field));
        return;
    }
    if (m.brokenPictures > 0)
        out.warning(field, variant,
                    QStringLiteral("%1 of %2 pictures cannot be shown").arg(m.brokenPictures).arg(m.pictures));
    if (m.height > sheet.view.height())
        out.warning(field, variant,
                    QStringLiteral("needs %1 px of height at %2 px width, the view (%3) is %4 px high: the examinee "
                                   "must scroll")
                        .arg(m.height)
                        .arg(sheet.view.width())
                        .arg(QLatin1String(sheet.where))
                        .arg(sheet.view.height()));
    if (field == QLatin1String("t3Pre") && m.pictures < 3)
        out.warning(field, variant, QStringLiteral("%1 pictures; task 3 offers three photos").arg(m.pictures));
}

void checkMemo(Findings& out, const kit::MemTable& table, const char* field, int variant, int needed, int most) {
    const QStringList lines = ChoiceRules::memoLines(table.asBytes(field));
    const int count = static_cast<int>(lines.size());
    const QString name = QLatin1String(field);
    if (count < needed) {
        out.error(
            name, variant, QStringLiteral("%1 option lines, %2 needed").arg(count).arg(needed),
            QStringLiteral("%1: в поле %2 строк: %3, нужно %4").arg(variantWord(variant), name).arg(count).arg(needed));
        return;
    }
    if (count > most)
        out.warning(name, variant,
                    most == needed
                        ? QStringLiteral("%1 option lines; lines after %2 are never offered").arg(count).arg(most)
                        : QStringLiteral("%1 options per list; positions above 9 take two digits of the "
                                         "answer")
                              .arg(count));
    const int used = std::min(count, most);
    for (int i = 0; i < used; ++i) {
        if (lines[i].trimmed().isEmpty())
            out.warning(name, variant, QStringLiteral("option line %1 is empty").arg(i + 1));
    }
}

void checkAudio(Findings& out, const kit::MemTable& table, const char* field, int variant,
                const KitCheck::ProbeAudio& probe) {
    const std::string bytes = table.asBytes(field);
    const QString name = QLatin1String(field);
    if (bytes.empty()) {
        out.error(name, variant, QStringLiteral("no audio"),
                  QStringLiteral("%1: нет звука в поле %2").arg(variantWord(variant), name));
        return;
    }
    const KitCheck::AudioProbe result = probe(QByteArray::fromStdString(bytes));
    if (!result.decoded) {
        out.error(name, variant, QStringLiteral("the audio does not decode: %1").arg(result.problem),
                  QStringLiteral("%1: звук в поле %2 повреждён или не читается").arg(variantWord(variant), name));
        return;
    }
    const int stageSeconds = TempAudio::stageSeconds(result.seconds);
    out.info(name, variant,
             QStringLiteral("%1 s of sound, %2 s for the stage").arg(result.seconds, 0, 'f', 1).arg(stageSeconds));
    // "Завершить ответ!" pushes the count to 3000; a longer stage would not end at once.
    if (stageSeconds >= 3000)
        out.warning(
            name, variant,
            QStringLiteral("the stage lasts %1 s: ending it early takes more than one click").arg(stageSeconds));
}

KitCheck::AudioProbe decodeFile(const QString& path) {
    KitCheck::AudioProbe result;
    const RecordingDecoder::Result decoded = RecordingDecoder::decode(path);
    if (decoded.state != RecordingDecoder::State::Decoded) {
        result.problem = QStringLiteral("no sound, or the stream breaks off before its announced end");
        return result;
    }
    result.decoded = true;
    result.seconds = decoded.seconds;
    return result;
}

// The blob as a file, the way the stages hand it to the audio library.
bool writeTemporary(QTemporaryFile& file, const QByteArray& bytes) {
    return file.open() && file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

const std::vector<KitCheck::Sheet>& KitCheck::sheets() {
    const QSize task(kWidth, kHeight - kHeader - kTaskBar);
    const QSize preparation(kWidth, kHeight - kHeader - kPreparationBar);
    static const std::vector<Sheet> all = {
        {"Intro", "instruction and code entry", QSize(kWidth, kHeight - kCodePanel), true},
        {"TestRTF", "kit text viewer", QSize(kWidth, kHeight - kViewerButtons), true},
        {"t1Pre", "not shown", task, false},
        {"t1Task", "task 1", task, true},
        {"t2Pre", "preparation 2", preparation, true},
        {"t2Task", "task 2", task, true},
        {"t3Pre", "preparation 3, and task 3 without a photo", preparation, true},
        {"t3Task1", "task 3, photo 1", task, true},
        {"t3Task2", "task 3, photo 2", task, true},
        {"t3Task3", "task 3, photo 3", task, true},
        {"t4Task", "task 4", task, true},
        {"t5Task", "task 5", task, true},
        {"t6Task", "task 6", task, true},
    };
    return all;
}

QList<KitCheck::Finding> KitCheck::check(kit::MemTable& complects, const MeasureSheet& measure,
                                         const ProbeAudio& probe) {
    Findings out;
    // Fields: present, with a type the stages can read.
    bool fieldsComplete = true;
    for (const FieldRule& rule : fieldRules()) {
        const int index = complects.fieldIndex(rule.name);
        if (index < 0) {
            if (rule.read) {
                out.error(rule.name, -1, QStringLiteral("no such field"),
                          QStringLiteral("нет поля %1").arg(QLatin1String(rule.name)));
                fieldsComplete = false;
            } else {
                out.warning(rule.name, -1, QStringLiteral("no such field (the station does not show it)"));
            }
            continue;
        }
        const kit::FieldDef& def = complects.fields()[static_cast<std::size_t>(index)];
        if (!usable(def, rule.use)) {
            const QString type = QString::fromUtf8(kit::fieldTypeName(def.type).data(),
                                                   static_cast<qsizetype>(kit::fieldTypeName(def.type).size()));
            out.error(rule.name, -1, QStringLiteral("type %1 cannot be read as the station reads this field").arg(type),
                      QStringLiteral("поле %1 имеет неподходящий тип %2").arg(QLatin1String(rule.name), type));
            fieldsComplete = false;
        }
    }
    // Without variant numbers no row can be found.
    const int varNoIndex = complects.fieldIndex("VarNo");
    if (varNoIndex < 0 || !usable(complects.fields()[static_cast<std::size_t>(varNoIndex)], Use::VarNo))
        return out.list;

    // Rows: one for each of the variants 0, 1 and 2.
    const int savedRow = complects.recNo();
    std::map<std::int64_t, std::vector<int>> rowsOf;
    for (int row = 0; row < complects.recordCount(); ++row) {
        complects.setRecNo(row);
        if (complects.isNull("VarNo")) {
            out.warning(QStringLiteral("VarNo"), -1,
                        QStringLiteral("row %1 has no variant number; never used").arg(row + 1));
            continue;
        }
        rowsOf[QString::fromStdString(complects.asText("VarNo")).toLongLong()].push_back(row);
    }
    for (const auto& [varNo, rows] : rowsOf) {
        if (varNo < 0 || varNo >= kVariantCount)
            out.warning(QStringLiteral("VarNo"), static_cast<int>(varNo),
                        QStringLiteral("the station never uses this variant"));
        else if (rows.size() > 1)
            out.warning(QStringLiteral("VarNo"), static_cast<int>(varNo),
                        QStringLiteral("%1 rows; only the first is ever used").arg(rows.size()));
    }

    QString firstDate;
    QString firstSubject;
    for (int variant = 0; variant < kVariantCount; ++variant) {
        const auto found = rowsOf.find(variant);
        if (found == rowsOf.end()) {
            out.error(QStringLiteral("VarNo"), variant, QStringLiteral("no row of this variant"),
                      QStringLiteral("нет строки варианта %1").arg(variant));
            continue;
        }
        complects.setRecNo(found->second.front());
        if (!fieldsComplete)
            continue;

        checkFolderPiece(out, complects, "ExamDate", variant);
        checkFolderPiece(out, complects, "subjid", variant);
        if (text(complects, "subjname").trimmed().isEmpty())
            out.warning(QStringLiteral("subjname"), variant,
                        QStringLiteral("empty: the hardware test shows no subject"));
        if (variant == 0) {
            firstDate = text(complects, "ExamDate");
            firstSubject = text(complects, "subjid");
        } else if (text(complects, "ExamDate") != firstDate || text(complects, "subjid") != firstSubject) {
            out.warning(
                QStringLiteral("ExamDate"), variant,
                QStringLiteral("exam date or subject differs from variant 0's, which names the station folder"));
        }

        for (const Sheet& sheet : sheets())
            checkSheet(out, complects, sheet, variant, measure);

        checkMemo(out, complects, "t1Ans", variant, ChoiceRules::kListCount * ChoiceRules::kTask1PerList,
                  ChoiceRules::kListCount * ChoiceRules::kTask1PerList);
        checkMemo(out, complects, "t4Ans", variant, 2, 9);
        checkMemo(out, complects, "t5Ans", variant, ChoiceRules::kListCount * ChoiceRules::kTask5PerList,
                  ChoiceRules::kListCount * ChoiceRules::kTask5PerList);
        checkMemo(out, complects, "t6Ans", variant, 2, 9);

        checkAudio(out, complects, "t1AudPrep", variant, probe);
        checkAudio(out, complects, "t1Aud", variant, probe);
    }
    if (savedRow >= 0)
        complects.setRecNo(savedRow);
    return out.list;
}

KitCheck::AudioProbe KitCheck::decodeAudio(const QByteArray& bytes) {
    QTemporaryFile file;
    if (!writeTemporary(file, bytes))
        return {false, 0, QStringLiteral("cannot write a temporary file: ") + file.errorString()};
    return decodeFile(file.fileName());
}

KitCheck::AudioProbe KitCheck::decodeAudioWithLayer(audio::AudioLayer& layer, const QByteArray& bytes) {
    QTemporaryFile file;
    if (!writeTemporary(file, bytes))
        return {false, 0, QStringLiteral("cannot write a temporary file: ") + file.errorString()};
    const audio::Handle stream = layer.streamCreateFile(file.fileName());
    if (stream == 0)
        return {false, 0, QStringLiteral("the audio library cannot open it (error %1)").arg(layer.errorGetCode())};
    const std::uint64_t length = layer.channelGetLength(stream);
    const double layerSeconds =
        length == static_cast<std::uint64_t>(-1) ? -1.0 : layer.channelBytes2Seconds(stream, length);
    layer.streamFree(stream);
    AudioProbe decoded = decodeFile(file.fileName());
    if (!decoded.decoded)
        return decoded;
    if (!std::isfinite(layerSeconds) || layerSeconds < 0)
        return {false, 0, QStringLiteral("the audio library cannot tell its length")};
    // The stage's time comes from the library's length: it must be the sound that plays.
    if (std::abs(layerSeconds - decoded.seconds) > 1.0)
        return {false, 0,
                QStringLiteral("the audio library gives %1 s but %2 s of sound decode")
                    .arg(layerSeconds, 0, 'f', 1)
                    .arg(decoded.seconds, 0, 'f', 1)};
    decoded.seconds = layerSeconds;
    return decoded;
}

int KitCheck::count(const QList<Finding>& findings, Severity severity) {
    return static_cast<int>(std::count_if(findings.begin(), findings.end(),
                                          [severity](const Finding& f) { return f.severity == severity; }));
}

QString KitCheck::line(const Finding& finding) {
    static const char* const kWords[] = {"info", "warning", "error"};
    QString where = finding.field.isEmpty() ? QStringLiteral("kit") : finding.field;
    if (finding.variant >= 0)
        where += QStringLiteral(" (variant %1)").arg(finding.variant);
    return QStringLiteral("%1: %2: %3")
        .arg(QLatin1String(kWords[static_cast<int>(finding.severity)]), where, finding.text);
}

QString KitCheck::summary(const QList<Finding>& findings) {
    const int errors = count(findings, Severity::Error);
    const int warnings = count(findings, Severity::Warning);
    return QStringLiteral("kit-check: %1 error%2, %3 warning%4")
        .arg(errors)
        .arg(errors == 1 ? "" : "s")
        .arg(warnings)
        .arg(warnings == 1 ? "" : "s");
}

QString KitCheck::refusalText(const QList<Finding>& findings) {
    constexpr int kListed = 10;
    QStringList lines;
    int errors = 0;
    for (const Finding& f : findings) {
        if (f.severity != Severity::Error)
            continue;
        if (++errors <= kListed)
            lines << QStringLiteral("— ") + f.russian;
    }
    if (errors == 0)
        return {};
    if (errors > kListed)
        lines << QStringLiteral("…и ещё ошибок: %1").arg(errors - kListed);
    return QStringLiteral("Экзаменационный комплект kim.kim непригоден для экзамена:\n") +
           lines.join(QLatin1Char('\n')) +
           QStringLiteral("\n\nРабота станции будет завершена. Проверьте комплект командой zunt-tool kit-check "
                          "и замените его.");
}
