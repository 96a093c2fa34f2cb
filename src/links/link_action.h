// What following a link means, decided before anything happens, so that a
// reader can show the user exactly what would run and ask first:
//
// - link, alink: show a node (of this guide or another file), optionally
//   scrolled to a line.
// - system: a program to run. The command line is the link's one argument
//   (guides write it in quotes) or everything after "system"; its words are
//   split at blanks with double quotes grouping, and never handed to a shell. "OpenURL <url>" (with or
//   without a path before OpenURL and "URL=" before the address), and any command holding an http or https
//   address, opens that address in the browser.
// - rx, rxs: ARexx; there is none on this system, so they never run.
// - beep, close, quit.
// - anything else, or a link without what its command needs: nothing to do.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/display_model.h"

namespace folioteer {

enum class LinkActionKind : uint8_t { ShowNode, RunProgram, OpenUrl, Arexx, Beep, Close, Quit, Nothing };

struct LinkAction {
  LinkActionKind kind = LinkActionKind::Nothing;
  // ShowNode: the file (an Amiga path; empty for this guide), the node, the
  // 1-based line to show at the top (0: the top of the node).
  std::string file;
  std::string node;
  int line = 0;
  std::vector<std::string> words;  // RunProgram: the program, then its arguments
  std::string url;                 // OpenUrl
  std::string command;             // system, rx, rxs: the command line
  std::string reason;              // Nothing: why, for the user
};

LinkAction DecideLinkAction(const Link& link);

// The words of a command line: blanks separate, double quotes group (and are
// removed); a quote that is not closed runs to the end.
std::vector<std::string> SplitCommandWords(std::string_view command);

// The web address a system command opens, or empty: the argument of
// OpenURL, or the first http:// or https:// word. An address without a
// scheme after OpenURL ("www.example.org") is taken as http.
std::string CommandUrl(const std::vector<std::string>& words);

}  // namespace folioteer
