#include "ui/preview_display.h"

#include "links/amiga_path.h"
#include "links/guide_file.h"
#include "render/renderer.h"

namespace folioteer {

PreviewDisplay ReadPreviewDisplay(const std::string& guideFile) {
  PreviewDisplay display;
  GuideFile file = ReadGuideFile(guideFile);
  if (file.outcome != FileReadOutcome::Read) {
    display.problem = ReadNote(file);
    return display;
  }
  const GuideSource& source = *file.source;
  if (source.nodes.empty()) {
    display.problem = QuotedForMessage(guideFile) + " holds no node to show.";
    return display;
  }
  int main = FindNode(source, "MAIN");
  display.node = std::make_shared<DisplayNode>(RenderNode(source, main >= 0 ? main : 0));
  return display;
}

}  // namespace folioteer
