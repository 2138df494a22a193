#include "KitStreamBuilder.h"

KitStreamBuilder& KitStreamBuilder::raw(std::string_view bytes) {
    m_bytes.append(bytes);
    return *this;
}

KitStreamBuilder& KitStreamBuilder::byte(unsigned char b) {
    m_bytes.push_back(static_cast<char>(b));
    return *this;
}

void KitStreamBuilder::little(std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i)
        byte(static_cast<unsigned char>(v >> (8 * i)));
}

KitStreamBuilder& KitStreamBuilder::int8(int v) {
    byte(2);
    little(static_cast<std::uint64_t>(v), 1);
    return *this;
}

KitStreamBuilder& KitStreamBuilder::int16(int v) {
    byte(3);
    little(static_cast<std::uint64_t>(v), 2);
    return *this;
}

KitStreamBuilder& KitStreamBuilder::int32(std::int32_t v) {
    byte(4);
    little(static_cast<std::uint64_t>(v), 4);
    return *this;
}

KitStreamBuilder& KitStreamBuilder::int64(std::int64_t v) {
    byte(19);
    little(static_cast<std::uint64_t>(v), 8);
    return *this;
}

KitStreamBuilder& KitStreamBuilder::str(std::string_view s) {
    byte(6);
    byte(static_cast<unsigned char>(s.size()));
    return raw(s);
}

KitStreamBuilder& KitStreamBuilder::lstr(std::string_view s) {
    byte(12);
    little(s.size(), 4);
    return raw(s);
}

KitStreamBuilder& KitStreamBuilder::utf8str(std::string_view s) {
    byte(20);
    little(s.size(), 4);
    return raw(s);
}

KitStreamBuilder& KitStreamBuilder::wstr(std::u16string_view s) {
    byte(18);
    little(s.size(), 4);
    for (char16_t c : s)
        little(c, 2);
    return *this;
}

KitStreamBuilder& KitStreamBuilder::extended(const unsigned char (&bytes)[10]) {
    byte(5);
    for (unsigned char b : bytes)
        byte(b);
    return *this;
}

KitStreamBuilder& KitStreamBuilder::field(std::string_view name, std::string_view type, int size, int version) {
    str(name).str(type).int32(size).str(name).str("").int32(size).boolean(false).boolean(false);
    if (version >= 250)
        str("Data");
    if (version >= 251)
        str("");
    return *this;
}
