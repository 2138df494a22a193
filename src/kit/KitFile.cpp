#include "kit/KitFile.h"

#include "kit/AtomicFile.h"
#include "kit/TableStream.h"

#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <new>

namespace kit {
namespace {

// Compressed input is read in blocks of kInBlock and output passed on in blocks of
// kOutBlock: a large output block means fewer calls into zlib (each copies up to
// 32 KB into its window) and fewer, larger writes of kim.tmp.
constexpr std::size_t kInBlock = 262144;
constexpr std::size_t kOutBlock = 1048576;
constexpr const char* kReadError = "Stream read error";

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

struct Inflater {
    z_stream z{};
    bool open = false;
    Inflater() { open = inflateInit(&z) == Z_OK; }
    ~Inflater() {
        if (open)
            inflateEnd(&z);
    }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;
};

// Reads up to n bytes of compressed input; returns the count, 0 at the end, -1 on error.
using InputFn = std::function<long(unsigned char*, std::size_t)>;
using OutputFn = std::function<bool(const unsigned char*, std::size_t)>;

// Inflates exactly `length` bytes, block by block: memory use does not depend on `length`.
bool inflateExactly(std::uint64_t length, const InputFn& input, const OutputFn& output, std::string* error) {
    Inflater inf;
    if (!inf.open) {
        *error = "Error";
        return false;
    }
    auto in = std::make_unique<unsigned char[]>(kInBlock);
    auto out = std::make_unique<unsigned char[]>(kOutBlock);
    std::uint64_t produced = 0;
    bool inputEnded = false;
    while (produced < length) {
        if (inf.z.avail_in == 0 && !inputEnded) {
            const long n = input(in.get(), kInBlock);
            if (n < 0) {
                *error = kReadError;
                return false;
            }
            inputEnded = n == 0;
            inf.z.next_in = in.get();
            inf.z.avail_in = static_cast<uInt>(n);
        }
        const std::uint64_t want = std::min<std::uint64_t>(kOutBlock, length - produced);
        inf.z.next_out = out.get();
        inf.z.avail_out = static_cast<uInt>(want);
        const int ret = inflate(&inf.z, Z_NO_FLUSH);
        const std::size_t got = static_cast<std::size_t>(want - inf.z.avail_out);
        if (ret == Z_DATA_ERROR || ret == Z_NEED_DICT || ret == Z_MEM_ERROR || ret == Z_STREAM_ERROR) {
            *error = "Error";
            return false;
        }
        if (got > 0 && !output(out.get(), got)) {
            *error = kReadError;
            return false;
        }
        produced += got;
        if (produced >= length)
            break;
        if (ret == Z_STREAM_END || (got == 0 && inf.z.avail_in == 0 && inputEnded)) {
            *error = kReadError; // the data ends before L bytes
            return false;
        }
    }
    return true;
}

std::int32_t lengthOf(const unsigned char* p) {
    const std::uint32_t v = p[0] | (static_cast<std::uint32_t>(p[1]) << 8) | (static_cast<std::uint32_t>(p[2]) << 16) |
                            (static_cast<std::uint32_t>(p[3]) << 24);
    return static_cast<std::int32_t>(v);
}

} // namespace

bool unpackKitData(std::string_view kim, std::string* stream, std::string* error) {
    std::string dummy;
    std::string& err = error ? *error : dummy;
    stream->clear();
    if (kim.size() < 4) {
        err = kReadError;
        return false;
    }
    const std::int32_t length = lengthOf(reinterpret_cast<const unsigned char*>(kim.data()));
    if (length <= 0)
        return true;
    std::size_t offset = 4;
    const InputFn input = [&](unsigned char* dst, std::size_t n) -> long {
        const std::size_t take = std::min(n, kim.size() - offset);
        std::memcpy(dst, kim.data() + offset, take);
        offset += take;
        return static_cast<long>(take);
    };
    const OutputFn output = [&](const unsigned char* src, std::size_t n) {
        stream->append(reinterpret_cast<const char*>(src), n);
        return true;
    };
    try {
        if (inflateExactly(static_cast<std::uint64_t>(length), input, output, &err))
            return true;
    } catch (const std::bad_alloc&) {
        err = "Out of memory";
    }
    stream->clear();
    return false;
}

bool unpackKit(const std::string& kimPath, const std::string& tmpPath, std::string* error) {
    std::string dummy;
    std::string& err = error ? *error : dummy;
    File kim(std::fopen(kimPath.c_str(), "rb"));
    if (!kim) {
        err = fileErrorMessage("открыть", kimPath, errno);
        return false;
    }
    File tmp(std::fopen(tmpPath.c_str(), "wb"));
    if (!tmp) {
        err = fileErrorMessage("создать", tmpPath, errno);
        return false;
    }
    bool ok = true;
    unsigned char head[4];
    if (std::fread(head, 1, 4, kim.get()) != 4) {
        err = kReadError;
        ok = false;
    }
    const std::int32_t length = ok ? lengthOf(head) : 0;
    if (ok && length > 0) {
        int writeErrno = 0;
        const InputFn input = [&](unsigned char* dst, std::size_t n) -> long {
            const std::size_t got = std::fread(dst, 1, n, kim.get());
            return std::ferror(kim.get()) ? -1 : static_cast<long>(got);
        };
        const OutputFn output = [&](const unsigned char* src, std::size_t n) {
            if (std::fwrite(src, 1, n, tmp.get()) == n)
                return true;
            writeErrno = errno;
            return false;
        };
        ok = inflateExactly(static_cast<std::uint64_t>(length), input, output, &err);
        if (!ok && writeErrno != 0)
            err = fileErrorMessage("записать", tmpPath, writeErrno);
    }
    if (std::fclose(tmp.release()) != 0 && ok) {
        err = fileErrorMessage("записать", tmpPath, errno);
        ok = false;
    }
    if (!ok)
        std::remove(tmpPath.c_str()); // no half-written temporary file stays behind
    return ok;
}

bool loadKit(MemTable& table, const std::string& kimPath, const std::string& tmpPath, std::string* error) {
    if (!unpackKit(kimPath, tmpPath, error))
        return false;
    const bool ok = loadTable(table, tmpPath, error);
    std::remove(tmpPath.c_str());
    return ok;
}

std::string packKitData(std::string_view stream, int level) {
    std::string out(4, '\0');
    const auto length = static_cast<std::uint32_t>(
        std::min<std::size_t>(stream.size(), static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())));
    for (int i = 0; i < 4; ++i)
        out[static_cast<std::size_t>(i)] = static_cast<char>((length >> (8 * i)) & 0xFF);
    uLongf bound = compressBound(static_cast<uLong>(length));
    out.resize(4 + bound);
    if (compress2(reinterpret_cast<Bytef*>(out.data() + 4), &bound, reinterpret_cast<const Bytef*>(stream.data()),
                  static_cast<uLong>(length), level) != Z_OK)
        return {};
    out.resize(4 + bound);
    return out;
}

bool saveKit(const MemTable& table, const std::string& kimPath, std::string* error) {
    try {
        const std::string kim = packKitData(writeTableStream(table));
        if (kim.empty()) {
            if (error)
                *error = "Error";
            return false;
        }
        return writeFileAtomically(kimPath, kim, error);
    } catch (const std::bad_alloc&) {
        if (error)
            *error = "Out of memory";
        return false;
    }
}

} // namespace kit
