#pragma once
#include <cstdint>
#include <string>
#include <vector>

// What a command that traces has done and has left, for its progress note:
// "Pattern 3 of 22 - 41 % - about 6 s left - Esc stops". A pattern and its
// mirror count as the one pattern the user asked for, and the time left is
// the time taken so far scaled by the segments left over the segments drawn.
class TraceProgress {
 public:
  // The estimated segments of each trace the command will make, in order,
  // and how many traces make one pattern (2 for a pattern and its mirror).
  void Expect(std::vector<long double> segments, int tracesPerPattern = 1);
  // Each trace begins with its own estimate, the best one for the trace
  // under way.
  void BeginTrace(long double estimatedSegments);
  void Segments(int64_t count) {
    segments_ += count;
    traceSegments_ += count;
  }
  int64_t Segments() const { return segments_; }
  // The note after `seconds` of the command.
  std::string Text(double seconds) const;

 private:
  static long double Usable(long double estimate);
  long double SegmentsLeft() const;

  std::vector<long double> expected_;
  int tracesPerPattern_ = 1;
  int traces_ = 0;  // begun so far
  int64_t segments_ = 0, traceSegments_ = 0;
  long double traceEstimate_ = 1;
};
