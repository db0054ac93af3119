// A session looks at the window's events within a block of segments, not
// only between blocks, and the trace it polls stays the one-core trace.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <algorithm>
#include <optional>
#include <vector>

#include "engine/curve.h"
#include "tests/event_looks.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/scripted_prompts.h"
#include "window/trace_session.h"

using namespace engine;

namespace {

using Looks = EventLooks<int64_t>;

TEST(TraceSessionPoll, EventsAreTakenWithinEachBlockOnEveryCoreAndTheTraceStaysExact) {
  ui::ScriptedPrompts prompts;
  ui::Form form{"Test", 700, 700, prompts};
  auto& area = form.Add<ui::PaintArea>("PaintBox1", ui::Geometry{0, 0, 640, 640});
  auto& stop =
      form.Add<ui::Button>("Draw", ui::Geometry{650, 10, 40, 20}, "Draw", ui::FontWeight::Bold);
  // A clock that moves a millisecond every 256 segments: a look is due at
  // every poll the session makes from within a block.
  int64_t drawn = 0;
  std::optional<int64_t> noStop;
  TraceSession session(form, area, stop, noStop, [&] { return drawn / 256; });
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

}  // namespace
