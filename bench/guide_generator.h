// A generator of large guides for the benchmarks: n nodes of about 1 KB of
// text each, with attributes and links, a few local commands per node, and
// a global @macro and @$VER:. Node names come in a shuffled order.
#pragma once

#include <cstdint>
#include <string>

namespace folioteer::bench {

std::string GenerateGuide(int nodes, unsigned seed = 1);

// The generated guide's header and the text of its nodes as one node "Big"
// of about that size, an empty line now and then and a TAB in some lines.
std::string GenerateOneNodeGuide(size_t bytes, bool smartWrap);

// A directory of the benchmark run's own, made on first use.
const std::string& ScratchDir();

// Writes the generated guide to a file and returns its name.
std::string WriteGeneratedGuide(const std::string& dir, int nodes, unsigned seed = 1);

// What OpenGuideInEditor does after opening: leave the node registry empty
// (for benchmarks that fill it themselves), or build it and open the main
// window as start-up does.
enum class Opening : uint8_t { RegistryEmpty, MainWindowOpen };

// Opens the guide into the editor state with the headless windows, and
// closes it.
void OpenGuideInEditor(const std::string& name, Opening opening);
void CloseGuideInEditor();

}  // namespace folioteer::bench
