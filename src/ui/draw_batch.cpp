#include "ui/draw_batch.h"

#include "ui/animated_sprite.h"
#include "ui/board_atlas.h"
#include "ui/opaque_boxes.h"

#include <cmath>

DrawBatch::DrawBatch(sf::RenderTarget& target, const BoardAtlas* atlas, const OpaqueBoxes* boxes,
                     std::vector<sf::Vertex>& vertices)
    : target_(target), atlas_(atlas), boxes_(boxes), vertices_(vertices)
{
    vertices_.clear();
    readView();
}

void DrawBatch::readView()
{
    const sf::View& view = target_.getView();
    const sf::Vector2f size(target_.getSize());
    pixelForUnit_ = view.getSize() == size && view.getCenter() == size / 2.f && view.getRotation() == 0.f &&
                    view.getViewport() == sf::FloatRect(0, 0, 1, 1);
    // A turned view has no upright edges: every call counts as near them.
    const sf::Vector2f half = view.getSize() / 2.f;
    if (view.getRotation() == 0.f && half.x > 1.f && half.y > 1.f) {
        innerLeft_ = view.getCenter().x - half.x + 1.f;
        innerTop_ = view.getCenter().y - half.y + 1.f;
        innerRight_ = view.getCenter().x + half.x - 1.f;
        innerBottom_ = view.getCenter().y + half.y - 1.f;
    }
}

void DrawBatch::use(const sf::Texture* texture)
{
    if (texture != texture_) {
        flush();
        texture_ = texture;
    }
}

sf::Vector2f DrawBatch::usePicture(const sf::Texture& picture)
{
    if (const sf::Vector2f* place = atlas_ ? atlas_->place(&picture) : nullptr) {
        use(&atlas_->texture());
        return *place;
    }
    use(&picture);
    return {0.f, 0.f};
}

sf::Vector2f DrawBatch::useSolid()
{
    if (atlas_) {
        use(&atlas_->texture());
        return atlas_->white();
    }
    use(nullptr);
    return {0.f, 0.f};
}

sf::IntRect DrawBatch::frameOf(const AnimatedSprite& sprite)
{
    // The frame's rectangle, from the quad's texture coordinates.
    const sf::Vector2f topLeft = sprite.vertices[0].texCoords, bottomRight = sprite.vertices[2].texCoords;
    return {static_cast<int>(topLeft.x), static_cast<int>(topLeft.y),
            static_cast<int>(bottomRight.x - topLeft.x + 0.5f), static_cast<int>(bottomRight.y - topLeft.y + 0.5f)};
}

void DrawBatch::triangle(const sf::Vertex& a, const sf::Vertex& b, const sf::Vertex& c)
{
    const bool nearEdges = !(clearOfEdges(a) && clearOfEdges(b) && clearOfEdges(c));
    if (nearEdges != nearEdges_) {
        flush();
        nearEdges_ = nearEdges;
    }
    vertices_.push_back(a);
    vertices_.push_back(b);
    vertices_.push_back(c);
}

void DrawBatch::sprite(const sf::Texture& texture, const sf::IntRect& rect, sf::Vector2f position, float scale,
                       sf::Color tint)
{
    const sf::Vector2f offset = usePicture(texture);
    const float left = static_cast<float>(rect.left) + offset.x, top = static_cast<float>(rect.top) + offset.y;
    const float width = static_cast<float>(rect.width), height = static_cast<float>(rect.height);
    const sf::Vertex topLeft(position, tint, {left, top});
    const sf::Vertex bottomLeft({position.x, position.y + height * scale}, tint, {left, top + height});
    const sf::Vertex topRight({position.x + width * scale, position.y}, tint, {left + width, top});
    const sf::Vertex bottomRight({position.x + width * scale, position.y + height * scale}, tint,
                                 {left + width, top + height});
    triangle(topLeft, bottomLeft, topRight);
    triangle(topRight, bottomLeft, bottomRight);
}

void DrawBatch::sprite(const sf::Texture& texture, sf::Vector2f position, float scale, sf::Color tint)
{
    const sf::Vector2u size = texture.getSize();
    sprite(texture, {0, 0, static_cast<int>(size.x), static_cast<int>(size.y)}, position, scale, tint);
}

void DrawBatch::rectangle(sf::Vector2f position, sf::Vector2f size, sf::Color colour)
{
    const sf::Vector2f t = useSolid();
    const sf::Vertex a(position, colour, t), b({position.x, position.y + size.y}, colour, t),
        c({position.x + size.x, position.y}, colour, t), d(position + size, colour, t);
    triangle(a, b, c);
    triangle(c, b, d);
}

void DrawBatch::outline(sf::Vector2f position, sf::Vector2f size, sf::Color colour)
{
    // Four bands that together make the ring from one pixel outside the
    // rectangle to its edge.
    rectangle({position.x - 1, position.y - 1}, {size.x + 2, 1}, colour);
    rectangle({position.x - 1, position.y + size.y}, {size.x + 2, 1}, colour);
    rectangle({position.x - 1, position.y}, {1, size.y}, colour);
    rectangle({position.x + size.x, position.y}, {1, size.y}, colour);
}

void DrawBatch::circle(sf::Vector2f position, float radius, sf::Color colour)
{
    const sf::Vector2f t = useSolid();
    // The same 30 points as sf::CircleShape, fanned round the centre.
    const sf::Vertex centre(position + sf::Vector2f(radius, radius), colour, t);
    sf::Vertex previous;
    for (int i = 0; i <= 30; ++i) {
        const float angle = static_cast<float>(i % 30) * 2 * 3.141592654f / 30 - 3.141592654f / 2;
        const sf::Vertex point({radius + std::cos(angle) * radius + position.x,
                                radius + std::sin(angle) * radius + position.y},
                               colour, t);
        if (i > 0)
            triangle(centre, previous, point);
        previous = point;
    }
}

namespace {

bool upright(const AnimatedSprite& sprite)
{
    return sprite.getRotation() == 0.f && sprite.getScale() == sf::Vector2f(1.f, 1.f) &&
           sprite.getOrigin() == sf::Vector2f(0.f, 0.f);
}

// Whether an edge lies 1/64 of a pixel or more from the pixel centres.
bool clearOfPixelCentres(float edge)
{
    return std::fabs(edge - std::floor(edge) - 0.5f) >= 1.f / 64;
}

} // namespace

sf::FloatRect DrawBatch::animatedBounds(const AnimatedSprite& sprite) const
{
    if (!sprite.animation || !sprite.texture || !upright(sprite))
        return {};
    const sf::Vector2f at = sprite.getPosition();
    sf::FloatRect bounds(at.x, at.y, sprite.vertices[2].position.x, sprite.vertices[2].position.y);
    if (const sf::IntRect* box = boxes_ ? boxes_->box(*sprite.texture, frameOf(sprite)) : nullptr) {
        bounds.left += static_cast<float>(box->left);
        bounds.top += static_cast<float>(box->top);
        bounds.width = static_cast<float>(box->width);
        bounds.height = static_cast<float>(box->height);
    }
    return bounds;
}

void DrawBatch::animated(const AnimatedSprite& sprite, float coveredFrom)
{
    if (!sprite.animation || !sprite.texture)
        return;
    const sf::Vector2f offset = usePicture(*sprite.texture);
    const sf::Transform& transform = sprite.getTransform();
    sf::Vertex corners[4];
    for (int i = 0; i < 4; ++i) {
        corners[i] = sprite.vertices[i];
        corners[i].position = transform.transformPoint(corners[i].position);
        corners[i].texCoords += offset;
    }
    const sf::IntRect* box = boxes_ ? boxes_->box(*sprite.texture, frameOf(sprite)) : nullptr;
    if (box) {
        if (box->width <= 0 || box->height <= 0)
            return; // a frame with nothing to show
        // The same quad cut to the box: the corners are the sprite's own
        // points at the box's edges, and their texels lie as far from the
        // frame's corner, so each pixel drawn takes the texel it took before.
        const float left = static_cast<float>(box->left), top = static_cast<float>(box->top);
        const float right = left + static_cast<float>(box->width), bottom = top + static_cast<float>(box->height);
        const sf::Vector2f texel = corners[0].texCoords;
        corners[0].position = transform.transformPoint(left, top);
        corners[1].position = transform.transformPoint(left, bottom);
        corners[2].position = transform.transformPoint(right, bottom);
        corners[3].position = transform.transformPoint(right, top);
        corners[0].texCoords = texel + sf::Vector2f(left, top);
        corners[1].texCoords = texel + sf::Vector2f(left, bottom);
        corners[2].texCoords = texel + sf::Vector2f(right, bottom);
        corners[3].texCoords = texel + sf::Vector2f(right, top);
    }
    if (coveredFrom < corners[1].position.y && pixelForUnit_ && upright(sprite) &&
        clearOfPixelCentres(corners[0].position.y)) {
        if (coveredFrom <= corners[0].position.y)
            return; // all of it will be covered
        const float down = coveredFrom - corners[0].position.y;
        corners[1].position.y = corners[2].position.y = coveredFrom;
        corners[1].texCoords.y = corners[2].texCoords.y = corners[0].texCoords.y + down;
    }
    // The quad's corners go round: top left, bottom left, bottom right, top right.
    triangle(corners[0], corners[1], corners[2]);
    triangle(corners[0], corners[2], corners[3]);
}

bool DrawBatch::holds(const sf::Texture& picture) const
{
    return atlas_ && atlas_->place(&picture);
}

void DrawBatch::setBlendMode(const sf::BlendMode& mode)
{
    if (mode != blendMode_) {
        flush();
        blendMode_ = mode;
    }
}

void DrawBatch::draw(const sf::Drawable& drawable)
{
    flush();
    target_.draw(drawable);
}

void DrawBatch::flush()
{
    if (vertices_.empty())
        return;
    sf::RenderStates states;
    states.texture = texture_;
    states.blendMode = blendMode_;
    target_.draw(vertices_.data(), vertices_.size(), sf::Triangles, states);
    vertices_.clear();
}
