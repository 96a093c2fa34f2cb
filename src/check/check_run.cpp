#include "check/check_run.h"

#include "check/guide_check.h"
#include "links/amiga_path.h"
#include "links/volume_table.h"

namespace folioteer {
namespace {

constexpr std::string_view kUsage = "usage: folioteer --check [--] FILE...";
constexpr std::string_view kHelp =
    "Usage: folioteer --check [--] FILE...\n\n"
    "Reads each AmigaGuide file without changing it and prints what a reader\n"
    "would meet, one finding a line, in line order:\n"
    "  FILE:LINE: error: MESSAGE     links and node commands (@next, @prev, @toc,\n"
    "                                @index, @help) to nodes or files that do not\n"
    "                                exist, two nodes of one name, no guide\n"
    "  FILE:LINE: warning: MESSAGE   nodes without @endnode, what the editor's next\n"
    "                                save leaves out, unknown commands, attributes\n"
    "                                and link commands, links without a target,\n"
    "                                programs and ARexx scripts a guide would run,\n"
    "                                bytes that are not UTF-8 in a UTF-8 guide,\n"
    "                                bold, italics or underlining left on\n"
    "Links to other files are followed as the viewer follows them, Amiga volumes\n"
    "through the volume table ENVARC:Folioteer/Volumes.\n"
    "Exit status: 0, 1 when a file has an error, 2 when the command line does\n"
    "not fit.\n";

void Complain(std::FILE* err, const std::string& message) {
  std::fputs(("folioteer: " + message + "\n").c_str(), err);
}

enum class Words : uint8_t { Files, Help, NotFitting };

// Sorts the words into file names, a request for help, or words that do not fit.
Words SortWords(const std::vector<std::string>& args, std::vector<std::string>& files, std::FILE* err) {
  bool options = true;
  for (const std::string& arg : args) {
    if (options && arg == "--") {
      options = false;
    } else if (options && (arg == "--help" || arg == "-h" || arg == "?")) {
      return Words::Help;
    } else if (options && arg.size() > 1 && arg[0] == '-') {
      Complain(err, "--check does not know the option \"" + ShortenedForMessage(arg) + "\"; " +
                        std::string(kUsage));
      return Words::NotFitting;
    } else {
      files.push_back(arg);
    }
  }
  if (!files.empty()) return Words::Files;
  Complain(err, "--check needs at least one guide file; " + std::string(kUsage));
  return Words::NotFitting;
}

}  // namespace

int RunCheck(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  std::vector<std::string> files;
  switch (SortWords(args, files, err)) {
    case Words::Help: std::fputs(kHelp.data(), out); return kCheckClean;
    case Words::NotFitting: return kCheckBadCommandLine;
    case Words::Files: break;
  }
  VolumeTable volumes = LoadVolumeTable();
  for (const std::string& problem : volumes.problems) Complain(err, VolumeTablePath() + ", " + problem);
  TargetChecker targets(std::move(volumes));
  int status = kCheckClean;
  for (const std::string& file : files) {
    std::string report;
    for (const Finding& finding : CheckGuideFile(file, targets)) {
      report += FormatFinding(file, finding) + "\n";
      if (SeverityOf(finding.kind) == Severity::Error) status = kCheckErrors;
    }
    std::fwrite(report.data(), 1, report.size(), out);
  }
  if (std::fflush(out) != 0 || std::ferror(out)) {
    Complain(err, "cannot write the findings");
    return kCheckErrors;
  }
  return status;
}

}  // namespace folioteer
