// libFuzzer target for the kit container and the table stream reader.
// Input starting with "TPF0" is a table stream; anything else is a kit container.
// Whatever loads must write out and load back to the same bytes, and the input read
// as UTF-8 must decode the same with the 32-byte decoder as with the portable one.
// A few kilobytes of deflate data can promise megabytes of one-byte records; such
// streams are unpacked but not read, so every input stays well under a second.
#include "kit/Cp1251.h"
#include "kit/KitDump.h"
#include "kit/KitFile.h"
#include "kit/TableStream.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {
constexpr std::size_t kMaxStream = 256 * 1024;
constexpr std::size_t kMaxDumped = 64 * 1024;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (kit::detail::hasVectorDecoding()) {
        kit::detail::setVectorDecoding(false);
        const std::string portable = kit::utf8ToCp1251(input);
        kit::detail::setVectorDecoding(true);
        if (kit::utf8ToCp1251(input) != portable) {
            std::fprintf(stderr, "the decoders differ\n");
            std::abort();
        }
    }
    std::string stream;
    std::string error;
    if (input.substr(0, 4) != "TPF0") {
        if (!kit::unpackKitData(input, &stream, &error))
            return 0;
    } else {
        stream.assign(input);
    }
    if (stream.size() > kMaxStream)
        return 0;
    kit::MemTable table;
    if (!kit::readTableStream(table, stream, &error))
        return 0;
    if (stream.size() <= kMaxDumped) {
        (void)kit::dumpJson(table, 251);
        (void)kit::dumpText(table, 251);
    }
    const std::string written = kit::writeTableStream(table);
    kit::MemTable again;
    if (!kit::readTableStream(again, written, &error)) {
        std::fprintf(stderr, "written stream does not load: %s\n", error.c_str());
        std::abort();
    }
    if (kit::writeTableStream(again) != written) {
        std::fprintf(stderr, "second write differs from the first\n");
        std::abort();
    }
    return 0;
}
