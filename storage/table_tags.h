#pragma once
// The table file's tagged values: the tag bytes, and the one decoder of the three integer tags that the
// reader's careful and fast paths share.

#include <cstddef>
#include <cstdint>

namespace storage::tags {

constexpr int WrittenVersion = 251;
constexpr uint8_t EndOfList = 0x00, StartOfList = 0x01, Int8 = 0x02, Int16 = 0x03, Int32 = 0x04,
                  String8 = 0x06, FlagFalse = 0x08, FlagTrue = 0x09, String32 = 0x0C;
constexpr uint32_t DeletedStatus = 3;

// Integers are stored little-endian.
inline int16_t le16(const uint8_t* p) { return int16_t(uint16_t(p[0] | (p[1] << 8))); }
inline uint32_t le32(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

// The bytes that follow an integer tag; 0 when the byte is no integer tag.
constexpr size_t integerPayload(uint8_t tag)
{
    return tag == Int8 ? 1 : tag == Int16 ? 2 : tag == Int32 ? 4 : 0;
}

// The integer held by `size` payload bytes (1, 2 or 4) at `p`, sign-extended.
inline int32_t integerValue(const uint8_t* p, size_t size)
{
    return size == 1 ? int32_t(int8_t(p[0])) : size == 2 ? int32_t(le16(p)) : int32_t(le32(p));
}

} // namespace storage::tags
