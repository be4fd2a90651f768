#pragma once
// Collects consecutive draws that use the same texture (or none) and the
// same blending into one vertex array, so that a run of them costs a single
// draw call. Drawing order is kept exactly: a draw with another texture or
// blending, or any other drawable, first sends what was collected. Built
// afresh for each frame; its vertex buffer may be kept from frame to frame.

#include <SFML/Graphics/BlendMode.hpp>
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <vector>

class AnimatedSprite;
class BoardAtlas;
class OpaqueBoxes;

class DrawBatch
{
public:
    // With an atlas, pictures found in it and all solid shapes use the
    // atlas's texture, so that they merge into the same runs.
    explicit DrawBatch(sf::RenderTarget& target, const BoardAtlas* atlas = nullptr)
        : target_(target), atlas_(atlas), vertices_(ownVertices_)
    {
        readView();
    }
    // With the vertex buffer of an earlier frame (emptied, its room kept), and
    // the opaque boxes of sprite-sheet frames: an animated sprite's quad is
    // cut to its frame's box, since the texels around it draw nothing.
    DrawBatch(sf::RenderTarget& target, const BoardAtlas* atlas, const OpaqueBoxes* boxes,
              std::vector<sf::Vertex>& vertices);
    ~DrawBatch() { flush(); }
    DrawBatch(const DrawBatch&) = delete;
    DrawBatch& operator=(const DrawBatch&) = delete;

    // A rectangle of a texture at a position, scaled about its top left corner.
    void sprite(const sf::Texture& texture, const sf::IntRect& rect, sf::Vector2f position, float scale = 1.f,
                sf::Color tint = sf::Color::White);
    void sprite(const sf::Texture& texture, sf::Vector2f position, float scale = 1.f,
                sf::Color tint = sf::Color::White);
    // A solid rectangle; a negative size extends left or up from the position.
    void rectangle(sf::Vector2f position, sf::Vector2f size, sf::Color colour);
    // A one-pixel outline around a rectangle, outside it.
    void outline(sf::Vector2f position, sf::Vector2f size, sf::Color colour);
    // A solid circle of 30 points whose bounding box starts at the position.
    void circle(sf::Vector2f position, float radius, sf::Color colour);
    // An animated sprite's current frame, with its position and rotation.
    // An upright, unscaled sprite may be cut off at a whole pixel row below
    // which something opaque will cover it anyway (never when its top lies
    // near the middle of a pixel, where the texels would be taken at their
    // edges).
    void animated(const AnimatedSprite& sprite, float coveredFrom = 1e9f);
    // The part of the window an upright, unscaled sprite's cut quad covers;
    // empty for any other sprite.
    sf::FloatRect animatedBounds(const AnimatedSprite& sprite) const;
    // Anything else, in its turn.
    void draw(const sf::Drawable& drawable);
    // The blending of what follows: the default alpha blending, or none for
    // pictures without a see-through texel, whose pixels are the same either
    // way but cost less to put down.
    void setBlendMode(const sf::BlendMode& mode);

    void flush();
    // Whether a picture is drawn from the atlas, in the same run as the rest.
    bool holds(const sf::Texture& picture) const;
    // Whether the target's view puts one unit on one pixel, unturned, as the
    // window's and a render texture's own views do: then an edge's place
    // among the pixel centres can be told from its coordinate.
    bool pixelForUnit() const { return pixelForUnit_; }

private:
    void use(const sf::Texture* texture);
    // Switches to a picture, or to its place in the atlas; returns the offset
    // to add to its texture coordinates.
    sf::Vector2f usePicture(const sf::Texture& picture);
    // Switches to solid colour; returns the texture coordinate to use.
    sf::Vector2f useSolid();
    void triangle(const sf::Vertex& a, const sf::Vertex& b, const sf::Vertex& c);
    void readView();
    bool clearOfEdges(const sf::Vertex& vertex) const
    {
        const sf::Vector2f p = vertex.position;
        return p.x >= innerLeft_ && p.x <= innerRight_ && p.y >= innerTop_ && p.y <= innerBottom_;
    }
    static sf::IntRect frameOf(const AnimatedSprite& sprite);

    sf::RenderTarget& target_;
    const BoardAtlas* atlas_;
    const OpaqueBoxes* boxes_ = nullptr;
    const sf::Texture* texture_ = nullptr;
    sf::BlendMode blendMode_ = sf::BlendAlpha;
    bool pixelForUnit_ = false;
    // A draw call with a point outside the view is clipped by the renderer,
    // which then takes every triangle of the call the slow way, point by
    // point. So triangles that reach the view's edges (or come within a unit
    // of them) get calls of their own, in their turn; the rest go the fast
    // way. The pixels are the same: only where one call ends changes.
    float innerLeft_ = 0.f, innerTop_ = 0.f, innerRight_ = -1.f, innerBottom_ = -1.f;
    bool nearEdges_ = false; // what the collected triangles are
    std::vector<sf::Vertex> ownVertices_;
    std::vector<sf::Vertex>& vertices_;
};
