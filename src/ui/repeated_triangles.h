#pragma once
// A crowd standing on one spot in one pose (wolves piled on the home, or
// queued at a platform) sends the same triangles many times in one draw call.
// Where a triangle's texels are each fully opaque or fully clear and its
// colour is opaque, its last drawing puts down the same pixels as all its
// drawings together: it takes each pixel it covers with an opaque texel,
// and leaves the rest as they are. So the earlier copies can be left out of
// the call; the picture stays the same to the bit and the renderer has far
// fewer pixels to blend.

#include <SFML/Graphics/Vertex.hpp>

#include <cstdint>
#include <vector>

class RepeatedTriangles
{
public:
    // Calls with fewer triangles are sent as they are: finding repeats would
    // cost more than it saves.
    static constexpr std::size_t fewest = 256;

    // Removes from a list of triangles each one that comes again, vertex for
    // vertex, later in the list; the rest keep their order. With `anyColour`
    // (no blending: each drawing simply overwrites) every triangle counts,
    // otherwise only those whose three vertex colours are opaque; the caller
    // vouches that the texture's texels are all opaque or clear.
    void drop(std::vector<sf::Vertex>& triangles, bool anyColour);

private:
    std::vector<std::uint64_t> slots_; // a hash table of triangle numbers
    std::vector<std::uint64_t> hashes_;
    std::vector<std::uint8_t> repeated_;
};
