#include "guide/parser.h"

#include <sys/stat.h>

#include <charconv>
#include <cstring>

#include "guide/format.h"
#include "guide/writer.h"
#include "support/assert.h"
#include "support/debug_output.h"
#include "support/file_names.h"

namespace folioteer {
namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

void SkipBlanks(const std::string& line, size_t& pos) {
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
}

std::string_view FirstToken(const std::string& line, size_t& pos) {
  SkipBlanks(line, pos);
  size_t start = pos;
  while (pos < line.size() && !IsBlank(line[pos])) ++pos;
  return std::string_view(line).substr(start, pos - start);
}

// A word, or everything between double quotes (there is no escape).
std::string NextToken(const std::string& line, size_t& pos) {
  SkipBlanks(line, pos);
  size_t start = pos;
  if (pos < line.size() && line[pos] == '"') {
    size_t close = line.find('"', pos + 1);
    size_t end = close == std::string::npos ? line.size() : close;
    pos = close == std::string::npos ? end : close + 1;
    return line.substr(start + 1, end - start - 1);
  }
  while (pos < line.size() && !IsBlank(line[pos])) ++pos;
  return line.substr(start, pos - start);
}

std::string RestOfLine(const std::string& line, size_t& pos) {
  SkipBlanks(line, pos);
  std::string rest = line.substr(pos);
  pos = line.size();
  return rest;
}

int32_t ReadInteger(const std::string& token) {
  std::string_view text(token);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return (error == std::errc{} && end == text.data() + text.size() && !text.empty()) ? value : 0;
}

// "Doc 1.2 (5.12.2014) comment": the version text ends with its first ")";
// the comment follows without the blanks between them, so that a save,
// which puts one blank back, gives the same line again.
void SplitVersion(std::string& version, std::string& comment) {
  size_t close = version.find(')', 1);
  if (close != std::string::npos) {
    comment = version.substr(close + 1);
    version.resize(close + 1);
    size_t start = comment.find_first_not_of(" \t");
    comment.erase(0, start == std::string::npos ? comment.size() : start);
  }
  if (comment.empty()) version.erase(version.find_last_not_of(" \t") + 1);
}

AGCmd* ParseTwoStrings(AGCmdKind kind, CmdModSet mods, const std::string& line, size_t& pos) {
  std::string first, second;
  if (mods.Has(CmdModifier::Verbatim)) {
    first = RestOfLine(line, pos);
  } else {
    first = NextToken(line, pos);
    second = NextToken(line, pos);
  }
  if (kind == AGCmdKind::Version) SplitVersion(first, second);
  return CreateTwoStrParamCmd(kind, first, second);
}

AGCmd* ParseParameters(AGCmdKind kind, const std::string& line, size_t& pos) {
  CmdModSet mods = GetCmdInfo(kind);
  if (mods.Has(CmdModifier::FontParam)) {
    std::string name = NextToken(line, pos);
    return CreateFontCmd(kind, name, ReadInteger(NextToken(line, pos)));
  }
  if (mods.Has(CmdModifier::NodeRef)) return CreateNodeRefCmd(kind, NextToken(line, pos));
  if (mods.Has(CmdModifier::TwoStrParam)) return ParseTwoStrings(kind, mods, line, pos);
  if (mods.Has(CmdModifier::StrParam)) {
    std::string text = mods.Has(CmdModifier::Verbatim) ? RestOfLine(line, pos) : NextToken(line, pos);
    if (kind == AGCmdKind::Database && text.empty()) text = "DB";
    return CreateStrParamCmd(kind, text);
  }
  if (mods.Has(CmdModifier::Number)) return CreateNumberCmd(kind, ReadInteger(NextToken(line, pos)));
  if (mods.Has(CmdModifier::Switch)) return CreateSwitchCmd(kind);
  AssertFail("ParseCmd: BUG in final ELSE");
  return nullptr;
}

void NoteLoss(AmigaGuideFile handle, LostLine lost) {
  ParseLosses& losses = handle->losses;
  (lost == LostLine::Text ? losses.textLines : losses.commands)++;
  losses.lines.push_back({handle->lineNumber, lost});
}

// The next non-empty line, the pending one first.
bool NextLine(AmigaGuideFile handle, std::string& line, int& skipped) {
  skipped = 0;
  if (!handle->pendingLine.empty()) {
    line.swap(handle->pendingLine);
    handle->pendingLine.clear();
    handle->lineNumber = handle->pendingLineNumber;
    return true;
  }
  if (ReadNonEmptyLine(handle->file, line, skipped) != ReadResult::AllRight) return false;
  handle->lineNumber += skipped + 1;
  return true;
}

void HandBack(AmigaGuideFile handle, std::string& line) {
  handle->pendingLine.swap(line);
  handle->pendingLineNumber = handle->lineNumber;
}

void AppendText(AGCmd* node, const std::string& line, int emptyBefore, bool& firstText) {
  for (int i = 0; i < emptyBefore; ++i) AddBlockLine(node->block, "");
  if (firstText) {
    SetEndBlockRead(node->block);
    AppendBlockLine(node->block, line);  // onto the block's one empty line
    firstText = false;
  } else {
    AddBlockLine(node->block, line);
  }
}

std::string NewGuideTitle(const std::string& baseName) {
  const std::string suffix = ".guide";
  if (baseName.size() > suffix.size() &&
      baseName.compare(baseName.size() - suffix.size(), suffix.size(), suffix) == 0)
    return baseName.substr(0, baseName.size() - suffix.size());
  return baseName;
}

AmigaGuideFile NewHandle(Channel file, const std::string& name, AGCmd* database) {
  auto* handle = new AmigaGuideFileRec;
  handle->file = file;
  handle->fileName = name;
  handle->doc = NewDocument(database);
  handle->pendingLine.reserve(80);
  handle->lineNumber = 1;
  return handle;
}

// Builds the document of a new guide and writes it.
void CreateNewGuide(AmigaGuideFile handle) {
  std::string dir, base;
  SplitFileName(handle->fileName, dir, base);
  AddNode(handle->doc, CreateNodeCmd("MAIN", NewGuideTitle(base)));
  CloseChannel(handle->file);
  Assert(OutputAmigaGuideFile(handle), "OpenAmigaGuideFile: OutputAmigaGuideFile new file FAIL");
}

void ParseExistingGuide(AmigaGuideFile handle) {
  Assert(ParseAGHeader(handle), "ParseAGHeader FAIL");
  while (ParseAGNode(handle)) {
  }
}

enum class EmptyFile : uint8_t { Create, Refuse };

// Reads the guide on an open channel, rewound, which the handle takes over.
void ParseChannel(AmigaGuideFile& handle, Channel file, const std::string& name, EmptyFile empty,
                  bool& created, int& result) {
  std::string line;
  ReadResult first = ReadLine(file, line);
  AGCmd* database = nullptr;
  if (first == ReadResult::EndOfInput && empty == EmptyFile::Create) {
    std::string dir, base;
    SplitFileName(name, dir, base);
    created = true;
    database = CreateStrParamCmd(AGCmdKind::Database, base);
  } else if (first == ReadResult::AllRight) {
    database = ParseCmd(line);
  }
  if (database == nullptr || database->kind != AGCmdKind::Database) {
    result = first == ReadResult::AllRight || empty == EmptyFile::Refuse ? kWrongFileType : kOtherProblem;
    DisposeCmd(database);
    CloseChannel(file);
    return;
  }
  handle = NewHandle(file, name, database);
  try {
    if (created)
      CreateNewGuide(handle);
    else
      ParseExistingGuide(handle);
  } catch (...) {
    CloseAmigaGuideFile(handle);
    throw;
  }
  // A read error part way would leave the document short: better no document.
  bool readFailed = !created && ChannelError(handle->file) != 0;
  if (handle->file.Valid()) CloseChannel(handle->file);
  if (readFailed) {
    CloseAmigaGuideFile(handle);
    result = kOtherProblem;
  }
}

}  // namespace

AGCmd* ParseCmd(const std::string& line) {
  size_t pos = 0;
  AGCmdKind kind = MatchCommand(FirstToken(line, pos));
  if (kind == AGCmdKind::None || kind == AGCmdKind::Link) return nullptr;
  AGCmd* cmd = ParseParameters(kind, line, pos);
  Assert(cmd != nullptr, "ParseCmd: some CreateCmdXXX() FAIL");
  return cmd;
}

bool ParseAGHeader(AmigaGuideFile handle) {
  std::string line;
  int skipped = 0;
  while (NextLine(handle, line, skipped)) {
    AGCmd* cmd = ParseCmd(line);
    if (cmd == nullptr) {
      NoteLoss(handle, LostLine::Text);
    } else if (cmd->mods.Has(CmdModifier::Global)) {
      AddGlobalCommand(handle->doc, cmd);
    } else {
      DisposeCmd(cmd);
      HandBack(handle, line);
      return true;
    }
  }
  return false;
}

bool ParseAGNode(AmigaGuideFile handle) {
  std::string line;
  int skipped = 0;
  AGCmd* node = nullptr;
  while (node == nullptr) {
    if (!NextLine(handle, line, skipped)) return false;
    AGCmd* cmd = ParseCmd(line);
    if (cmd != nullptr && cmd->kind == AGCmdKind::Node) {
      node = cmd;
    } else {
      if (cmd != nullptr && DebugEnabled())
        DebugPrint("Unexpected command ignored: " + line + " (line " + std::to_string(handle->lineNumber) +
                   ")");
      NoteLoss(handle, cmd == nullptr ? LostLine::Text : LostLine::Command);
      DisposeCmd(cmd);
    }
  }
  try {
    AddNode(handle->doc, node);
  } catch (...) {
    DisposeCmd(node);  // refused (a second MAIN): it never joined the document
    throw;
  }
  bool firstText = true;
  while (NextLine(handle, line, skipped)) {
    AGCmd* cmd = ParseCmd(line);
    if (cmd == nullptr) {
      AppendText(node, line, skipped, firstText);
    } else if (cmd->kind == AGCmdKind::EndNode) {
      DisposeCmd(cmd);
      return true;
    } else {
      AddLocalCommand(handle->doc, node, cmd);
    }
  }
  return false;
}

void OpenAmigaGuideFile(AmigaGuideFile& handle, const std::string& name, bool& created, int& result) {
  handle = InvalidAmigaGuideFile();
  created = false;
  Channel file;
  result = OpenRegularInput(file, name, MissingFile::Create);
  if (result != kOpened) return;
  Rewind(file);
  ParseChannel(handle, file, name, EmptyFile::Create, created, result);
}

void ReadAmigaGuideText(AmigaGuideFile& handle, const std::string& name, std::string bytes, int& result) {
  handle = InvalidAmigaGuideFile();
  Channel text;
  result = OpenTextInput(text, std::move(bytes));
  if (result != kOpened) return;
  bool created = false;
  ParseChannel(handle, text, name, EmptyFile::Refuse, created, result);
}

std::string DescribeOpenResult(const std::string& name, int result) {
  if (result == kOtherProblem) return name + " could not be read";
  if (result != kWrongFileType) return name + ": " + std::strerror(result);
  struct stat info {};
  bool found = ::stat(name.c_str(), &info) == 0;
  if (found && S_ISDIR(info.st_mode)) return name + " is a folder";
  if (found && !S_ISREG(info.st_mode)) return name + " is not a regular file";
  return name + " is not an AmigaGuide file (its first line is not @database)";
}

}  // namespace folioteer
