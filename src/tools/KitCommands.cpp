#include "tools/Commands.h"

#include "kit/AtomicFile.h"
#include "kit/KitDump.h"
#include "kit/KitFile.h"
#include "kit/KitManifest.h"

#include <charconv>
#include <cstdio>
#include <string>

namespace tools {
namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "error: %s\n", message.c_str());
    return 1;
}

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
            return fail("usage: zunt-tool kit-dump [--json] [--stream] FILE");
    }
    if (file.empty())
        return fail("usage: zunt-tool kit-dump [--json] [--stream] FILE");
    kit::MemTable table;
    int version = 0;
    std::string error;
    if (!kit::loadKitOrStream(file, stream, &table, &version, &error))
        return fail(error);
    const std::string out = json ? kit::dumpJson(table, version) : kit::dumpText(table, version);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int kitBuild(const Args& args) {
    if (args.size() != 2)
        return fail("usage: zunt-tool kit-build MANIFEST OUT");
    kit::MemTable table;
    std::string error;
    if (!kit::loadManifest(args[0], &table, &error) || !kit::saveKit(table, args[1], &error))
        return fail(error);
    return 0;
}

int kitExtract(const Args& args) {
    if (args.size() != 4)
        return fail("usage: zunt-tool kit-extract FILE VARNO FIELD OUT");
    std::int64_t varNo = 0;
    const std::string& v = args[1];
    const auto r = std::from_chars(v.data(), v.data() + v.size(), varNo);
    if (r.ec != std::errc() || r.ptr != v.data() + v.size())
        return fail("VARNO must be an integer: " + v);
    kit::MemTable table;
    int version = 0;
    std::string error;
    if (!kit::loadKitOrStream(args[0], false, &table, &version, &error))
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
        {"kit-dump", "kit-dump [--json] [--stream] FILE   list a kit or table stream", kitDump},
        {"kit-build", "kit-build MANIFEST OUT               build a kit from a manifest", kitBuild},
        {"kit-extract", "kit-extract FILE VARNO FIELD OUT     write one field of a variant's row", kitExtract},
    };
}

} // namespace tools
