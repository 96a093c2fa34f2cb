// Window records and their events, as the program task sees them.
//
// The platform's windows are driven by a separate monitor task (ui/monitor.h),
// which alone opens, closes and iconifies them and reads their input. The
// program reaches it through the monitor command queue (SendWindowCmd: at
// most kCmdQueueSize commands, in records taken from a pool) and takes events
// from each window's pendingEvnts queue, a copy of every event record, at most
// kPendingEvnts of them: when more arrive the oldest is dropped. Events the
// program makes itself (TriggerWndoEvnt) wait in the window's EvntsForFilter
// (kEvntsForFilter, the oldest dropped) until the monitor's next turn passes
// them on through the event filter of their control's class.
//
// The program blocks only in WaitWndoEvnt and WaitWndoEvntTimed. A wait
// releases a waiting semaphore (the window's, or the global one for AnyWndo)
// and then claims a wake semaphore; the monitor wakes only a waiter whose
// waiting semaphore it can take without blocking, so every wait is answered by
// exactly one wake-up and none is stored for a program that is not waiting.
// A wait does not take the event: GetWndoEvnt does, without waiting.
//
// All windows form one list, newest first, under the window-list lock. Times
// are whole seconds of system time from the toolkit's clock (0: no deadline).
// None of these operations may be called on the monitor task.
#pragma once

#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

namespace folioteer {

inline constexpr int kPendingEvnts = 50;
inline constexpr int kEvntsForFilter = 25;
inline constexpr int kCmdQueueSize = 20;
// A key gives one Key event for each of at most this many characters.
inline constexpr int kMaxKeyChars = 15;

struct WndoRecord;
using Wndo = WndoRecord*;

// The two distinguished window values: no window (0) and any window (1).
inline Wndo NullWndo() { return nullptr; }
inline Wndo AnyWndo() { return reinterpret_cast<Wndo>(uintptr_t{1}); }

// The classes of controls; each class may install one event filter.
enum class GadgClass : uint8_t {
  Button,
  CheckBox,
  Chooser,
  Label,
  String,
  Integer,
  ListBrowser,
  TextEditor,
  Glyph,
  Layout
};
inline constexpr int kNumGadgClasses = 10;

// A control as events name it; the window layer owns these records.
struct Gadget {
  int id = -1;  // the window layer's number for the control
  GadgClass gadgClass = GadgClass::Button;
};

enum class EvntKind : uint8_t {
  None = 0,
  CloseWindow = 1,
  Iconify = 2,
  Uniconify = 3,
  NewSize = 4,
  ChangeWin = 5,
  Active = 6,
  Inactive = 7,
  GadgetUp = 8,
  ListDoubleClick = 9,
  MenuPick = 11,
  Key = 12,
  HelpKey = 13,
  LeftDown = 14,
  LeftUp = 15,
  RightDown = 16,
  RightUp = 17,
  MiddleDown = 18,
  MiddleUp = 19,
  Tick = 22
};

// How a text entry ended.
inline constexpr uint8_t kEndKeyOther = 0;  // Return
inline constexpr uint8_t kEndKeyTab = 1;
inline constexpr uint8_t kEndKeyCode10 = 2;

// An event, copied by value. The selected row of a list, the chosen entry of
// a chooser and the text of a field are read from the control, not carried.
struct WndoEvnt {
  Wndo window = nullptr;           // set when the event is queued
  const Gadget* gadget = nullptr;  // gadget and mouse events
  int32_t x = 0;                   // pointer position (mouse button events)
  int32_t y = 0;
  int32_t value = 0;   // a value control's value
  int32_t value2 = 0;  // the same value
  uint8_t endKey = kEndKeyOther;
  EvntKind kind = EvntKind::None;
  uint8_t character = 0;  // Key events
  uint32_t code = 0;      // MenuPick: the packed menu, item and sub-item number
};

// Keeps (TRUE) or drops an event of a control of the class it is installed
// for. Runs on the monitor task.
using EvntFilter = bool (*)(const WndoEvnt& evnt);
// nullptr removes the class's filter.
void InstallEvntFilter(GadgClass gadgClass, EvntFilter filter);

// Window modifiers.
using WndoModSet = uint32_t;
inline constexpr WndoModSet kWndoHelpKey = 1u << 0;  // Help key events wanted

// The unset width or height of NewWndo, and what takes its place.
inline constexpr int kUnsetSize = INT_MIN;
inline constexpr int kDefaultWndoWidth = 100;
inline constexpr int kDefaultWndoHeight = 50;

struct WndoBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const WndoBox&, const WndoBox&) = default;
};
// The two position slots of a window.
enum class WndoSlot : uint8_t { Normal = 0, Zoomed = 1 };

// The window record with its queues and semaphores, linked into the window
// list; not open yet. The normal slot starts at 20, 20 and the zoomed one at
// 0, 0, both of the given size.
Wndo NewWndo(std::string_view title, int width = kUnsetSize, int height = kUnsetSize,
             WndoModSet modifiers = 0);
// Each returns when the monitor has carried the command out; a window that
// cannot be opened raises "ReactionOpenWindow FAIL".
void OpenWndo(Wndo window);
void CloseWndo(Wndo window);  // the record stays
void IconifyWndo(Wndo window);
void UniconifyWndo(Wndo window);
// Closes the window if needed and frees the record; window becomes NullWndo.
void DisposeWndo(Wndo& window);
// Whether the platform window exists (not while iconified).
bool IsWndoOpen(Wndo window);
bool IsWndoIconified(Wndo window);

std::string GetWndoTitle(Wndo window);
void SetWndoTitle(Wndo window, std::string_view title);
WndoModSet GetWndoModifiers(Wndo window);
WndoBox GetWndoBox(Wndo window, WndoSlot slot);
void SetWndoBox(Wndo window, WndoSlot slot, WndoBox box);
WndoSlot GetWndoSlot(Wndo window);
// Mouse moves produce no events; they are only counted.
uint64_t GetWndoMouseMoves(Wndo window);

// Takes the oldest queued event of the window, or for AnyWndo of the newest
// window that has one; FALSE when there is none.
bool GetWndoEvnt(Wndo window, WndoEvnt& evnt);
// Blocks until the monitor wakes the program for the window (any window for
// AnyWndo): an event is queued, the window was triggered, or a deadline passed.
void WaitWndoEvnt(Wndo window);
// WaitWndoEvnt that returns at the latest once the given number of whole
// seconds has passed.
void WaitWndoEvntTimed(Wndo window, int seconds);
// Switches the window's Tick events: one whenever at least two whole seconds
// have passed since the last, while the window is open.
void SetWndoPacer(Wndo window, bool on);
// For a window: queues evnt in its EvntsForFilter and makes the monitor wake a
// program waiting on it. For NullWndo: sets the global trigger flag, which
// wakes a program waiting on any window (now or at its next wait).
void TriggerWndoEvnt(Wndo window, const WndoEvnt& evnt);

// The commands of the monitor.
enum class WndoCmdKind : uint8_t {
  OpenWindow = 0,
  CloseWindow = 1,
  Iconify = 2,
  Uniconify = 3,
  SetDeadline = 4,  // value: seconds from now; AnyWndo: the global deadline
  Quit = 5
};
enum class CmdWait : uint8_t { NoWait, UntilDone };

// Queues a command and signals the monitor; UntilDone blocks until it has been
// carried out. A command for a window whose platform object is gone is dropped.
void SendWindowCmd(WndoCmdKind kind, Wndo window, int32_t value, CmdWait wait);
void SendCmd(WndoCmdKind kind, int32_t value, CmdWait wait);

}  // namespace folioteer
