#include "window/trace_progress.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

void TraceProgress::Expect(std::vector<long double> segments, int tracesPerPattern) {
  expected_ = std::move(segments);
  tracesPerPattern_ = std::max(1, tracesPerPattern);
}

// A trace that never ends, or draws nothing, counts as one segment.
long double TraceProgress::Usable(long double estimate) {
  return std::isfinite(estimate) && estimate >= 1 ? estimate : 1;
}

void TraceProgress::BeginTrace(long double estimatedSegments) {
  ++traces_;
  traceSegments_ = 0;
  traceEstimate_ = Usable(estimatedSegments);
}

long double TraceProgress::SegmentsLeft() const {
  long double left = std::max(0.0L, traceEstimate_ - static_cast<long double>(traceSegments_));
  for (size_t i = static_cast<size_t>(traces_); i < expected_.size(); ++i)
    left += Usable(expected_[i]);
  return left;
}

namespace {
QString Tr(const char* text) {
  return QCoreApplication::translate("Message", text);
}
}  // namespace

std::string TraceProgress::Text(double seconds) const {
  const int pattern = std::max(1, (traces_ + tracesPerPattern_ - 1) / tracesPerPattern_);
  const int expectedPatterns =
      static_cast<int>((expected_.size() + tracesPerPattern_ - 1) / tracesPerPattern_);
  const int patterns = std::max(pattern, expectedPatterns);
  const long double drawn = static_cast<long double>(segments_);
  const long double left = SegmentsLeft();
  const long double done = drawn + left > 0 ? drawn / (drawn + left) : 0;
  std::string text;
  // Named whenever a pattern takes more than one trace, so that a mirror is
  // seen to belong to its pattern.
  if (patterns > 1 || tracesPerPattern_ > 1) {
    text += Tr(QT_TRANSLATE_NOOP("Message", "Pattern %1 of %2"))
                .arg(pattern)
                .arg(patterns)
                .toStdString() +
            " - ";
  }
  text += std::to_string(static_cast<int>(done * 100)) + " %";
  if (drawn > 0 && seconds > 0) {
    const long double secondsLeft = static_cast<long double>(seconds) * left / drawn;
    text += " - " + Tr(QT_TRANSLATE_NOOP("Message", "about %1 s left"))
                        .arg(static_cast<long long>(std::ceil(secondsLeft)))
                        .toStdString();
  }
  return text + " - " + Tr(QT_TRANSLATE_NOOP("Message", "Esc stops")).toStdString();
}
