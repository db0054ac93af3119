#include "ui/trace_log.h"

#include <algorithm>

namespace ui {

TraceLog TraceLog::With(const LoggedTrace& trace) const {
  TraceLog next(background_);
  next.head_ = std::make_shared<const Node>(Node{trace, head_, Count() + 1});
  return next;
}

std::vector<const LoggedTrace*> TraceLog::Traces() const {
  std::vector<const LoggedTrace*> traces;
  traces.reserve(Count());
  for (const Node* n = head_.get(); n != nullptr; n = n->previous.get())
    traces.push_back(&n->trace);
  std::reverse(traces.begin(), traces.end());
  return traces;
}

bool TraceLog::Extends(const TraceLog& earlier) const {
  return background_ == earlier.background_ && head_ != nullptr && head_->previous == earlier.head_;
}

}  // namespace ui
