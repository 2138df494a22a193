#pragma once

#include "kit/MemTable.h"

#include <functional>
#include <string>
#include <string_view>

// The table stream format: reading into and writing from a MemTable.
// Every function returns false and fills *error with the exact message the user
// sees ("Stream read error", "Invalid property value", ...); no exception escapes.
// A failed load leaves the table as it was.
namespace kit {

// Called every 100 records with the stream position in percent of its size.
using LoadProgress = std::function<void(int percent)>;

bool readTableStream(MemTable& table, std::string_view bytes, std::string* error, const LoadProgress& progress = {});
// Reads the file through a 16384-byte buffer; never holds the whole stream. *version, when
// given, receives the stream's version.
bool loadTable(MemTable& table, const std::string& streamPath, std::string* error, const LoadProgress& progress = {},
               int* version = nullptr);

// Version 251, every record with its status, no change history.
std::string writeTableStream(const MemTable& table);
// Writes beside the target and then replaces it, so a crash or a full disk never
// leaves a damaged file where a good one was.
bool saveTable(const MemTable& table, const std::string& path, std::string* error);

} // namespace kit
