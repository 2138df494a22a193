#include "kit/KitManifest.h"

#include "kit/AtomicFile.h"
#include "kit/Cp1251.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <new>

namespace kit {
namespace {

struct Failure {
    std::string message;
};

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// \n \r \t \\ \" \xHH; any other backslash pair is an error.
std::string unescape(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        if (++i >= s.size())
            throw Failure{"a backslash at the end of the value"};
        switch (s[i]) {
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case '\\':
        case '"':
            out += s[i];
            break;
        case 'x': {
            const int hi = i + 1 < s.size() ? hexDigit(s[i + 1]) : -1;
            const int lo = i + 2 < s.size() ? hexDigit(s[i + 2]) : -1;
            if (hi < 0 || lo < 0)
                throw Failure{"\\x needs two hexadecimal digits"};
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
            break;
        }
        default:
            throw Failure{std::string("unknown escape sequence \\") + s[i]};
        }
    }
    return out;
}

// Splits on blanks; "..." groups a token with escapes inside.
std::vector<std::string> tokens(std::string_view line) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i >= line.size())
            break;
        std::string token;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') {
            if (line[i] == '"') {
                const std::size_t start = ++i;
                while (i < line.size() && line[i] != '"')
                    i += line[i] == '\\' ? 2 : 1;
                if (i >= line.size())
                    throw Failure{"no closing quote"};
                token += unescape(line.substr(start, i - start));
                ++i;
            } else {
                token += line[i++];
            }
        }
        out.push_back(std::move(token));
    }
    return out;
}

std::string toCp1251(const std::string& utf8) {
    std::string cp = utf8ToCp1251(utf8);
    if (cp1251ToUtf8(cp) != utf8)
        throw Failure{"the text holds characters outside code page Windows-1251, or invalid UTF-8"};
    return cp;
}

std::int64_t parseInteger(std::string_view s, std::int64_t lo, std::int64_t hi) {
    std::int64_t v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size())
        throw Failure{"not an integer: '" + std::string(s) + "'"};
    if (v < lo || v > hi)
        throw Failure{"the number is out of the field type's range: " + std::string(s)};
    return v;
}

double parseNumber(std::string_view s) {
    double v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size())
        throw Failure{"not a number: '" + std::string(s) + "'"};
    return v;
}

bool parseBool(std::string_view s) {
    if (s == "true" || s == "1")
        return true;
    if (s == "false" || s == "0")
        return false;
    throw Failure{"expected true or false: '" + std::string(s) + "'"};
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Failure{"cannot open the file '" + path.string() + "'"};
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    if (in.bad())
        throw Failure{"cannot read the file '" + path.string() + "'"};
    return bytes;
}

std::string hexBytes(std::string_view s) {
    std::string out;
    std::string digits;
    for (char c : s) {
        if (c != ' ' && c != '\t')
            digits += c;
    }
    if (digits.size() % 2 != 0)
        throw Failure{"an odd number of hexadecimal digits"};
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const int hi = hexDigit(digits[i]);
        const int lo = hexDigit(digits[i + 1]);
        if (hi < 0 || lo < 0)
            throw Failure{"not a hexadecimal digit"};
        out += static_cast<char>(hi * 16 + lo);
    }
    return out;
}

class ManifestParser {
public:
    ManifestParser(const std::string& baseDir) : m_baseDir(baseDir) {}

    void line(std::string_view text) {
        std::size_t start = 0;
        while (start < text.size() && (text[start] == ' ' || text[start] == '\t'))
            ++start;
        text.remove_prefix(start);
        if (text.empty() || text[0] == '#')
            return;
        const std::size_t space = text.find_first_of(" \t");
        const std::string_view word = text.substr(0, space);
        const std::string_view rest = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
        if (word == "field")
            field(tokens(rest));
        else if (word == "index")
            index(tokens(rest));
        else if (word == "row")
            row(tokens(rest));
        else
            value(word, rest);
    }

    void finish() {
        flushRow();
        if (m_data.fields.empty())
            throw Failure{"the manifest describes no field"};
    }

    TableData take() { return std::move(m_data); }

private:
    void field(const std::vector<std::string>& t) {
        if (m_inRows)
            throw Failure{"fields are described before the first row line"};
        if (t.size() < 2)
            throw Failure{"expected: field NAME TYPE [SIZE] [options]"};
        FieldDef def;
        def.name = toCp1251(t[0]);
        for (const FieldDef& other : m_data.fields) {
            MemTable probe({other});
            if (probe.fieldIndex(def.name) == 0)
                throw Failure{"the field '" + t[0] + "' is described already"};
        }
        if (!fieldTypeFromName(t[1], &def.type) || !isFieldTypeAllowed(def.type))
            throw Failure{"unknown or forbidden field type '" + t[1] + "'"};
        for (std::size_t i = 2; i < t.size(); ++i) {
            const std::string& opt = t[i];
            const std::size_t eq = opt.find('=');
            const std::string key = opt.substr(0, eq);
            const std::string val = eq == std::string::npos ? std::string() : opt.substr(eq + 1);
            if (i == 2 && eq == std::string::npos && !opt.empty() && opt[0] >= '0' && opt[0] <= '9')
                def.size = static_cast<int>(parseInteger(opt, 0, std::numeric_limits<std::int32_t>::max()));
            else if (key == "size")
                def.size = static_cast<int>(parseInteger(val, 0, std::numeric_limits<std::int32_t>::max()));
            else if (key == "label")
                def.label = toCp1251(val);
            else if (key == "mask")
                def.mask = toCp1251(val);
            else if (key == "width")
                def.width = static_cast<int>(parseInteger(val, 0, std::numeric_limits<std::int32_t>::max()));
            else if (key == "required" && eq == std::string::npos)
                def.required = true;
            else if (key == "readonly" && eq == std::string::npos)
                def.readOnly = true;
            else if (key == "kind")
                def.kind = kindNamed(val);
            else if (key == "default")
                def.defaultExpr = toCp1251(val);
            else
                throw Failure{"unknown field option '" + opt + "'"};
        }
        m_data.fields.push_back(std::move(def));
    }

    static FieldKind kindNamed(const std::string& name) {
        const FieldKind kind = fieldKindFromName(name);
        if (fieldKindName(kind) != name)
            throw Failure{"unknown field kind '" + name + "'"};
        return kind;
    }

    void index(const std::vector<std::string>& t) {
        if (m_inRows)
            throw Failure{"indexes are described before the first row line"};
        if (t.size() < 2)
            throw Failure{"expected: index NAME FIELDS [options]"};
        IndexDef idx;
        idx.name = toCp1251(t[0]);
        idx.fields = toCp1251(t[1]);
        idx.display = idx.name;
        for (std::size_t i = 2; i < t.size(); ++i) {
            const std::string& opt = t[i];
            if (opt.rfind("display=", 0) == 0)
                idx.display = toCp1251(opt.substr(8));
            else if (opt == "descending")
                idx.descending = true;
            else if (opt == "caseinsensitive")
                idx.caseInsensitive = true;
            else if (opt == "notmaintained")
                idx.notMaintained = true;
            else if (opt == "unique")
                idx.unique = true;
            else
                throw Failure{"unknown index option '" + opt + "'"};
        }
        m_data.indexes.push_back(std::move(idx));
    }

    void row(const std::vector<std::string>& t) {
        flushRow();
        m_inRows = true;
        m_hasRow = true;
        m_row = Record{};
        m_row.values.assign(m_data.fields.size(), FieldValue{});
        for (const std::string& opt : t) {
            if (opt.rfind("status=", 0) != 0)
                throw Failure{"unknown row option '" + opt + "'"};
            m_row.status = static_cast<int>(parseInteger(opt.substr(7), 0, 3));
        }
    }

    void flushRow() {
        if (m_hasRow)
            m_data.records.push_back(std::move(m_row));
        m_hasRow = false;
    }

    int fieldNamed(std::string_view name) const {
        MemTable probe(m_data.fields);
        const int f = probe.fieldIndex(toCp1251(std::string(name)));
        if (f < 0)
            throw Failure{"no field '" + std::string(name) + "'"};
        return f;
    }

    void value(std::string_view name, std::string_view rest) {
        if (!m_hasRow)
            throw Failure{"a field value outside a row (or an unknown word '" + std::string(name) + "')"};
        const int f = fieldNamed(name);
        const FieldDef& def = m_data.fields[static_cast<std::size_t>(f)];
        FieldValue& v = m_row.values[static_cast<std::size_t>(f)];
        while (!rest.empty() && (rest.back() == '\r' || rest.back() == '\n'))
            rest.remove_suffix(1);
        const std::size_t op = rest.find_first_not_of(" \t");
        if (op == std::string_view::npos)
            throw Failure{"expected: FIELD = value, FIELD < file, FIELD hex ... or FIELD null"};
        rest.remove_prefix(op);
        v = FieldValue{};
        if (rest == "null")
            return;
        v.null = false;
        const ValueClass vc = valueClassOf(def.type);
        if (rest.rfind("hex", 0) == 0 && (rest.size() == 3 || rest[3] == ' ')) {
            requireBytes(vc, "hex");
            v.bytes = hexBytes(rest.substr(3));
        } else if (rest[0] == '<') {
            requireBytes(vc, "<");
            const std::string path = unescape(trim(rest.substr(1)));
            const std::filesystem::path p(path);
            v.bytes = readFile(p.is_absolute() ? p : std::filesystem::path(m_baseDir) / p);
        } else if (rest[0] == '=') {
            rest.remove_prefix(1);
            if (!rest.empty() && rest[0] == ' ')
                rest.remove_prefix(1);
            setTyped(def, vc, unescape(rest), &v);
        } else {
            throw Failure{"expected =, <, hex or null after the field name"};
        }
        if (keptLength(def, v.bytes.size()) < v.bytes.size())
            throw Failure{"the value is longer than the field's size (" + std::to_string(def.size) + ")"};
    }

    static std::string_view trim(std::string_view s) {
        while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
            s.remove_prefix(1);
        while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
            s.remove_suffix(1);
        return s;
    }

    static void requireBytes(ValueClass vc, const char* what) {
        if (vc != ValueClass::Bytes)
            throw Failure{std::string("'") + what + "' is only for string and binary fields"};
    }

    static void setTyped(const FieldDef& def, ValueClass vc, const std::string& text, FieldValue* v) {
        switch (vc) {
        case ValueClass::Integer: {
            std::int64_t lo = std::numeric_limits<std::int32_t>::min();
            std::int64_t hi = std::numeric_limits<std::int32_t>::max();
            if (def.type == FieldType::SmallInt) {
                lo = -32768;
                hi = 32767;
            } else if (def.type == FieldType::Word) {
                lo = 0;
                hi = 65535;
            }
            v->integer = parseInteger(text, lo, hi);
            break;
        }
        case ValueClass::LargeInt:
            v->integer =
                parseInteger(text, std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max());
            break;
        case ValueClass::Boolean:
            v->integer = parseBool(text) ? 1 : 0;
            break;
        case ValueClass::Float:
            v->number = parseNumber(text);
            break;
        case ValueClass::DateTime:
            v->number = parseNumber(text);
            if (v->number == 0.0)
                throw Failure{"date 0 reads as an empty value; write null"};
            break;
        case ValueClass::Money:
            v->number = parseNumber(text);
            if (std::isfinite(v->number) && std::fabs(v->number) < 1e14)
                v->number = std::round(v->number * 10000.0) / 10000.0;
            break;
        case ValueClass::Bytes:
            v->bytes = toCp1251(text);
            break;
        }
    }

    std::string m_baseDir;
    TableData m_data;
    Record m_row;
    bool m_inRows = false;
    bool m_hasRow = false;
};

} // namespace

bool parseManifest(std::string_view text, const std::string& baseDir, const std::string& sourceName, MemTable* table,
                   std::string* error) {
    ManifestParser parser(baseDir);
    int lineNo = 0;
    try {
        std::size_t pos = 0;
        while (pos <= text.size()) {
            const std::size_t nl = text.find('\n', pos);
            std::string_view line = text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            ++lineNo;
            parser.line(line);
            if (nl == std::string_view::npos)
                break;
            pos = nl + 1;
        }
        parser.finish();
    } catch (const Failure& f) {
        if (error)
            *error = sourceName + ":" + std::to_string(lineNo) + ": " + f.message;
        return false;
    } catch (const std::bad_alloc&) {
        if (error)
            *error = sourceName + ": Out of memory";
        return false;
    }
    table->replaceData(parser.take());
    return true;
}

bool loadManifest(const std::string& manifestPath, MemTable* table, std::string* error) {
    std::string text;
    if (!readWholeFile(manifestPath, &text, error))
        return false;
    const std::filesystem::path base = std::filesystem::path(manifestPath).parent_path();
    return parseManifest(text, base.empty() ? std::string(".") : base.string(), manifestPath, table, error);
}

} // namespace kit
