#pragma once
#include <cstddef>
#include <cstdint>

// FNV-1a over a fuzzer's input: a choice made from the whole input (show the
// pane, compute the slow reading) so that inputs derived from one another
// do not all make the same choice.
inline uint32_t InputHash(const uint8_t* data, size_t size)
{
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 16777619u;
    return hash;
}
