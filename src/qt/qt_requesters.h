// The requesters as Qt dialogs (qt/info_requester.h, qt/text_requester.h,
// qt/file_requester.h, qt/font_requester.h), installed with
// InstallRequesters in place of the headless ones.
//
// The program thread asks; each request runs on the Qt thread (qt/gui_call.h)
// as a dialog modal over the reference window (the window that asks, which
// the windows set; else the active window) and the program thread waits for
// the answer, while the Qt thread goes on painting. A dialog whose parent
// window is closed under it answers as its Cancel does (0 for the information
// requester). Once the Qt side has ended, requests are answered by the
// headless requesters (reported on standard error), so that the end of the
// program, which may still ask whether to save, never hangs.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <atomic>
#include <optional>
#include <string>

#include "render/charset.h"
#include "support/requesters.h"

namespace folioteer {

class QtRequesters : public Requesters {
 public:
  // On the Qt thread.
  void SetReferenceWindow(QWidget* window) { reference_ = window; }
  // The requester on show, if any; CancelOpenRequester answers it as its
  // Cancel (or Escape) would.
  QDialog* OpenRequester() const { return open_; }
  void CancelOpenRequester();

  // From any thread: the encoding of the guide, for the text requester.
  void SetDocumentCharset(Charset charset) { charset_ = charset; }

  int InfoRequest(std::string_view title, std::string_view text, std::string_view buttons) override;
  std::optional<std::string> TextRequest(std::string_view title, std::string_view prompt,
                                         std::string_view initial, int maxLength) override;
  std::optional<std::string> FileRequest(std::string_view title, std::string_view pattern,
                                         FileRequestMode mode) override;
  std::optional<FontChoice> FontRequest(std::string_view title, const FontChoice& initial) override;

 private:
  // Shows the dialog that make builds and waits for the answer that read
  // takes from it once finished; onGone when the dialog is destroyed first.
  template <typename Result, typename Make, typename Read>
  std::optional<Result> Ask(Make make, Read read, Result onGone);
  QWidget* Parent() const;

  QPointer<QWidget> reference_;
  QPointer<QDialog> open_;
  std::atomic<Charset> charset_{Charset::Latin1};
  QString lastDirectory_;  // Qt thread only
};

}  // namespace folioteer
