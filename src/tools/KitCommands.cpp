#include "tools/KitCommands.h"

#include "kit/AtomicFile.h"
#include "kit/KitDump.h"
#include "kit/KitFile.h"
#include "kit/KitManifest.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

namespace tools {
namespace {

// The kit library words its file errors for the station's screen; the tool checks its
// input itself first, so that its own failures read as the tool's.
bool readable(const std::string& path, std::string* error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        *error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    std::fclose(file);
    return true;
}

constexpr const char* kDumpUsage = "kit-dump [--json] [--stream] FILE   list a kit or table stream";
constexpr const char* kBuildUsage = "kit-build MANIFEST OUT               build a kit from a manifest";
constexpr const char* kExtractUsage = "kit-extract FILE VARNO FIELD OUT     write one field of a variant's row";

int kitDump(const Args& args) {
    bool json = false;
    bool stream = false;
    std::string file;
    for (const std::string& a : args) {
        if (a == "--json")
            json = true;
        else if (a == "--stream")
            stream = true;
        else if (file.empty() && !(a.size() > 1 && a[0] == '-'))
            file = a;
        else
            return failUsage(kDumpUsage);
    }
    if (file.empty())
        return failUsage(kDumpUsage);
    kit::MemTable table;
    int version = 0;
    std::string error;
    if (!readable(file, &error) || !kit::loadKitOrStream(file, stream, &table, &version, &error))
        return fail(error);
    const std::string out = json ? kit::dumpJson(table, version) : kit::dumpText(table, version);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int kitBuild(const Args& args) {
    if (args.size() != 2)
        return failUsage(kBuildUsage);
    kit::MemTable table;
    std::string error;
    if (!readable(args[0], &error) || !kit::loadManifest(args[0], &table, &error) ||
        !kit::saveKit(table, args[1], &error))
        return fail(error);
    return 0;
}

int kitExtract(const Args& args) {
    if (args.size() != 4)
        return failUsage(kExtractUsage);
    std::int64_t varNo = 0;
    const std::string& v = args[1];
    const auto r = std::from_chars(v.data(), v.data() + v.size(), varNo);
    if (r.ec != std::errc() || r.ptr != v.data() + v.size())
        return fail("VARNO must be an integer: " + v, 2);
    kit::MemTable table;
    int version = 0;
    std::string error;
    if (!readable(args[0], &error) || !kit::loadKitOrStream(args[0], false, &table, &version, &error))
        return fail(error);
    if (table.fieldIndex("VarNo") < 0)
        return fail("the table has no VarNo field");
    if (!table.locate("VarNo", varNo))
        return fail("no row with VarNo " + v);
    if (table.fieldIndex(args[2]) < 0)
        return fail("no field " + args[2]);
    if (!kit::writeFileAtomically(args[3], table.asBytes(args[2]), &error))
        return fail(error);
    return 0;
}

} // namespace

std::vector<Command> kitCommands() {
    return {
        {"kit-dump", kDumpUsage, Needs::Nothing, kitDump},
        {"kit-build", kBuildUsage, Needs::Nothing, kitBuild},
        {"kit-extract", kExtractUsage, Needs::Nothing, kitExtract},
    };
}

} // namespace tools
