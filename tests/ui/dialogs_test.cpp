#include "ui/dialogs.h"

#include <gtest/gtest.h>

#include <set>

#include "guide/syntax.h"
#include "ui/headless_windows.h"
#include "ui/windows.h"
#include "window_test_util.h"

namespace folioteer {
namespace {

// Which fields a dialog shows, with the keyword of each value field.
std::vector<std::string> Shown(const DialogContent& content) {
  std::vector<std::string> shown;
  for (const DialogField& field : content.fields)
    shown.push_back(std::string(GetControlInfo(field.control).name) +
                    (field.keyword.empty() ? "" : ":" + std::string(field.keyword)));
  return shown;
}

TEST(Dialogs, TheNewCommandDialogShowsWhatTheKindTakes) {
  struct Case {
    AGCmdKind kind;
    std::vector<std::string> shown;
    uint16_t mask;
  };
  for (const Case& c : std::vector<Case>{
           {AGCmdKind::SmartWrap, {"CmdLabel"}, 0},
           {AGCmdKind::Next, {"CmdLabel", "CmdText:NodeRef"}, kNodeRefField},
           {AGCmdKind::Font,
            {"CmdLabel", "CmdText:Strng", "FontButton", "CmdNumber:Num"},
            kStrngField | kNumField},
           {AGCmdKind::Macro, {"CmdLabel", "CmdText:Strng", "CmdText2:Strng2"}, kStrngField | kStrng2Field},
           {AGCmdKind::Tab, {"CmdLabel", "CmdNumber:Num"}, kNumField},
       }) {
    CmdParams params;
    params.NodeRef = "ref";
    params.Strng = "first";
    params.Strng2 = "second";
    params.Num = 7;
    DialogContent content = NewCmdContent(c.kind, params);
    EXPECT_EQ(Shown(content), c.shown) << GetCmdName(c.kind);
    EXPECT_EQ(content.fields[0].text, GetCmdName(c.kind));
    // What the fields hold is read back, and nothing else.
    Windows().SetDialog(content);
    CmdParams read;
    EXPECT_EQ(GetEnabledNewCmdGadgs(c.kind, read), c.mask) << GetCmdName(c.kind);
    EXPECT_EQ(read.NodeRef, c.mask & kNodeRefField ? std::optional<std::string>("ref") : std::nullopt);
    EXPECT_EQ(read.Strng, c.mask & kStrngField ? std::optional<std::string>("first") : std::nullopt);
    EXPECT_EQ(read.Strng2, c.mask & kStrng2Field ? std::optional<std::string>("second") : std::nullopt);
    EXPECT_EQ(read.Num, c.mask & kNumField ? 7 : 0);
  }
}

// A link field of nothing but blanks and tabs counts as empty; the
// operation chosen decides the hints.
TEST(Dialogs, TheLinkDialogReadsBlankFieldsAsEmpty) {
  CmdParams params;
  params.Num = static_cast<int32_t>(LinkOp::Rx);
  DialogContent content = NewLinkContent(params);
  EXPECT_EQ(Shown(content),
            (std::vector<std::string>{"LinkText:LinkText", "LinkOp:Op", "LinkTarget:NodeRef"}));
  EXPECT_EQ(content.Find(Control::LinkTarget)->hint, "ARexx file name");
  content.Find(Control::LinkText)->text = " \t ";
  content.Find(Control::LinkTarget)->text = " x ";
  Windows().SetDialog(content);
  CmdParams read;
  GetEnabledNewLinkGadgs(read);
  EXPECT_EQ(read.Strng, std::nullopt);
  EXPECT_EQ(read.NodeRef, " x ");
  EXPECT_EQ(read.Num, static_cast<int32_t>(LinkOp::Rx));
  CustomizeLinkOpHints(LinkOp::System);
  EXPECT_EQ(Windows().DialogNow().Find(Control::LinkTarget)->hint, "CLI command");
  EXPECT_EQ(Windows().DialogNow().Find(Control::LinkTarget)->text, " x ");  // the value stays
}

// Every control and menu item is found again from what an event carries.
TEST(Controls, GadgetsAndMenuCodesNameTheirControlAndItem) {
  std::set<std::string> names;
  for (const ControlInfo& info : AllControls()) {
    EXPECT_EQ(GadgetControl(ControlGadget(info.control)), info.control);
    EXPECT_EQ(ControlGadget(info.control)->gadgClass, info.gadgClass);
    EXPECT_TRUE(names.insert(std::string(info.name)).second) << info.name;
    EXPECT_EQ(MatchControlName(AsciiLowered(info.name)), info.control);
  }
  Gadget stranger{0, GadgClass::Button};
  EXPECT_EQ(GadgetControl(&stranger), std::nullopt);
  std::set<uint32_t> codes;
  for (int i = 0; i < kNumMenuItems; ++i) {
    MenuItem item = static_cast<MenuItem>(i);
    EXPECT_EQ(MenuItemOfCode(MenuCode(item)), item);
    EXPECT_TRUE(codes.insert(MenuCode(item)).second);
    EXPECT_EQ(MatchMenuLabel(GetMenuRow(item).label), item);
  }
  EXPECT_EQ(MenuItemOfCode(1u | (9u << 5) | (kNoSubItem << 11)), std::nullopt);
}

}  // namespace
}  // namespace folioteer
