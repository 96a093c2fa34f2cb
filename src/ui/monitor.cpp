#include "ui/monitor.h"

#include <algorithm>
#include <chrono>

#include "support/assert.h"
#include "support/debug_output.h"
#include "ui/window_record.h"

namespace folioteer {
namespace {

std::atomic<WindowToolkit*> running{nullptr};
std::atomic<EvntFilter> filters[kNumGadgClasses];
// Set by the break signal: one flag for the program, one for the monitor.
std::atomic<bool> breakForProgram{false};
std::atomic<bool> breakForMonitor{false};
std::atomic<uint64_t> breaksNoted{0};
static_assert(std::atomic<uint64_t>::is_always_lock_free, "NoteBreak runs in a signal handler");

bool IsRealWndo(Wndo window) { return window != NullWndo() && window != AnyWndo(); }

// A failed assertion must not leave the monitor's task, whatever task the
// program marked as its own.
void ReportChildFailure(const AssertionFailure& failure) {
  DebugPrint("*Assert FAILED in child: " + std::string(failure.what()));
}

bool PassesFilter(const WndoEvnt& evnt) {
  if (evnt.gadget == nullptr) return true;
  EvntFilter filter = ClassFilter(evnt.gadget->gadgClass);
  return filter == nullptr || filter(evnt);
}

// Step 4: the queued commands.

void CarryOut(WindowToolkit& toolkit, const WndoCmd& cmd, int64_t now) {
  Wndo window = cmd.window;
  bool real = IsRealWndo(window);
  WndoState state = real ? window->state.load() : WndoState::Closed;
  WndoBackend& backend = *toolkit.backend;
  switch (cmd.kind) {
    case WndoCmdKind::OpenWindow:
      if (!real || state != WndoState::Closed) break;
      if (backend.OpenPlatformWindow(window))
        window->state = WndoState::Open;
      else
        window->openFailed = true;
      break;
    case WndoCmdKind::CloseWindow:
      if (!real || state == WndoState::Closed) break;
      backend.ClosePlatformWindow(window);
      window->state = WndoState::Closed;
      break;
    case WndoCmdKind::Iconify:
      if (!real || state != WndoState::Open) break;
      backend.IconifyPlatformWindow(window);
      window->state = WndoState::Iconified;
      break;
    case WndoCmdKind::Uniconify:
      if (!real || state != WndoState::Iconified) break;
      backend.UniconifyPlatformWindow(window);
      window->state = WndoState::Open;
      break;
    case WndoCmdKind::SetDeadline:
      (real ? window->deadline : toolkit.globalDeadline) = now + cmd.value;
      break;
    case WndoCmdKind::Quit: toolkit.quitting = true; break;
    default: DebugPrint("?? Qcmd");
  }
}

void CarryOutCommands(WindowToolkit& toolkit, int64_t now) {
  void* item = nullptr;
  while (FromQueue(toolkit.SimpleGUIIPC, item)) {
    auto* cmd = static_cast<WndoCmd*>(item);
    try {
      CarryOut(toolkit, *cmd, now);
    } catch (const AssertionFailure& failure) {
      ReportChildFailure(failure);
    }
    if (cmd->wait == CmdWait::UntilDone)
      cmd->done.release();  // the sender returns the record to the pool
    else
      ReturnCmdRecord(cmd);
  }
}

// Step 5: the windows' events.

void QueueEvnt(WndoRecord& window, WndoEvnt evnt) {
  evnt.window = &window;
  QueueDroppingOldest(window.pendingEvnts, evnt, "Full pendingEvnts QUEUE");
}

// The kinds a platform message may give; Key, HelpKey and Tick are the
// monitor's own.
bool IsPlatformKind(EvntKind kind) {
  switch (kind) {
    case EvntKind::CloseWindow:
    case EvntKind::Iconify:
    case EvntKind::Uniconify:
    case EvntKind::NewSize:
    case EvntKind::ChangeWin:
    case EvntKind::Active:
    case EvntKind::Inactive:
    case EvntKind::GadgetUp:
    case EvntKind::ListDoubleClick:
    case EvntKind::MenuPick:
    case EvntKind::LeftDown:
    case EvntKind::LeftUp:
    case EvntKind::RightDown:
    case EvntKind::RightUp:
    case EvntKind::MiddleDown:
    case EvntKind::MiddleUp: return true;
    default: return false;
  }
}

// One Key event per character of the key map, or HelpKey.
bool QueueKey(WndoRecord& window, const WndoInput& input) {
  WndoEvnt evnt;
  if (input.helpKey && (window.modifiers & kWndoHelpKey) != 0) {
    evnt.kind = EvntKind::HelpKey;
    QueueEvnt(window, evnt);
    return true;
  }
  size_t count = std::min(input.keyChars.size(), static_cast<size_t>(kMaxKeyChars));
  evnt.kind = EvntKind::Key;
  for (size_t i = 0; i < count; ++i) {
    evnt.character = static_cast<uint8_t>(input.keyChars[i]);
    QueueEvnt(window, evnt);
  }
  return count > 0;
}

// The position slot follows a size or position change.
void KeepBox(WndoRecord& window, const WndoInput& input, std::vector<std::string>& warnings) {
  if (!input.boxRead) {
    warnings.push_back(input.evnt.kind == EvntKind::NewSize ? "GetAttr(...) FAIL NewSize"
                                                            : "GetAttr(...) FAIL ChangeWin");
    return;
  }
  std::lock_guard hold(window.fieldsLock);
  window.current = input.slot;
  window.slots[static_cast<int>(input.slot)] = input.box;
}

// TRUE when the input made an event.
bool QueueInput(WndoRecord& window, const WndoInput& input, std::vector<std::string>& warnings) {
  switch (input.kind) {
    case InputKind::MouseMove: ++window.mouseMoves; return false;
    case InputKind::KeyDown: return QueueKey(window, input);
    case InputKind::Evnt: break;
  }
  WndoEvnt evnt = input.evnt;
  if (!IsPlatformKind(evnt.kind)) {
    AssertFail("Unknown input kind in MonitorProc");
    return false;
  }
  if (evnt.kind == EvntKind::NewSize || evnt.kind == EvntKind::ChangeWin) KeepBox(window, input, warnings);
  if (evnt.kind == EvntKind::GadgetUp && !PassesFilter(evnt)) return false;
  evnt.value2 = evnt.value;
  QueueEvnt(window, evnt);
  return true;
}

void ClearDeadlines(WindowToolkit& toolkit, WndoRecord& window) {
  window.deadline = 0;
  toolkit.globalDeadline = 0;
}

// Wakes a program waiting on the window or on any window; FALSE when none waits.
bool WakeForEvents(WindowToolkit& toolkit, WndoRecord& window) {
  bool woke = false;
  if (window.waiting.try_acquire()) {
    ClearDeadlines(toolkit, window);
    window.wake.release();
    woke = true;
  }
  if (toolkit.waitingAny.try_acquire()) {
    ClearDeadlines(toolkit, window);
    toolkit.wakeAny.release();
    woke = true;
  }
  return woke;
}

void PassWindow(WindowToolkit& toolkit, WndoRecord& window, int64_t now, std::vector<WndoInput>& input,
                std::vector<std::string>& warnings) {
  bool got = false;
  WndoEvnt evnt;
  while (FromCopyQueue(window.EvntsForFilter, &evnt)) {
    if (!PassesFilter(evnt)) continue;
    QueueEvnt(window, evnt);
    got = true;
  }
  WndoState state = window.state;
  // Only the monitor takes the waiting semaphore, so taking and giving it
  // back tells whether the program waits without disturbing the handshake.
  if (state == WndoState::Open && IsEmpty(window.pendingEvnts) && window.waiting.try_acquire()) {
    window.waiting.release();
    toolkit.backend->ProgramWaiting(&window);
  }
  if (state != WndoState::Closed) {
    input.clear();
    toolkit.backend->ReadInput(&window, input);
    for (const WndoInput& each : input) got = QueueInput(window, each, warnings) || got;
  }
  if (state == WndoState::Open && window.pacer && now - window.lastTick > 1) {
    QueueEvnt(window, WndoEvnt{.kind = EvntKind::Tick});
    window.lastTick = now;
    got = true;
  }
  bool triggered = window.trigger.exchange(false);
  if (got || triggered || !IsEmpty(window.pendingEvnts)) {
    // A trigger nobody was waiting for is kept for the next wait.
    if (!WakeForEvents(toolkit, window) && triggered) window.trigger = true;
  }
  int64_t deadline = window.deadline;
  if (deadline != 0 && now > deadline) {
    window.deadline = 0;
    if (window.waiting.try_acquire()) window.wake.release();
  }
}

// Step 6: the global deadline and trigger flag.
void PassGlobal(WindowToolkit& toolkit, int64_t now) {
  int64_t deadline = toolkit.globalDeadline;
  if (deadline != 0 && now > deadline) {
    toolkit.globalDeadline = 0;
    if (toolkit.waitingAny.try_acquire()) toolkit.wakeAny.release();
  }
  if (toolkit.globalTrigger.exchange(false)) {
    if (toolkit.waitingAny.try_acquire()) {
      toolkit.globalDeadline = 0;
      toolkit.wakeAny.release();
    } else {
      toolkit.globalTrigger = true;
    }
  }
}

void OneTurn(WindowToolkit& toolkit) {
  int64_t now = toolkit.clock();
  if (breakForMonitor.exchange(false)) toolkit.globalTrigger = true;
  CarryOutCommands(toolkit, now);
  std::vector<WndoInput> input;
  std::vector<std::string> warnings;
  {
    std::lock_guard hold(toolkit.windowListLock);
    for (WndoRecord* window = toolkit.windows; window != nullptr; window = window->next)
      PassWindow(toolkit, *window, now, input, warnings);
  }
  PassGlobal(toolkit, now);
  // Warnings wait until the window list is free again: a requester may run
  // an event loop of its own.
  for (const std::string& warning : warnings) ShowWarning(warning);
}

}  // namespace

WindowToolkit& Toolkit() {
  WindowToolkit* toolkit = running.load();
  Assert(toolkit != nullptr, "SimpleGUI: not started");
  return *toolkit;
}

EvntFilter ClassFilter(GadgClass gadgClass) { return filters[static_cast<int>(gadgClass)].load(); }

void InstallEvntFilter(GadgClass gadgClass, EvntFilter filter) {
  filters[static_cast<int>(gadgClass)] = filter;
}

// Not time(): on Linux it reads a coarse clock that lags the one the
// headless monitor's timer waits on, so a turn just after a whole second
// would still see the second before.
int64_t SystemSeconds() {
  auto now = std::chrono::system_clock::now().time_since_epoch();
  return std::chrono::floor<std::chrono::seconds>(now).count();
}

void StartWindowToolkit(WndoBackend& backend, SecondsClock clock) {
  Assert(running.load() == nullptr, "SimpleGUI: started twice");
  auto* toolkit = new WindowToolkit;
  toolkit->backend = &backend;
  toolkit->clock = clock;
  if (!AllocRefQueue(toolkit->SimpleGUIIPC, kCmdQueueSize)) {
    delete toolkit;
    AssertFail("SimpleGUIPC: AllocRefQueue FAIL");
    return;
  }
  running = toolkit;
  backend.StartMonitor();
}

void StopWindowToolkit() {
  WindowToolkit* toolkit = running.load();
  if (toolkit == nullptr) return;
  for (;;) {
    Wndo window;
    {
      std::lock_guard hold(toolkit->windowListLock);
      window = toolkit->windows;
    }
    if (window == nullptr) break;
    DisposeWndo(window);
  }
  SendCmd(WndoCmdKind::Quit, 0, CmdWait::UntilDone);
  toolkit->backend->StopMonitor();
  running = nullptr;
  for (WndoCmd* cmd = toolkit->madeCmds; cmd != nullptr;) {
    WndoCmd* next = cmd->nextMade;
    delete cmd;
    cmd = next;
  }
  DeallocQueue(toolkit->SimpleGUIIPC);
  delete toolkit;
}

bool WindowToolkitStarted() { return running.load() != nullptr; }

bool MonitorTurn() {
  WindowToolkit* toolkit = running.load();
  if (toolkit == nullptr || toolkit->quitting) return false;
  if (toolkit->inTurn) {
    toolkit->turnAgain = true;
    return true;
  }
  toolkit->inTurn = true;
  do {
    toolkit->turnAgain = false;
    try {
      OneTurn(*toolkit);
    } catch (const AssertionFailure& failure) {
      ReportChildFailure(failure);
    }
  } while (toolkit->turnAgain && !toolkit->quitting);
  toolkit->inTurn = false;
  return !toolkit->quitting;
}

bool ProgramWaitsForInput() {
  WindowToolkit* toolkit = running.load();
  if (toolkit == nullptr || toolkit->inTurn) return false;
  {
    std::lock_guard hold(toolkit->windowListLock);
    for (WndoRecord* window = toolkit->windows; window != nullptr; window = window->next)
      if (!IsEmpty(window->pendingEvnts) || !IsEmpty(window->EvntsForFilter)) return false;
  }
  // Only the monitor takes the waiting semaphore: taking and giving it back
  // leaves the handshake as it was.
  if (!toolkit->waitingAny.try_acquire()) return false;
  toolkit->waitingAny.release();
  return true;
}

void NoteBreak() {
  breakForProgram = true;
  breakForMonitor = true;
  ++breaksNoted;
}

bool TakeBreak() { return breakForProgram.exchange(false); }
uint64_t BreakCount() { return breaksNoted.load(); }

// Input records.

WndoInput EvntInput(EvntKind kind, const Gadget* gadget, int32_t value) {
  WndoInput input;
  input.evnt.kind = kind;
  input.evnt.gadget = gadget;
  input.evnt.value = value;
  return input;
}

WndoInput MenuInput(uint32_t code) {
  WndoInput input = EvntInput(EvntKind::MenuPick);
  input.evnt.code = code;
  return input;
}

WndoInput KeyInput(std::string keyChars, bool helpKey) {
  WndoInput input;
  input.kind = InputKind::KeyDown;
  input.keyChars = std::move(keyChars);
  input.helpKey = helpKey;
  return input;
}

WndoInput BoxInput(EvntKind kind, WndoBox box, WndoSlot slot) {
  WndoInput input = EvntInput(kind);
  input.box = box;
  input.slot = slot;
  return input;
}

WndoInput MouseMoveInput() {
  WndoInput input;
  input.kind = InputKind::MouseMove;
  return input;
}

}  // namespace folioteer
