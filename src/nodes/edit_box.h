// The edit box as the modules below the windows see it: the node operations
// store its text into the node and insert links and attributes into it, the
// preview shows what it holds. The window layer implements this interface
// and installs it at start-up; using it before that is an assertion.
//
// Lines are separated by LF; lines and columns count from 0, columns in
// bytes. A block runs up to, not including, its last position.
#pragma once

#include <string>
#include <string_view>

namespace folioteer {

class EditBox {
 public:
  virtual ~EditBox() = default;

  virtual void GetEditedText(std::string& text) = 0;
  virtual void InsertIntoEditedText(std::string_view text) = 0;
  // TRUE when a block of at least one character is selected.
  virtual bool AnySelectedText() = 0;
  // FALSE when nothing is selected.
  virtual bool GetSelectedText(std::string& text) = 0;
  virtual bool GetSelectedBlock(int& firstLine, int& firstColumn, int& lastLine, int& lastColumn) = 0;
  virtual void SelectBlock(int firstLine, int firstColumn, int lastLine, int lastColumn) = 0;
  virtual void ReplaceSelectedText(std::string_view text) = 0;
};

EditBox& CurrentEditBox();
// Installs the implementation; nullptr removes it.
void InstallEditBox(EditBox* box);

}  // namespace folioteer
