#include "window/trace_session.h"

#include <algorithm>
#include <cmath>

#include "core/command_stopped.h"

TraceSession::TraceSession(ui::Form& form, ui::PaintArea& area, ui::Button& stopButton,
                           std::optional<int64_t>& pendingStop)
    : command_(form, area, stopButton), pendingStop_(pendingStop) {}

void TraceSession::BeginPattern(long double estimatedSegments) {
  if (pendingStop_) {
    stopAfter_ = pendingStop_;
    pendingStop_.reset();
  }
  if (stopAfter_ && segments_ >= *stopAfter_) Stop();
  Poll();
  ++index_;
  if (count_ < index_) count_ = index_;
  patternSegments_ = 0;
  patternEstimate_ =
      std::isfinite(estimatedSegments) && estimatedSegments >= 1 ? estimatedSegments : 1;
}

void TraceSession::Poll() {
  command_.Poll([this] { return ProgressText(); });
  if (command_.StopAsked()) Stop();
}

void TraceSession::Frame() {
  command_.Frame([this] { return ProgressText(); });
  if (command_.StopAsked()) Stop();
}

void TraceSession::Stop() {
  throw CommandStopped{};
}

// "Pattern 3 of 22 - 41 % - about 6 s left - Esc stops"
std::string TraceSession::ProgressText() const {
  const double within =
      std::min(1.0, static_cast<double>(patternSegments_) / static_cast<double>(patternEstimate_));
  const double done = count_ > 0 ? ((index_ - 1) + within) / count_ : within;
  std::string text;
  if (count_ > 1) {
    text += "Pattern " + std::to_string(index_) + " of " + std::to_string(count_) + " - ";
  }
  text += std::to_string(static_cast<int>(done * 100)) + " %";
  const double seconds = command_.Seconds();
  if (done > 0.02) {
    const double left = seconds / done - seconds;
    text += " - about " + std::to_string(static_cast<int>(std::ceil(left))) + " s left";
  }
  return text + " - Esc stops";
}
