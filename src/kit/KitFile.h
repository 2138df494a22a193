#pragma once

#include "kit/MemTable.h"

#include <string>
#include <string_view>

// The kit container: a signed 32-bit little-endian length L, then a zlib stream
// whose first L inflated bytes are a table stream. L comes from the file and is
// never trusted for an allocation. Errors: "Stream read error" when the zlib data
// ends before L bytes, "Error" for corrupt zlib data; file errors name the file.
namespace kit {

// Start-up steps 1-3: inflate kimPath into tmpPath (truncated first; left empty when L <= 0).
// On failure tmpPath is removed.
bool unpackKit(const std::string& kimPath, const std::string& tmpPath, std::string* error);
// The same on memory, for tests, fuzzing and the tool.
bool unpackKitData(std::string_view kim, std::string* stream, std::string* error);
// Steps 1-6: unpack to tmpPath, load the table from it, delete tmpPath (also on failure).
bool loadKit(MemTable& table, const std::string& kimPath, const std::string& tmpPath, std::string* error);

// A container holding the given table stream (for kit authors and tests).
std::string packKitData(std::string_view stream, int level = 6);
bool saveKit(const MemTable& table, const std::string& kimPath, std::string* error);

} // namespace kit
