#include "ui/controls.h"

#include <algorithm>
#include <array>

#include "guide/syntax.h"
#include "support/assert.h"
#include "support/enum_table.h"

namespace folioteer {
namespace {

using W = WindowId;
using G = GadgClass;

// clang-format off
constexpr ControlInfo kControls[] = {
    {Control::AddGlobal,    "AddGlobal",    W::Main,   G::Chooser,     true},
    {Control::EditGlobal,   "EditGlobal",   W::Main,   G::Button,      true},
    {Control::DeleteGlobal, "DeleteGlobal", W::Main,   G::Button,      true},
    {Control::NodeUp,       "NodeUp",       W::Main,   G::Button,      true},
    {Control::NodeDown,     "NodeDown",     W::Main,   G::Button,      true},
    {Control::NewNode,      "NewNode",      W::Main,   G::Button,      false},
    {Control::Retitle,      "Retitle",      W::Main,   G::Button,      true},
    {Control::DeleteNode,   "DeleteNode",   W::Main,   G::Button,      true},
    {Control::AddLocal,     "AddLocal",     W::Edit,   G::Chooser,     false},
    {Control::EditLocal,    "EditLocal",    W::Edit,   G::Button,      true},
    {Control::DeleteLocal,  "DeleteLocal",  W::Edit,   G::Button,      true},
    {Control::Show,         "Show",         W::Edit,   G::Button,      false},
    {Control::AttrPopup,    "AttrPopup",    W::Edit,   G::Chooser,     false},
    {Control::Link,         "Link",         W::Edit,   G::Button,      false},
    {Control::Undo,         "Undo",         W::Edit,   G::Button,      false},
    {Control::Next,         "Next",         W::Edit,   G::Button,      false},
    {Control::Prev,         "Prev",         W::Edit,   G::Button,      false},
    {Control::Ignore,       "Ignore",       W::Spell,  G::Button,      true},
    {Control::AddWord,      "AddWord",      W::Spell,  G::Button,      true},
    {Control::GlobalList,   "GlobalList",   W::Main,   G::ListBrowser, false},
    {Control::NodeList,     "NodeList",     W::Main,   G::ListBrowser, false},
    {Control::LocalList,    "LocalList",    W::Edit,   G::ListBrowser, false},
    {Control::MisspellList, "MisspellList", W::Spell,  G::ListBrowser, false},
    {Control::EditBox,      "EditBox",      W::Edit,   G::TextEditor,  false},
    {Control::CmdLabel,     "CmdLabel",     W::Dialog, G::Label,       false},
    {Control::CmdText,      "CmdText",      W::Dialog, G::String,      false},
    {Control::FontButton,   "FontButton",   W::Dialog, G::Glyph,       false},
    {Control::CmdText2,     "CmdText2",     W::Dialog, G::String,      false},
    {Control::CmdNumber,    "CmdNumber",    W::Dialog, G::Integer,     false},
    {Control::LinkText,     "LinkText",     W::Dialog, G::String,      false},
    {Control::LinkOp,       "LinkOp",       W::Dialog, G::Chooser,     false},
    {Control::LinkTarget,   "LinkTarget",   W::Dialog, G::String,      false},
    {Control::AttrLabel,    "AttrLabel",    W::Dialog, G::Label,       false},
    {Control::AttrOnOff,    "AttrOnOff",    W::Dialog, G::Chooser,     false},
    {Control::AttrColor,    "AttrColor",    W::Dialog, G::Chooser,     false},
    {Control::AttrNumber,   "AttrNumber",   W::Dialog, G::Integer,     false},
    {Control::AttrText,     "AttrText",     W::Dialog, G::String,      false},
    {Control::Ok,           "Ok",           W::Dialog, G::Button,      false},
    {Control::Cancel,       "Cancel",       W::Dialog, G::Button,      false},
};
// clang-format on
static_assert(RowsFollowEnum(kControls, &ControlInfo::control, kNumControls));

constexpr std::array<Gadget, kNumControls> MakeGadgets() {
  std::array<Gadget, kNumControls> gadgets{};
  for (int i = 0; i < kNumControls; ++i) gadgets[i] = Gadget{i, kControls[i].gadgClass};
  return gadgets;
}
constexpr std::array<Gadget, kNumControls> kGadgets = MakeGadgets();

using K = MenuKind;

// clang-format off
constexpr MenuRow kMenus[] = {
    {MenuItem::Save,           0, "Save",                      's', K::Plain},
    {MenuItem::SaveAs,         0, "SaveAs...",                 0,   K::Plain},
    {std::nullopt,             0, "",                          0,   K::Separator},
    {MenuItem::About,          0, "About Folioteer",           0,   K::Plain},
    {MenuItem::Help,           0, "Help",                      0,   K::Plain},
    {std::nullopt,             0, "",                          0,   K::Separator},
    {MenuItem::Quit,           0, "Quit",                      'q', K::Plain},
    {MenuItem::SaveSettings,   1, "Save Settings (Permanent)", 0,   K::Plain},
    {MenuItem::MakeIcons,      1, "Make Icons",                0,   K::Toggle},
    {MenuItem::AutoPreview,    1, "Auto Preview",              0,   K::Toggle},
    {MenuItem::UseTab,         1, "use @{tab}",                0,   K::Toggle},
    {MenuItem::HelpHints,      1, "Help Hints",                0,   K::Toggle},
    {MenuItem::EditorFontItem, 1, "Editor Font...",            0,   K::Plain},
    {MenuItem::SpellCheck,     2, "Spell Check",               0,   K::Toggle},
    {MenuItem::AutoIndex,      2, "AutoIndex",                 0,   K::Disabled},
    {MenuItem::ExportHtml,     2, "Export as HTML",            0,   K::Plain},
    {MenuItem::ExportRtf,      2, "Export as RTF",             0,   K::Plain},
};
// clang-format on
constexpr std::string_view kMenuTitles[] = {"File", "Settings", "Tools"};

// The row of each item, and the item's number within its menu.
struct ItemPlace {
  int row = -1;
  uint32_t number = 0;
};

std::array<ItemPlace, kNumMenuItems> MakePlaces() {
  std::array<ItemPlace, kNumMenuItems> places{};
  uint32_t number = 0;
  for (size_t row = 0; row < std::size(kMenus); ++row) {
    if (row > 0 && kMenus[row].menu != kMenus[row - 1].menu) number = 0;
    if (kMenus[row].item) places[static_cast<int>(*kMenus[row].item)] = {static_cast<int>(row), number};
    ++number;
  }
  for (const ItemPlace& place : places) Assert(place.row >= 0, "MenuLayout: an item without a row");
  return places;
}

const std::array<ItemPlace, kNumMenuItems>& Places() {
  static const std::array<ItemPlace, kNumMenuItems> places = MakePlaces();
  return places;
}

}  // namespace

const ControlInfo& GetControlInfo(Control control) { return kControls[static_cast<int>(control)]; }
std::span<const ControlInfo> AllControls() { return kControls; }

std::optional<Control> MatchControlName(std::string_view name) {
  for (const ControlInfo& info : kControls)
    if (EqualsIgnoreCase(info.name, name)) return info.control;
  return std::nullopt;
}

const Gadget* ControlGadget(Control control) { return &kGadgets[static_cast<int>(control)]; }

std::optional<Control> GadgetControl(const Gadget* gadget) {
  if (gadget < kGadgets.data() || gadget >= kGadgets.data() + kGadgets.size()) return std::nullopt;
  return static_cast<Control>(gadget - kGadgets.data());
}

Control ListControl(ListId list) {
  static constexpr Control kLists[] = {Control::GlobalList, Control::NodeList, Control::LocalList,
                                       Control::MisspellList};
  return kLists[static_cast<int>(list)];
}

std::vector<std::string> ChooserEntries(Control chooser) {
  std::vector<std::string> entries;
  if (chooser == Control::LinkOp)
    for (int op = 0; op < kNumLinkOps; ++op) entries.push_back(GetLinkOpName(static_cast<LinkOp>(op)));
  if (chooser == Control::AttrColor)
    for (int color = 0; color < kNumColors; ++color)
      entries.push_back(GetColorName(static_cast<GuideColor>(color)));
  if (chooser == Control::AttrOnOff) entries = {"On", "Off"};
  return entries;
}

std::span<const MenuRow> MenuLayout() { return kMenus; }
std::string_view MenuTitle(uint8_t menu) { return menu < std::size(kMenuTitles) ? kMenuTitles[menu] : ""; }
const MenuRow& GetMenuRow(MenuItem item) { return kMenus[Places()[static_cast<int>(item)].row]; }

uint32_t MenuCode(MenuItem item) {
  const ItemPlace& place = Places()[static_cast<int>(item)];
  return kMenus[place.row].menu | (place.number << 5) | (kNoSubItem << 11);
}

std::optional<MenuItem> MenuItemOfCode(uint32_t code) {
  for (int item = 0; item < kNumMenuItems; ++item)
    if (MenuCode(static_cast<MenuItem>(item)) == code) return static_cast<MenuItem>(item);
  return std::nullopt;
}

std::optional<MenuItem> MatchMenuLabel(std::string_view label) {
  for (const MenuRow& row : kMenus)
    if (row.item && EqualsIgnoreCase(row.label, label)) return row.item;
  return std::nullopt;
}

const DialogField* DialogContent::Find(Control control) const {
  auto found = std::ranges::find(fields, control, &DialogField::control);
  return found == fields.end() ? nullptr : &*found;
}

DialogField* DialogContent::Find(Control control) {
  auto found = std::ranges::find(fields, control, &DialogField::control);
  return found == fields.end() ? nullptr : &*found;
}

}  // namespace folioteer
