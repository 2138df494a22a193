#pragma once

#include <string>
#include <string_view>

// File helpers with user-visible (Russian) error messages that name the file.
namespace kit {

// Writes data beside path under a temporary name, flushes it to the disk and renames
// it over path, so a crash or a full disk never leaves a damaged file in its place.
bool writeFileAtomically(const std::string& path, std::string_view data, std::string* error);
// Reads the whole file into *bytes; "Не удаётся открыть файл «path»" (or
// "прочитать") in *error when it cannot.
bool readWholeFile(const std::string& path, std::string* bytes, std::string* error);
// The system's reason for errno, in the station's words ("нет места на диске").
std::string systemReason(int errnoValue);
// "Не удаётся открыть файл «path»: reason" for the current errno.
std::string fileErrorMessage(const char* action, const std::string& path, int errnoValue);

} // namespace kit
