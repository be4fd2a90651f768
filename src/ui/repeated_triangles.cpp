#include "ui/repeated_triangles.h"

#include <cstring>

namespace {

// A slot holds a triangle's number in its low half and the top of its hash
// in the high half, so that most mismatches are told without reading the
// triangle.
constexpr std::uint64_t emptySlot = ~std::uint64_t(0);
// The hash of a triangle that is not looked for (its colour is see-through).
constexpr std::uint64_t notCounted = ~std::uint64_t(0);
constexpr std::size_t wordsPerTriangle = 3 * sizeof(sf::Vertex) / sizeof(std::uint32_t);
static_assert(3 * sizeof(sf::Vertex) == 15 * sizeof(std::uint32_t), "a triangle is fifteen words");

std::uint64_t hashOf(const sf::Vertex* triangle)
{
    std::uint32_t words[wordsPerTriangle];
    std::memcpy(words, triangle, sizeof(words));
    // Three lanes of five words each, so that the multiplications overlap.
    std::uint64_t lanes[3] = {0x9e3779b97f4a7c15u, 0xc2b2ae3d27d4eb4fu, 0x165667b19e3779f9u};
    for (std::size_t i = 0; i < wordsPerTriangle; i += 3) {
        for (std::size_t lane = 0; lane < 3; ++lane)
            lanes[lane] = (lanes[lane] ^ words[i + lane]) * 0xff51afd7ed558ccdu;
    }
    const std::uint64_t hash = lanes[0] ^ (lanes[1] >> 21) ^ (lanes[2] >> 42) ^ (lanes[1] << 43) ^ (lanes[2] << 22);
    return (hash ^ (hash >> 29)) & ~std::uint64_t(1); // never notCounted
}

bool sameTriangle(const sf::Vertex* a, const sf::Vertex* b)
{
    std::uint32_t left[wordsPerTriangle], right[wordsPerTriangle];
    std::memcpy(left, a, sizeof(left));
    std::memcpy(right, b, sizeof(right));
    std::uint32_t differ = 0;
    for (std::size_t i = 0; i < wordsPerTriangle; ++i)
        differ |= left[i] ^ right[i];
    return differ == 0;
}

bool opaqueColours(const sf::Vertex* triangle)
{
    return triangle[0].color.a == 255 && triangle[1].color.a == 255 && triangle[2].color.a == 255;
}

} // namespace

void RepeatedTriangles::drop(std::vector<sf::Vertex>& triangles, bool anyColour)
{
    const std::size_t count = triangles.size() / 3;
    if (count < fewest || count >= 0xffffffffu)
        return;
    std::size_t size = 1;
    while (size < 2 * count)
        size *= 2;
    const std::size_t mask = size - 1;
    slots_.assign(size, emptySlot);
    repeated_.assign(count, 0);

    // The hashes first, so that the table's slots can be fetched ahead of
    // their turn: the table is too big for the nearest caches.
    hashes_.resize(count);
    for (std::size_t t = 0; t < count; ++t)
        hashes_[t] = anyColour || opaqueColours(&triangles[3 * t]) ? hashOf(&triangles[3 * t]) : notCounted;

    // From the last triangle back, so that the last copy is the one kept.
    constexpr std::size_t ahead = 16;
    bool any = false;
    for (std::size_t t = count; t-- > 0;) {
        if (t >= ahead)
            __builtin_prefetch(&slots_[static_cast<std::size_t>(hashes_[t - ahead]) & mask]);
        const std::uint64_t hash = hashes_[t];
        if (hash == notCounted)
            continue;
        const sf::Vertex* triangle = &triangles[3 * t];
        const std::uint64_t tag = hash & 0xffffffff00000000u;
        std::size_t slot = static_cast<std::size_t>(hash) & mask;
        while (slots_[slot] != emptySlot &&
               ((slots_[slot] & 0xffffffff00000000u) != tag ||
                !sameTriangle(&triangles[3 * (slots_[slot] & 0xffffffffu)], triangle)))
            slot = (slot + 1) & mask;
        if (slots_[slot] == emptySlot) {
            slots_[slot] = tag | t;
        } else {
            repeated_[t] = 1;
            any = true;
        }
    }
    if (!any)
        return;
    // The kept triangles close up, a run at a time.
    std::size_t kept = 0;
    for (std::size_t t = 0; t < count;) {
        if (repeated_[t]) {
            ++t;
            continue;
        }
        std::size_t end = t + 1;
        while (end < count && !repeated_[end])
            ++end;
        if (kept != t)
            std::memmove(&triangles[3 * kept], &triangles[3 * t], 3 * (end - t) * sizeof(sf::Vertex));
        kept += end - t;
        t = end;
    }
    triangles.resize(3 * kept);
}
