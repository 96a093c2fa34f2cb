// The texts that requesters show: messages, prompts and titles made by the
// program, which may hold file names and text of the guide as bytes.
//
// A text is decoded by its own content (UTF-8 when it is valid UTF-8 with a
// multi-byte sequence, else ISO-8859-1), since a message may join a file name
// of the system with text of a guide. Nothing is lost for display: control
// bytes and bytes that are no text appear as their value in hex. In a label
// the text keeps its blanks and line breaks, and the part after the bold
// escape (ESC "b") is set in bold.
#pragma once

#include <QString>
#include <string_view>

namespace folioteer {

// Rich text for a QLabel.
QString RequesterLabelText(std::string_view bytes);
// Plain text for a window title or a button: control bytes as "<1B>".
QString RequesterPlainText(std::string_view bytes);

}  // namespace folioteer
