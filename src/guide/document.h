// The Guide document: what the editor edits of a guide file. The
// database-level (global) commands, the nodes in their order, each node's
// local commands and its body text as lines. Node text keeps inline
// attributes and links as the literal text it was read in.
//
// Every list of the document is ordered by the records' seq. One counter,
// lastSeq, numbers global commands, nodes and local commands in the order
// they are added, so every list is in order of addition; the @database
// command read from the first line has seq 1; the node named MAIN gets seq 0
// and so comes first; a node's @endnode has the largest seq and comes last
// among its local commands. Only ReplaceNode puts a node back under a seq its
// caller chose (that is how the editor reorders nodes before a save).
//
// The guide file handle owns the document; the document owns its records.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "guide/records.h"
#include "support/channels.h"

namespace folioteer {

inline constexpr int32_t kEndNodeSeq = 2147483647;

struct AGDocument {
  List globalCmds = nullptr;
  List nodes = nullptr;
  int32_t lastSeq = 0;
};

// What parsing dropped and the next save will therefore leave out: text
// outside nodes, and commands outside nodes that may not stand there.
enum class LostLine : uint8_t { Text, Command };
struct ParseLoss {
  int line = 0;  // in the file, from 1
  LostLine kind = LostLine::Text;
  friend bool operator==(const ParseLoss&, const ParseLoss&) = default;
};
struct ParseLosses {
  int textLines = 0;
  int commands = 0;
  std::vector<ParseLoss> lines;  // every line dropped, in file order

  bool Any() const { return textLines > 0 || commands > 0; }
};

struct AmigaGuideFileRec {
  Channel file;  // open only while reading or writing
  std::string fileName;
  AGDocument* doc = nullptr;
  std::string pendingLine;  // handed from the header parser to the node parser
  int pendingLineNumber = 0;
  int lineNumber = 0;  // of the line read last
  ParseLosses losses;
};
using AmigaGuideFile = AmigaGuideFileRec*;

AmigaGuideFile InvalidAmigaGuideFile();
void InquireAGFileName(AmigaGuideFile handle, std::string& name);
// FALSE (name unchanged) for a null handle or a name without file part.
bool RedirectAmigaGuideFile(AmigaGuideFile handle, const std::string& name);
void CloseAmigaGuideFile(AmigaGuideFile& handle);
AGDocument* GetDocument(AmigaGuideFile handle);
List GetGlobalCmdsList(AGDocument* doc);
const ParseLosses& GetParseLosses(AmigaGuideFile handle);
// One sentence for the user about ParseLosses; empty when nothing was dropped.
std::string DescribeParseLosses(const ParseLosses& losses);

// A new document holding only the given @database record (seq 1).
AGDocument* NewDocument(AGCmd* database);

void AddGlobalCommand(AGDocument* doc, AGCmd* cmd);
// An @database command is never removed. The record is not disposed.
void RemGlobalCommand(AGDocument* doc, AGCmd* cmd);
void AddLocalCommand(AGDocument* doc, AGCmd* node, AGCmd* cmd);
void RemLocalCommand(AGDocument* doc, AGCmd* node, AGCmd* cmd);
// Adds a new node without local commands and gives it its @endnode.
void AddNode(AGDocument* doc, AGCmd* node);
void ReplaceNode(AGDocument* doc, AGCmd* node);
void RemNode(AGDocument* doc, AGCmd* node);

// Walks in list order while the visitor returns TRUE. Visitors must not
// change the list they walk.
void ScanGlobalCmds(AGDocument* doc, const std::function<bool(AGCmd*)>& visitor);
void ScanLocalCmds(AGCmd* node, const std::function<bool(AGCmd*)>& visitor);
void ScanNodes(AGDocument* doc, const std::function<bool(AGCmd*)>& visitor);

// The name of a node without its quotes.
std::string NodeName(const AGCmd* node);
bool IsMainNode(const AGCmd* node);

}  // namespace folioteer
