#include "assets.h"
#include "pixgrid.h"
namespace assetgen {
std::vector<Picture> makeWolves() { std::vector<Picture> v; for (auto n : {"regular","baby","throwing","suicidal","hacking","catapult"}) v.push_back({std::string("image/")+n+"_wolf.png", Grid(96,128,Fur).toImage()}); return v; }
}
