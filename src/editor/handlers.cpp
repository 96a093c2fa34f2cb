#include "editor/handlers.h"

#include "editor/argument_readers.h"
#include "editor/main_program.h"
#include "editor/settings/settings.h"
#include "guide/document.h"
#include "guide/writer.h"
#include "html/html_export.h"
#include "nodes/node_ops.h"
#include "preview/preview.h"
#include "rtf/rtf_export.h"
#include "spell/dictionary.h"
#include "spell/spell_check.h"
#include "state/editor_state.h"
#include "support/assert.h"
#include "support/requesters.h"
#include "ui/windows.h"

namespace folioteer {
namespace {

AGDocument* Doc() { return GetDocument(Editor().guideFile); }
NodeEntry* Editing() { return Editor().editingNode; }
EditorCmd Chain() { return Editor().autoPreview ? EditorCmd::DispNode : EditorCmd::None; }

void StoreEditedText() {
  if (Editing() != nullptr) SaveNodeText(Editing());
}

// "RTF written ok.", or why the file of that format was not written.
template <typename ExportResult>
void ReportExport(const std::string& format, ExportResult result) {
  if (result == ExportResult::Written)
    CurrentRequesters().InfoRequest("Folioteer", format + " written ok.", " _Ok ");
  else if (result == ExportResult::GuideItself)
    ShowWarningS("Unable to create " + format + " file: its name is the guide's own, " + GuideFileName());
  else
    ShowWarningS("Unable to create " + format + " file");
}

}  // namespace

EditorCmd NoActionCmd(EditorCmd, const std::string&) { return EditorCmd::None; }

// A new MAIN is listed first and moves the selected row down: the
// selection flags follow it.
EditorCmd NewNodeCmd(EditorCmd, const std::string& line) {
  std::string name;
  int position = -1;
  if (ReadNewNode(line, name, position)) {
    AddNewNode(Doc(), name, position);
    GetSelectedNode();
  }
  return EditorCmd::None;
}

EditorCmd DelNodeCmd(EditorCmd cmd, const std::string& line) {
  int position = ReadPosition(cmd, line);
  if (position > 0) {
    DeleteNode(position);
    GetSelectedNode();
  }
  return Chain();
}

EditorCmd ShowNodeCmd(EditorCmd, const std::string& line) {
  int position = -1;
  NodeEntry* entry = nullptr;
  if (ReadShowNode(line, position, entry)) {
    StoreEditedText();
    if (position >= 0)
      ShowNodeTextIdx(position);
    else
      ShowNodeText(entry);
    RefreshSpellCheck();
    Editor().SetStatus(kLocalSelected, false);
  }
  return Chain();
}

EditorCmd EditNodeDescripCmd(EditorCmd, const std::string& line) {
  int position = -1;
  std::string title;
  if (ReadTitle(line, position, title)) ReTitleNode(position, title);
  return EditorCmd::None;
}

EditorCmd NodeUpCmd(EditorCmd cmd, const std::string& line) {
  int position = ReadPosition(cmd, line);
  if (position > 1) MoveNode(position, -1);
  return EditorCmd::None;
}

EditorCmd NodeDownCmd(EditorCmd cmd, const std::string& line) {
  int position = ReadPosition(cmd, line);
  if (position > 0) MoveNode(position, +1);
  return EditorCmd::None;
}

EditorCmd NewCommandCmd(EditorCmd cmd, const std::string& line) {
  AGCmdKind kind = AGCmdKind::None;
  CmdParams params;
  Assert(NewCmdArgs(cmd, line, kind, params), "NewCmdArgs FAIL");
  if (kind == AGCmdKind::None) return EditorCmd::None;
  if (cmd == EditorCmd::NewGbl)
    AddNewGbl(Doc(), kind, params);
  else
    AddNewLcl(Doc(), Editing(), kind, params);
  return EditorCmd::None;
}

EditorCmd EditCommandCmd(EditorCmd cmd, const std::string& line) {
  int index = -1;
  CmdParams params;
  Assert(UpdCmdArgs(cmd, line, index, params), "UpdCmdArgs FAIL");
  if (index < 0) return EditorCmd::None;
  if (cmd == EditorCmd::EditGbl) {
    if (AGCmd* found = FindGbl(index)) UpdateGbl(found, index, params);
  } else if (AGCmd* found = FindLcl(index)) {
    UpdateLcl(Editing(), found, index, params);
  }
  return EditorCmd::None;
}

EditorCmd DeleteCommandCmd(EditorCmd cmd, const std::string& line) {
  int index = ReadIndex(cmd, line);
  if (index >= 0) (cmd == EditorCmd::DelGbl ? DeleteGbl : DeleteLcl)(index);
  return EditorCmd::None;
}

EditorCmd DispNodeCmd(EditorCmd, const std::string&) {
  if (Editing() != nullptr) DoShow(Editing());
  return EditorCmd::None;
}

EditorCmd ViewOffCmd(EditorCmd, const std::string&) {
  ShowOff();
  return EditorCmd::None;
}

EditorCmd NewLinkCmd(EditorCmd, const std::string& line) {
  LinkOp op = LinkOp::Link;
  CmdParams params;
  Assert(NewLinkArgs(line, op, params), "NewLinkArgs FAIL");
  AddNewLink(Doc(), Editing(), op, params.Strng, params.NodeRef);
  return EditorCmd::None;
}

EditorCmd NewTextAttrCmd(EditorCmd, const std::string& line) {
  AGAttrKind kind = AGAttrKind::None;
  AttrParams params;
  Assert(NewAttrArgs(line, kind, params), "NewAttrArgs FAIL");
  if (kind != AGAttrKind::None) AddNewTxtAttr(Doc(), Editing(), kind, params);
  return EditorCmd::None;
}

EditorCmd CancelEditCmd(EditorCmd, const std::string&) {
  ShowNodeText(Editing());
  return EditorCmd::None;
}

EditorCmd SaveCmd(EditorCmd, const std::string&) {
  StoreEditedText();
  WriteItOut();
  return EditorCmd::None;
}

// When the user gives up on writing under the new name, the guide takes its
// old name back (and says so) before the end goes on as asked: the save
// question of the end then writes where the guide was, not where it cannot.
EditorCmd SaveAsCmd(EditorCmd cmd, const std::string& line) {
  std::string name;
  Assert(ReadWord(cmd, line, name), "Expected FileName for SaveAs");
  std::string oldName, oldProgramName = GuideFileName();
  InquireAGFileName(Editor().guideFile, oldName);
  if (!RedirectAmigaGuideFile(Editor().guideFile, name)) {
    CurrentRequesters().InfoRequest("Folioteer", "Bad File Name", " _Ok ");
    return EditorCmd::None;
  }
  SetGuideFileName(name);
  StoreEditedText();
  try {
    WriteItOut();
  } catch (const AssertionFailure&) {
    RedirectAmigaGuideFile(Editor().guideFile, oldName);
    SetGuideFileName(oldProgramName);
    ShowWarningDS("Not saved as " + name + ": the guide keeps its name", oldName);
    throw;
  }
  TitleMainWndo();
  return EditorCmd::None;
}

EditorCmd ShowMisspellCmd(EditorCmd cmd, const std::string& line) {
  std::string word;
  Assert(ReadWord(cmd, line, word), "bad param for ShowMisspellWrdCmd");
  Assert(Editing() != nullptr, "ShowMisspellWrdCmd: editingNode is NIL");
  SaveNodeText(Editing());
  ShowMisspell(Editing(), word);
  return EditorCmd::None;
}

EditorCmd SpellChkCmd(EditorCmd cmd, const std::string& line) {
  bool on = false;
  if (!OnOffArgs(cmd, line, on)) return EditorCmd::None;
  EditorState& editor = Editor();
  bool was = editor.spellCheck;
  editor.spellCheck = on;
  if (!was && on && Editing() != nullptr) {
    SaveNodeText(Editing());
    RefreshSpellCheck();
  }
  if (was && !on) HideSpellWin();
  PutEnvVars(VarScope::Session);
  return EditorCmd::None;
}

EditorCmd SpellWordCmd(EditorCmd cmd, const std::string& line) {
  std::string word;
  Assert(ReadWord(cmd, line, word), cmd == EditorCmd::SpellIgnore ? "bad param for SpellChkIgnoreCmd"
                                                                  : "bad param for SpellChkAddWordCmd");
  if (cmd == EditorCmd::SpellIgnore)
    IgnoreWrd(word);
  else
    AddUserWrd(word);
  RefreshSpellCheck();
  return EditorCmd::None;
}

// The export shows what the edit box holds and the nodes in the order of
// the node list, as saving does. An export stopped by an assertion has
// cleaned up after itself; its message is a warning, not the end of the
// editor.
EditorCmd ExpRtfCmd(EditorCmd, const std::string&) {
  StoreEditedText();
  ApplyNodeOrder(Doc());
  try {
    ReportExport("RTF", ConvertRTF(Editor().guideFile));
  } catch (const AssertionFailure& failure) {
    ShowWarningS(failure.Message());
  }
  return EditorCmd::None;
}

// The page shows the document as it stands in the editor, stored and
// ordered as for the RTF export, read back as a reader reads the file.
EditorCmd ExpHtmlCmd(EditorCmd, const std::string&) {
  StoreEditedText();
  ApplyNodeOrder(Doc());
  std::string guideName;
  InquireAGFileName(Editor().guideFile, guideName);
  std::string pageName = HtmlFileName(guideName);
  HtmlExportResult result = HtmlExportResult::NotCreated;
  if (!pageName.empty()) {
    HtmlOptions options{{}, PlacesFor(guideName, pageName)};
    result = ExportGuideHtml(ReadGuideSource(AmigaGuideText(Editor().guideFile)), options);
  }
  ReportExport("HTML", result);
  return EditorCmd::None;
}

EditorCmd SetEdFontCmd(EditorCmd, const std::string& line) {
  if (ReadFont(line)) {
    SetFontEditWin();
    PutEnvVars(VarScope::Session);
  }
  return EditorCmd::None;
}

// Automatic preview switched on opens the preview at once.
EditorCmd SettingToggleCmd(EditorCmd cmd, const std::string& line) {
  bool on = false;
  if (!OnOffArgs(cmd, line, on)) return EditorCmd::None;
  Setting setting = CmdInfo(cmd).setting;
  bool& value = OnOffSetting(setting);
  bool openPreview = setting == Setting::AutoPreview && on && !value && !IsShowOn();
  value = on;
  if (setting == Setting::HelpHints) SetHelpHints(on);
  PutEnvVars(VarScope::Session);
  return openPreview ? EditorCmd::DispNode : EditorCmd::None;
}

EditorCmd SaveSetCmd(EditorCmd, const std::string&) {
  PutEnvVars(VarScope::Permanent);
  return EditorCmd::None;
}

EditorCmd IconifyCmd(EditorCmd cmd, const std::string& line) {
  bool on = false;
  if (!OnOffArgs(cmd, line, on)) return EditorCmd::None;
  EditorState& editor = Editor();
  if (on) {
    HideSpellWin();
    HideEditWin();
    if (IsShowOn()) {
      editor.SetStatus(kPreviewToRestore, true);
      ShowOff();
    }
    IconifyMyWndo();
    return EditorCmd::None;
  }
  UniconifyMyWndo();
  if (Editing() != nullptr) {
    ShowEditWin();
    if (editor.Status(kPreviewToRestore) || editor.autoPreview) {
      editor.SetStatus(kPreviewToRestore, false);
      DoShow(Editing());
    }
    RefreshSpellCheck();
  }
  return EditorCmd::None;
}

EditorCmd HelpCmd(EditorCmd cmd, const std::string& line) {
  std::string name;
  Assert(ReadWord(cmd, line, name), "HelpCmd - bad arg??");
  std::string problem;
  if (!HelpOn(name.empty() ? "PROGDIR:Folioteer.guide" : name, &problem)) ShowWarning(problem);
  return EditorCmd::None;
}

EditorCmd AboutCmd(EditorCmd, const std::string&) {
  ShowAbout();
  return EditorCmd::None;
}

EditorCmd Dispatch(EditorCmd cmd, const std::string& argLine) { return CmdInfo(cmd).handler(cmd, argLine); }

void RefreshSpellCheck() {
  EditorState& editor = Editor();
  if (!editor.spellCheck || Editing() == nullptr) return;
  if (SpellChkNode(Doc(), Editing())) {
    ShowSpellWin(Editing());
    editor.SetStatus(kMisspellingShown, false);
    return;
  }
  editor.spellCheck = false;
  CheckUncheckItem(MenuItem::SpellCheck, false);
  PutEnvVars(VarScope::Session);
}

void ShowAbout() {
  std::string dictionary, userList;
  GetActiveWordlistName(dictionary);
  GetActiveUserWrdLstName(userList);
  std::string text = std::string(kVersionString) + "\n";
  text += "Folioteer, an editor for AmigaGuide documents. Free software.\n\n";
  text += "Spell Dict : \"" + dictionary + "\"   ($DICTIONARY_WORDLIST)\n";
  text += "Spell User: \"" + userList + "\"   ($WORDLIST)";
  CurrentRequesters().InfoRequest("Folioteer", text, " _Ok ");
}

}  // namespace folioteer
