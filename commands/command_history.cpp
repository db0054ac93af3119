#include "commands/command_history.h"

namespace commands {

void CommandHistory::Record(WindowState before, WindowState after) {
  redo_.clear();
  undo_.push_back({std::move(before), std::move(after)});
  KeepWithinBudget();
}

const WindowState& CommandHistory::Undo() {
  redo_.push_back(std::move(undo_.back()));
  undo_.pop_back();
  return redo_.back().before;
}

const WindowState& CommandHistory::Redo() {
  undo_.push_back(std::move(redo_.back()));
  redo_.pop_back();
  return undo_.back().after;
}

size_t CommandHistory::Bytes() const {
  size_t bytes = 0;
  for (const auto* list : {&undo_, &redo_}) {
    for (const Command& c : *list) bytes += c.before.Bytes() + c.after.Bytes();
  }
  return bytes;
}

void CommandHistory::KeepWithinBudget() {
  while (undo_.size() > kMaxCommands) undo_.pop_front();
  size_t bytes = Bytes();
  for (Command& c : undo_) {
    if (bytes <= budget_) return;
    for (WindowState* s : {&c.before, &c.after}) {
      bytes -= static_cast<size_t>(s->picture.pixels.size());
      s->picture.pixels.clear();
    }
  }
  while (bytes > budget_ && undo_.size() > kMinCommands) {
    bytes -= undo_.front().before.Bytes() + undo_.front().after.Bytes();
    undo_.pop_front();
  }
}

}  // namespace commands
