#include "kit/TableStream.h"

#include "kit/AtomicFile.h"
#include "kit/ByteSource.h"
#include "kit/TableReader.h"
#include "kit/TableWriter.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <new>

namespace kit {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

bool readFrom(MemTable& table, ByteSource& source, std::string* error, const LoadProgress& progress,
              int* version = nullptr) {
    TableData data;
    TableReader reader(source, progress);
    if (!reader.read(table.data(), &data, error))
        return false;
    table.replaceData(std::move(data));
    if (version)
        *version = reader.version();
    return true;
}

} // namespace

bool readTableStream(MemTable& table, std::string_view bytes, std::string* error, const LoadProgress& progress) {
    ByteSource source(bytes);
    return readFrom(table, source, error, progress);
}

bool loadTable(MemTable& table, const std::string& streamPath, std::string* error, const LoadProgress& progress,
               int* version) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(streamPath.c_str(), "rb"));
    if (!file) {
        if (error)
            *error = fileErrorMessage("открыть", streamPath, errno);
        return false;
    }
    // Our own buffer does the buffering.
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    if (std::fseek(file.get(), 0, SEEK_END) != 0) {
        if (error)
            *error = fileErrorMessage("прочитать", streamPath, errno);
        return false;
    }
    const long size = std::ftell(file.get());
    std::rewind(file.get());
    if (size < 0) {
        if (error)
            *error = fileErrorMessage("прочитать", streamPath, errno);
        return false;
    }
    ByteSource source(file.get(), static_cast<std::uint64_t>(size));
    return readFrom(table, source, error, progress, version);
}

std::string writeTableStream(const MemTable& table) {
    std::string out;
    TableWriter writer(&out);
    writer.writeTable(table.data());
    return out;
}

bool saveTable(const MemTable& table, const std::string& path, std::string* error) {
    std::string bytes;
    try {
        bytes = writeTableStream(table);
    } catch (const std::bad_alloc&) {
        if (error)
            *error = "Out of memory";
        return false;
    }
    return writeFileAtomically(path, bytes, error);
}

} // namespace kit
