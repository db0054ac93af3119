// A session looks at the window's events within a block of segments, not
// only between blocks, and the trace it polls stays the one-core trace.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <algorithm>
#include <optional>
#include <vector>

#include "core/command_stopped.h"
#include "engine/curve.h"
#include "tests/event_looks.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/scripted_prompts.h"
#include "window/trace_session.h"

using namespace engine;

namespace {

using Looks = EventLooks<int64_t>;

// What a session needs of the window: its drawing area and its Stop button.
struct SessionWindow {
  ui::ScriptedPrompts prompts;
  ui::Form form{"Test", 700, 700, prompts};
  ui::PaintArea& area = form.Add<ui::PaintArea>("PaintBox1", ui::Geometry{0, 0, 640, 640});
  ui::Button& stop =
      form.Add<ui::Button>("Draw", ui::Geometry{650, 10, 40, 20}, "Draw", ui::FontWeight::Bold);
};

TEST(TraceSessionPoll, EventsAreTakenWithinEachBlockOnEveryCoreAndTheTraceStaysExact) {
  SessionWindow window;
  // A clock that moves a millisecond every 256 segments: a look is due at
  // every poll the session makes from within a block.
  int64_t drawn = 0;
  std::optional<int64_t> noStop;
  TraceSession session(window.form, window.area, window.stop, noStop, [&] { return drawn / 256; });
  Looks looks(drawn);

  const Curve curve(PatternRecord{0, 150, 7, 0, 0, 40, 1, 1000, 0, 0});
  ASSERT_GT(curve.EstimatedSegments(), 4 * kPollSegments);
  std::vector<Pixel> traced;
  const int64_t segments =
      TraceInSession(curve, &session, Curve::ScreenMap{&curve}, [&](Pixel from, Pixel to) {
        if (traced.empty()) traced.push_back(from);
        traced.push_back(to);
        ++drawn;
        looks.Post();
      });

  std::vector<Pixel> alone;
  curve.TraceScreen([&](Pixel from, Pixel to) {
    if (alone.empty()) alone.push_back(from);
    alone.push_back(to);
  });
  EXPECT_EQ(traced, alone);
  EXPECT_EQ(segments, drawn);
  // A block is kPollSegments; the events are looked at several times in each.
  ASSERT_GT(kPollSegments, TraceSession::kLookSegments);
  EXPECT_LE(looks.LongestGap(drawn), TraceSession::kLookSegments);
  EXPECT_GE(static_cast<int64_t>(looks.at.size()), drawn / TraceSession::kLookSegments);
}

// A sink that takes runs of segments gets them in runs, cut where the session
// looks at the events and where a scripted stop falls: the same segments as
// one at a time, the looks as often, and the stop after exactly as many.
TEST(TraceSessionPoll, ARunSinkGetsTheSameSegmentsLookedAtAsOftenAndStoppedWhereTold) {
  SessionWindow window;
  int64_t drawn = 0;
  // Past a block and a few looks, and on neither's boundary.
  const int64_t stopAt = kPollSegments + 3 * TraceSession::kLookSegments + 1234;
  std::optional<int64_t> pendingStop = stopAt;
  TraceSession session(window.form, window.area, window.stop, pendingStop,
                       [&] { return drawn / 256; });
  Looks looks(drawn);

  struct RunSink {
    std::vector<Pixel>& traced;
    int64_t& drawn;
    Looks& looks;
    int runs = 0;
    void operator()(Pixel from, Pixel to) { Run(from, &to, 1); }
    void Run(Pixel previous, const Pixel* points, int64_t count) {
      ++runs;
      if (traced.empty()) traced.push_back(previous);
      EXPECT_EQ(traced.back(), previous);
      for (int64_t i = 0; i < count; ++i) {
        traced.push_back(points[i]);
        ++drawn;
        looks.Post();
      }
    }
  };
  std::vector<Pixel> traced;
  RunSink sink{traced, drawn, looks};
  const Curve curve(PatternRecord{0, 150, 7, 0, 0, 40, 1, 1000, 0, 0});
  ASSERT_GT(curve.EstimatedSegments(), stopAt + kPollSegments);
  EXPECT_THROW(TraceInSession(curve, &session, Curve::ScreenMap{&curve}, sink), CommandStopped);

  std::vector<Pixel> alone;
  curve.TraceScreen([&](Pixel from, Pixel to) {
    if (alone.empty()) alone.push_back(from);
    if (static_cast<int64_t>(alone.size()) <= stopAt) alone.push_back(to);
  });
  EXPECT_EQ(drawn, stopAt);
  EXPECT_EQ(traced, alone);
  EXPECT_LT(sink.runs, drawn / 100) << "segments came in runs";
  EXPECT_LE(looks.LongestGap(drawn), TraceSession::kLookSegments);
  EXPECT_GE(static_cast<int64_t>(looks.at.size()), drawn / TraceSession::kLookSegments);
}

}  // namespace
