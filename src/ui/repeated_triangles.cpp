#include "ui/repeated_triangles.h"

#include <algorithm>
#include <cstring>

namespace {

// A slot holds a triangle's number in its low half and the top of its hash
// in the high half, so that most mismatches are told without reading the
// triangle.
constexpr std::uint64_t emptySlot = ~std::uint64_t(0);
constexpr std::size_t wordsPerTriangle = 3 * sizeof(sf::Vertex) / sizeof(std::uint32_t);
static_assert(sizeof(sf::Vertex) % sizeof(std::uint32_t) == 0, "a vertex is whole words");

std::uint64_t hashOf(const sf::Vertex* triangle)
{
    std::uint32_t words[wordsPerTriangle];
    std::memcpy(words, triangle, sizeof(words));
    std::uint64_t hash = 0x9e3779b97f4a7c15u;
    for (std::uint32_t word : words)
        hash = (hash ^ word) * 0xff51afd7ed558ccdu;
    return hash ^ (hash >> 29);
}

bool sameTriangle(const sf::Vertex* a, const sf::Vertex* b)
{
    return std::memcmp(a, b, 3 * sizeof(sf::Vertex)) == 0;
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

    // From the last triangle back, so that the last copy is the one kept.
    bool any = false;
    for (std::size_t t = count; t-- > 0;) {
        const sf::Vertex* triangle = &triangles[3 * t];
        if (!anyColour && !opaqueColours(triangle))
            continue;
        const std::uint64_t hash = hashOf(triangle);
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
    std::size_t kept = 0;
    for (std::size_t t = 0; t < count; ++t) {
        if (repeated_[t])
            continue;
        if (kept != t)
            std::copy_n(&triangles[3 * t], 3, &triangles[3 * kept]);
        ++kept;
    }
    triangles.resize(3 * kept);
}
