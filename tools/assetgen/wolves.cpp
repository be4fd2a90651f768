// The wolves: six kinds, each a 3 x 4 sheet of 32 x 32 walking frames.
// Rows: walking down, left, right, up. Columns: step A, standing, step B.

#include "assets.h"
#include "pixgrid.h"
#include "sprites.h"

#include <cmath>
#include <functional>

namespace assetgen {

namespace {

constexpr int kFrame = 32;

enum Facing { Down, Left, Right, Up };

// Upright cartoon wolves. Body art is drawn facing down, facing up and facing left; facing
// right is facing left mirrored. Legs and arms are drawn per frame so the stride can change.
//   F f n  coat lit / base / shadow      U V v  clothing lit / base / shadow
//   c cream belly and muzzle             y eyes    e teeth

const std::vector<std::string> kAdultDown = {
    "..k............k..",
    "..kk..........kk..",
    "..kFk........kfk..",
    "..kFck......kcnk..",
    ".kFFcfkkkkkkfcnnk.",
    ".kFFfFFFFFfffffnk.",
    ".kFkkffffffffkknk.",
    ".kFfykkffffkkyfnk.",
    ".kFfyykffffkyyfnk.",
    ".kcFffffccffffnck.",
    "kcccffckkkkcffccck",
    ".kcccccckkcccccck.",
    "..kkcckeccekcckk..",
    "...kkcccccccckk...",
    ".....kkcccckk.....",
    ".....kFfccfnk.....",
    "....kUVVccVVvk....",
    "...kUVVccccVVvk...",
    "...kUVVccccVVvk...",
    "...kVVVccccVVvk...",
    "...knnVVVVVVnnk...",
    "....kkkkkkkkkk....",
};

const std::vector<std::string> kAdultUp = {
    "..k............k..",
    "..kk..........kk..",
    "..kfk........kfk..",
    "..kFnk......knfk..",
    ".kFFnfkkkkkkfnfnk.",
    ".kFFfFFFFFfffffnk.",
    ".kFffffffffffffnk.",
    ".kFfffffffffffnnk.",
    ".kFffffffffffffnk.",
    ".kFfffffffffffnnk.",
    "kFffffffffffffnnnk",
    "..kfffffffffffnk..",
    "..kkffffffffffnkk.",
    "...kkfffffffffnk..",
    ".....kkffffffkk...",
    ".....kFnnnnnk.....",
    "....kUVVnnVVvk....",
    "...kUVVVnnVVVvk...",
    "...kUVVVVVVVVvk...",
    "...kVVVVVVVVVvk...",
    "...knnVVVVVVnnk...",
    "....kkkkkkkkkk....",
};

const std::vector<std::string> kAdultLeft = {
    "...........k........",
    "..........kk........",
    "..........kFk.......",
    "..........kFnk......",
    ".........kFcnk......",
    "......kkkFFcnk......",
    ".....kFFFFFffnk.....",
    "...kkFFFkkfffnk.....",
    ".kkFFFFFyffffnk.....",
    "kkFFfffffffffnnk....",
    "kkkccccccfffffnk....",
    ".kkeeccccccffnk.....",
    "...kkkcccccfnk......",
    "......kccccfk.......",
    ".....kccUVVVvk......",
    "....kcccVVVVvk......",
    "....kccVVVVVvk......",
    "....kcVVVVVVvk......",
    "....kVVVVVVVnk......",
    ".....knVVVVnnk......",
    "......kkkkkkk.......",
};

const std::vector<std::string> kTailLeft = {
    "..kkkkk....",
    ".kFFFFFkk..",
    "kFfffffFnk.",
    "kffffffnnnk",
    ".knnnnnnnk.",
    "..kkkkkkk..",
};

const std::vector<std::string> kTailUp = {
    ".kkkk.",
    "kFffnk",
    "kFffnk",
    "kfffnk",
    ".knnk.",
    "..kk..",
};

// The cub: a big round head on a small round body.
const std::vector<std::string> kCubDown = {
    ".kk........kk.",
    "kFck......kcnk",
    "kFFckkkkkkcfnk",
    "kFFFFFFffffnnk",
    "kFFfffffffffnk",
    "kFfkefffffkefk",
    "kFfkkffffkkfnk",
    "kcfffckkcfffck",
    ".kccccckcccck.",
    "..kkcccccckk..",
    "...kFfccfnk...",
    "..kFfccccfnk..",
    "..kFfccccfnk..",
    "..kffccccfnk..",
    "...knnffnnk...",
    "....kkkkkk....",
};

const std::vector<std::string> kCubUp = {
    ".kk........kk.",
    "kFnk......knfk",
    "kFFnkkkkkknfnk",
    "kFFFFFFffffnnk",
    "kFFfffffffffnk",
    "kFffffffffffnk",
    "kFffffffffffnk",
    "kfffffffffffnk",
    ".kfffffffffnk.",
    "..kkffffffkk..",
    "...kFffffnk...",
    "..kFffffffnk..",
    "..kFffffffnk..",
    "..kffffffnnk..",
    "...knnffnnk...",
    "....kkkkkk....",
};

const std::vector<std::string> kCubLeft = {
    ".......knk....",
    ".....kkkFnk...",
    "....kFFffcnk..",
    "...kFFFFffnk..",
    "..kFkFFFffnk..",
    "..kFkeFFfffnk.",
    "kkccFFFffffnk.",
    "kccccfffffnk..",
    "kcccffffffnk..",
    ".kkkkffffnk...",
    "...kFcFFFfnk..",
    "...kcccfffnk..",
    "...kcccfffnk..",
    "...kcccfffnk..",
    "....kcfffnk...",
    ".....kkkkk....",
};

const std::vector<std::string> kCubTailLeft = {
    ".kkk..",
    "kFFfkk",
    "kfffnk",
    ".kkkk.",
};

// Where the parts of a body go inside the 32 x 32 frame (before any sideways shift).
struct Build {
  const std::vector<std::string>* down;
  const std::vector<std::string>* up;
  const std::vector<std::string>* left;
  const std::vector<std::string>* tailLeft;
  const std::vector<std::string>* tailUp;
  int frontX, frontY;      // top-left of the down / up art
  int sideX, sideY;        // top-left of the left-facing art
  int hipY;                // first row of the legs; feet stand on row 30
  int legL, legR;          // leg columns facing down / up
  int sideHip;             // near leg column facing left; the far leg is two further back
  int shoulderY;           // first row of the arms
  int armL, armR, armSide; // arm columns
  int armLen;
  int tailSideX, tailSideY, tailUpX, tailUpY;
};

const Build kAdult = {&kAdultDown, &kAdultUp, &kAdultLeft, &kTailLeft, &kTailUp,
                      7, 1, 5, 2, 23, 11, 18, 11, 17, 8, 22, 11, 4, 16, 16, 13, 19};
const Build kCub = {&kCubDown, &kCubUp, &kCubLeft, &kCubTailLeft, nullptr,
                    9, 11, 9, 11, 27, 11, 17, 13, 22, 9, 21, 12, 2, 19, 21, 0, 0};

constexpr int kFeetY = 30;

// One frame in the making. step: -1 step A, 0 standing, +1 step B.
struct Pose {
  Facing facing;  // Down, Left or Up: facing right is facing left mirrored at the end
  int step;
  int bob;        // the body sinks a pixel when a foot lands
  const Build& b;
  const Key& key;
};

// ---- limbs ----------------------------------------------------------------------------------

void legsFront(Grid& g, const Pose& p) {
  const int step = p.facing == Up ? -p.step : p.step;
  const int hipY = p.b.hipY + p.bob;
  for (int side = 0; side < 2; ++side) {
    const int x = side ? p.b.legR : p.b.legL;
    const bool lifted = (step == -1 && side == 0) || (step == 1 && side == 1);
    const int footY = kFeetY - (lifted ? 2 : 0);
    for (int y = hipY; y < footY; ++y) {
      g.set(x, y, side ? p.key('f') : p.key('F'));
      g.set(x + 1, y, p.key('f'));
      g.set(x + 2, y, p.key('n'));
    }
    for (int i = -1; i < 3; ++i) g.set(x + i + side, footY, p.key('n'));
    g.set(x + side, footY, p.key('f'));
  }
}

// Side view: the far leg darker, the near leg lighter; toes point the way the wolf walks (left).
void legSide(Grid& g, const Pose& p, bool nearLeg) {
  const int hipX = p.b.sideHip + (nearLeg ? 0 : 2), hipY = p.b.hipY + p.bob;
  const int reach = (nearLeg ? -2 : 2) * p.step;  // where the foot lands relative to the hip
  const bool lifted = nearLeg ? p.step == 1 : p.step == -1;
  const int footY = kFeetY - (lifted ? 1 : 0);
  const Tone a = nearLeg ? p.key('F') : p.key('f'), b = nearLeg ? p.key('f') : p.key('n');
  for (int y = hipY; y < footY; ++y) {
    const double t = (y - hipY + 1) / static_cast<double>(std::max(1, footY - hipY));
    const int x = hipX + static_cast<int>(std::lround(reach * t));
    g.set(x, y, a);
    g.set(x + 1, y, b);
    g.set(x + 2, y, b);
  }
  const int fx = hipX + reach;
  for (int i = -1; i < 3; ++i) g.set(fx + i, footY, p.key('n'));
  g.set(fx - 1, footY, b);
}

// An arm: a two-pixel stroke from shoulder to paw, with a dark paw at the end.
void arm(Grid& g, const Pose& p, int x0, int y0, int x1, int y1, bool lit) {
  const Tone a = lit ? p.key('F') : p.key('f'), b = lit ? p.key('f') : p.key('n');
  const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
  for (int i = 0; i <= steps; ++i) {
    const int x = x0 + (steps ? (x1 - x0) * i / steps : 0), y = y0 + (steps ? (y1 - y0) * i / steps : 0);
    g.set(x, y, a);
    g.set(x + 1, y, b);
  }
  g.set(x1, y1, p.key('n'));
  g.set(x1 + 1, y1, p.key('n'));
}

// Rings an arm drawn over the body with outline, so it stands off the chest.
void edgeArm(Grid& g, int x0, int y0, int x1, int y1) {
  const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
  for (int i = 0; i <= steps; ++i) {
    const int x = x0 + (steps ? (x1 - x0) * i / steps : 0), y = y0 + (steps ? (y1 - y0) * i / steps : 0);
    for (int dx : {-1, 2})
      if (g.at(x + dx, y) != Clear && g.at(x + dx, y) != Outline) {
        bool onArm = false;
        for (int j = 0; j <= steps && !onArm; ++j) {
          const int ax = x0 + (steps ? (x1 - x0) * j / steps : 0), ay = y0 + (steps ? (y1 - y0) * j / steps : 0);
          onArm = ay == y && (ax == x + dx || ax + 1 == x + dx);
        }
        if (!onArm) g.set(x + dx, y, Outline);
      }
  }
  for (int dx = -1; dx <= 2; ++dx)
    if (g.at(x1 + dx, y1 + 1) != Clear) g.set(x1 + dx, y1 + 1, Outline);
}

int shoulder(const Pose& p) { return p.b.shoulderY + p.bob; }

// Arms hanging at the sides, swinging against the legs.
void leftArmHanging(Grid& g, const Pose& p) {
  const int top = shoulder(p);
  if (p.facing == Left) {
    const int swing = 2 * p.step, x = p.b.armSide;
    arm(g, p, x, top - 1, x + swing, top + p.b.armLen, true);
    edgeArm(g, x, top - 1, x + swing, top + p.b.armLen);
  } else {
    arm(g, p, p.b.armL, top, p.b.armL, top + p.b.armLen + (p.step == 1 ? 1 : 0), true);
  }
}

void rightArmHanging(Grid& g, const Pose& p) {
  if (p.facing == Left) return;  // the far arm is hidden behind the body
  const int top = shoulder(p);
  arm(g, p, p.b.armR, top, p.b.armR, top + p.b.armLen + (p.step == -1 ? 1 : 0), false);
}

// ---- gear -----------------------------------------------------------------------------------

void stone(Grid& g, double cx, double cy) {
  g.fillEllipse(cx, cy, 4.0, 3.3, StoneDark);
  g.fillEllipse(cx - 0.5, cy - 0.4, 3.2, 2.6, Stone);
  g.fillEllipse(cx - 1.3, cy - 1.2, 1.4, 1.0, StoneLight);
  g.set(static_cast<int>(cx) + 1, static_cast<int>(cy) + 1, StoneDark);
}

// A round black bomb with a burning fuse leaning towards `fuseDir` (-1 left, +1 right).
void bomb(Grid& g, double cx, double cy, int fuseDir) {
  g.fillEllipse(cx, cy, 4.3, 4.0, Outline);
  g.fillEllipse(cx - 0.2, cy - 0.2, 3.5, 3.3, StoneDark);
  g.fillEllipse(cx - 1.3, cy - 1.3, 1.3, 1.1, Stone);
  const int x = static_cast<int>(cx), y = static_cast<int>(cy - 4.0);
  g.fillRect(x - 1, y - 1, 2, 2, Stone);
  g.set(x + fuseDir, y - 2, WoodLight);
  g.set(x + 2 * fuseDir, y - 3, WoodLight);
  // Spark.
  const int sx = x + 3 * fuseDir, sy = y - 4;
  g.set(sx, sy, Straw);
  g.set(sx - 1, sy, Ember);
  g.set(sx + 1, sy, Ember);
  g.set(sx, sy - 1, Ember);
  g.set(sx, sy + 1, Ember);
  g.set(sx - 1, sy - 2, Straw);
  g.set(sx + 2, sy - 1, Straw);
}

// An axe: a wooden haft from (x0, y0) to (x1, y1), the head at (x1, y1), its edge facing `side`.
void axe(Grid& g, int x0, int y0, int x1, int y1, int side) {
  g.line(x0, y0, x1, y1, WoodLight);
  g.line(x0 + 1, y0, x1 + 1, y1, Wood);
  Grid head = Grid::parse({
      "kk.....",
      "kSkk...",
      "kSSSkk.",
      "kSSSSek",
      "ksSSSek",
      "kssSSek",
      "kqsskk.",
      "kqkk...",
      "kk.....",
  });
  if (side < 0) head = head.mirrored();
  g.stamp(head, side > 0 ? x1 + 1 : x1 - 6, y1 - 2);
}

// A white headband tied round the forehead, its ends fluttering behind.
void headband(Grid& g, const Pose& p) {
  if (p.facing == Left) {
    const int y = p.b.sideY + 5 + p.bob;
    for (int x = p.b.sideX + 6; x <= p.b.sideX + 14; ++x)
      if (g.at(x, y) != Clear && g.at(x, y) != Outline) g.set(x, y, Snow);
    g.set(p.b.sideX + 15, y, Snow);
    g.fillRect(p.b.sideX + 15, y + 1, 3, 1, Snow);
    g.fillRect(p.b.sideX + 16, y + 2, 3, 1, Cream);
    g.set(p.b.sideX + 16, y, Straw);
    return;
  }
  const int hx = p.b.frontX + 1;  // left edge of the head art, inside its margin
  const int y = p.b.frontY + 5 + p.bob;
  for (int x = hx + 1; x <= hx + 14; ++x) g.set(x, y, Snow);
  g.fillRect(hx + 1, y, 4, 1, Straw);
  if (p.facing == Up) {  // the knot, its ends blown out to the side
    g.fillRect(hx + 7, y - 1, 2, 3, Cream);
    g.fillRect(hx + 15, y + 1, 2, 1, Snow);
    g.fillRect(hx + 16, y + 2, 2, 1, Cream);
  } else {
    g.fillRect(hx + 15, y + 1, 2, 1, Snow);
    g.fillRect(hx + 16, y + 2, 2, 1, Cream);
  }
}

// The catapult engine, facing the way its wolf walks. `turn` rocks the wheel spokes.
void wheel(Grid& g, int cx, int cy, int turn) {
  g.fillEllipse(cx + 0.5, cy + 0.5, 3.0, 3.0, WoodDark);
  g.fillEllipse(cx + 0.5, cy + 0.5, 2.0, 2.0, Wood);
  if (turn % 2 == 0) {
    g.line(cx - 1, cy, cx + 1, cy, WoodDark);
    g.line(cx, cy - 1, cx, cy + 1, WoodDark);
  } else {
    g.set(cx - 1, cy - 1, WoodDark);
    g.set(cx + 1, cy + 1, WoodDark);
    g.set(cx + 1, cy - 1, WoodDark);
    g.set(cx - 1, cy + 1, WoodDark);
  }
  g.set(cx, cy, WoodLight);
}

void catapultSide(Grid& g, int x, int step) {
  // Frame: a bed on two wheels with an upright to stop the arm.
  g.fillRect(x + 8, 19, 2, 6, Wood);
  g.fillRect(x + 8, 19, 1, 6, WoodLight);
  g.fillRect(x + 7, 18, 4, 1, WoodLight);
  // Throwing arm, cocked forward with its cup loaded.
  g.line(x + 12, 24, x + 5, 17, WoodLight);
  g.line(x + 12, 25, x + 5, 18, Wood);
  g.fillRect(x + 2, 15, 5, 3, WoodDark);
  g.fillRect(x + 2, 15, 5, 1, Wood);
  stone(g, x + 4.5, 12.5);
  g.fillRect(x + 0, 25, 14, 2, Wood);
  g.fillRect(x + 0, 25, 14, 1, WoodLight);
  wheel(g, x + 3, 27, step);
  wheel(g, x + 11, 27, step + 1);
}

void catapultFront(Grid& g, int x, int step) {
  // Wheels seen edge on, the frame between them, the loaded cup on top.
  for (int wx : {x, x + 9}) {
    g.fillRect(wx, 22, 3, 8, WoodDark);
    g.fillRect(wx, 22 + (step + 1) % 3, 3, 1, Wood);
    g.fillRect(wx, 25 + (step + 1) % 3, 3, 1, Wood);
    g.set(wx + 1, 22, Wood);
  }
  g.fillRect(x + 3, 24, 6, 3, Wood);
  g.fillRect(x + 3, 24, 6, 1, WoodLight);
  g.fillRect(x + 3, 17, 2, 7, Wood);
  g.fillRect(x + 7, 17, 2, 7, WoodDark);
  g.fillRect(x + 3, 17, 1, 7, WoodLight);
  g.fillRect(x + 2, 16, 8, 2, WoodLight);
  g.fillRect(x + 2, 17, 8, 1, Wood);
  g.fillRect(x + 5, 13, 2, 4, WoodDark);
  g.fillRect(x + 3, 11, 6, 3, WoodDark);
  g.fillRect(x + 3, 11, 6, 1, Wood);
  stone(g, x + 6, 9.5);
}

// ---- kinds ----------------------------------------------------------------------------------

struct Look {
  Key key;
  const Build* build;
  int shiftDown, shiftLeft, shiftUp;  // move the wolf aside to make room for gear
  // Drawn in body space: `behind` before the body, `arms` instead of the hanging arms, `over`
  // after the arms.
  std::function<void(Grid&, const Pose&)> behind, arms, over;
  // Drawn in frame space after the wolf is placed.
  std::function<void(Grid&, const Pose&)> scene;
};

void hangingArms(Grid& g, const Pose& p) {
  rightArmHanging(g, p);
  leftArmHanging(g, p);
}

void throwingArms(Grid& g, const Pose& p) {
  const int top = shoulder(p);
  // The throwing arm bends at the elbow, out and then up, with the stone on the paw.
  auto raised = [&](int sx, int ex, int hx, bool lit, double stoneX) {
    arm(g, p, sx, top, ex, top - 4, lit);
    arm(g, p, ex, top - 4, hx, 8 + p.bob, lit);
    stone(g, stoneX, 4.5 + p.bob);
  };
  if (p.facing == Left) {
    // Winding up: the stone held high behind the head, the arm ringed so it stands off the neck.
    raised(14, 18, 19, true, 20.5);
    edgeArm(g, 14, top, 18, top - 4);
    edgeArm(g, 18, top - 4, 19, 8 + p.bob);
    stone(g, 20.5, 4.5 + p.bob);
    return;
  }
  if (p.facing == Down) {
    leftArmHanging(g, p);
    raised(p.b.armR, 26, 25, false, 25.5);
  } else {
    rightArmHanging(g, p);
    raised(p.b.armL, 4, 5, true, 6.5);
  }
}

void bombArms(Grid& g, const Pose& p) {
  const int top = shoulder(p);
  if (p.facing == Left) {
    bomb(g, 6.0, 22.0 + p.bob, -1);
    arm(g, p, 12, top, 8, top + 3, true);
    edgeArm(g, 12, top, 8, top + 3);
    return;
  }
  if (p.facing == Down) {
    // Hugged against the hip, the fuse burning off to the side.
    leftArmHanging(g, p);
    bomb(g, 22.5, 22.0 + p.bob, 1);
    arm(g, p, p.b.armR - 2, top, 19, top + 3, false);
  } else {
    hangingArms(g, p);
    // Only the spark shows over the shoulder from behind.
    g.set(24, 12 + p.bob, Straw);
    g.set(23, 12 + p.bob, Ember);
    g.set(25, 12 + p.bob, Ember);
    g.set(24, 11 + p.bob, Ember);
    g.set(24, 13 + p.bob, Ember);
    g.set(26, 10 + p.bob, Straw);
  }
}

void axeArms(Grid& g, const Pose& p) {
  const int top = shoulder(p);
  if (p.facing == Left) {
    // Axe over the shoulder, blade up behind the head.
    axe(g, 11, top + 3, 19, 7 + p.bob, 1);
    arm(g, p, p.b.armSide, top - 1, 12, top + 3, true);
    edgeArm(g, p.b.armSide, top - 1, 12, top + 3);
    return;
  }
  if (p.facing == Down) {
    axe(g, 22, top + 5, 26, 6 + p.bob, 1);
    leftArmHanging(g, p);
    arm(g, p, p.b.armR, top, 22, top + 4, false);
  } else {
    axe(g, 9, top + 5, 5, 6 + p.bob, -1);
    rightArmHanging(g, p);
    arm(g, p, p.b.armL, top, 8, top + 4, true);
  }
}

void pushingArms(Grid& g, const Pose& p) {
  const int top = shoulder(p);
  if (p.facing == Left) {
    arm(g, p, 12, top, 6, top + 2, true);
    edgeArm(g, 12, top, 6, top + 2);
    return;
  }
  if (p.facing == Down) {
    leftArmHanging(g, p);
    arm(g, p, p.b.armR, top, 25, top + 3, false);
  } else {
    rightArmHanging(g, p);
    arm(g, p, p.b.armL, top, 5, top + 3, true);
  }
}

void catapultScene(Grid& g, const Pose& p) {
  if (p.facing == Left) catapultSide(g, 0, p.step);
  else if (p.facing == Down) catapultFront(g, 20, p.step);
  else catapultFront(g, 0, -p.step);
}

// ---- one frame ------------------------------------------------------------------------------

void tail(Grid& g, const Pose& p) {
  const Build& b = p.b;
  if (p.facing == Up && b.tailUp) {
    g.stamp(Grid::parse(*b.tailUp, p.key), b.tailUpX + p.step, b.tailUpY + p.bob);
  } else if (p.facing == Down) {
    // Just the tip, swishing out beside the hip.
    const int x = b.legR + 4 + (p.step == 1 ? 1 : 0), y = b.hipY - 4 + p.bob;
    g.fillRect(x, y, 3, 3, p.key('f'));
    g.set(x + 2, y - 1, p.key('n'));
    g.set(x + 1, y - 1, p.key('f'));
  } else if (p.facing == Left) {
    g.stamp(Grid::parse(*b.tailLeft, p.key), b.tailSideX, b.tailSideY + p.bob + (p.step == 0 ? 0 : 1));
  }
}

Grid frame(const Look& look, Facing facing, int step) {
  const Facing f = facing == Right ? Left : facing;
  const Build& b = *look.build;
  const Pose p{f, step, step == 0 ? 0 : 1, b, look.key};

  Grid body(kFrame, kFrame);
  if (look.behind) look.behind(body, p);
  if (f == Left) {
    legSide(body, p, false);
    tail(body, p);
    body.stamp(Grid::parse(*b.left, look.key), b.sideX, b.sideY + p.bob);
    legSide(body, p, true);
  } else {
    legsFront(body, p);
    if (f == Down) tail(body, p);
    body.stamp(Grid::parse(f == Down ? *b.down : *b.up, look.key), b.frontX, b.frontY + p.bob);
    if (f == Up) tail(body, p);
  }
  (look.arms ? look.arms : hangingArms)(body, p);
  if (look.over) look.over(body, p);

  Grid g(kFrame, kFrame);
  const int shift = f == Down ? look.shiftDown : f == Left ? look.shiftLeft : look.shiftUp;
  g.stamp(body, shift, 0);
  if (look.scene) look.scene(g, p);
  g.outline(Outline);
  return facing == Right ? g.mirrored() : g;
}

Grid sheet(const Look& look) {
  Grid g(kFrame * 3, kFrame * 4);
  const Facing rows[4] = {Down, Left, Right, Up};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 3; ++c) g.stamp(frame(look, rows[r], c - 1), c * kFrame, r * kFrame);
  return g;
}

// Each kind wears its own coat, so a player names it by colour alone: `lit`, `base` and
// `shadow` paint the fur (and the breeches, cut from the same cloth), `belly` the muzzle and chest.
Key coat(Tone lit, Tone base, Tone shadow, Tone belly) {
  Key k;
  k.with('F', lit).with('f', base).with('n', shadow).with('c', belly);
  k.with('U', lit).with('V', base).with('v', shadow);
  return k;
}

Look lookOf(const std::string& kind) {
  if (kind == "baby")
    return Look{coat(Snow, Cream, FurLight, Snow), &kCub, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};
  if (kind == "throwing")
    return Look{coat(SlateLight, Slate, SlateDark, Cream), &kAdult, 0, 0, 0, nullptr, throwingArms, nullptr, nullptr};
  if (kind == "suicidal")
    return Look{coat(Ember, Brick, BrickDark, Cream), &kAdult, 0, 0, 0, nullptr, bombArms, headband, nullptr};
  if (kind == "hacking")
    return Look{coat(StoneDark, Charcoal, CharcoalDark, Stone), &kAdult, 0, 0, 0, nullptr, axeArms, nullptr, nullptr};
  if (kind == "catapult")
    return Look{coat(Straw, Gold, GoldDark, Cream), &kAdult, -5, 5, 5, nullptr, pushingArms, nullptr, catapultScene};
  return Look{coat(FurLight, Fur, FurDark, Cream), &kAdult, 0, 0, 0, nullptr, nullptr, nullptr, nullptr};
}

const char* const kKinds[] = {"regular", "baby", "throwing", "suicidal", "hacking", "catapult"};

}  // namespace

Grid wolfFrame(const std::string& kind, int row, int col) {
  const Facing rows[4] = {Down, Left, Right, Up};
  return frame(lookOf(kind), rows[row & 3], col - 1);
}

std::vector<Picture> makeWolves() {
  std::vector<Picture> sheets;
  for (const char* kind : kKinds)
    sheets.push_back({std::string("image/") + kind + "_wolf.png", sheet(lookOf(kind)).toImage()});
  return sheets;
}

}  // namespace assetgen
