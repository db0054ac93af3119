#pragma once
#include <cstddef>
#include <deque>
#include <functional>

#include "commands/window_state.h"

namespace commands {

// Edit > Undo and Redo: the window's state before and after each history
// command, newest last. Memory is bounded: past the budget the oldest
// pictures are dropped first (to be redrawn from their history when needed),
// then the oldest commands.
class CommandHistory {
 public:
  static constexpr size_t kMaxCommands = 100;
  static constexpr size_t kMinCommands = 50;
  static constexpr size_t kBudgetBytes = 100u << 20;

  // Keeps a command; the redo list is emptied.
  void Record(WindowState before, WindowState after);
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // The state before the last command, which moves to the redo list.
  const WindowState& Undo();
  // The state after the command last taken back, which moves back.
  const WindowState& Redo();
  size_t Commands() const { return undo_.size() + redo_.size(); }
  size_t Bytes() const;
  void SetBudget(size_t bytes) { budget_ = bytes; }

 private:
  struct Command {
    WindowState before, after;
  };
  void KeepWithinBudget();

  std::deque<Command> undo_, redo_;
  size_t budget_ = kBudgetBytes;
};

}  // namespace commands
