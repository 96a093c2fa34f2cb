// The folioteer program.
#include "editor/cli.h"

int main(int argc, char** argv) {
  return folioteer::RunProgram(std::vector<std::string>(argv + 1, argv + argc));
}
