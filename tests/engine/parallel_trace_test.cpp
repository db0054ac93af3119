#include "engine/parallel_trace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "engine/gear_math.h"

using namespace engine;

namespace {

PatternRecord Design(int32_t fixed, int32_t moving, int32_t mode, int32_t top, int32_t hole,
                     int32_t step, int32_t size, int32_t x, int32_t y) {
  return {0, fixed, moving, mode, top, hole, step, size, x, y};
}

std::string Describe(const PatternRecord& p) {
  std::string s;
  for (int32_t field : p.Fields()) s += std::to_string(field) + " ";
  return s;
}

// Screen and printer pixels of one point, as printing maps them.
struct Mapped {
  Pixel screen, printer;
  bool operator==(const Mapped&) const = default;
};

auto PrintMap(const Curve& curve, int32_t factor) {
  return [&curve, factor](const CurvePoint& p) {
    return Mapped{curve.ScreenPixel(p), curve.PrinterPixel(p, factor)};
  };
}

template <class V>
struct Outcome {
  std::vector<std::pair<V, V>> segments;
  std::string error;  // empty when the trace ran to its end
  TraceResult result;
  int polls = 0;
};

template <class V, class Trace>
Outcome<V> Serial(Trace trace) {
  Outcome<V> o;
  try {
    o.result.segments = trace([&](const V& a, const V& b) { o.segments.emplace_back(a, b); });
    o.result.finished = true;
  } catch (const RunTimeError& e) {
    o.error = e.what();
  }
  return o;
}

template <class V, class Map>
Outcome<V> Parallel(const Curve& curve, const Map& map, const TraceOptions& options) {
  Outcome<V> o;
  TraceControl control;
  const auto caller = std::this_thread::get_id();
  bool elsewhere = false;
  try {
    o.result = TraceParallel(
        curve, map,
        [&](const V& a, const V& b) {
          elsewhere |= std::this_thread::get_id() != caller;
          o.segments.emplace_back(a, b);
        },
        control,
        [&] {
          elsewhere |= std::this_thread::get_id() != caller;
          EXPECT_EQ(control.SegmentsDone(), static_cast<int64_t>(o.segments.size()));
          ++o.polls;
        },
        options);
  } catch (const RunTimeError& e) {
    o.error = e.what();
  }
  EXPECT_FALSE(elsewhere) << "sink or poll called off the calling thread";
  EXPECT_EQ(control.SegmentsDone(), static_cast<int64_t>(o.segments.size()));
  return o;
}

template <class V>
void ExpectSame(const Outcome<V>& serial, const Outcome<V>& parallel) {
  const size_t common = std::min(parallel.segments.size(), serial.segments.size());
  for (size_t i = 0; i < common; ++i) {
    ASSERT_TRUE(parallel.segments[i] == serial.segments[i]) << "segment " << i + 1;
  }
  ASSERT_EQ(parallel.segments.size(), serial.segments.size());
  EXPECT_EQ(parallel.error, serial.error);
  if (serial.error.empty()) {
    EXPECT_TRUE(parallel.result.finished);
    EXPECT_EQ(parallel.result.segments, serial.result.segments);
  }
}

int64_t Blocks(int64_t segments, int64_t block) {
  return (segments + block - 1) / block;
}

// Threads of this process, once any helper thread a runtime starts along
// with the first thread of its own (ThreadSanitizer's) is running.
int ThreadCount() {
  std::thread([] {}).join();
  int n = 0;
  for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    ++n;
  }
  return n;
}

// A joined thread has cleared its id but may still be listed in
// /proc/self/task for a moment while the kernel tears it down; a thread
// left running stays listed for good. So this looks again, a bounded number
// of times, for the count to come back down before giving it.
int ThreadCountAfterJoins(int expected) {
  int n = ThreadCount();
  for (int tries = 0; n > expected && tries < 100000; ++tries) {
    std::this_thread::yield();
    n = ThreadCount();
  }
  return n;
}

TraceOptions Options(int threads, int64_t block) {
  TraceOptions options;
  options.threads = threads;
  options.blockSegments = block;
  options.serialBelow = 0;
  return options;
}

TEST(ParallelTrace, RandomDesignsGiveTheSerialSegments) {
  std::mt19937 random(20240611);
  auto in = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  const int64_t blockSizes[] = {7, 100, 997, 4096};
  int traced = 0;
  int64_t total = 0;
  while (traced < 24) {
    const int mode = in(0, 1);
    const int fixed = in(2, 360);
    const int moving = mode == 1 ? 1 + in(0, 359) : in(1, fixed - 1);
    const PatternRecord p = Design(fixed, moving, mode, in(-3600, 3600), in(0, 20 * moving),
                                   in(1, 3600), in(1, 2000), in(-3200, 3200), in(-3200, 3200));
    const Curve curve(p);
    const long double estimate = curve.EstimatedSegments();
    // A few large ones, the rest small enough to keep the suite quick.
    if (estimate > (traced % 8 == 0 ? 250000 : 40000)) continue;
    ++traced;
    total += static_cast<int64_t>(estimate);
    SCOPED_TRACE(Describe(p));
    const int32_t factor = in(1, 600);
    const auto screen = Serial<Pixel>([&](auto sink) { return curve.TraceScreen(sink); });
    const auto printed =
        Serial<Mapped>([&](auto sink) { return curve.TraceMapped(PrintMap(curve, factor), sink); });
    ASSERT_TRUE(screen.error.empty());
    for (int threads = 1; threads <= 4; ++threads) {
      // Many blocks, down to a segment each, but not so many that handing
      // them over takes all the time.
      const int64_t block = std::max(estimate < 1000 ? 1 : blockSizes[in(0, 3)],
                                     static_cast<int64_t>(estimate / 400));
      SCOPED_TRACE(testing::Message() << threads << " threads, blocks of " << block);
      const auto parallel =
          Parallel<Pixel>(curve, Curve::ScreenMap{&curve}, Options(threads, block));
      ExpectSame(screen, parallel);
      EXPECT_EQ(parallel.polls, Blocks(parallel.result.segments, block) - 1);
      ExpectSame(printed,
                 Parallel<Mapped>(curve, PrintMap(curve, factor), Options(threads, block)));
    }
  }
  EXPECT_GT(total, 300000);
}

TEST(ParallelTrace, DefaultsGiveTheSerialSegments) {
  const Curve curve(Design(53, 1, 0, 0, 8, 3, 1000, 0, 0));
  const auto serial = Serial<Pixel>([&](auto sink) { return curve.TraceScreen(sink); });
  ASSERT_EQ(serial.segments.size(), 337080u);
  TraceControl control;
  Outcome<Pixel> parallel;
  parallel.result = TraceScreenParallel(
      curve, [&](Pixel a, Pixel b) { parallel.segments.emplace_back(a, b); }, control, [] {});
  ExpectSame(serial, parallel);

  // Small patterns run on the calling thread, polled all the same.
  const Curve small(Design(96, 60, 0, 0, 480, 5, 1000, 0, 0));
  TraceOptions options;
  options.blockSegments = 100;
  const auto smallSerial = Serial<Pixel>([&](auto sink) { return small.TraceScreen(sink); });
  const auto smallParallel = Parallel<Pixel>(small, Curve::ScreenMap{&small}, options);
  ExpectSame(smallSerial, smallParallel);
  EXPECT_EQ(smallParallel.polls, 9);  // 921 segments
}

// Designs whose points leave 32-bit pixels part-way through the trace.
TEST(ParallelTrace, RangeCheckAtTheSamePoint) {
  const PatternRecord offScreen[] = {
      Design(85, 309, 1, -2088, 1645, 1, 1997878609, -1784117570, 1358872638),
      Design(73, 329, 1, -1689, 3920, 31, 1257674964, -957490380, -221388697),
      Design(89, 268, 1, 3428, 4799, 11, 1472342014, 713029025, 148046261),
      Design(88, 249, 1, 1720, 4798, 23, 1542767786, 0, 0),  // centred: the quick path
      Design(56, 313, 1, -2516, 2267, 1, 1345912415, 0, 0),
      Design(2, 1, 0, 0, 1000, 5, 2000000000, 0, 0),  // already at the first point
  };
  const PatternRecord offPaper[] = {
      Design(155, 123, 0, -733, 156, 3, 151226157, -1215248978, -1719908799),
      Design(236, 34, 0, 2281, 151, 4, 15808374, -1767764022, -1081265108),
      Design(301, 30, 0, -2295, 377, 36, 132380702, 1585920101, -85136440),
  };
  const int64_t blockSizes[] = {1000, 4096, 32768};
  for (const PatternRecord& p : offScreen) {
    SCOPED_TRACE(Describe(p));
    const Curve curve(p);
    const auto serial = Serial<Pixel>([&](auto sink) { return curve.TraceScreen(sink); });
    ASSERT_EQ(serial.error, errors::kRangeCheck);
    if (p.DesignSize != 2000000000) {
      ASSERT_GT(serial.segments.size(), 5000u);
    }
    for (int threads = 1; threads <= 4; ++threads) {
      for (const int64_t block : blockSizes) {
        SCOPED_TRACE(testing::Message() << threads << " threads, blocks of " << block);
        ExpectSame(serial,
                   Parallel<Pixel>(curve, Curve::ScreenMap{&curve}, Options(threads, block)));
      }
    }
  }
  for (const PatternRecord& p : offPaper) {
    SCOPED_TRACE(Describe(p));
    const Curve curve(p);
    ASSERT_NO_THROW(curve.TraceScreen([](Pixel, Pixel) {}));
    const auto serial =
        Serial<Mapped>([&](auto sink) { return curve.TraceMapped(PrintMap(curve, 600), sink); });
    ASSERT_EQ(serial.error, errors::kRangeCheck);
    ASSERT_GT(serial.segments.size(), 5000u);
    for (int threads = 1; threads <= 4; ++threads) {
      for (const int64_t block : blockSizes) {
        SCOPED_TRACE(testing::Message() << threads << " threads, blocks of " << block);
        ExpectSame(serial, Parallel<Mapped>(curve, PrintMap(curve, 600), Options(threads, block)));
      }
    }
  }
}

TEST(ParallelTrace, StopFromPollEndsAtABlockBoundary) {
  const Curve curve(Design(53, 1, 0, 0, 8, 3, 1000, 0, 0));
  const auto serial = Serial<Pixel>([&](auto sink) { return curve.TraceScreen(sink); });
  const int threadsBefore = ThreadCount();
  for (int threads : {1, 2, 4}) {
    SCOPED_TRACE(testing::Message() << threads << " threads");
    constexpr int64_t kBlock = 1000;
    constexpr int kStopAfter = 7;
    TraceControl control;
    std::vector<std::pair<Pixel, Pixel>> segments;
    int polls = 0;
    const TraceResult result = TraceParallel(
        curve, Curve::ScreenMap{&curve}, [&](Pixel a, Pixel b) { segments.emplace_back(a, b); },
        control,
        [&] {
          if (++polls == kStopAfter) control.RequestStop();
        },
        Options(threads, kBlock));
    EXPECT_FALSE(result.finished);
    EXPECT_EQ(polls, kStopAfter);
    EXPECT_EQ(result.segments, kStopAfter * kBlock);
    EXPECT_EQ(control.SegmentsDone(), kStopAfter * kBlock);
    ASSERT_EQ(segments.size(), static_cast<size_t>(kStopAfter * kBlock));
    for (size_t i = 0; i < segments.size(); ++i) ASSERT_TRUE(segments[i] == serial.segments[i]);
    EXPECT_LE(ThreadCountAfterJoins(threadsBefore), threadsBefore);
  }
}

// With pollWhileWaitingMs, a calling thread kept waiting for a block keeps
// polling: here no worker can finish the first block until poll has run three
// times (the two minutes are only a fail-safe against a trace that never polls), and
// the trace is still the serial one.
TEST(ParallelTrace, PollsWhileWaitingForABlock) {
  const Curve curve(Design(53, 1, 0, 0, 8, 3, 1000, 0, 0));
  const auto serial = Serial<Pixel>([&](auto sink) { return curve.TraceScreen(sink); });
  const std::thread::id caller = std::this_thread::get_id();
  for (int threads : {2, 3}) {
    SCOPED_TRACE(testing::Message() << threads << " threads");
    constexpr int kPollsFirst = 3;
    std::mutex mutex;
    std::condition_variable polled;
    int polls = 0, pollsBeforeFirstSegment = -1;
    const Curve::ScreenMap screen{&curve};
    const auto failSafe = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    const auto holdingMap = [&](const CurvePoint& p) {
      if (std::this_thread::get_id() != caller) {
        std::unique_lock lock(mutex);
        polled.wait_until(lock, failSafe, [&] { return polls >= kPollsFirst; });
      }
      return screen(p);
    };
    TraceControl control;
    TraceOptions options = Options(threads, 1000);
    options.pollWhileWaitingMs = 1;
    std::vector<std::pair<Pixel, Pixel>> segments;
    const TraceResult result = TraceParallel(
        curve, holdingMap,
        [&](Pixel a, Pixel b) {
          if (segments.empty()) {
            std::lock_guard lock(mutex);
            pollsBeforeFirstSegment = polls;
          }
          segments.emplace_back(a, b);
        },
        control,
        [&] {
          {
            std::lock_guard lock(mutex);
            ++polls;
          }
          polled.notify_all();
        },
        options);
    EXPECT_TRUE(result.finished);
    EXPECT_GE(pollsBeforeFirstSegment, kPollsFirst);
    ASSERT_EQ(segments.size(), serial.segments.size());
    for (size_t i = 0; i < segments.size(); ++i) ASSERT_TRUE(segments[i] == serial.segments[i]);
  }
}

// A stop from another thread ends the trace at the next block boundary, even
// while the calling thread waits for a block that no worker can finish: past a
// point, the map holds whoever calls it until the stop has been requested.
TEST(ParallelTrace, StopFromAnotherThread) {
  // The largest pattern: 46,656,343 segments, far beyond the point of the hold.
  const Curve curve(Design(360, 1, 0, 0, 8, 1, 1000, 0, 0));
  const int threadsBefore = ThreadCount();
  for (int threads : {1, 2, 4}) {
    SCOPED_TRACE(testing::Message() << threads << " threads");
    constexpr int64_t kBlock = 4096;
    constexpr int64_t kFreePoints = 100000;
    TraceControl control;
    std::atomic<int64_t> mapped{0};
    std::atomic<bool> held{false}, stopRequested{false};
    const Curve::ScreenMap screen{&curve};
    const auto holdingMap = [&](const CurvePoint& p) {
      if (mapped.fetch_add(1) >= kFreePoints) {
        held = true;
        held.notify_one();
        stopRequested.wait(false);
      }
      return screen(p);
    };
    std::jthread stopper([&] {
      held.wait(false);
      control.RequestStop();
      stopRequested = true;
      stopRequested.notify_all();
    });
    int64_t delivered = 0;
    const TraceResult result = TraceParallel(
        curve, holdingMap, [&](Pixel, Pixel) { ++delivered; }, control, [] {},
        Options(threads, kBlock));
    stopper.join();
    EXPECT_FALSE(result.finished);
    EXPECT_EQ(result.segments, delivered);
    EXPECT_EQ(result.segments % kBlock, 0);
    // What was mapped before the hold, and at most the rest of the block the
    // calling thread had under way.
    EXPECT_LE(result.segments, kFreePoints + kBlock);
    EXPECT_LE(ThreadCountAfterJoins(threadsBefore), threadsBefore);
  }
}

uint16_t X87ControlWord() {
  uint16_t word;
  __asm__ volatile("fnstcw %0" : "=m"(word));
  return word;
}

void SetX87ControlWord(uint16_t word) {
  __asm__ volatile("fldcw %0" : : "m"(word));
}

// Workers round as the calling thread does, whatever its settings: here
// x87 sums and products rounded to 53 bits, as some libraries leave them.
TEST(ParallelTrace, RoundsAsTheCallingThread) {
  using Exact = std::pair<long double, long double>;
  const auto exact = [](const CurvePoint& p) { return Exact{p.column, p.row}; };
  const Curve curve(Design(53, 1, 0, 0, 8, 3, 1000, 0, 0));
  const auto extended = Serial<Exact>([&](auto sink) { return curve.TraceMapped(exact, sink); });
  const uint16_t saved = X87ControlWord();
  SetX87ControlWord((saved & ~0x300) | 0x200);
  const auto serial = Serial<Exact>([&](auto sink) { return curve.TraceMapped(exact, sink); });
  const auto parallel = Parallel<Exact>(curve, exact, Options(2, 1000));
  SetX87ControlWord(saved);
  EXPECT_FALSE(serial.segments == extended.segments);
  ExpectSame(serial, parallel);
}

TEST(ParallelTrace, StopBeforeTheStart) {
  const Curve curve(Design(53, 1, 0, 0, 8, 3, 1000, 0, 0));
  TraceControl control;
  control.RequestStop();
  int64_t delivered = 0;
  const TraceResult result = TraceScreenParallel(
      curve, [&](Pixel, Pixel) { ++delivered; }, control, [] {}, Options(2, 1000));
  EXPECT_FALSE(result.finished);
  EXPECT_EQ(result.segments, 0);
  EXPECT_EQ(delivered, 0);
}

// Patterns whose serial loop never ends: θ stops moving, or runs backwards
// (and so past the range the quick sines assume). A stop still ends them.
TEST(ParallelTrace, StopsAnEndlessPattern) {
  const Curve stuck(Design(200000, 1, 0, 0, 8, 1, 1000, 0, 0));
  const Curve backwards(Design(96, 60, 1, 0, 480, -5, 1000, 0, 0), DerivedValues{});
  for (const Curve* curve : {&stuck, &backwards}) {
    ASSERT_TRUE(std::isinf(curve->EstimatedSegments()));
    constexpr int64_t kBlock = 5000;
    struct Enough {};
    std::vector<std::pair<Pixel, Pixel>> serial;
    try {
      curve->TraceScreen([&](Pixel a, Pixel b) {
        serial.emplace_back(a, b);
        if (serial.size() == 3 * kBlock) throw Enough{};
      });
    } catch (Enough) {
    }
    for (int threads : {1, 3}) {
      TraceControl control;
      std::vector<std::pair<Pixel, Pixel>> segments;
      int polls = 0;
      const TraceResult result = TraceScreenParallel(
          *curve, [&](Pixel a, Pixel b) { segments.emplace_back(a, b); }, control,
          [&] {
            if (++polls == 3) control.RequestStop();
          },
          Options(threads, kBlock));
      EXPECT_FALSE(result.finished);
      ASSERT_EQ(segments.size(), serial.size());
      EXPECT_TRUE(segments == serial);
    }
  }
}

TEST(ParallelTrace, SinkAndPollErrorsReachTheCaller) {
  const Curve curve(Design(53, 1, 0, 0, 8, 3, 1000, 0, 0));
  const int threadsBefore = ThreadCount();
  for (int threads : {1, 2, 4}) {
    TraceControl control;
    int64_t delivered = 0;
    EXPECT_THROW(TraceScreenParallel(
                     curve,
                     [&](Pixel, Pixel) {
                       if (++delivered == 12345) throw std::runtime_error("full");
                     },
                     control, [] {}, Options(threads, 1000)),
                 std::runtime_error);
    EXPECT_EQ(delivered, 12345);
    EXPECT_LE(ThreadCountAfterJoins(threadsBefore), threadsBefore);

    delivered = 0;
    int polls = 0;
    EXPECT_THROW(TraceScreenParallel(
                     curve, [&](Pixel, Pixel) { ++delivered; }, control,
                     [&] {
                       if (++polls == 5) throw std::runtime_error("closed");
                     },
                     Options(threads, 1000)),
                 std::runtime_error);
    EXPECT_EQ(delivered, 5000);
    EXPECT_LE(ThreadCountAfterJoins(threadsBefore), threadsBefore);
  }
}

TEST(ParallelTrace, DefaultThreads) {
  EXPECT_GE(DefaultThreads(), 1);
  EXPECT_LE(DefaultThreads(), 8);
}

}  // namespace
