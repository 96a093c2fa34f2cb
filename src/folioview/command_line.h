// The command line of folioview, the guide viewer:
//
//     folioview FILE [WINDOWWIDTH n] [WINDOWHEIGHT n] [PUBSCREEN name] [NODE name]
//     folioview --text FILE [NODE name]
//     folioview --html FILE [OUTFILE]
//     folioview --help | --version
//
// The words after the program name are joined into one argument line (as
// the editor joins its own) and read against an AmigaDOS template, so the
// line the editor's help command builds works as it stands. --text prints a
// node, or the whole guide, as plain UTF-8 text and --html writes the guide
// as one HTML page (beside it, or as OUTFILE); neither starts Qt, so they
// need no display. Exit status: 0, 1 when the file cannot be read (or the
// node is not in it), 2 when the command line does not fit or, for the
// window, there is no display.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace folioteer {

inline constexpr std::string_view kViewerTemplate =
    "FILE/A,WINDOWWIDTH/K/N,WINDOWHEIGHT/K/N,PUBSCREEN/K,NODE/K";
inline constexpr std::string_view kTextTemplate = "FILE/A,NODE/K";
inline constexpr std::string_view kHtmlTemplate = "FILE/A,OUTFILE";
inline constexpr std::string_view kViewerVersion = "folioview 1.0";

enum ViewerExit : int { kViewerOk = 0, kViewerUnreadable = 1, kViewerBadCommandLine = 2 };

struct ViewerOptions {
  std::string file;
  int width = 0;  // 0: not given
  int height = 0;
  std::string pubScreen;
  std::string node;
};

// The options of an argument line; nothing when it does not fit kViewerTemplate.
std::optional<ViewerOptions> ReadViewerOptions(std::string_view line);

std::string ViewerUsage();

// The whole program; `args` are the words after the program name.
int RunFolioview(const std::vector<std::string>& args);

}  // namespace folioteer
