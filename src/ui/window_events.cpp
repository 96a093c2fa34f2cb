#include "ui/window_events.h"

#include <new>
#include <type_traits>

#include "support/assert.h"
#include "ui/window_record.h"

namespace folioteer {

// The queues copy event records byte for byte.
static_assert(std::is_trivially_copyable_v<WndoEvnt>);

namespace {

bool IsRealWndo(Wndo window) { return window != NullWndo() && window != AnyWndo(); }

// FALSE (after the assertion) when the window is NullWndo or AnyWndo.
bool CheckRealWndo(Wndo window, std::string_view operation) {
  if (IsRealWndo(window)) return true;
  AssertFail(std::string(operation) + (window == NullWndo() ? " to NullWndo" : " to AnyWndo"));
  return false;
}

void FreeRecord(Wndo window) {
  DeallocQueue(window->pendingEvnts);
  DeallocQueue(window->EvntsForFilter);
  delete window;
}

void Unlink(WindowToolkit& toolkit, Wndo window) {
  std::lock_guard hold(toolkit.windowListLock);
  for (WndoRecord** link = &toolkit.windows; *link != nullptr; link = &(*link)->next) {
    if (*link == window) {
      *link = window->next;
      return;
    }
  }
}

void SendToMonitor(WndoCmdKind kind, Wndo window, int32_t value, CmdWait wait) {
  WindowToolkit& toolkit = Toolkit();
  WndoCmd* cmd = TakeCmdRecord();
  if (cmd == nullptr) return;
  cmd->kind = kind;
  cmd->window = window;
  cmd->value = value;
  cmd->wait = wait;
  if (!ToQueue(toolkit.SimpleGUIIPC, cmd)) {
    ReturnCmdRecord(cmd);
    AssertFail("SimpleGUI: ToQueue FAIL");
    return;
  }
  toolkit.backend->SignalMonitor();
  if (wait == CmdWait::UntilDone) {
    // The monitor hands a waited-for record back here rather than to the
    // pool, so a release meant for one sender never reaches the next.
    cmd->done.acquire();
    ReturnCmdRecord(cmd);
  }
}

bool TakeEvnt(Wndo window, WndoEvnt& evnt) { return FromCopyQueue(window->pendingEvnts, &evnt); }

}  // namespace

// The command record pool.

WndoCmd* TakeCmdRecord() {
  WindowToolkit& toolkit = Toolkit();
  std::unique_lock hold(toolkit.poolLock);
  if (WndoCmd* cmd = toolkit.freeCmds) {
    toolkit.freeCmds = cmd->nextFree;
    return cmd;
  }
  WndoCmd* cmd = new (std::nothrow) WndoCmd;
  if (cmd == nullptr) {
    hold.unlock();
    AssertFail("SimpleGUI: Out of Memory");
    return nullptr;
  }
  cmd->nextMade = toolkit.madeCmds;
  toolkit.madeCmds = cmd;
  return cmd;
}

void ReturnCmdRecord(WndoCmd* cmd) {
  WindowToolkit& toolkit = Toolkit();
  std::lock_guard hold(toolkit.poolLock);
  cmd->nextFree = toolkit.freeCmds;
  toolkit.freeCmds = cmd;
}

void QueueDroppingOldest(QUEUE queue, WndoEvnt evnt, std::string_view fullMessage) {
  if (ToQueue(queue, &evnt)) return;
  WndoEvnt oldest;
  FromCopyQueue(queue, &oldest);
  if (!ToQueue(queue, &evnt)) AssertFail(fullMessage);
}

// Window life.

Wndo NewWndo(std::string_view title, int width, int height, WndoModSet modifiers) {
  WindowToolkit& toolkit = Toolkit();
  Wndo window = new (std::nothrow) WndoRecord;
  if (window == nullptr) {
    AssertFail("Out of memory in NewWndo");
    return NullWndo();
  }
  if (!AllocQueue(window->pendingEvnts, kPendingEvnts, sizeof(WndoEvnt)) ||
      !AllocQueue(window->EvntsForFilter, kEvntsForFilter, sizeof(WndoEvnt))) {
    FreeRecord(window);
    AssertFail("Out of memory in NewWndo");
    return NullWndo();
  }
  window->title = title;
  window->modifiers = modifiers;
  width = width == kUnsetSize ? kDefaultWndoWidth : width;
  height = height == kUnsetSize ? kDefaultWndoHeight : height;
  window->slots[static_cast<int>(WndoSlot::Normal)] = {20, 20, width, height};
  window->slots[static_cast<int>(WndoSlot::Zoomed)] = {0, 0, width, height};
  if (!toolkit.backend->MakeWindowObject(window)) {
    FreeRecord(window);
    AssertFail("MakeWindowObject FAIL in NewWndo");
    return NullWndo();
  }
  window->hasObject = true;
  std::lock_guard hold(toolkit.windowListLock);
  window->next = toolkit.windows;
  toolkit.windows = window;
  return window;
}

void OpenWndo(Wndo window) {
  if (!CheckRealWndo(window, "OpenWndo")) return;
  window->openFailed = false;
  SendWindowCmd(WndoCmdKind::OpenWindow, window, 0, CmdWait::UntilDone);
  // The monitor goes on after a failed open; the program task reports it.
  if (window->openFailed.exchange(false)) AssertFail("ReactionOpenWindow FAIL");
}

void CloseWndo(Wndo window) {
  if (CheckRealWndo(window, "CloseWndo"))
    SendWindowCmd(WndoCmdKind::CloseWindow, window, 0, CmdWait::UntilDone);
}

void IconifyWndo(Wndo window) {
  if (CheckRealWndo(window, "IconifyWndo"))
    SendWindowCmd(WndoCmdKind::Iconify, window, 0, CmdWait::UntilDone);
}

void UniconifyWndo(Wndo window) {
  if (CheckRealWndo(window, "UniconifyWndo"))
    SendWindowCmd(WndoCmdKind::Uniconify, window, 0, CmdWait::UntilDone);
}

void DisposeWndo(Wndo& window) {
  if (window == NullWndo()) return;
  if (!CheckRealWndo(window, "DisposeWndo")) return;
  WindowToolkit& toolkit = Toolkit();
  // Also when the window is closed already: once this command is done, no
  // command queued before it can still refer to the record.
  SendWindowCmd(WndoCmdKind::CloseWindow, window, 0, CmdWait::UntilDone);
  Unlink(toolkit, window);
  window->hasObject = false;
  toolkit.backend->DisposeWindowObject(window);
  FreeRecord(window);
  window = NullWndo();
}

bool IsWndoOpen(Wndo window) { return IsRealWndo(window) && window->state == WndoState::Open; }

bool IsWndoIconified(Wndo window) { return IsRealWndo(window) && window->state == WndoState::Iconified; }

// Window fields.

std::string GetWndoTitle(Wndo window) {
  if (!CheckRealWndo(window, "GetWndoTitle")) return {};
  std::lock_guard hold(window->fieldsLock);
  return window->title;
}

void SetWndoTitle(Wndo window, std::string_view title) {
  if (!CheckRealWndo(window, "SetWndoTitle")) return;
  std::lock_guard hold(window->fieldsLock);
  window->title = title;
}

WndoModSet GetWndoModifiers(Wndo window) {
  return CheckRealWndo(window, "GetWndoModifiers") ? window->modifiers : 0;
}

WndoBox GetWndoBox(Wndo window, WndoSlot slot) {
  if (!CheckRealWndo(window, "GetWndoBox")) return {};
  std::lock_guard hold(window->fieldsLock);
  return window->slots[static_cast<int>(slot)];
}

void SetWndoBox(Wndo window, WndoSlot slot, WndoBox box) {
  if (!CheckRealWndo(window, "SetWndoBox")) return;
  std::lock_guard hold(window->fieldsLock);
  window->slots[static_cast<int>(slot)] = box;
}

WndoSlot GetWndoSlot(Wndo window) {
  if (!CheckRealWndo(window, "GetWndoSlot")) return WndoSlot::Normal;
  std::lock_guard hold(window->fieldsLock);
  return window->current;
}

uint64_t GetWndoMouseMoves(Wndo window) {
  return CheckRealWndo(window, "GetWndoMouseMoves") ? window->mouseMoves.load() : 0;
}

// Events.

bool GetWndoEvnt(Wndo window, WndoEvnt& evnt) {
  if (window == NullWndo()) return false;
  if (window != AnyWndo()) return TakeEvnt(window, evnt);
  WindowToolkit& toolkit = Toolkit();
  std::lock_guard hold(toolkit.windowListLock);
  for (Wndo each = toolkit.windows; each != nullptr; each = each->next)
    if (TakeEvnt(each, evnt)) return true;
  return false;
}

void WaitWndoEvnt(Wndo window) {
  if (window == NullWndo()) {
    AssertFail("WaitWndoEvnt: call to NullWndo ");
    return;
  }
  WindowToolkit& toolkit = Toolkit();
  bool any = window == AnyWndo();
  (any ? toolkit.waitingAny : window->waiting).release();
  // Events may be queued already: the next turn should come now, not with the
  // next tick of the monitor's timer.
  toolkit.backend->SignalMonitor();
  (any ? toolkit.wakeAny : window->wake).acquire();
}

void WaitWndoEvntTimed(Wndo window, int seconds) {
  SendWindowCmd(WndoCmdKind::SetDeadline, window, seconds, CmdWait::NoWait);
  WaitWndoEvnt(window);
}

void SetWndoPacer(Wndo window, bool on) {
  if (!CheckRealWndo(window, "SetWndoPacer")) return;
  if (on && !window->pacer) window->lastTick = Toolkit().clock();
  window->pacer = on;
}

void TriggerWndoEvnt(Wndo window, const WndoEvnt& evnt) {
  WindowToolkit& toolkit = Toolkit();
  if (window == NullWndo()) {
    toolkit.globalTrigger = true;
  } else {
    if (!CheckRealWndo(window, "TriggerWndoEvnt")) return;
    WndoEvnt queued = evnt;
    queued.window = window;
    QueueDroppingOldest(window->EvntsForFilter, queued, "Full EvntsForFilter QUEUE");
    window->trigger = true;
  }
  toolkit.backend->SignalMonitor();
}

// Commands.

void SendWindowCmd(WndoCmdKind kind, Wndo window, int32_t value, CmdWait wait) {
  if (window == NullWndo()) {
    AssertFail("SendWindowCmd to NullWndo");
    return;
  }
  if (window != AnyWndo() && !window->hasObject) return;
  SendToMonitor(kind, window, value, wait);
}

void SendCmd(WndoCmdKind kind, int32_t value, CmdWait wait) { SendToMonitor(kind, NullWndo(), value, wait); }

}  // namespace folioteer
