// The format layer of command and attribute records: creating commands and
// attributes from parameters, updating them, and rendering them as the text
// that stands in a guide file. The rendering here is the written form of
// every command line of a saved guide and of every link and attribute
// inserted into node text.
//
// String values are stored in written form: quoted (a double quote added at
// each end unless the value already begins and ends with one; nothing inside
// is escaped), except the values of @remark and @$VER: and the operation name
// of a link. The parser removes such quotes again, so values survive a save.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "guide/records.h"
#include "support/channels.h"

namespace folioteer {

// What keeps a value from standing in a written command as it was entered:
// the written form has no escape for a double quote between quotes, and a
// line end would end the command. Such a value would read back otherwise.
enum class ValueFault : uint8_t { None, DoubleQuote, LineEnd };
// How a value stands in a written command: between quotes, or as it is.
enum class ValueForm : uint8_t { Quoted, Verbatim };
ValueFault CheckValue(std::string_view value, ValueForm form);

// A value of the parameters that a command of the kind would write
// (CreateCmd, UpdateCmd) and that CheckValue refuses.
struct UnwritableValue {
  std::string value;
  ValueFault fault = ValueFault::None;
};
std::optional<UnwritableValue> FindUnwritableValue(AGCmdKind kind, const CmdParams& params);

// The written form of a value: quoted unless it is already.
std::string QuotedValue(std::string_view value);
// The value with one pair of enclosing quotes removed, if it has them.
std::string UnquotedValue(std::string_view value);

AGCmd* CreateEmptyCmd();
AGCmd* NilAGCmd();
AGCmd* CreateCmd(AGCmdKind kind, const CmdParams& params);
AGCmd* CreateNodeRefCmd(AGCmdKind kind, std::string_view text);
AGCmd* CreateStrParamCmd(AGCmdKind kind, std::string_view text);
AGCmd* CreateTwoStrParamCmd(AGCmdKind kind, std::string_view first, std::string_view second);
AGCmd* CreateFontCmd(AGCmdKind kind, std::string_view name, int32_t size);
AGCmd* CreateNumberCmd(AGCmdKind kind, int32_t n);
AGCmd* CreateSwitchCmd(AGCmdKind kind);
AGCmd* CreateNodeCmd(std::string_view name, std::string_view title);
AGCmd* CreateLinkCmd(LinkOp op, const std::optional<std::string>& label,
                     const std::optional<std::string>& target);
// name version.revision (day.month.year); a two-digit year is taken as 19xx from 70, else 20xx.
AGCmd* CreateVersionCmd(const std::optional<std::string>& name, int version, int revision, int day, int month,
                        int year, const std::optional<std::string>& comment);

void UpdateCmdNodeRef(AGCmd* cmd, const std::optional<std::string>& text);
void UpdateCmdStr0(AGCmd* cmd, const std::optional<std::string>& text);
void UpdateCmdStr1(AGCmd* cmd, const std::optional<std::string>& text);
void UpdateCmdNum(AGCmd* cmd, int32_t n);
void UpdateCmd(AGCmd* cmd, const CmdParams& params);
void DisposeCmd(AGCmd*& cmd);

// The command's written form, without line end.
void BuildCmd(const AGCmd* cmd, std::string& text);
// BuildCmd, then a line end unless the command is a link.
void OutputCmd(Channel out, const AGCmd* cmd);

AGAttr* CreateEmptyAttr();
AGAttr* NilAGAttr();
AGAttr* CreateAttr(AGAttrKind kind, const AttrParams& params);
AGAttr* CreateNumberAttr(AGAttrKind kind, int32_t n);
AGAttr* CreateColorAttr(AGAttrKind kind, GuideColor color);
AGAttr* CreateStyleAttr(AGAttrKind kind, AttrForm form);
AGAttr* CreateSwitchAttr(AGAttrKind kind);
AGAttr* CreateSetTabsAttr(std::string_view text);
void DisposeAttr(AGAttr*& attr);
void BuildAttr(const AGAttr* attr, std::string& text);

}  // namespace folioteer
