#include "picture.h"

#include "ui/main_view.h"
#include "world/level_map.h"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/System/Err.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>

namespace {

// The board's cells on the 800 x 600 picture: 50 pixels square, column 2 at
// the left edge, row 9's ground 24 pixels from the top.
constexpr float cellPixels = 50;
constexpr float boardTop = 24;

sf::Vector2f cellCorner(int column, int row)
{
    return {cellPixels * static_cast<float>(column - 2), boardTop + cellPixels * static_cast<float>(9 - row)};
}

void label(sf::RenderTarget& target, const sf::Font& font, const std::string& text, sf::Vector2f at)
{
    sf::Text number(text, font, 13);
    number.setFillColor(sf::Color::White);
    number.setOutlineColor(sf::Color::Black);
    number.setOutlineThickness(1.5f);
    number.setPosition(at);
    target.draw(number);
}

void drawCellNumbers(sf::RenderTarget& target)
{
    static sf::Font font;
    static const bool loaded = font.loadFromFile("hei.ttf");
    if (!loaded)
        return;
    for (int column = 2; column <= 17; ++column)
        label(target, font, std::to_string(column), cellCorner(column, 9) + sf::Vector2f(18, -20));
    for (int row = 1; row <= 9; ++row)
        label(target, font, std::to_string(row), cellCorner(2, row) + sf::Vector2f(3, 17));
}

void drawBreach(sf::RenderTarget& target, const Breach& breach)
{
    const sf::Color red(230, 30, 30);
    sf::RectangleShape from({cellPixels - 6, cellPixels - 6});
    from.setPosition(cellCorner(breach.from.x, breach.from.y) + sf::Vector2f(3, 3));
    from.setFillColor(sf::Color::Transparent);
    from.setOutlineColor(red);
    from.setOutlineThickness(3);
    target.draw(from);
    // A wedge at the left edge points along the row the wolf came in on.
    sf::CircleShape entry(12, 3);
    entry.setRotation(90);
    entry.setPosition(cellCorner(2, breach.entryRow) + sf::Vector2f(24, 13));
    entry.setFillColor(red);
    entry.setOutlineColor(sf::Color::Black);
    entry.setOutlineThickness(1);
    target.draw(entry);
}

std::string reason(const std::string& file)
{
    return "cannot write " + file + (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string());
}

} // namespace

std::string pictureUnwritable(const std::string& file)
{
    std::error_code error;
    const bool existed = std::filesystem::exists(file, error);
    errno = 0;
    std::FILE* probe = std::fopen(file.c_str(), "ab");
    if (!probe)
        return reason(file);
    std::fclose(probe);
    if (!existed)
        std::filesystem::remove(file, error);
    return {};
}

std::string saveBoardPicture(const std::string& file, const std::optional<Breach>& breach)
{
    sf::RenderTexture canvas;
    if (!canvas.create(800, 600))
        return "cannot draw the board: no drawing surface";
    canvas.clear();
    MainView view;
    view.drawWithPointer(canvas, {-1, -1});
    drawCellNumbers(canvas);
    if (breach)
        drawBreach(canvas, *breach);
    canvas.display();
    // The graphics library explains a failed save in lines of its own; the
    // lab says it in one.
    std::ostringstream quiet;
    std::streambuf* const saved = sf::err().rdbuf(quiet.rdbuf());
    errno = 0;
    const bool written = canvas.getTexture().copyToImage().saveToFile(file);
    sf::err().rdbuf(saved);
    return written ? std::string() : reason(file);
}

std::string describeBreach(const Breach& breach)
{
    char text[128];
    std::snprintf(text, sizeof text, "a %s wolf came in at row %d and stepped into the home from (%d, %d)",
                  wolfKindName(breach.kind), breach.entryRow, breach.from.x, breach.from.y);
    return text;
}
