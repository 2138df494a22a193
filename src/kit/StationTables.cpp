#include "kit/StationTables.h"

namespace kit {
namespace {

FieldDef field(const char* name, FieldType type, int size = 0) {
    FieldDef def;
    def.name = name;
    def.type = type;
    def.size = size;
    return def;
}

} // namespace

MemTable makeComplectsTable() {
    using T = FieldType;
    return MemTable({
        field("subjid", T::Integer),      field("subjname", T::String, 255), field("ExamDate", T::String, 10),
        field("Zone", T::Integer),        field("VarNo", T::Integer),        field("Intro", T::Blob, 10000),
        field("TestRTF", T::Blob, 10000), field("VarCnt", T::Integer),       field("t1Ans", T::Memo),
        field("t1Aud", T::Blob),          field("t1Task", T::Blob),          field("t1Pre", T::Blob),
        field("t2Pre", T::Blob),          field("t2Task", T::Blob),          field("t3Pre", T::Blob),
        field("t3Task1", T::Blob),        field("t3Task2", T::Blob),         field("t3Task3", T::Blob),
        field("t4Ans", T::Memo),          field("t4Task", T::Blob),          field("t5Ans", T::Memo),
        field("t5Task", T::Blob),         field("t6Ans", T::Memo),           field("t6Task", T::Blob),
        field("t1AudPrep", T::Blob),
    });
}

MemTable makeAnswersTable() {
    std::vector<FieldDef> fields;
    for (const char* name : kAnswerFields)
        fields.push_back(field(name, FieldType::String, 20));
    MemTable answers(std::move(fields));
    answers.append();
    for (const FieldDef& def : answers.fields())
        answers.setText(def.name, "");
    answers.post();
    return answers;
}

void writeAnswer(MemTable& answers, std::string_view fieldName, std::string_view value) {
    answers.edit();
    answers.setText(fieldName, value);
    answers.post();
}

} // namespace kit
