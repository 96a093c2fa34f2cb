#include "folioview/command_line.h"

#include <cstdio>

#include "folioview/viewer_app.h"
#include "html/html_export.h"
#include "links/amiga_path.h"
#include "links/guide_file.h"
#include "render/plain_text.h"
#include "support/arg_template.h"
#include "support/display_probe.h"

namespace folioteer {
namespace {

int Fail(int status, const std::string& message) {
  std::fputs(("folioview: " + message + "\n").c_str(), stderr);
  return status;
}

// Reads the file, saying why on standard error when it cannot.
std::optional<GuideFile> ReadStartFile(const std::string& path) {
  GuideFile file = ReadGuideFile(AbsolutePath(path));
  std::string note = ReadNote(file);
  if (file.outcome != FileReadOutcome::Read) {
    Fail(kViewerUnreadable, note);
    return std::nullopt;
  }
  if (!note.empty()) Fail(kViewerOk, note);
  return file;
}

bool Write(std::string_view text) { return std::fwrite(text.data(), 1, text.size(), stdout) == text.size(); }

int RunText(const std::vector<std::string>& words) {
  std::optional<std::vector<ArgValue>> values =
      ReadArgs(JoinProgramArguments(kTextTemplate, words), kTextTemplate);
  if (!values) return Fail(kViewerBadCommandLine, "usage: folioview --text FILE [NODE name]");
  std::optional<GuideFile> file = ReadStartFile((*values)[0].text);
  if (!file) return kViewerUnreadable;
  const GuideSource& source = *file->source;
  bool written = true;
  if ((*values)[1].present) {
    const std::string& node = (*values)[1].text;
    int index = source.isGuide ? FindNode(source, node, source.charset) : 0;
    if (index < 0) return Fail(kViewerUnreadable, "there is no node \"" + node + "\" in " + file->path);
    written = Write(PlainText(RenderNode(source, index)));
  } else {
    WriteGuidePlainText(source, {}, [&](std::string_view text) { written = written && Write(text); });
  }
  if (std::fflush(stdout) != 0 || !written) return Fail(kViewerUnreadable, "cannot write the text");
  return kViewerOk;
}

int RunHtml(const std::vector<std::string>& words) {
  std::optional<std::vector<ArgValue>> values =
      ReadArgs(JoinProgramArguments(kHtmlTemplate, words), kHtmlTemplate);
  if (!values) return Fail(kViewerBadCommandLine, "usage: folioview --html FILE [OUTFILE]");
  std::optional<GuideFile> file = ReadStartFile((*values)[0].text);
  if (!file) return kViewerUnreadable;
  std::string page = (*values)[1].present ? (*values)[1].text : HtmlFileName(file->path);
  HtmlOptions options{{}, PlacesFor(file->path, page)};
  switch (ExportGuideHtml(*file->source, options)) {
    case HtmlExportResult::Written: return kViewerOk;
    case HtmlExportResult::GuideItself:
      return Fail(kViewerUnreadable,
                  "the page would be the guide itself, " + page + "; give another OUTFILE");
    case HtmlExportResult::NotCreated: break;
  }
  return Fail(kViewerUnreadable, "Unable to create HTML file " + page);
}

}  // namespace

std::optional<ViewerOptions> ReadViewerOptions(std::string_view line) {
  std::optional<std::vector<ArgValue>> values = ReadArgs(line, kViewerTemplate);
  if (!values) return std::nullopt;
  ViewerOptions options;
  options.file = (*values)[0].text;
  options.width = (*values)[1].present ? (*values)[1].number : 0;
  options.height = (*values)[2].present ? (*values)[2].number : 0;
  options.pubScreen = (*values)[3].text;
  options.node = (*values)[4].text;
  if (options.width < 0 || options.height < 0) return std::nullopt;
  return options;
}

std::string ViewerUsage() {
  return "Usage: folioview FILE [WINDOWWIDTH n] [WINDOWHEIGHT n] [PUBSCREEN name] [NODE name]\n"
         "       folioview --text FILE [NODE name]\n"
         "       folioview --html FILE [OUTFILE]\n"
         "       folioview --help | --version\n\n"
         "folioview shows an AmigaGuide document. Template:\n  " +
         std::string(kViewerTemplate) +
         "\n\n"
         "--text prints the node, or every node each after a line holding a form feed\n"
         "and the node's name, as plain UTF-8 text; it needs no display.\n"
         "--html writes the guide as one HTML page, beside it with the extension\n"
         "html unless OUTFILE is given; it needs no display either.\n\n"
         "Keys: Tab and Shift+Tab move between links, Enter follows one, Backspace\n"
         "retraces, Page Up/Down, Home and End scroll, Ctrl+F finds (F3 next).\n"
         "Links that run programs (system) ask first and never use a shell; ARexx\n"
         "links (rx, rxs) and @onopen/@onclose scripts never run.\n"
         "Amiga volumes in links (Work:, SYS:) come from the table file\n"
         "$XDG_CONFIG_HOME/Folioteer/Volumes, one \"NAME: /directory\" a line.\n\n"
         "Exit status: 0, 1 when the file cannot be read, 2 when the command line\n"
         "does not fit or there is no display.\n";
}

int RunFolioview(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h" || arg == "?")
      return Write(ViewerUsage()) ? kViewerOk : kViewerUnreadable;
    if (arg == "--version") return Write(std::string(kViewerVersion) + "\n") ? kViewerOk : kViewerUnreadable;
  }
  if (!args.empty() && args[0] == "--text") return RunText({args.begin() + 1, args.end()});
  if (!args.empty() && args[0] == "--html") return RunHtml({args.begin() + 1, args.end()});
  std::optional<ViewerOptions> options = ReadViewerOptions(JoinProgramArguments(kViewerTemplate, args));
  if (!options)
    return Fail(kViewerBadCommandLine,
                "the arguments do not fit the template " + std::string(kViewerTemplate) + " (see --help)");
  std::optional<GuideFile> file = ReadStartFile(options->file);
  if (!file) return kViewerUnreadable;
  std::string platforms = DisplayPlatforms();
  if (platforms.empty())
    return Fail(
        kViewerBadCommandLine,
        "there is no display to show the guide on (neither DISPLAY nor WAYLAND_DISPLAY names one that "
        "answers); folioview --text " +
            options->file + " prints it as text");
  return RunViewerWindow(*options, *file, platforms);
}

}  // namespace folioteer
