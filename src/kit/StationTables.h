#pragma once

#include "kit/MemTable.h"

#include <array>
#include <string_view>

// The station's two tables: the kit table `complects` and the answers table `answers`.
namespace kit {

// The station's own definition of the kit fields, no rows; a loaded kit replaces it.
MemTable makeComplectsTable();
// The answers table's fields, in file order: the choice answers of tasks 1 to 6 (a2 and a3,
// the spoken tasks, stay empty).
inline constexpr std::array<const char*, 6> kAnswerFields = {"a1", "a2", "a3", "a4", "a5", "a6"};

// Six String(20) fields a1..a6 and one posted row of empty strings.
MemTable makeAnswersTable();
// Edit the answers row, set one field (cut to 20 characters), post.
void writeAnswer(MemTable& answers, std::string_view field, std::string_view value);

} // namespace kit
