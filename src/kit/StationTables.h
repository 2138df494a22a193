#pragma once

#include "kit/MemTable.h"

#include <string_view>

// The station's two tables: the kit table `complects` and the answers table `answers`.
namespace kit {

// The station's own definition of the kit fields, no rows; a loaded kit replaces it.
MemTable makeComplectsTable();
// Six String(20) fields a1..a6 and one posted row of empty strings.
MemTable makeAnswersTable();
// Edit the answers row, set one field (cut to 20 characters), post.
void writeAnswer(MemTable& answers, std::string_view field, std::string_view value);

} // namespace kit
