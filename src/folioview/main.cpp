// folioview, the guide viewer.
#include "folioview/command_line.h"

int main(int argc, char** argv) {
  return folioteer::RunFolioview(std::vector<std::string>(argv + 1, argv + argc));
}
