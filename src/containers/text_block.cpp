#include "containers/text_block.h"

#include "support/assert.h"

namespace folioteer {

struct BlockLine {
  std::string text;
  BlockLine* prv = nullptr;
  BlockLine* nxt = nullptr;
};

struct TextBlockRec {
  BlockLine hdr;  // sentinel of the circular chain
  BlockLine* rdr = nullptr;
  BlockLine* justread = nullptr;
  BlockLine* marks[5] = {};
  unsigned numLines = 0;
  char lastChar = 0;
  bool outOfSync = false;
  bool endSet = false;  // SetEndBlockRead was the last move of the read position
};

namespace {

constexpr size_t kNewLineCapacity = 40;

BlockLine* freeLines = nullptr;
size_t lineAllocations = 0;

BlockLine* ObtainLine() {
  BlockLine* line = freeLines;
  if (line != nullptr) {
    freeLines = line->nxt;
  } else {
    line = new BlockLine;
    line->text.reserve(kNewLineCapacity);
    ++lineAllocations;
  }
  line->prv = line->nxt = nullptr;
  return line;
}

void RecycleLine(BlockLine* line) {
  line->text.clear();
  line->prv = nullptr;
  line->nxt = freeLines;
  freeLines = line;
}

BlockLine* PastEnd(TextBlock block) { return &block->hdr; }

void LinkAfter(BlockLine* before, BlockLine* line) {
  line->prv = before;
  line->nxt = before->nxt;
  before->nxt->prv = line;
  before->nxt = line;
}

void InitBlock(TextBlock block) {
  block->hdr.prv = block->hdr.nxt = &block->hdr;
  block->numLines = 0;
  for (BlockLine*& mark : block->marks) mark = nullptr;
  block->lastChar = 0;
  NewBlockLine(block);
  ResetBlockRead(block);
}

// The block has lost all its lines (only DeleteBlockLine can do that).
void StartLineIfNone(TextBlock block) {
  if (block->numLines == 0) NewBlockLine(block);
}

void Inserted(TextBlock block, BlockLine* line) {
  ++block->numLines;
  block->lastChar = 0;
  block->justread = line;
  block->rdr = line->nxt;
  block->outOfSync = false;
  block->endSet = false;
}

}  // namespace

TextBlock AllocBlock() {
  TextBlock block = new TextBlockRec;
  InitBlock(block);
  return block;
}

void DeallocBlock(TextBlock& block) {
  if (block == nullptr) return;
  EmptyBlock(block);
  RecycleLine(block->hdr.nxt);
  delete block;
  block = nullptr;
}

TextBlock InvalidBlock() { return nullptr; }

void EmptyBlock(TextBlock block) {
  for (BlockLine* line = block->hdr.nxt; line != PastEnd(block);) {
    BlockLine* next = line->nxt;
    RecycleLine(line);
    line = next;
  }
  InitBlock(block);
}

unsigned GetBlockNumLines(TextBlock block) { return block->numLines; }

void NewBlockLine(TextBlock block) {
  LinkAfter(block->hdr.prv, ObtainLine());
  ++block->numLines;
  block->lastChar = 0;
  SetEndBlockRead(block);
}

void AppendBlockChar(TextBlock block, char ch) {
  StartLineIfNone(block);
  if (ch == '\r' || (ch == '\n' && block->lastChar != '\r'))
    NewBlockLine(block);
  else if (ch != '\n')
    block->hdr.prv->text += ch;
  block->lastChar = ch;
  if (block->rdr == PastEnd(block)) block->outOfSync = true;
}

void AppendBlockStr0(TextBlock block, std::string_view text) {
  if (text.empty()) return;
  StartLineIfNone(block);
  if (text.back() == '\r' || text.back() == '\n') {
    for (char ch : text) AppendBlockChar(block, ch);
  } else {
    block->hdr.prv->text.append(text);
  }
}

void AppendBlockdStr(TextBlock block, const std::string& text) { AppendBlockStr0(block, text); }

void AddBlockLine(TextBlock block, std::string_view text) {
  NewBlockLine(block);
  block->hdr.prv->text.assign(text);
}

void ResetBlockRead(TextBlock block) {
  block->rdr = block->hdr.nxt;
  block->justread = nullptr;
  block->outOfSync = false;
  block->endSet = false;
}

void SetEndBlockRead(TextBlock block) {
  block->rdr = PastEnd(block);
  block->justread = block->numLines > 0 ? block->hdr.prv : nullptr;
  block->outOfSync = false;
  block->endSet = true;
}

bool NextBlockLineRef(TextBlock block, const std::string*& ref) {
  Assert(!block->outOfSync, "NextBlockLineRef: ReadOutOfSync");
  block->endSet = false;
  if (block->rdr == PastEnd(block)) {
    block->justread = nullptr;
    return false;
  }
  block->justread = block->rdr;
  block->rdr = block->rdr->nxt;
  ref = &block->justread->text;
  return true;
}

bool PrevBlockLineRef(TextBlock block, const std::string*& ref) {
  Assert(!block->outOfSync, "PrevBlockLineRef: ReadOutOfSync");
  BlockLine* line = nullptr;
  if (block->endSet && block->justread != nullptr) {
    line = block->justread;  // the last line, placed by SetEndBlockRead
  } else if (block->justread == nullptr) {
    if (block->rdr == PastEnd(block) && block->numLines > 0)
      line = block->hdr.prv;
    else if (block->rdr != block->hdr.nxt)
      line = block->rdr->prv;
    else
      return false;
  } else if (block->justread == block->hdr.nxt) {
    block->justread = nullptr;
    block->rdr = block->hdr.nxt;
    block->endSet = false;
    return false;
  } else {
    line = block->justread->prv;
  }
  block->endSet = false;
  block->justread = line;
  block->rdr = line->nxt;
  ref = &line->text;
  return true;
}

bool RefBlockLine(TextBlock block, const std::string*& ref) {
  Assert(block->justread != nullptr, "justread NIL in RefBlockLine");
  ref = &block->justread->text;
  return true;
}

namespace {

template <typename Reader>
bool CopyLine(TextBlock block, std::string& line, Reader reader) {
  const std::string* ref = nullptr;
  if (!reader(block, ref)) return false;
  line.assign(*ref);
  return true;
}

}  // namespace

bool NextBlockLine(TextBlock block, std::string& line) { return CopyLine(block, line, NextBlockLineRef); }
bool PrevBlockLine(TextBlock block, std::string& line) { return CopyLine(block, line, PrevBlockLineRef); }
bool ReadBlockLine(TextBlock block, std::string& line) { return CopyLine(block, line, RefBlockLine); }

bool GoToLineRef(TextBlock block, unsigned n, const std::string*& ref) {
  ResetBlockRead(block);
  for (unsigned i = 0; i < n && block->rdr != PastEnd(block); ++i) block->rdr = block->rdr->nxt;
  if (block->rdr == PastEnd(block)) {
    block->justread = nullptr;
    return false;
  }
  return NextBlockLineRef(block, ref);
}

bool GoToLine(TextBlock block, unsigned n, std::string& line) {
  const std::string* ref = nullptr;
  if (!GoToLineRef(block, n, ref)) return false;
  line.assign(*ref);
  return true;
}

void GetBlockTxt(TextBlock block, std::string& text, LineEnds ends) {
  bool keepLineEnds = ends == LineEnds::Keep;
  text.clear();
  if (block == nullptr) return;
  ResetBlockRead(block);
  const std::string* line = nullptr;
  while (NextBlockLineRef(block, line)) {
    if (!line->empty()) {
      if (!keepLineEnds && !text.empty() && text.back() != ' ' && line->front() != ' ') text += ' ';
      text += *line;
    }
    if (keepLineEnds) text += "\r\n";
  }
  SetEndBlockRead(block);
}

void Mark(TextBlock block, unsigned i) {
  Assert(i < 5, "Mark index out of range");
  Assert(block->justread != nullptr, "no justread in Mark()");
  block->marks[i] = block->justread;
}

void GotoMarkRef(TextBlock block, unsigned i, const std::string*& ref) {
  Assert(i < 5, "Mark index out of range");
  Assert(block->marks[i] != nullptr, "Unset mark in GotoMark()");
  ResetBlockRead(block);
  block->rdr = block->marks[i];
  Assert(NextBlockLineRef(block, ref), "NextBlockLineRef() FAIL in GotoMarkRef?");
}

void GotoMark(TextBlock block, unsigned i, std::string& line) {
  const std::string* ref = nullptr;
  GotoMarkRef(block, i, ref);
  line.assign(*ref);
}

bool AppendBlockLine(TextBlock block, std::string_view text) {
  if (block->justread == nullptr) return false;
  Assert(block->rdr != block->justread, "BUG: rdr = justread in AppendBlockLine()");
  block->justread->text.append(text);
  return true;
}

void ReplaceBlockLine(TextBlock block, std::string_view text) {
  Assert(block->justread != nullptr, "NULL justread in ReplaceBlockLine()");
  block->justread->text.assign(text);
}

void BeforeInsertBlockLine(TextBlock block, std::string_view text) {
  BlockLine* line = ObtainLine();
  line->text.assign(text);
  BlockLine* after = block->justread != nullptr ? block->justread : block->hdr.nxt;
  LinkAfter(after->prv, line);
  Inserted(block, line);
}

void AfterInsertBlockLine(TextBlock block, std::string_view text) {
  BlockLine* line = ObtainLine();
  line->text.assign(text);
  LinkAfter(block->justread != nullptr ? block->justread : &block->hdr, line);
  Inserted(block, line);
}

void DeleteBlockLine(TextBlock block) {
  BlockLine* line = block->justread;
  if (line == nullptr) return;
  Assert(block->rdr != line, "BUG: rdr = justread in DeleteBlockLine()");
  line->prv->nxt = line->nxt;
  line->nxt->prv = line->prv;
  for (BlockLine*& mark : block->marks)
    if (mark == line) mark = nullptr;
  RecycleLine(line);
  --block->numLines;
  block->endSet = false;
  if (block->rdr == PastEnd(block)) {
    block->justread = nullptr;
  } else {
    block->justread = block->rdr;
    block->rdr = block->rdr->nxt;
  }
}

size_t BlockLineAllocations() { return lineAllocations; }

}  // namespace folioteer
