// The text block: a piece of text as a chain of lines, each a string without
// its line end. Every node's body text lives in one.
//
// A block keeps a read position of two references, rdr (the line read next)
// and justread (the line read most recently, or null), with the invariant
// that rdr is the line after justread whenever justread is set; the same
// block is read line by line by the writer, the edit box and the text block
// channel, and edited at the read position. Five marks can remember lines.
// A new or emptied block holds one empty line.
//
// Lines are recycled through a process-wide free chain that keeps their
// buffers, so re-filling a block allocates nothing once the chain holds
// enough lines. Blocks belong to the program task.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace folioteer {

struct TextBlockRec;
using TextBlock = TextBlockRec*;

TextBlock AllocBlock();
void DeallocBlock(TextBlock& block);
TextBlock InvalidBlock();
void EmptyBlock(TextBlock block);
unsigned GetBlockNumLines(TextBlock block);

// Writing at the end.
void NewBlockLine(TextBlock block);
// CR, LF and CR LF each end one line; any other byte goes to the last line.
void AppendBlockChar(TextBlock block, char ch);
// Text ending in CR or LF goes through AppendBlockChar byte by byte; other
// text is appended to the last line in one step, line ends inside it kept.
void AppendBlockStr0(TextBlock block, std::string_view text);
void AppendBlockdStr(TextBlock block, const std::string& text);
void AddBlockLine(TextBlock block, std::string_view text);

// Reading. The Ref forms yield a reference into the block, valid until the
// line is deleted; the others copy.
void ResetBlockRead(TextBlock block);
// The read position after the last line, which is justread; the first
// backward read from here yields that last line.
void SetEndBlockRead(TextBlock block);
bool NextBlockLineRef(TextBlock block, const std::string*& ref);
bool NextBlockLine(TextBlock block, std::string& line);
bool PrevBlockLineRef(TextBlock block, const std::string*& ref);
bool PrevBlockLine(TextBlock block, std::string& line);
bool RefBlockLine(TextBlock block, const std::string*& ref);
bool ReadBlockLine(TextBlock block, std::string& line);
bool GoToLineRef(TextBlock block, unsigned n, const std::string*& ref);
bool GoToLine(TextBlock block, unsigned n, std::string& line);
// How GetBlockTxt ends the lines: every line followed by CR LF, or the
// non-empty lines joined by single spaces.
enum class LineEnds : uint8_t { Keep, JoinWithSpaces };
void GetBlockTxt(TextBlock block, std::string& text, LineEnds ends);

// Marks and editing at the read position.
void Mark(TextBlock block, unsigned i);
void GotoMarkRef(TextBlock block, unsigned i, const std::string*& ref);
void GotoMark(TextBlock block, unsigned i, std::string& line);
bool AppendBlockLine(TextBlock block, std::string_view text);
void ReplaceBlockLine(TextBlock block, std::string_view text);
void BeforeInsertBlockLine(TextBlock block, std::string_view text);
void AfterInsertBlockLine(TextBlock block, std::string_view text);
void DeleteBlockLine(TextBlock block);

// Fresh line allocations so far (lines taken from the free chain not counted).
size_t BlockLineAllocations();

}  // namespace folioteer
