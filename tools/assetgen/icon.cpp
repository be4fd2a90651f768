#include "assets.h"
#include "pixgrid.h"
namespace assetgen {
std::vector<Picture> makeIcon() { return {{"icon/brambleholt.png", Grid(64,64,Brick).toImage()}}; }
}
