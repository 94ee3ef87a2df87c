#include "platform/window.h"

namespace platform {

void EndProgram() { throw ProgramEnded{}; }

}  // namespace platform
