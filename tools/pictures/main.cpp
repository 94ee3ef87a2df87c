// plinkard-pictures OUTPUT_DIR
// Draws the game's pictures and writes them as PNG files into OUTPUT_DIR.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "pictures.h"
#include "tools/help_or_version.h"

namespace {

const char* const kSerifFont = "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
const char* const kSansBoldFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

constexpr const char* kUsage =
    "usage: plinkard-pictures OUTPUT_DIR\n"
    "Draws the game's pictures and writes them as PNG files into OUTPUT_DIR.\n";

int Fail(const std::string& message) {
  std::fprintf(stderr, "plinkard-pictures: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace pictures;
  if (AnsweredHelpOrVersion(argc, argv, "plinkard-pictures", kUsage)) return 0;
  if (argc != 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::filesystem::path out = argv[1];
  if (!std::filesystem::is_directory(out)) return Fail("no such directory: " + out.string());

  std::string error;
  Font serif, sansBold;
  if (!serif.Load(kSerifFont, error) || !sansBold.Load(kSansBoldFont, error)) return Fail(error);

  try {
    const PlayerSheets sheets = DrawPlayerSheets();
    const struct {
      const char* name;
      Image image;
    } files[] = {
        {"background.png", DrawLevel(serif)},
        {"maskmap.png", sheets.mask},
        {"spritemap.png", sheets.sprite},
        {"flagpic.png", DrawFlag()},
        {"doorpic.png", DrawDoor()},
        {"pausedpic.png", DrawBanner(sansBold)},
        {"measure.png", DrawMeasuringFigure(sheets)},
        {"lettering.png", DrawLetteringSheet(serif)},
    };
    for (const auto& file : files)
      if (!file.image.WritePng((out / file.name).string())) return Fail("can't write " + (out / file.name).string());
  } catch (const std::exception& e) {
    return Fail(e.what());
  }
  return 0;
}
