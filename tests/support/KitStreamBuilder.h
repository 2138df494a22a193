#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Writes table-stream bytes by hand, tag by tag, so tests can build streams the
// station's writer never produces (old versions, histories, wrong tags).
class KitStreamBuilder {
public:
    KitStreamBuilder& raw(std::string_view bytes);
    KitStreamBuilder& byte(unsigned char b);
    KitStreamBuilder& signature() { return raw("TPF0"); }
    KitStreamBuilder& list() { return byte(1); }
    KitStreamBuilder& end() { return byte(0); }
    KitStreamBuilder& int8(int v);
    KitStreamBuilder& int16(int v);
    KitStreamBuilder& int32(std::int32_t v);
    KitStreamBuilder& int64(std::int64_t v);
    KitStreamBuilder& boolean(bool v) { return byte(v ? 9 : 8); }
    KitStreamBuilder& str(std::string_view s);     // tag 6
    KitStreamBuilder& lstr(std::string_view s);    // tag 12
    KitStreamBuilder& utf8str(std::string_view s); // tag 20
    KitStreamBuilder& wstr(std::u16string_view s); // tag 18
    KitStreamBuilder& extended(const unsigned char (&bytes)[10]);
    // One field entry as written at the given version (kind from 250, default from 251).
    KitStreamBuilder& field(std::string_view name, std::string_view type, int size, int version = 251);

    const std::string& bytes() const { return m_bytes; }

private:
    void little(std::uint64_t v, int n);
    std::string m_bytes;
};
