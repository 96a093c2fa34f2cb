#include "preview/preview.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "guide/format.h"
#include "guide/syntax.h"
#include "nodes/edit_box.h"
#include "state/editor_state.h"
#include "support/arg_template.h"
#include "support/ascii.h"
#include "support/assert.h"
#include "support/channels.h"
#include "support/interface_slot.h"
#include "support/platform_paths.h"
#include "support/requesters.h"

namespace folioteer {
namespace {

struct PreviewState {
  bool up = false;
  std::array<std::string, 2> names;
  int current = 0;
  Channel temp;  // open while a temporary file is being written
};

InterfaceSlot<PreviewWindow> window("No preview window installed");

PreviewWindow& Window() { return window.Get(); }

PreviewState& State() {
  static PreviewState state;
  return state;
}

std::string Rendered(const AGCmd* cmd) {
  std::string text;
  BuildCmd(cmd, text);
  return text;
}

// The files are the user's unsaved text: readable by the user alone, and
// never written through a link, should T: ever be a shared folder. A file
// the disk could not take whole is not shown as if it were the node.
void OpenTemporary(Channel& chan, const std::string& name) {
  Assert(OpenPrivateOutput(chan, name) == kOpened, "FolioteerShow: cannot create temp file");
}

void WriteTemporary(NodeEntry* entry) {
  PreviewState& state = State();
  if (!state.temp.Valid()) OpenTemporary(state.temp, state.names[state.current]);
  WriteText(state.temp, PreviewGuideText(entry));
  Assert(CloseChannel(state.temp), "FolioteerShow: cannot write temp file");
}

// The viewer runs on its own: a grandchild, so that nobody has to wait for
// it, started without a shell. A pipe closed on exec tells whether it
// started: the grandchild writes the reason into it when execv fails. Only
// async-signal-safe calls between fork and exec (the editor has threads).
// 0 when the program runs, else the system's reason.
int StartDetached(const std::string& program, const std::vector<std::string>& args) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return errno;
  pid_t child = ::fork();
  if (child == 0) {
    ::close(report[0]);
    ::setsid();
    pid_t grandchild = ::fork();
    if (grandchild == 0) ::execv(program.c_str(), argv.data());
    if (grandchild <= 0) {
      int error = errno;
      ssize_t ignored = ::write(report[1], &error, sizeof error);
      (void)ignored;
    }
    ::_exit(grandchild > 0 ? 0 : 127);
  }
  int error = child < 0 ? errno : 0;
  ::close(report[1]);
  if (child > 0) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    ssize_t got = 0;
    while ((got = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    if (got != static_cast<ssize_t>(sizeof error)) error = 0;
  }
  ::close(report[0]);
  return error;
}

bool IsReadableFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), R_OK) == 0;
}

// The viewer's arguments, word by word: the guide (PROGDIR: made absolute,
// found in ../share/folioteer beside an installed program as the dictionary
// is), the window size, and the screen when one is set.
std::vector<std::string> HelpWords(std::string_view guideFile) {
  std::string path = UnquotedValue(guideFile);
  if (StartsWithIgnoreCase(path, "PROGDIR:")) path = ProgramDataFile(path.substr(8));
  std::vector<std::string> words{path, "WINDOWWIDTH", "800", "WINDOWHEIGHT", "600"};
  if (!Editor().pubScreenName.empty()) {
    words.push_back("PUBSCREEN");
    words.push_back(Editor().pubScreenName);
  }
  return words;
}

}  // namespace

void InstallPreviewWindow(PreviewWindow* implementation) { window.Install(implementation); }

void InitPreview() {
  PreviewState& state = State();
  state.up = false;
  state.current = 0;
  for (int i = 0; i < 2; ++i)
    state.names[i] =
        ResolvePath("T:FolioteerTmp" + std::to_string(::getpid()) + std::to_string(i) + ".guide");
  if (!state.temp.Valid()) OpenTemporary(state.temp, state.names[0]);
}

void TermPreview() {
  PreviewState& state = State();
  ShowOff();
  if (state.temp.Valid()) CloseChannel(state.temp);
  for (const std::string& name : state.names)
    if (!name.empty()) DeleteFile(name);
}

std::string PreviewGuideText(NodeEntry* entry) {
  AGDocument* doc = GetDocument(Editor().guideFile);
  std::string text = "@database \"FolioteerTmp.guide\"\n";
  ScanGlobalCmds(doc, [&](AGCmd* cmd) {
    std::string line = Rendered(cmd);
    if (!StartsWithIgnoreCase(line, "@database")) text += line + "\n";
    return true;
  });
  text += "@node \"MAIN\"\n\n";
  ScanLocalCmds(entry->node, [&](AGCmd* cmd) {
    std::string line = Rendered(cmd);
    if (!StartsWithIgnoreCase(line, "@endnode")) text += line + "\n";
    return true;
  });
  text += "@{bg Highlight}@{fg Text}@{jright}Folioteer Draft\n\n@{jleft}@{pard}\n";
  if (entry == Editor().editingNode) {
    std::string edited;
    CurrentEditBox().GetEditedText(edited);
    text += edited;
  } else {
    ResetBlockRead(entry->node->block);
    const std::string* line = nullptr;
    while (NextBlockLineRef(entry->node->block, line)) text += *line + "\n";
  }
  return text + "\n@endnode\n";
}

std::string PreviewTitle(const NodeEntry* entry) {
  if (AGCmd* title = CheckForExisting(AGCmdKind::Title, entry->node->subcmds))
    return UnquotedValue(title->params.Strng.value_or(""));
  std::string nodeTitle = UnquotedValue(entry->node->params.Strng2.value_or(""));
  return nodeTitle.empty() ? std::string(NodeNameView(entry->node)) : nodeTitle;
}

void DoShow(NodeEntry* entry) {
  if (entry == nullptr) return;
  PreviewState& state = State();
  WriteTemporary(entry);
  Window().ShowPreview(state.names[state.current], PreviewTitle(entry));
  state.up = true;
  state.current = 1 - state.current;
}

void ShowOff() {
  PreviewState& state = State();
  if (!state.up) return;
  Window().ClosePreview();
  state.up = false;
}

bool IsShowOn() { return State().up; }
std::string CurrentPreviewFile() { return State().names[State().current]; }

std::string HelpArguments(std::string_view guideFile) {
  std::vector<std::string> words = HelpWords(guideFile);
  // A screen name with blanks is quoted, so that the line parses back.
  std::string args = QuoteArg(words[0]);
  for (size_t i = 1; i < words.size(); ++i) args += " " + QuoteArgIfNeeded(words[i]);
  return args;
}

bool HelpOn(std::string_view guideFile, std::string* problem) {
  std::vector<std::string> words = HelpWords(guideFile);
  std::string viewer = ResolvePath("APPDIR:Multiview");
  std::string why;
  if (::access(viewer.c_str(), F_OK) != 0)
    why = "Cannot show the help: the viewer is missing: " + std::string(kBoldOn) + viewer;
  else if (!IsReadableFile(words[0]))
    why = "Cannot show the help: no readable file " + std::string(kBoldOn) + words[0];
  else if (int error = StartDetached(viewer, words))
    why = "Cannot start the help viewer (" + std::string(std::strerror(error)) +
          "): " + std::string(kBoldOn) + viewer;
  if (problem != nullptr) *problem = why;
  return why.empty();
}

void HelpOff() {}

}  // namespace folioteer
