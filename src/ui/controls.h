// What the editor's windows are made of: the windows, their controls and the
// menus, each a table that the window operations, command input, the batch
// mode and the Qt windows all read.
//
// Every control of every window has one Gadget record here (its id is the
// control's number), so an event names its control by pointer and any window
// system maps its widgets to the same records. Menu items are named by the
// packed number a MenuPick event carries: the menu in bits 0 to 4, the item
// (separators counted) in bits 5 to 10, and kNoSubItem in bits 11 to 15.
//
// The three parameter dialogs share one window (WindowId::Dialog); what it
// shows is a DialogContent: the fields of the command or attribute at hand,
// in layout order, with their values and help texts. Ok and Cancel are always
// there and never listed.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/window_events.h"

namespace folioteer {

enum class ListId : uint8_t { Global = 0, Nodes = 1, Local = 2, Misspells = 3 };
inline constexpr int kNumLists = 4;
static_assert(kNumLists == static_cast<int>(ListId::Misspells) + 1);

// The window set: the main window, the edit window, the spell window, the
// formatted display and the one window of the parameter dialogs.
enum class WindowId : uint8_t { Main, Edit, Spell, Preview, Dialog };
inline constexpr int kNumWindows = 5;
static_assert(kNumWindows == static_cast<int>(WindowId::Dialog) + 1);

// The commands a pop-up offers: the global or the node-local ones.
enum class CmdScope : uint8_t { Global, Local };

// clang-format off
enum class Control : uint8_t {
  // The buttons and pop-ups whose state the program reflects, and the rest.
  AddGlobal, EditGlobal, DeleteGlobal, NodeUp, NodeDown, NewNode, Retitle, DeleteNode,
  AddLocal, EditLocal, DeleteLocal, Show, AttrPopup, Link, Undo, Next, Prev, Ignore, AddWord,
  // Lists and the edit box.
  GlobalList, NodeList, LocalList, MisspellList, EditBox,
  // The new-command dialog.
  CmdLabel, CmdText, FontButton, CmdText2, CmdNumber,
  // The new-link dialog.
  LinkText, LinkOp, LinkTarget,
  // The new-attribute dialog.
  AttrLabel, AttrOnOff, AttrColor, AttrNumber, AttrText,
  // Every dialog.
  Ok, Cancel
};
// clang-format on
inline constexpr int kNumControls = 39;
static_assert(kNumControls == static_cast<int>(Control::Cancel) + 1);

struct ControlInfo {
  Control control;
  std::string_view name;  // as the batch mode and the state report name it
  WindowId window;
  GadgClass gadgClass;
  bool reflected;  // status reflection enables and disables it
};

const ControlInfo& GetControlInfo(Control control);
std::span<const ControlInfo> AllControls();
// The control of a name, in any letter case.
std::optional<Control> MatchControlName(std::string_view name);
const Gadget* ControlGadget(Control control);
// The control an event's gadget is; empty for a gadget that is none of ours.
std::optional<Control> GadgetControl(const Gadget* gadget);
Control ListControl(ListId list);
// The entries of a chooser (link operation, colour, on/off), in order.
std::vector<std::string> ChooserEntries(Control chooser);

// clang-format off
enum class MenuItem : uint8_t {
  Save, SaveAs, About, Help, Quit, SaveSettings, MakeIcons, AutoPreview, UseTab, HelpHints,
  EditorFontItem, SpellCheck, AutoIndex, ExportHtml, ExportRtf
};
// clang-format on
inline constexpr int kNumMenuItems = 15;
static_assert(kNumMenuItems == static_cast<int>(MenuItem::ExportRtf) + 1);

enum class MenuKind : uint8_t { Plain, Toggle, Disabled, Separator };

// One row of the menus, in order; a separator has no item.
struct MenuRow {
  std::optional<MenuItem> item;
  uint8_t menu;  // 0 "File", 1 "Settings", 2 "Tools"
  std::string_view label;
  char shortcut;  // 0: none
  MenuKind kind;
};

inline constexpr uint32_t kNoSubItem = 31;

std::span<const MenuRow> MenuLayout();
std::string_view MenuTitle(uint8_t menu);
const MenuRow& GetMenuRow(MenuItem item);
uint32_t MenuCode(MenuItem item);
std::optional<MenuItem> MenuItemOfCode(uint32_t code);
// The item of a label, in any letter case.
std::optional<MenuItem> MatchMenuLabel(std::string_view label);

enum class DialogKind : uint8_t { None, NewCmd, NewLink, NewAttr };

// One shown field of the dialog: a text field holds text, an integer field
// or a chooser the value (a chooser: the chosen entry); a label holds text.
struct DialogField {
  Control control = Control::Ok;
  // The argument-line keyword of the value the field holds (NodeRef, Strng,
  // Strng2, Num, LinkText, Op, Color, OnOff); empty for a label or a button.
  std::string_view keyword;
  std::string text;
  int32_t value = 0;
  std::string hint;
  friend bool operator==(const DialogField&, const DialogField&) = default;
};

struct DialogContent {
  DialogKind kind = DialogKind::None;
  std::vector<DialogField> fields;  // the shown ones, in layout order

  const DialogField* Find(Control control) const;
  DialogField* Find(Control control);
};

}  // namespace folioteer
