// A guide open in the editor's core on the headless windows, except that its
// previews show in a real QtPreviewWindow, reached through CallOnGui as the
// Qt window system reaches it. Used by the preview's tests, benchmark and
// screenshot.
#pragma once

#include <QScreen>
#include <string>

#include "editor/handlers.h"
#include "guide/parser.h"
#include "nodes/node_registry.h"
#include "preview/preview.h"
#include "qt/gui_call.h"
#include "qt/preview_window.h"
#include "state/editor_state.h"
#include "ui/headless_windows.h"
#include "window_test_util.h"

namespace folioteer::testing {

class QtPreviewWindows : public HeadlessWindows {
 public:
  explicit QtPreviewWindows(QtPreviewWindow& window) : window_(window) {}
  void ShowPreview(std::string_view guideFile, std::string_view title) override {
    CallOnGui([&] {
      window_.ShowGuide(std::string(guideFile), title);
      window_.Open();
    });
  }
  void ClosePreview() override {
    CallOnGui([&] { window_.Close(); });
  }

 private:
  QtPreviewWindow& window_;
};

class PreviewSession {
 public:
  // Opens the guide, which must exist, as the program does at start-up.
  explicit PreviewSession(const std::string& guideFile) : windows_(window_) {
    OpenGuiCalls();
    Editor() = EditorState{};
    bool created = false;
    int result = -1;
    OpenAmigaGuideFile(Editor().guideFile, guideFile, created, result);
    Assert(result == 0, "PreviewSession: cannot open the guide");
    InstallWindowViews();
    InstallWindowSystem(&windows_);
    InitNodeRegistry();
    BuildNodeRegistry(GetDocument(Editor().guideFile));
    OpenMyWndo();
    InitPreview();
    QObject::connect(&window_, &QtPreviewWindow::CloseRequested, [this] {
      toolkit_.monitor.PostInput(WindowWndo(WindowId::Preview), EvntInput(EvntKind::CloseWindow));
    });
  }
  ~PreviewSession() {
    TermPreview();
    ClearNodeRegistry();
    CloseAmigaGuideFile(Editor().guideFile);
    Editor() = EditorState{};
    InstallWindowSystem(nullptr);
    CloseGuiCalls();
  }
  PreviewSession(const PreviewSession&) = delete;
  PreviewSession& operator=(const PreviewSession&) = delete;

  QtPreviewWindow& Window() { return window_; }

  // The node at that position in the edit box, as a click on its row shows it.
  void Edit(int position) { ShowNodeText(FindNodeByIdx(position)); }
  void Edit(int position, const std::string& text) {
    Edit(position);
    windows_.SetEditText(text);
  }
  // The commands, as the command loop runs them.
  void Preview() { Dispatch(EditorCmd::DispNode, ""); }
  void PreviewOff() { Dispatch(EditorCmd::ViewOff, ""); }

 private:
  HeadlessToolkit toolkit_;
  QtPreviewWindow window_;
  QtPreviewWindows windows_;
};

}  // namespace folioteer::testing
