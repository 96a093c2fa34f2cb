#include "editor/main_program.h"

#include "editor/handlers.h"
#include "editor/settings/settings.h"
#include "guide/parser.h"
#include "guide/syntax.h"
#include "guide/writer.h"
#include "icons/project_icon.h"
#include "nodes/node_ops.h"
#include "preview/preview.h"
#include "state/editor_state.h"
#include "support/assert.h"
#include "support/requesters.h"
#include "support/signals.h"
#include "ui/monitor.h"
#include "ui/windows.h"

namespace folioteer {
namespace {

struct ProgramState {
  std::string fileName;
  bool userAbort = false;
  bool newFile = false;
  bool readingCommandLine = false;
};

ProgramState& Program() {
  static ProgramState state;
  return state;
}

std::string Trimmed(const std::string& name) {
  size_t first = name.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return name.substr(first, name.find_last_not_of(' ') + 1 - first);
}

// Asks for a file name until one is given; ends the program quietly when
// the user gives up.
void AskForFileName() {
  ProgramState& program = Program();
  while (program.fileName.empty()) {
    std::optional<std::string> chosen = CurrentRequesters().FileRequest(
        "Folioteer - select existing or enter new filename", "#?.guide", FileRequestMode::Open);
    if (chosen) {
      program.fileName = Trimmed(*chosen);
    } else if (CurrentRequesters().InfoRequest("Folioteer", "Quit program?", "_Ok | _Cancel") == 1) {
      program.userAbort = true;
      AssertFail("User abort requested");
    }
  }
}

void OpenGuideFile() {
  ProgramState& program = Program();
  int result = -1;
  OpenAmigaGuideFile(Editor().guideFile, program.fileName, program.newFile, result);
  if (result == kWrongFileType && program.fileName.find('.') == std::string::npos) {
    program.fileName += ".guide";
    OpenAmigaGuideFile(Editor().guideFile, program.fileName, program.newFile, result);
  }
  if (result != kOpened)
    AssertFail("OpenAmigaGuideFile FAIL: " + DescribeOpenResult(program.fileName, result));
}

// The answer to the new-file confirmation: 1 Ok, 2 Wrong Name, 3 Add .guide ext, 0 Quit.
int ConfirmNewFile() {
  const std::string& name = Program().fileName;
  std::string buttons = " _Ok | Wrong Name ";
  if (name.find(".guide") == std::string::npos) buttons += "| Add .guide ext ";
  buttons += "| _Quit";
  return CurrentRequesters().InfoRequest(
      "Folioteer", "New guide file to be created: " + std::string(kBoldOn) + name, buttons);
}

// TRUE to go on with the opened guide, FALSE to end the program.
bool ChooseAndOpenGuide() {
  ProgramState& program = Program();
  while (true) {
    AskForFileName();
    OpenGuideFile();
    if (!program.newFile) return true;
    int answer = ConfirmNewFile();
    if (answer == 1) return true;
    CloseAmigaGuideFile(Editor().guideFile);
    DeleteFile(program.fileName);
    if (answer == 0) return false;
    if (answer == 3) {
      program.fileName += ".guide";
      OpenGuideFile();
      return true;
    }
    program.fileName.clear();  // Wrong Name: ask again
  }
}

void TakeSettings() {
  EditorState& editor = Editor();
  SetDefSettings();
  GetEnvVars();
  if (editor.editorFont.name.empty()) {
    int size = editor.editorFont.size;
    editor.editorFont = Windows().SystemFont();
    editor.editorFont.fromSystem = true;
    if (editor.editorFont.size <= 0) editor.editorFont.size = size;
  }
  Program().readingCommandLine = true;
  GetPgmArgs("", Program().fileName);
  Program().readingCommandLine = false;
  EnforceSettings();
}

void HoldScreen() {
  EditorState& editor = Editor();
  bool found = false;
  std::string held;
  Assert(Windows().HoldScreen(editor.pubScreenName, found, held), "HoldPublicScreen FAIL");
  if (!found) ShowWarningS("Requested PubScreen name not found");
  if (editor.pubScreenName.empty() || !found) {
    editor.pubScreenName = held;
    editor.screenFromSystem = true;
  }
  Assert(!editor.pubScreenName.empty(), "GetHeldPublicScreenName FAIL");
}

void CommandLoop(CommandSource& source) {
  std::string argLine;
  argLine.reserve(80);
  EditorCmd next = EditorCmd::None;
  while (true) {
    ReflectPgmStatusGUI();
    if (next == EditorCmd::None) next = source.NxtCmd(argLine);
    EditorCmd cmd = next;
    next = Dispatch(cmd, argLine);
    if (cmd == EditorCmd::Quit) return;
  }
}

// Runs at every end after start-up began: offers to save an open document.
void Terminate() {
  EditorState& editor = Editor();
  if (editor.guideFile != InvalidAmigaGuideFile()) {
    try {
      if (CurrentRequesters().InfoRequest("Folioteer", "Save the AmigaGuide File? ", " _Yes | _No ") == 1)
        WriteItOut();
    } catch (const AssertionFailure& failure) {
      CurrentRequesters().InfoRequest("Folioteer", failure.Message(), "Ok");
    }
    editor.editingNode = nullptr;
    ClearNodeRegistry();
    CloseAmigaGuideFile(editor.guideFile);
  }
  TermPreview();
  Windows().DropScreen();
}

void ReportFatal(const AssertionFailure& failure) {
  if (Program().userAbort) return;
  CurrentRequesters().InfoRequest(
      "Folioteer",
      failure.Message() + "\n(" + failure.Module() + ", line " + std::to_string(failure.Line()) + ")", "Ok");
}

// Reports the failure and returns the exit status; what was typed into the
// edit box goes into its node, so that the save question of the end can keep it.
int EndAfterFatal(const AssertionFailure& failure) {
  ReportFatal(failure);
  EditorState& editor = Editor();
  if (editor.editingNode != nullptr) SaveNodeText(editor.editingNode);
  if (Program().userAbort) return kExitNormal;
  return Program().readingCommandLine ? kExitBadCommandLine : kExitFatal;
}

}  // namespace

const std::string& GuideFileName() { return Program().fileName; }
void SetGuideFileName(const std::string& name) { Program().fileName = name; }
bool& UserAbort() { return Program().userAbort; }

void WriteItOut() {
  EditorState& editor = Editor();
  bool ordered = ApplyNodeOrder(GetDocument(editor.guideFile));
  Assert(ordered, "MAIN problem in WriteItOut?");
  while (!OutputAmigaGuideFile(editor.guideFile)) {
    std::string name;
    InquireAGFileName(editor.guideFile, name);
    int answer = CurrentRequesters().InfoRequest(
        "Folioteer", "AG file write FAIL (Multiview open on it?): " + std::string(kBoldOn) + name,
        " Try Again | Abort Pgm ");
    if (answer != 1) AssertFail("Abort Pgm Requested");
  }
  if (editor.makeIcons) {
    std::string name;
    InquireAGFileName(editor.guideFile, name);
    if (WriteProjIcon(name, kProjectIconTool, std::nullopt, -1, -1, DefaultToolMode::KeepExisting,
                      ToolTypeMerge::Merge) != 0)
      ShowWarningS("Folioteer: Unable to write icon");
  }
}

int RunEditor(CommandSource& source) {
  Program() = ProgramState{};
  EditorState& editor = Editor();
  editor = EditorState{};
  InitAmigaGuideSyntax();
  InitCommandInfo();
  InitNodeRegistry();
  InstallWindowViews();
  // Ctrl-C is the break of the command loop; SIGTERM and SIGHUP end the
  // program without leaving its temporary files.
  InstallSignalHandling(NoteBreak);
  int status = kExitNormal;
  try {
    TakeSettings();
    HoldScreen();
    InitPreview();
    if (ChooseAndOpenGuide()) {
      BuildNodeRegistry(GetDocument(editor.guideFile));
      OpenMyWndo();
      const ParseLosses& losses = GetParseLosses(editor.guideFile);
      if (losses.Any()) ShowWarningS(DescribeParseLosses(losses));
      CommandLoop(source);
      if (editor.editingNode != nullptr) SaveNodeText(editor.editingNode);
    }
  } catch (const AssertionFailure& failure) {
    status = EndAfterFatal(failure);
  } catch (const std::exception& error) {
    // What a library throws (storage exhausted, for one, also on the Qt
    // side of a window operation) ends the program as a failed assertion
    // does: the user is still asked whether to save, and the preview's
    // temporary files go.
    status = EndAfterFatal(
        AssertionFailure("Unexpected error: " + std::string(error.what()), "main_program.cpp", __LINE__));
  }
  Terminate();
  return status;
}

}  // namespace folioteer
