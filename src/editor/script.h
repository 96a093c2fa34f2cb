// The batch mode's scripts: each line an editor command by its name (any
// letter case) and its argument line, a directive (a line starting with
// "."), or a comment ("#" or ";"). ParseScript reads a whole script before
// anything runs and refuses it, with the line and the reason, when any line
// does not fit.
//
// Directives that set the scene: .text, .cursor, .block (the edit box).
// Directives that act as the user does on the windows, each queued as the
// window events a window system would give: .press CONTROL, .select LIST ROW,
// .double LIST ROW, .popup POPUP ROW, .menu ITEM, .close WINDOW, .iconify,
// .uniconify, .helpkey [WINDOW], .break (the break signal). Answers that
// stand before the step whose requesters or dialogs they answer: .button N,
// .reply TEXT, .cancel, .dialog FIELD=VALUE ... ok|cancel. Output: .print
// [PART...], .echo TEXT. Answers before the first command serve the
// start-up. README.md describes each.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/command_table.h"

namespace folioteer {

// The answer to a parameter dialog: values for shown fields (named by their
// argument-line keywords), the font button pressed or not, then Ok or Cancel.
struct DialogAnswer {
  std::vector<std::pair<std::string, std::string>> fields;
  bool font = false;
  bool ok = false;
};

struct ScriptStep {
  // clang-format off
  enum class Kind {
    Command, Text, Cursor, Block, Select, Double, Press, Popup, Menu, Close, Iconify, Uniconify,
    HelpKey, Break, Button, Reply, Cancel, Dialog, Print, Echo
  };
  // clang-format on
  Kind kind = Kind::Command;
  int line = 0;  // in the script, from 1
  EditorCmd cmd = EditorCmd::None;
  // The argument line, text, reply, echo, print parts; a pop-up row by its text.
  std::string text;
  // Cursor and block positions, button; list and row; control, window or
  // menu item (by number) and row.
  std::vector<int> numbers;
  DialogAnswer answer;
};

// The keywords of the dialogs' fields, as .dialog names them.
inline constexpr std::string_view kDialogFieldKeywords[] = {"NodeRef",  "Strng", "Strng2", "Num",
                                                            "LinkText", "Op",    "Color",  "OnOff"};

// The directives' names (".text", ".press", ...), in the order of the table.
std::vector<std::string_view> DirectiveNames();

// The steps of a script; empty, with the reason in error ("LINE: why"),
// when any line is not understood.
std::optional<std::vector<ScriptStep>> ParseScript(const std::string& source, std::string& error);

}  // namespace folioteer
