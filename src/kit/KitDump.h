#pragma once

#include "kit/MemTable.h"

#include <string>

// Readable and JSON listings of a table for `zunt-tool kit-dump`, and the loader the
// tool commands share. Every record is listed, deleted ones and older versions included.
namespace kit {

// Loads a kit container, or a table stream when the file begins with "TPF0" or
// forceStream is set. *version receives the stream's version.
bool loadKitOrStream(const std::string& path, bool forceStream, MemTable* table, int* version, std::string* error);

// Fields, indexes, then every record with its values; texts in UTF-8, blobs as size and CRC-32.
std::string dumpText(const MemTable& table, int version);
// One JSON object: {"version", "fields", "indexes", "records"}; see docs/kit.md.
std::string dumpJson(const MemTable& table, int version);

} // namespace kit
