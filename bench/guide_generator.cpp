#include "guide_generator.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "guide/parser.h"
#include "nodes/node_registry.h"
#include "state/editor_state.h"
#include "ui/headless_windows.h"
#include "ui/windows.h"

namespace folioteer::bench {
namespace {

const char* const kWords[] = {"amiga", "guide",  "node", "window",   "screen", "workbench", "the",    "of",
                              "and",   "editor", "teh",  "document", "link",   "text",      "colour", "menu"};

std::string Sentence(std::mt19937& random) {
  std::string line;
  while (line.size() < 60) {
    line += kWords[random() % 16];
    line += ' ';
  }
  return line;
}

}  // namespace

std::string GenerateGuide(int nodes, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<std::string> names;
  for (int i = 1; i < nodes; ++i) names.push_back("Node" + std::to_string(i));
  std::shuffle(names.begin(), names.end(), random);
  names.insert(names.begin(), "MAIN");
  std::string text =
      "@database \"generated.guide\"\n@$VER: generated 1.0 (1.12.2026)\n"
      "@macro \"em\" \"@{b}$1@{ub}\"\n@wordwrap\n";
  text.reserve(static_cast<size_t>(nodes) * 1100);
  for (int i = 0; i < nodes; ++i) {
    text += "@node \"" + names[i] + "\" \"Title of " + names[i] + "\"\n";
    if (i + 1 < nodes) text += "@next \"" + names[i + 1] + "\"\n";
    if (i > 0) text += "@prev \"" + names[i - 1] + "\"\n";
    text += "@toc \"MAIN\"\n";
    for (int line = 0; line < 14; ++line) {
      text += Sentence(random);
      if (line % 4 == 1) text += "@{b}bold@{ub} @{fg Shine}shine@{fg Text}";
      if (line % 5 == 2)
        text += "@{\"see " + names[random() % nodes] + "\" LINK \"" + names[random() % nodes] + "\"}";
      if (line % 7 == 3) text += " @{em emphasis}";
      text += '\n';
    }
    text += "@endnode\n";
  }
  return text;
}

std::string GenerateOneNodeGuide(size_t bytes, bool smartWrap) {
  std::string guide = GenerateGuide(static_cast<int>(bytes / 900) + 2);
  std::string out = smartWrap ? "@database big\n@smartwrap\n" : "@database big\n";
  out += "@macro \"em\" \"@{b}$1@{ub}\"\n@node Big\n";
  size_t text = 0, lines = 0;
  for (size_t start = guide.find("@node"); start < guide.size() && text < bytes;) {
    size_t end = guide.find('\n', start);
    std::string_view line(guide.data() + start, end - start);
    start = end + 1;
    if (line.starts_with("@") && !line.starts_with("@{")) continue;
    if (++lines % 5 == 0) out += '\t';
    out.append(line).push_back('\n');
    if (lines % 7 == 0) out += '\n';
    text += line.size() + 1;
  }
  return out + "@endnode\n";
}

const std::string& ScratchDir() {
  static const std::string dir = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "folioteer-bench-XXXXXX").string();
    std::string made(::mkdtemp(pattern.data()));
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(ScratchDir(), ignored);
    });
    return made;
  }();
  return dir;
}

std::string WriteGeneratedGuide(const std::string& dir, int nodes, unsigned seed) {
  std::string name = dir + "/generated.guide";
  std::ofstream(name, std::ios::binary) << GenerateGuide(nodes, seed);
  return name;
}

void OpenGuideInEditor(const std::string& name, Opening opening) {
  Editor() = EditorState{};
  bool created = false;
  int result = -1;
  OpenAmigaGuideFile(Editor().guideFile, name, created, result);
  DefaultHeadlessWindows().Reset();
  InstallWindowViews();
  InitNodeRegistry();
  if (opening == Opening::RegistryEmpty) return;
  BuildNodeRegistry(GetDocument(Editor().guideFile));
  OpenMyWndo();
}

void CloseGuideInEditor() {
  ClearNodeRegistry();
  CloseAmigaGuideFile(Editor().guideFile);
}

}  // namespace folioteer::bench
