#pragma once

#include "kit/MemTable.h"

#include <string>
#include <string_view>

// The plain-text manifest from which `zunt-tool kit-build` makes a kit (format in
// docs/kit.md): field and index definitions, then rows of values, blob values
// read from files. Errors name the manifest line.
namespace kit {

// baseDir: the folder that relative blob paths start from. sourceName labels errors.
bool parseManifest(std::string_view text, const std::string& baseDir, const std::string& sourceName, MemTable* table,
                   std::string* error);
bool loadManifest(const std::string& manifestPath, MemTable* table, std::string* error);

} // namespace kit
