// The device contexts the layers below the game draw from and answer for:
// the hidden pictures that the stage objects and the player draw from (one
// copy, which every game shares, handed down when the first stage window is
// created), and the stage windows' back images, the only device contexts the
// level's queries and the player's actions answer for.
#pragma once

#include "platform/surface.h"

namespace stage {

inline platform::HDC maskmap = 0, spritemap = 0, flagpic = 0, doorpic = 0;

// A stage window's back image: the surface one game draws its frames on.
// Every game has its own; a copy is a back image of its own too.
class BackImage final : public platform::Surface {
 public:
  BackImage();
  BackImage(const BackImage& other);
  BackImage& operator=(const BackImage& other) = default;
  ~BackImage();

  // Without a picture (a game kept only to go back to needs none), or with
  // a blank one again, which the next frame drawn covers whole.
  void DropPicture();
  void BlankPicture();
};

// Whether `hdc` is a stage window's device context: some game's back image.
bool IsForm(platform::HDC hdc);

}  // namespace stage
