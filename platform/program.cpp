// The program on systems whose arguments are UTF-8 already, and whose standard
// streams are always binary (Linux, and node for the web build).
#include "platform/program.h"

namespace platform {

struct Program::KeptOutput {};

Program::Program(int argc, char** argv, const char* /*name*/) : arguments_(argv, argv + argc) {
  for (std::string& argument : arguments_) pointers_.push_back(argument.data());
  pointers_.push_back(nullptr);
}

Program::~Program() = default;

}  // namespace platform
