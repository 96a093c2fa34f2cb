// The folioteer program with its windows.
#include "editor/cli.h"
#include "qt/editor_app.h"

int main(int argc, char** argv) {
  return folioteer::RunProgram(std::vector<std::string>(argv + 1, argv + argc), folioteer::RunEditorWindows);
}
