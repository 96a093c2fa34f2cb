// The state of the editor and its headless windows, printed by the batch
// mode's .print directive in a stable form that tests compare.
#include <algorithm>
#include <sstream>

#include "editor/batch.h"
#include "editor/settings/settings.h"
#include "guide/document.h"
#include "preview/preview.h"
#include "state/editor_state.h"
#include "support/enum_table.h"
#include "support/text_lines.h"
#include "ui/headless_windows.h"

namespace folioteer {
namespace {

template <typename Key>
struct Named {
  Key key;
  std::string_view name;
};

constexpr Named<MenuItem> kMenuNames[] = {
    {MenuItem::Save, "Save"},
    {MenuItem::SaveAs, "SaveAs"},
    {MenuItem::About, "About"},
    {MenuItem::Help, "Help"},
    {MenuItem::Quit, "Quit"},
    {MenuItem::SaveSettings, "SaveSettings"},
    {MenuItem::MakeIcons, "MakeIcons"},
    {MenuItem::AutoPreview, "AutoPreview"},
    {MenuItem::UseTab, "UseTab"},
    {MenuItem::HelpHints, "HelpHints"},
    {MenuItem::EditorFontItem, "EditorFont"},
    {MenuItem::SpellCheck, "SpellCheck"},
    {MenuItem::AutoIndex, "AutoIndex"},
    {MenuItem::ExportHtml, "ExportHtml"},
    {MenuItem::ExportRtf, "ExportRtf"},
};
static_assert(RowsFollowEnum(kMenuNames, &Named<MenuItem>::key, kNumMenuItems));

// The windows .print windows reports, before the preview's line.
constexpr Named<WindowId> kWindowNames[] = {
    {WindowId::Main, "main"},
    {WindowId::Edit, "edit"},
    {WindowId::Spell, "spell"},
};

// In the order of their bits.
constexpr Named<ProgramStatusFlag> kFlagNames[] = {
    {kGlobalSelected, "global-selected"},     {kGlobalKindFlag, "global-kind"},
    {kNodeSelected, "node-selected"},         {kLocalSelected, "local-selected"},
    {kLocalKindFlag, "local-kind"},           {kMainSelected, "main-selected"},
    {kMisspellingShown, "misspelling-shown"}, {kPreviewToRestore, "preview-to-restore"},
};

void PrintList(std::ostream& out, const char* name, ListId list) {
  HeadlessWindows& windows = DefaultHeadlessWindows();
  int selected = windows.SelectedRow(list);
  const std::vector<std::string>& rows = windows.Rows(list);
  out << name << " (" << rows.size() << ", selected " << selected << ")\n";
  for (size_t i = 0; i < rows.size(); ++i)
    out << (static_cast<int>(i) == selected ? "> " : "  ") << i << " " << rows[i] << "\n";
}

void PrintText(std::ostream& out) {
  HeadlessWindows& windows = DefaultHeadlessWindows();
  out << "text\n";
  std::string text = windows.EditText();
  for (std::string_view line : SplitFileLines(text)) out << "| " << line << "\n";
  TextPos cursor = windows.Cursor(), first, last;
  out << "cursor " << cursor.line << ":" << cursor.column;
  if (windows.Selection(first, last))
    out << " selection " << first.line << ":" << first.column << "-" << last.line << ":" << last.column;
  out << "\n";
}

void PrintLabels(std::ostream& out) {
  HeadlessWindows& windows = DefaultHeadlessWindows();
  for (auto [direction, name] :
       {std::pair{NavDirection::Next, "next "}, std::pair{NavDirection::Prev, "prev "}}) {
    const HeadlessWindows::NavLabel& label = windows.Label(direction);
    out << name << label.text << (label.pointsNowhere ? " (points nowhere)" : "") << "\n";
  }
}

void PrintStatus(std::ostream& out) {
  const EditorState& editor = Editor();
  out << "status " << static_cast<int>(editor.programStatus);
  for (auto [flag, name] : kFlagNames)
    if (editor.Status(flag)) out << " " << name;
  out << "\n";
}

void PrintControls(std::ostream& out) {
  HeadlessWindows& windows = DefaultHeadlessWindows();
  out << "enabled";
  for (const ControlInfo& control : AllControls())
    if (control.reflected && windows.Enabled(control.control)) out << " " << control.name;
  out << "\n";
}

void PrintMenus(std::ostream& out) {
  HeadlessWindows& windows = DefaultHeadlessWindows();
  out << "checked";
  for (auto [item, name] : kMenuNames)
    if (windows.MenuCheck(item)) out << " " << name;
  out << "\n";
}

void PrintWindows(std::ostream& out) {
  HeadlessWindows& windows = DefaultHeadlessWindows();
  for (auto [id, name] : kWindowNames) {
    bool iconified = IsMyWndoIconified(id);
    out << name << " window " << (IsMyWndoOpen(id) || iconified ? "open" : "closed");
    if (iconified) out << " iconified";
    if (!windows.Title(id).empty()) out << " \"" << windows.Title(id) << "\"";
    out << "\n";
  }
  const HeadlessWindows::Preview& preview = windows.PreviewRecord();
  out << "preview " << (IsShowOn() ? "open \"" + preview.title + "\"" : std::string("closed")) << "\n";
}

void PrintPreview(std::ostream& out) {
  const HeadlessWindows::Preview& preview = DefaultHeadlessWindows().PreviewRecord();
  out << "preview " << (IsShowOn() ? "open" : "closed") << ", shown " << preview.shown << " times\n";
  for (std::string_view line : SplitFileLines(preview.text)) out << "| " << line << "\n";
}

void PrintSettings(std::ostream& out) { out << "settings " << SettingsLine() << "\n"; }

// The parts of .print in the order of a .print without parts, which leaves
// out the preview's content.
struct Part {
  std::string_view name;
  void (*print)(std::ostream& out);
  bool byDefault = true;
};
const Part kParts[] = {
    {"nodes", [](std::ostream& out) { PrintList(out, "nodes", ListId::Nodes); }},
    {"globals", [](std::ostream& out) { PrintList(out, "globals", ListId::Global); }},
    {"locals", [](std::ostream& out) { PrintList(out, "locals", ListId::Local); }},
    {"text", PrintText},
    {"labels", PrintLabels},
    {"status", PrintStatus},
    {"controls", PrintControls},
    {"menus", PrintMenus},
    {"misspells", [](std::ostream& out) { PrintList(out, "misspells", ListId::Misspells); }},
    {"windows", PrintWindows},
    {"settings", PrintSettings},
    {"preview", PrintPreview, false},
};

}  // namespace

std::string DescribeState(const std::string& parts) {
  std::istringstream wanted(parts);
  std::vector<std::string> names;
  for (std::string name; wanted >> name;) names.push_back(name);
  if (names.empty())
    for (const Part& part : kParts)
      if (part.byDefault) names.emplace_back(part.name);
  std::ostringstream out;
  for (const std::string& name : names) {
    auto part = std::ranges::find(kParts, name, &Part::name);
    if (part != std::end(kParts))
      part->print(out);
    else
      out << "(no part \"" << name << "\")\n";
  }
  return out.str();
}

}  // namespace folioteer
