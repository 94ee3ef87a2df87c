// The exit door: four cells 28 pixels wide, the closed door's mask and picture,
// then the open door's mask and picture.
#include <cmath>

#include "core/layout.h"
#include "pictures.h"

namespace pictures {
namespace {

constexpr int kCell = layout::Door.width;
constexpr int kHeight = 56;

constexpr Rgb kMoulding{80, 40, 0};     // the leaf's edge and the frames round its panels
constexpr Rgb kPanelShade{96, 0, 0};    // the panels' upper and left edges, in shadow
constexpr Rgb kDarkGreen{0, 74, 0};     // the outside, seen past the open leaf
constexpr Rgb kBrightGreen{0, 128, 0};  // the outside, seen through the doorway beside it

// The four panels, two above and two below the cross rail at mid-height.
const Rect kPanels[] = {Rect::Spanning(4, 4, 12, 23), Rect::Spanning(15, 4, 23, 23), Rect::Spanning(4, 31, 12, 50),
                        Rect::Spanning(15, 31, 23, 50)};
// The knob, on the rail near the leaf's right edge.
const Rect kKnob = Rect::Spanning(22, 26, 23, 27);

// The closed door's leaf at (u, v) of its cell.
Rgb ClosedLeaf(int u, int v) {
  if (u == 0 || u == kCell - 1 || v == 0 || v >= kHeight - 2) return kMoulding;
  if (kKnob.Contains(u, v)) return kBlack;
  for (const Rect& p : kPanels) {
    if (!p.Grown(1).Contains(u, v)) continue;
    if (!p.Contains(u, v)) return kMoulding;
    if (u == p.x || v == p.y) return kPanelShade;
    return kDoorPanel;
  }
  return kDoorWood;
}

// The open leaf, seen slanted: its hinge edge on the cell's left edge from row
// 11 down to the bottom, its free edge at x 23 from the top down to row 46.
constexpr int kLeafWidth = 24;
double LeafTop(double x) { return 11.0 - 11.0 * x / kLeafWidth; }
double LeafBottom(double x) { return 56.0 - 10.0 * x / kLeafWidth; }

Rgb OpenDoor(int x, int y) {
  const double cx = x + 0.5, cy = y + 0.5;
  if (x < kLeafWidth) {
    const double top = LeafTop(cx), bottom = LeafBottom(cx);
    if (cy >= top && cy < bottom) {
      const int u = int(std::floor(cx * kCell / kLeafWidth));
      const int v = int(std::floor((cy - top) * kHeight / (bottom - top)));
      return ClosedLeaf(u, v);
    }
    return kDarkGreen;
  }
  return x == kLeafWidth ? kBlack : kBrightGreen;
}

}  // namespace

Image DrawDoor() {
  Image picture(4 * kCell, kHeight, kBlack);  // both masks entirely black
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kCell; ++x) {
      picture.At(layout::DoorClosed * kCell + x, y) = ClosedLeaf(x, y);
      picture.At(layout::DoorOpen * kCell + x, y) = OpenDoor(x, y);
    }
  return picture;
}

}  // namespace pictures
