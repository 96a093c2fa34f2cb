#include "qt/qt_requesters.h"

#include <QApplication>

#include "qt/file_requester.h"
#include "qt/font_requester.h"
#include "qt/gui_call.h"
#include "qt/info_requester.h"
#include "qt/text_requester.h"

namespace folioteer {

QWidget* QtRequesters::Parent() const {
  return reference_ != nullptr ? reference_.data() : QApplication::activeWindow();
}

void QtRequesters::CancelOpenRequester() {
  if (open_ != nullptr) open_->reject();
}

template <typename Result, typename Make, typename Read>
std::optional<Result> QtRequesters::Ask(Make make, Read read, Result onGone) {
  return AwaitOnGui<Result>([&](GuiReply<Result> reply) {
    auto* dialog = make(Parent());
    open_ = dialog;
    QObject::connect(dialog, &QDialog::finished, dialog, [dialog, reply, read](int) {
      reply.Give(read(*dialog));
      dialog->deleteLater();
    });
    QObject::connect(dialog, &QObject::destroyed, [reply, onGone] { reply.Give(onGone); });
    dialog->open();
  });
}

int QtRequesters::InfoRequest(std::string_view title, std::string_view text, std::string_view buttons) {
  std::optional<int> answer =
      Ask([&](QWidget* parent) { return new InfoRequester(parent, title, text, buttons); },
          [](const InfoRequester& dialog) { return dialog.Answer(); }, 0);
  return answer ? *answer : DefaultHeadlessRequesters().InfoRequest(title, text, buttons);
}

std::optional<std::string> QtRequesters::TextRequest(std::string_view title, std::string_view prompt,
                                                     std::string_view initial, int maxLength) {
  Charset charset = charset_;
  using Answer = std::optional<std::string>;
  std::optional<Answer> answer = Ask(
      [&](QWidget* parent) { return new TextRequester(parent, title, prompt, initial, maxLength, charset); },
      [](const TextRequester& dialog) {
        return dialog.result() == QDialog::Accepted ? dialog.Answer() : Answer();
      },
      Answer());
  return answer ? *answer : DefaultHeadlessRequesters().TextRequest(title, prompt, initial, maxLength);
}

std::optional<std::string> QtRequesters::FileRequest(std::string_view title, std::string_view pattern,
                                                     FileRequestMode mode) {
  using Answer = std::optional<std::string>;
  std::optional<Answer> answer =
      Ask([&](QWidget* parent) { return new FileRequester(parent, title, pattern, mode, lastDirectory_); },
          [this](const FileRequester& dialog) {
            lastDirectory_ = dialog.directory().absolutePath();
            return dialog.Answer();
          },
          Answer());
  return answer ? *answer : DefaultHeadlessRequesters().FileRequest(title, pattern, mode);
}

std::optional<FontChoice> QtRequesters::FontRequest(std::string_view title, const FontChoice& initial) {
  using Answer = std::optional<FontChoice>;
  std::optional<Answer> answer =
      Ask([&](QWidget* parent) { return new FontRequester(parent, title, initial); },
          [](const FontRequester& dialog) { return dialog.Answer(); }, Answer());
  return answer ? *answer : DefaultHeadlessRequesters().FontRequest(title, initial);
}

}  // namespace folioteer
