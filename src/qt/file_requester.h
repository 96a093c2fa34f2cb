// The file requester: Qt's file dialog set up from an AmigaDOS pattern.
//
// The pattern becomes the dialog's name filter ("#?.guide" shows as
// "*.guide"; "(a|b)" alternatives become one glob each; what a glob cannot
// say, such as "~" for "not", widens to "*"), with "All files (*)" beside
// it. In open mode a name that does not exist yet may be given (the program
// asks before it creates a file); in save mode an existing file is replaced
// only after the dialog has asked.
#pragma once

#include <QFileDialog>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>

#include "support/requesters.h"

namespace folioteer {

// The globs an AmigaDOS pattern stands for; "*" when it is empty.
QStringList AmigaPatternGlobs(std::string_view pattern);

class FileRequester : public QFileDialog {
  Q_OBJECT

 public:
  FileRequester(QWidget* parent, std::string_view title, std::string_view pattern, FileRequestMode mode,
                const QString& directory);

  // The chosen file as bytes of the file system; nothing when cancelled.
  std::optional<std::string> Answer() const;
};

}  // namespace folioteer
