#include "core/stage_handles.h"

#include <algorithm>
#include <vector>

#include "core/layout.h"

namespace stage {
namespace {

// The back images there are, by handle: as few as the games a program holds.
std::vector<platform::HDC>& Forms() {
  static auto* forms = new std::vector<platform::HDC>;  // never destroyed: games may outlive it at exit
  return *forms;
}

}  // namespace

BackImage::BackImage() : Surface(layout::StageWidth, layout::StageHeight) { Forms().push_back(hDC()); }

BackImage::BackImage(const BackImage& other) : Surface(other) { Forms().push_back(hDC()); }

BackImage::~BackImage() { std::erase(Forms(), hDC()); }

void BackImage::DropPicture() { Surface::operator=(Surface(0, 0)); }

void BackImage::BlankPicture() { Surface::operator=(Surface(layout::StageWidth, layout::StageHeight)); }

bool IsForm(platform::HDC hdc) { return hdc != 0 && std::find(Forms().begin(), Forms().end(), hdc) != Forms().end(); }

}  // namespace stage
