// The built-in pictures, decoded into off-screen surfaces.
#pragma once

#include <memory>

#include "platform/surface.h"
#include "shell/embedded_pictures.h"

// The picture's surface, decoded the first time it is asked for and shared
// from then on: a program that makes many games decodes nothing twice.
std::shared_ptr<const platform::Surface> SharedPicture(const EmbeddedPicture& picture);
