#pragma once

#include <cstdint>
#include <cstring>

// The five bit and memory primitives the carrier and container code is built
// on. Bit numbers count from 0 (weight 1) to 7 (weight 128).

namespace BitOps {

constexpr std::uint8_t BitGet(const std::uint8_t &byte, int bit)
{
    return static_cast<std::uint8_t>(byte & (1u << bit));
}

constexpr void BitSet(std::uint8_t &byte, int bit)
{
    byte = static_cast<std::uint8_t>(byte | (1u << bit));
}

constexpr void BitClr(std::uint8_t &byte, int bit)
{
    byte = static_cast<std::uint8_t>(byte & ~(1u << bit));
}

inline void MemCopy(void *destination, const void *source, std::size_t count)
{
    std::memcpy(destination, source, count);
}

// Kept for start-up, which calls it once on the empty file header; it has no
// effect on its argument.
template <typename Record>
constexpr void GetPointer(Record &) {}

} // namespace BitOps
