#include "editor/cli.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>

#include "check/check_run.h"
#include "editor/batch.h"
#include "editor/main_program.h"
#include "editor/settings/settings.h"
#include "support/assert.h"
#include "support/display_probe.h"

namespace folioteer {
namespace {

bool ReadScript(const std::string& name, std::string& text) {
  if (name == "-") {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return true;
  }
  std::ifstream in(name, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

int Fail(const std::string& message) {
  std::fputs(("folioteer: " + message + "\n").c_str(), stderr);
  return kExitBadCommandLine;
}

int RunBatchMode(const std::vector<std::string>& args) {
  if (args.size() < 2) return Fail("--batch needs a script file (or - for standard input)");
  std::string source;
  if (!ReadScript(args[1], source)) return Fail("cannot read the script \"" + args[1] + "\"");
  std::string error;
  std::optional<std::vector<ScriptStep>> steps = ParseScript(source, error);
  if (!steps) return Fail(args[1] + ":" + error);
  SetProgramArguments(std::vector<std::string>(args.begin() + 2, args.end()));
  return RunBatch(std::move(*steps));
}

}  // namespace

std::string UsageText() {
  return "Usage: folioteer [FILE] [PUBSCREEN=name] [EDITFONT=name] [EDITFONTSIZE=n] [switches]\n"
         "       folioteer --batch SCRIPT [settings as above]\n"
         "       folioteer --check FILE...\n"
         "       folioteer --help | --version\n\n"
         "Folioteer edits one AmigaGuide document in its windows (it needs a display),\n"
         "or without them in batch mode. Settings template:\n  " +
         SettingsTemplate() +
         "\n\nIn batch mode every line of SCRIPT (- for standard input) is an editor command\n"
         "and its argument line (NEWNODE \"Intro\" 0, SHOWNODE NodePos 1, SAVE, ...), a\n"
         "comment (# or ;) or a directive:\n"
         "  .text TEXT | .text <<END    the edit box text (the lines up to END)\n"
         "  .cursor LINE COLUMN         place the cursor\n"
         "  .block L1 C1 L2 C2          select a block\n"
         "  .press CONTROL              press a button (NewNode, Show, Link, Next, ...)\n"
         "  .select LIST ROW | .double LIST ROW\n"
         "                              click or double-click a row (global, nodes,\n"
         "                              local, misspells)\n"
         "  .popup POPUP ROW            choose from add-global, add-local, attributes\n"
         "  .menu ITEM                  pick a menu item by its label\n"
         "  .close WINDOW | .iconify | .uniconify | .helpkey [WINDOW] | .break\n"
         "  .dialog FIELD=VALUE ... [font] ok|cancel\n"
         "                              answer the next dialog\n"
         "  .button N | .reply TEXT | .cancel\n"
         "                              answer the next requester\n"
         "  .print [PART...]            print the state (nodes globals locals text labels\n"
         "                              status controls menus misspells windows settings\n"
         "                              preview)\n"
         "  .echo TEXT                  print TEXT\n"
         "The script ends with QUIT. Exit status: 0, 1 after a fatal error, 2 when the\n"
         "command line or the script does not fit.\n\n"
         "--check lists what is wrong in guides, one finding a line (folioteer --check\n"
         "--help tells more).\n";
}

int RunProgram(const std::vector<std::string>& args, WindowRunner runWindows) {
  SetProgramTask();
  // Its words are file names, "?" among them when it follows "--".
  if (!args.empty() && args[0] == "--check")
    return RunCheck(std::vector<std::string>(args.begin() + 1, args.end()), stdout, stderr);
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h" || arg == "?") {
      std::fputs(UsageText().c_str(), stdout);
      return kExitNormal;
    }
    if (arg == "--version") {
      std::fputs((std::string(kVersionString.substr(6)) + "\n").c_str(), stdout);
      return kExitNormal;
    }
  }
  if (!args.empty() && args[0] == "--batch") return RunBatchMode(args);
  if (runWindows == nullptr)
    return Fail("this build has no windows: run it with --batch SCRIPT (see --help)");
  std::string platforms = DisplayPlatforms();
  if (platforms.empty())
    return Fail(
        "the editor needs a display for its windows, and there is none (neither DISPLAY nor "
        "WAYLAND_DISPLAY names one that answers); run it with --batch SCRIPT to edit without windows "
        "(see --help)");
  return runWindows(args, platforms);
}

}  // namespace folioteer
