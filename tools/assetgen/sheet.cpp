// Review pictures: the contact sheet and a mock board at game scale.

#include "assets.h"
#include "pixfont.h"
#include "pixgrid.h"

#include <algorithm>
#include <stdexcept>

namespace assetgen {

std::vector<Picture> allPictures() {
  std::vector<Picture> all;
  for (auto family : {makeTerrain, makeTowers, makeIcon, makeScreens, makeWolves})
    for (Picture& p : family()) all.push_back(std::move(p));
  return all;
}

namespace {

const Picture& find(const std::vector<Picture>& pictures, const std::string& path) {
  for (const Picture& p : pictures)
    if (p.path == path) return p;
  throw std::runtime_error("no picture named " + path);
}

sf::Image checkerboard(unsigned w, unsigned h) {
  sf::Image img;
  img.create(w, h);
  for (unsigned y = 0; y < h; ++y)
    for (unsigned x = 0; x < w; ++x)
      img.setPixel(x, y, ((x / 8 + y / 8) % 2) ? sf::Color(156, 156, 160) : sf::Color(188, 188, 192));
  return img;
}

sf::Image label(const std::string& text) {
  TextStyle style;
  Grid g = textMask(text, style, Snow);
  Grid framed(g.width() + 2, g.height() + 2);
  framed.stamp(g, 1, 1);
  framed.outline(Outline);
  return framed.toImage();
}

// A picture as it appears on the sheet: small art doubled, full screens halved.
sf::Image sheetView(const sf::Image& img) {
  const sf::Vector2u s = img.getSize();
  if (s.x >= 800) return scaleNearest(img, 0.5);
  if (s.x <= 128 && s.y <= 128) return scaleNearest(img, 2.0);
  return img;
}

}  // namespace

sf::Image contactSheet(const std::vector<Picture>& pictures) {
  const int sheetW = 1296, margin = 16, labelH = 14;
  struct Placed {
    sf::Image view;
    std::string name;
    int x, y;
  };
  std::vector<Placed> placed;
  int x = margin, y = margin, rowH = 0;
  std::string lastFamily;
  for (const Picture& p : pictures) {
    Placed item{sheetView(p.image), p.path, 0, 0};
    const std::string family = p.path.substr(p.path.find('/') + 1).find("wolf") != std::string::npos ? "wolf"
                               : p.image.getSize().x >= 800                                         ? "screen"
                                                                                                    : "small";
    const int w = static_cast<int>(item.view.getSize().x);
    const int h = static_cast<int>(item.view.getSize().y) + labelH;
    const bool newFamily = !lastFamily.empty() && family != lastFamily;
    if (x > margin && (x + w > sheetW - margin || newFamily)) {
      x = margin;
      y += rowH + margin;
      rowH = 0;
    }
    lastFamily = family;
    item.x = x;
    item.y = y;
    x += std::max(w, static_cast<int>(label(p.path).getSize().x)) + margin;
    rowH = std::max(rowH, h);
    placed.push_back(std::move(item));
  }
  sf::Image sheet;
  sheet.create(sheetW, static_cast<unsigned>(y + rowH + margin), sf::Color(70, 68, 80));
  for (const Placed& p : placed) {
    blit(sheet, label(p.name), p.x, p.y);
    const sf::Vector2u s = p.view.getSize();
    blit(sheet, checkerboard(s.x, s.y), p.x, p.y + labelH);
    blit(sheet, p.view, p.x, p.y + labelH);
  }
  return sheet;
}

sf::Image boardPreview(const std::vector<Picture>& pictures) {
  const sf::Image& grass = find(pictures, "image/lowground.png").image;
  const sf::Image& block = find(pictures, "image/highground.png").image;
  const sf::Image deck = scaleNearest(find(pictures, "image/platform.png").image, 1.5);
  const sf::Image pond = scaleNearest(find(pictures, "image/pond.png").image, 1.375);
  const sf::Image home = scaleNearest(find(pictures, "image/home.png").image, 1.5625);

  // A little level: '.' grass path, '#' stone, 'P' built deck, 'o' pond, 'H' home;
  // a b c d on stone = arrow, ice, skunk, slap tower; A B C D = the same on a deck.
  const char* level[9] = {
      "#####...........",
      "#a#b#.###c##....",
      "......#d#.##.o..",
      ".####.....PA....",
      ".#c##.##o.PP..H.",
      "......#b#.......",
      "..o...###.#a#...",
      "####.......B....",
      "##d#.....####...",
  };
  const int top = 24;
  sf::Image board;
  board.create(800, 600, sf::Color(36, 28, 44));

  sf::Image grassTile;
  grassTile.create(48, 48);
  grassTile.copy(grass, 0, 0, sf::IntRect(1, 1, 48, 48));
  sf::Image strip;
  strip.create(48, 23);
  strip.copy(block, 0, 0, sf::IntRect(0, 49, 48, 23));
  for (int x = 0; x < 800; x += 48) blit(board, strip, x, 0);

  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 16; ++c) blit(board, grassTile, c * 50 + 1, top + r * 50 + 1);

  const char* towerFor = "abcd";
  const char* towerFiles[4] = {"image/tower.png", "image/ice_tower.png", "image/skunk_tower.png",
                               "image/slap_tower.png"};
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 16; ++c) {
      const int cx = c * 50, cy = top + r * 50;
      const char t = level[r][c];
      const bool stone = t == '#' || (t >= 'a' && t <= 'd');
      const bool built = t == 'P' || (t >= 'A' && t <= 'D');
      if (stone) blit(board, block, cx + 1, cy + 1 - 24);
      if (built) blit(board, deck, cx + 1, cy + 1 - 24);
      if (t == 'o') blit(board, pond, cx + 3, cy + 3);
      if (t == 'H') blit(board, home, cx, cy);
    }
    for (int c = 0; c < 16; ++c) {
      const int cx = c * 50, cy = top + r * 50;
      char t = level[r][c];
      if (t >= 'A' && t <= 'D') t = static_cast<char>(t - 'A' + 'a');
      for (int k = 0; k < 4; ++k)
        if (t == towerFor[k]) blit(board, find(pictures, towerFiles[k]).image, cx + 9, cy + 15 - 40);
    }
  }

  // A column of marching wolves along the path, one of each kind, in different directions.
  struct Walker {
    const char* file;
    int col, row, dir, frame;
  };
  const Walker walkers[] = {
      {"image/regular_wolf.png", 5, 0, 0, 0},  {"image/baby_wolf.png", 5, 2, 0, 1},
      {"image/throwing_wolf.png", 7, 3, 2, 2}, {"image/suicidal_wolf.png", 9, 5, 2, 1},
      {"image/hacking_wolf.png", 12, 4, 3, 0}, {"image/catapult_wolf.png", 13, 1, 1, 1},
      {"image/regular_wolf.png", 4, 7, 2, 1},  {"image/baby_wolf.png", 2, 5, 1, 2},
  };
  for (const Walker& w : walkers) {
    sf::Image frame;
    frame.create(32, 32, sf::Color::Transparent);
    frame.copy(find(pictures, w.file).image, 0, 0, sf::IntRect(w.frame * 32, w.dir * 32, 32, 32));
    blit(board, frame, w.col * 50 + 9, top + w.row * 50 + 9);
  }

  // Under the board: the buttons at their drawn size.
  const sf::Image button = scaleNearest(find(pictures, "image/button.png").image, 0.5);
  const sf::Image selected = scaleNearest(find(pictures, "image/button_selected.png").image, 0.5);
  blit(board, button, 20, 500);
  blit(board, selected, 130, 500);
  blit(board, button, 240, 500);
  return board;
}

}  // namespace assetgen
