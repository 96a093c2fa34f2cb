// What a preview window shows of a guide file: the file read as a reader
// reads it (links/guide_file.h: a pipe or a device refused before a byte is
// read, the size bounded) and its MAIN node rendered (render/renderer.h).
// The headless windows keep the node's plain text, the Qt preview window
// lays the node out; both show the same node of the same file.
//
// Nothing in a shown node runs: links, @onopen and @onclose are only data of
// the display model.
#pragma once

#include <memory>
#include <string>

#include "render/display_model.h"

namespace folioteer {

struct PreviewDisplay {
  std::shared_ptr<const DisplayNode> node;  // null when the file cannot be shown
  std::string problem;                      // why not, as a sentence for the user
};

// The file's node MAIN (the first node when it has none).
PreviewDisplay ReadPreviewDisplay(const std::string& guideFile);

}  // namespace folioteer
