// The window record and the state of the window toolkit, shared by the
// program's side (window_events.cpp) and the monitor (monitor.cpp) and by
// nothing else.
//
// Fields written by one task and read by the other are atomics or sit behind
// a lock: the state, deadline, pacer and trigger fields are atomics; the title
// and the position slots are behind the record's own fieldsLock; the queues
// hold the queue module's lock. The window list and each record's next link
// are behind windowListLock.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <semaphore>
#include <string>
#include <string_view>

#include "ui/monitor.h"
#include "ui/queue.h"
#include "ui/window_events.h"

namespace folioteer {

enum class WndoState : uint8_t { Closed, Open, Iconified };

struct WndoRecord {
  WndoRecord* next = nullptr;  // the window list, newest first
  bool hasObject = false;      // the platform object exists
  std::atomic<WndoState> state{WndoState::Closed};
  std::atomic<bool> openFailed{false};  // the last open command failed

  QUEUE pendingEvnts = nullptr;
  QUEUE EvntsForFilter = nullptr;
  std::counting_semaphore<> waiting{0};
  std::counting_semaphore<> wake{0};

  std::atomic<int64_t> deadline{0};
  std::atomic<int64_t> lastTick{0};
  std::atomic<bool> pacer{false};
  std::atomic<bool> trigger{false};
  std::atomic<uint64_t> mouseMoves{0};
  WndoModSet modifiers = 0;

  std::mutex fieldsLock;
  std::string title;
  WndoBox slots[2];
  WndoSlot current = WndoSlot::Normal;
};

// A monitor command, pooled: records are taken from and returned to the free
// chain under poolLock and freed only when the toolkit stops.
struct WndoCmd {
  WndoCmd* nextFree = nullptr;
  WndoCmd* nextMade = nullptr;  // every record made, for freeing them
  WndoCmdKind kind = WndoCmdKind::Quit;
  Wndo window = nullptr;
  int32_t value = 0;
  CmdWait wait = CmdWait::NoWait;
  std::binary_semaphore done{0};
};

// Made by StartWindowToolkit, freed by StopWindowToolkit.
struct WindowToolkit {
  WndoBackend* backend = nullptr;
  SecondsClock clock = SystemSeconds;

  QUEUE SimpleGUIIPC = nullptr;  // the monitor command queue of WndoCmd pointers
  std::mutex poolLock;
  WndoCmd* freeCmds = nullptr;
  WndoCmd* madeCmds = nullptr;

  std::mutex windowListLock;
  WndoRecord* windows = nullptr;

  std::counting_semaphore<> waitingAny{0};
  std::counting_semaphore<> wakeAny{0};
  std::atomic<int64_t> globalDeadline{0};
  std::atomic<bool> globalTrigger{false};

  // Monitor only.
  bool quitting = false;
  bool inTurn = false;
  bool turnAgain = false;
};

// The running toolkit ("SimpleGUI: not started" before StartWindowToolkit).
WindowToolkit& Toolkit();
// The filter installed for the class, or nullptr.
EvntFilter ClassFilter(GadgClass gadgClass);

// Moves a record from the pool, or makes one ("SimpleGUI: Out of Memory").
WndoCmd* TakeCmdRecord();
void ReturnCmdRecord(WndoCmd* cmd);

// Queues evnt; on a full queue the oldest entry goes first, and if that does
// not make room the assertion fullMessage is raised.
void QueueDroppingOldest(QUEUE queue, WndoEvnt evnt, std::string_view fullMessage);

}  // namespace folioteer
