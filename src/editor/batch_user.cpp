#include "editor/batch_user.h"

#include <charconv>
#include <cstdio>

#include "support/arg_template.h"
#include "support/ascii.h"
#include "ui/headless_windows.h"
#include "ui/monitor.h"
#include "ui/windows.h"

namespace folioteer {
namespace {

using Kind = ScriptStep::Kind;

constexpr std::string_view kWindowNames[] = {"main", "edit", "spell", "preview", "dialog"};
static_assert(std::size(kWindowNames) == kNumWindows);

std::string WindowName(WindowId window) { return std::string(kWindowNames[static_cast<int>(window)]); }

std::vector<std::string> PopupRowsOf(Control popup) {
  if (popup == Control::AttrPopup) return AttrPopupRows();
  return PopupRows(popup == Control::AddGlobal ? CmdScope::Global : CmdScope::Local);
}

int ChooserIndex(Control chooser, std::string_view value) {
  std::vector<std::string> entries = ChooserEntries(chooser);
  for (size_t i = 0; i < entries.size(); ++i)
    if (EqualsIgnoreCase(entries[i], value)) return static_cast<int>(i);
  return 0;
}

bool IsChooser(Control control) {
  return control == Control::LinkOp || control == Control::AttrColor || control == Control::AttrOnOff;
}

// A field as the report shows it: KEYWORD=VALUE.
std::string Shown(const DialogField& field) {
  std::string text = std::string(field.keyword) + "=";
  if (IsChooser(field.control)) {
    std::vector<std::string> entries = ChooserEntries(field.control);
    return text +
           (field.value >= 0 && field.value < static_cast<int>(entries.size()) ? entries[field.value] : "?");
  }
  if (GetControlInfo(field.control).gadgClass == GadgClass::Integer)
    return text + std::to_string(field.value);
  return text + QuoteArg(field.text);
}

std::string Offered(const DialogContent& content, std::string& label) {
  std::string text;
  label = content.kind == DialogKind::NewLink ? "link" : "";
  for (const DialogField& field : content.fields) {
    if (field.keyword.empty()) {
      if (field.control == Control::CmdLabel || field.control == Control::AttrLabel) label = field.text;
      continue;
    }
    text += (text.empty() ? "" : " ") + Shown(field);
  }
  return text;
}

DialogField* FieldOf(DialogContent& content, std::string_view keyword) {
  for (DialogField& field : content.fields)
    if (!field.keyword.empty() && EqualsIgnoreCase(field.keyword, keyword)) return &field;
  return nullptr;
}

void SetField(DialogField& field, const std::string& value) {
  if (IsChooser(field.control)) {
    field.value = ChooserIndex(field.control, value);
  } else if (GetControlInfo(field.control).gadgClass == GadgClass::Integer) {
    std::from_chars(value.data(), value.data() + value.size(), field.value);
  } else {
    field.text = value;
  }
}

}  // namespace

BatchUser::BatchUser(HeadlessMonitor& monitor) : monitor_(monitor) {
  monitor_.SetUser([this](Wndo window) { AnswerDialog(window); });
}

BatchUser::~BatchUser() { monitor_.SetUser(nullptr); }

std::string BatchUser::TakeFailure() {
  std::lock_guard hold(lock_);
  return std::exchange(failure_, std::string());
}

bool BatchUser::Post(WindowId window, WndoInput input, std::string& why) {
  Wndo wndo = WindowWndo(window);
  if (wndo == NullWndo() || !monitor_.PostInput(wndo, std::move(input))) {
    why = "the " + WindowName(window) + " window is not open";
    return false;
  }
  monitor_.TurnNow();  // the event is queued when the step returns
  return true;
}

bool BatchUser::PostGadgetUp(Control control, std::string& why) {
  WindowId window = GetControlInfo(control).window;
  if (!IsMyWndoOpen(window)) {
    why = "the " + WindowName(window) + " window is not open";
    return false;
  }
  return Post(window, EvntInput(EvntKind::GadgetUp, ControlGadget(control)), why);
}

// .select and .double: the row is selected as a click selects it; a double
// click is a click and then the double click.
bool BatchUser::Choose(const ScriptStep& step, std::string& why) {
  ListId list = static_cast<ListId>(step.numbers[0]);
  int row = step.numbers[1];
  Control control = ListControl(list);
  WindowId window = GetControlInfo(control).window;
  if (!IsMyWndoOpen(window)) {
    why = "the " + WindowName(window) + " window is not open";
    return false;
  }
  if (row < -1 || row >= NumItems(list)) {
    why = "the list " + std::string(GetControlInfo(control).name) + " has no row " + std::to_string(row);
    return false;
  }
  SetListSelectedIdx(list, row);
  if (!PostGadgetUp(control, why)) return false;
  return step.kind != Kind::Double ||
         Post(window, EvntInput(EvntKind::ListDoubleClick, ControlGadget(control)), why);
}

bool BatchUser::Popup(const ScriptStep& step, std::string& why) {
  Control popup = static_cast<Control>(step.numbers[0]);
  std::vector<std::string> rows = PopupRowsOf(popup);
  int row = step.numbers.size() > 1 ? step.numbers[1] : -1;
  if (step.numbers.size() == 1)
    for (size_t i = 0; i < rows.size(); ++i)
      if (EqualsIgnoreCase(rows[i], step.text)) row = static_cast<int>(i);
  if (row < 0 || row >= static_cast<int>(rows.size())) {
    why = "the pop-up " + std::string(GetControlInfo(popup).name) + " has no row " +
          (step.numbers.size() > 1 ? std::to_string(row) : "\"" + step.text + "\"");
    return false;
  }
  DefaultHeadlessWindows().ChoosePopupRow(popup, row);
  return PostGadgetUp(popup, why);
}

// A toggle item's check mark flips as the pick is made, as a menu does.
bool BatchUser::Menu(const ScriptStep& step, std::string& why) {
  MenuItem item = static_cast<MenuItem>(step.numbers[0]);
  const MenuRow& row = GetMenuRow(item);
  if (row.kind == MenuKind::Disabled) {
    why = "the menu item \"" + std::string(row.label) + "\" is disabled";
    return false;
  }
  if (!IsMyWndoOpen(WindowId::Main)) {
    why = "the main window is not open";
    return false;
  }
  HeadlessWindows& windows = DefaultHeadlessWindows();
  if (row.kind == MenuKind::Toggle) windows.SetMenuCheck(item, !windows.MenuCheck(item));
  return Post(WindowId::Main, MenuInput(MenuCode(item)), why);
}

bool BatchUser::Act(const ScriptStep& step, std::string& why) {
  switch (step.kind) {
    case Kind::Select:
    case Kind::Double: return Choose(step, why);
    case Kind::Press: {
      Control control = static_cast<Control>(step.numbers[0]);
      if (!DefaultHeadlessWindows().Enabled(control) && IsMyWndoOpen(GetControlInfo(control).window)) {
        why = "the control " + std::string(GetControlInfo(control).name) + " is disabled";
        return false;
      }
      return PostGadgetUp(control, why);
    }
    case Kind::Popup: return Popup(step, why);
    case Kind::Menu: return Menu(step, why);
    case Kind::Close:
      return Post(static_cast<WindowId>(step.numbers[0]), EvntInput(EvntKind::CloseWindow), why);
    case Kind::HelpKey: return Post(static_cast<WindowId>(step.numbers[0]), KeyInput("", true), why);
    case Kind::Iconify:
      if (!IsMyWndoOpen(WindowId::Main)) {
        why = "the main window is not open";
        return false;
      }
      return Post(WindowId::Main, EvntInput(EvntKind::Iconify), why);
    case Kind::Uniconify:
      if (!IsMyWndoIconified(WindowId::Main)) {
        why = "the main window is not iconified";
        return false;
      }
      return Post(WindowId::Main, EvntInput(EvntKind::Uniconify), why);
    case Kind::Break: NoteBreak(); return true;
    case Kind::Dialog: {
      std::lock_guard hold(lock_);
      answers_.push_back({step.answer, step.line});
      return true;
    }
    default: return true;
  }
}

// On the monitor task, while the program waits on the window: the program
// touches neither the windows nor the queue until the posted press wakes it.
void BatchUser::AnswerDialog(Wndo window) {
  if (window != WindowWndo(WindowId::Dialog)) return;
  std::optional<QueuedAnswer> queued;
  {
    std::lock_guard hold(lock_);
    if (!answers_.empty()) {
      queued = std::move(answers_.front());
      answers_.pop_front();
    }
  }
  HeadlessWindows& windows = DefaultHeadlessWindows();
  DialogContent content = windows.DialogNow();
  std::string label;
  std::string offered = Offered(content, label);
  std::string answered = "cancelled (no answer)";
  Control press = Control::Cancel;
  bool opChanged = false;
  if (queued) {
    std::string missing;
    answered.clear();
    for (const auto& [keyword, value] : queued->answer.fields) {
      DialogField* field = FieldOf(content, keyword);
      if (field == nullptr) {
        missing = keyword;
        break;
      }
      SetField(*field, value);
      opChanged = opChanged || field->control == Control::LinkOp;
    }
    for (const DialogField& field : content.fields)
      for (const auto& given : queued->answer.fields)
        if (missing.empty() && EqualsIgnoreCase(given.first, field.keyword)) answered += Shown(field) + " ";
    if (!missing.empty()) {
      std::lock_guard hold(lock_);
      failure_ = std::to_string(queued->line) + ": the dialog \"" + label + "\" shows no field " + missing;
      answered += "cancelled";
    } else {
      windows.SetDialogValues(content.fields);
      if (queued->answer.ok) press = Control::Ok;
      answered += std::string(queued->answer.font ? "font " : "") + (queued->answer.ok ? "ok" : "cancel");
    }
  }
  std::fputs(("Dialog \"" + label + "\": " + offered + " -> " + answered + "\n").c_str(), stderr);
  Wndo dialog = window;
  auto post = [&](Control control) {
    monitor_.PostInput(dialog, EvntInput(EvntKind::GadgetUp, ControlGadget(control)));
  };
  if (opChanged && press == Control::Ok) post(Control::LinkOp);
  if (queued && queued->answer.font && press == Control::Ok) post(Control::FontButton);
  post(press);
}

}  // namespace folioteer
