#include "assets.h"
#include "pixgrid.h"
namespace assetgen {
std::vector<Picture> makeScreens() { return {{"image/menu.png", Grid(800,600,WaterLight).toImage()},{"image/gameover.png", Grid(800,600,Dusk).toImage()},{"image/gamewin.png", Grid(800,600,Dusk).toImage()},{"image/button.png", Grid(200,50,Cream).toImage()},{"image/button_selected.png", Grid(200,50,Straw).toImage()}}; }
}
