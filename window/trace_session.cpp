#include "window/trace_session.h"

#include <utility>

#include "core/command_stopped.h"

TraceSession::TraceSession(ui::Form& form, ui::PaintArea& area, ui::Button& stopButton,
                           std::optional<int64_t>& pendingStop, ui::LongCommand::Clock clock)
    : command_(form, area, stopButton, std::move(clock)), pendingStop_(pendingStop) {}

void TraceSession::BeginPattern(long double estimatedSegments) {
  if (pendingStop_) {
    stopAfter_ = pendingStop_;
    pendingStop_.reset();
  }
  if (stopAfter_ && progress_.Segments() >= *stopAfter_) Stop();
  Poll();
  progress_.BeginTrace(estimatedSegments);
}

void TraceSession::Poll() {
  sinceLook_ = 0;
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

std::string TraceSession::ProgressText() const {
  return progress_.Text(command_.Seconds());
}
