// Calls into the Qt thread: how the program thread reaches widgets.
//
// The thread that runs the Qt event loop (the monitor task) owns every
// widget. Any other thread asks it to do something with CallOnGui (run a
// function there and return its result) or AwaitOnGui (start something there
// that answers later, such as a dialog, and wait for the answer); both block
// the caller until the answer is there. On the Qt thread itself they run the
// work at once (AwaitOnGui then spins a local event loop until the answer
// comes), so code may call them without knowing where it runs. The Qt thread
// never waits for another thread.
//
// Calls are carried only while the calls are open: OpenGuiCalls on the Qt
// thread once the QApplication exists, CloseGuiCalls there after its event
// loop has ended and before the program thread is joined. A call that has not
// run when the calls close never runs, a call still waiting for its answer is
// given up, and every later call returns at once; in each case the caller
// gets no result (std::nullopt, or FALSE for a void call) and decides what
// that means (the requesters, for one, answer as the headless ones do). A
// function that is running on the Qt thread always finishes first, so it may
// use the caller's data. An exception thrown by the work is thrown again in
// the caller.
#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

namespace folioteer {

void OpenGuiCalls();
void CloseGuiCalls();
bool GuiCallsOpen();
// TRUE on the thread of the QApplication.
bool OnGuiThread();

// Opens the calls for its lifetime; for the scope around QApplication::exec.
class GuiCallScope {
 public:
  GuiCallScope() { OpenGuiCalls(); }
  ~GuiCallScope() { CloseGuiCalls(); }
  GuiCallScope(const GuiCallScope&) = delete;
  GuiCallScope& operator=(const GuiCallScope&) = delete;
};

namespace gui_call_detail {

// The state one call shares between its caller and the Qt thread.
struct CallCore {
  enum class Phase { Queued, Running, Awaiting, Done, Dropped };
  Phase phase = Phase::Queued;
  std::exception_ptr error;
  std::function<void()> wake;  // set while a caller on the Qt thread waits in a local loop
  virtual ~CallCore() = default;
};

// Runs start on the Qt thread (at once when already there) and blocks until
// the call is answered or dropped; TRUE when answered. Rethrows the work's
// exception.
bool Run(const std::shared_ptr<CallCore>& core, std::function<void()> start);
// Marks the call answered; FALSE when it was answered or dropped before.
bool Answer(CallCore& core);
// Drops a call that was not answered (its last reply handle is gone).
void DropUnanswered(CallCore& core);

template <typename Result>
struct CallState : CallCore {
  std::optional<Result> result;
};

}  // namespace gui_call_detail

// The handle through which work started by AwaitOnGui answers; copyable. The
// first Give counts. When every copy is gone without an answer, the call is
// dropped (its caller gets no result).
template <typename Result>
class GuiReply {
 public:
  void Give(Result result) const {
    // The value is written before Answer publishes it under the core's lock.
    if (!token_->answered.exchange(true)) {
      token_->state->result = std::move(result);
      gui_call_detail::Answer(*token_->state);
    }
  }

 private:
  template <typename R>
  friend std::optional<R> AwaitOnGui(std::function<void(GuiReply<R>)> start);

  struct Token {
    std::shared_ptr<gui_call_detail::CallState<Result>> state;
    std::atomic<bool> answered{false};
    ~Token() {
      if (!answered) gui_call_detail::DropUnanswered(*state);
    }
  };
  explicit GuiReply(std::shared_ptr<Token> token) : token_(std::move(token)) {}
  std::shared_ptr<Token> token_;
};

// Starts work on the Qt thread that answers through the reply, now or later.
template <typename Result>
std::optional<Result> AwaitOnGui(std::function<void(GuiReply<Result>)> start) {
  auto state = std::make_shared<gui_call_detail::CallState<Result>>();
  auto token = std::make_shared<typename GuiReply<Result>::Token>();
  token->state = state;
  bool answered = gui_call_detail::Run(state, [start = std::move(start), token = std::move(token)]() mutable {
    std::shared_ptr<typename GuiReply<Result>::Token> held = std::move(token);
    try {
      start(GuiReply<Result>(held));
    } catch (...) {
      // The exception is the call's answer: without this the reply, gone in
      // the unwinding, would drop the call and wake the caller before Run
      // has recorded the exception for it.
      held->answered = true;
      throw;
    }
  });
  if (!answered) return std::nullopt;
  return std::move(state->result);
}

// Runs the function on the Qt thread and returns its result.
template <typename Function, typename Result = std::invoke_result_t<Function>>
requires(!std::is_void_v<Result>) std::optional<Result> CallOnGui(Function&& function) {
  return AwaitOnGui<Result>([&function](GuiReply<Result> reply) { reply.Give(function()); });
}

// The same for a function without a result; FALSE when it did not run.
template <typename Function>
requires std::is_void_v<std::invoke_result_t<Function>>
bool CallOnGui(Function&& function) {
  return AwaitOnGui<bool>([&function](GuiReply<bool> reply) {
           function();
           reply.Give(true);
         })
      .has_value();
}

}  // namespace folioteer
