// Decoding the built-in pictures into off-screen surfaces.
#pragma once

#include <memory>

#include "platform/surface.h"
#include "shell/embedded_pictures.h"

std::unique_ptr<platform::Surface> LoadPicture(const EmbeddedPicture& picture);
