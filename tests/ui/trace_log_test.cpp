// The trace log beside the picture: it explains the pixels only while they
// are exactly its traces on its background, and snapshots carry it.
#include "ui/trace_log.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/drawing_area.h"
#include "ui/canvas.h"
#include "ui/trace_recorder.h"

namespace ui {
namespace {

engine::PatternRecord Pattern(int32_t fixed) {
  return {0x0000FF, fixed, 60, 0, 0, 480, 5, 1000, 0, 0};
}

// A trace of `segments` made-up segments, logged as a window logs one.
void Trace(ImageCanvas& canvas, int32_t fixed, int segments, LiveTraceSink* live = nullptr) {
  TraceRecorder recorder(canvas, Pattern(fixed), {}, live);
  for (int i = 0; i < segments; ++i) {
    canvas.MoveTo(10 + i, 10);
    canvas.LineTo(20 + i, 30);
    if (recorder.Live()) {
      recorder.Segment(10 + i, 10, 20 + i, 30);
    } else {
      recorder.Segment();
    }
  }
}

void Blank(ImageCanvas& canvas, Colour colour) {
  canvas.SetBrushColour(colour);
  canvas.FillRect(0, 0, kDrawingAreaSize, kDrawingAreaSize);
}

TEST(TraceLog, HoldsTheTracesSinceTheLastBlankUntilAnythingElseDraws) {
  ImageCanvas canvas(kDrawingAreaSize, kDrawingAreaSize);
  ASSERT_TRUE(canvas.HeldLog());
  EXPECT_EQ(canvas.HeldLog()->Count(), 0u);
  Trace(canvas, 96, 3);
  Trace(canvas, 150, 2);
  ASSERT_TRUE(canvas.HeldLog());
  const std::vector<const LoggedTrace*> traces = canvas.HeldLog()->Traces();
  ASSERT_EQ(traces.size(), 2u);
  EXPECT_EQ(traces[0]->record.FixedTeeth, 96);
  EXPECT_EQ(traces[0]->segments, 3);
  EXPECT_EQ(traces[1]->record.FixedTeeth, 150);
  EXPECT_EQ(traces[1]->segments, 2);

  // A line drawn outside a trace leaves the pixels unexplained, and so does
  // a fill of part of the picture; a blank explains them again.
  canvas.MoveTo(0, 0);
  canvas.LineTo(5, 5);
  EXPECT_FALSE(canvas.HeldLog());
  Trace(canvas, 96, 1);
  EXPECT_FALSE(canvas.HeldLog()) << "a trace over unexplained pixels";
  Blank(canvas, 0x123456);
  ASSERT_TRUE(canvas.HeldLog());
  EXPECT_EQ(canvas.HeldLog()->Background(), 0x123456);
  EXPECT_EQ(canvas.HeldLog()->Count(), 0u);
  canvas.FillRect(0, 0, 10, 10);
  EXPECT_FALSE(canvas.HeldLog());
}

TEST(TraceLog, SnapshotsCopiesAndRestoresBringTheirLog) {
  ImageCanvas canvas(kDrawingAreaSize, kDrawingAreaSize);
  Trace(canvas, 96, 3);
  const CanvasSnapshot one = canvas.Snapshot();
  Trace(canvas, 150, 2);
  ASSERT_EQ(canvas.HeldLog()->Count(), 2u);
  EXPECT_TRUE(canvas.HeldLog()->Extends(*one.log));

  canvas.Restore(one);
  ASSERT_TRUE(canvas.HeldLog());
  EXPECT_EQ(*canvas.HeldLog(), *one.log);
  // The log taken before is untouched by what is drawn after the restore.
  Trace(canvas, 200, 4);
  EXPECT_EQ(one.log->Count(), 1u);
  EXPECT_EQ(canvas.HeldLog()->Traces().back()->record.FixedTeeth, 200);

  // A picture put back without its traces is unexplained.
  canvas.RestoreImage(one.image);
  EXPECT_FALSE(canvas.HeldLog());
  canvas.RestorePicture(one);
  EXPECT_EQ(*canvas.HeldLog(), *one.log);

  // A copy of the whole picture takes its log along; part of it does not.
  ImageCanvas other(kDrawingAreaSize, kDrawingAreaSize);
  other.CopyRect(canvas, 0, 0, kDrawingAreaSize, kDrawingAreaSize);
  EXPECT_EQ(*other.HeldLog(), *canvas.HeldLog());
  other.CopyRect(canvas, 0, 0, 100, 100);
  EXPECT_FALSE(other.HeldLog());
  // Nor is a snapshot of an unexplained picture ever explained.
  EXPECT_FALSE(other.Snapshot().log);
}

class RecordingSink : public LiveTraceSink {
 public:
  void BeginLive(Colour colour, int width, int64_t) override {
    begun = true;
    this->colour = colour;
    this->width = width;
  }
  void LivePoints(const float* xy, size_t count) override {
    for (size_t i = 0; i < count; ++i) {
      const bool drawn = !std::isnan(xy[2 * i]);
      if (drawn && lineGoesOn) ++segments;
      lineGoesOn = drawn;
      points.insert(points.end(), {xy[2 * i], xy[2 * i + 1]});
    }
  }
  void EndLive() override { ended = true; }
  bool begun = false, ended = false, lineGoesOn = false;
  Colour colour = 0;
  int width = 0, segments = 0;
  std::vector<float> points;
};

// The view is fed a batch of points at a time: every point still reaches
// it, once and in order, joined where segments meet and broken where not,
// whether the recorder is given a segment at a time or runs of them.
TEST(TraceLog, ALongTraceReachesTheLiveViewWhole) {
  constexpr int kSegments = 5000;
  struct Point {
    float x, y;
  };
  // One jump, where segment 3000 does not start at the last end.
  const auto start = [](int i) { return Point{i * 0.25f, i < 3000 ? 1.5f : 7.5f}; };
  const auto end = [](int i) { return Point{(i + 1) * 0.25f, i < 3000 ? 1.5f : 7.5f}; };
  std::vector<float> expected;
  for (int i = 0; i < kSegments; ++i) {
    if (i == 0 || i == 3000) expected.insert(expected.end(), {start(i).x, start(i).y});
    expected.insert(expected.end(), {end(i).x, end(i).y});
    if (i == 2999) expected.insert(expected.end(), {NAN, NAN});
  }
  for (const bool inRuns : {false, true}) {
    SCOPED_TRACE(inRuns ? "in runs" : "a segment at a time");
    ImageCanvas canvas(kDrawingAreaSize, kDrawingAreaSize);
    RecordingSink sink;
    {
      TraceRecorder recorder(canvas, Pattern(96), {}, &sink);
      if (inRuns) {
        // Runs of 1, 2, ... segments, none across the jump, some across a batch.
        std::vector<Point> ends;
        for (int i = 0, length = 1; i < kSegments; i += length, length = length % 1500 + 37) {
          length = std::min(length, (i < 3000 ? 3000 : kSegments) - i);
          ends.clear();
          for (int j = i; j < i + length; ++j) ends.push_back(end(j));
          recorder.Segments(start(i), ends.data(), length);
        }
      } else {
        for (int i = 0; i < kSegments; ++i)
          recorder.Segment(start(i).x, start(i).y, end(i).x, end(i).y);
      }
      // Held for the view at most a batch behind, and all of it at the end.
      EXPECT_GT(sink.points.size(), expected.size() - 2048);
    }
    EXPECT_TRUE(sink.ended);
    EXPECT_EQ(sink.segments, kSegments);
    ASSERT_EQ(sink.points.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
      if (std::isnan(expected[i])) {
        EXPECT_TRUE(std::isnan(sink.points[i])) << i;
      } else {
        EXPECT_EQ(sink.points[i], expected[i]) << i;
      }
    }
  }
}

TEST(TraceLog, ATraceStoppedPartWayIsLoggedAsFarAsItWentAndFedLive) {
  ImageCanvas canvas(kDrawingAreaSize, kDrawingAreaSize);
  canvas.SetPenColour(0x00FF00);
  canvas.SetPenWidth(3);
  RecordingSink sink;
  struct Stopped {};
  try {
    TraceRecorder recorder(canvas, Pattern(96), {}, &sink);
    // While the trace runs, the picture is the log before it.
    EXPECT_EQ(canvas.HeldLog()->Count(), 0u);
    for (int i = 0; i < 5; ++i) {
      canvas.MoveTo(i, 0);
      canvas.LineTo(i, 9);
      recorder.Segment(i, 0, i, 9);
    }
    throw Stopped{};
  } catch (const Stopped&) {
  }
  EXPECT_TRUE(sink.begun && sink.ended);
  EXPECT_EQ(sink.segments, 5);
  EXPECT_EQ(sink.colour, 0x00FF00);
  EXPECT_EQ(sink.width, 3);
  ASSERT_TRUE(canvas.HeldLog());
  const LoggedTrace& t = *canvas.HeldLog()->Traces().at(0);
  EXPECT_EQ(t.segments, 5);
  EXPECT_EQ(t.colour, 0x00FF00);
  EXPECT_EQ(t.width, 3);

  // With no view fed live, the picture is unexplained while a trace runs.
  {
    TraceRecorder recorder(canvas, Pattern(150), {}, nullptr);
    EXPECT_FALSE(canvas.HeldLog());
  }
  ASSERT_TRUE(canvas.HeldLog());
  EXPECT_EQ(canvas.HeldLog()->Count(), 2u);
}

}  // namespace
}  // namespace ui
