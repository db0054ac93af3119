// The instant Undo button's pictures: kept while the picture is its history
// on a blank canvas, and never handed out once anything else changed either.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "commands/picture_history.h"
#include "core/drawing_area.h"
#include "ui/canvas.h"

namespace {

using engine::DrawnPattern;
using engine::PatternRecord;

class CacheSurface : public commands::DrawingSurface {
 public:
  ui::ImageCanvas& Picture() override { return picture; }
  ui::ImageCanvas& Backing() override { return backing; }
  Colour CanvasColour() const override { return canvas; }
  Colour PenColour() const override { return pen; }

  ui::ImageCanvas picture{kDrawingAreaSize, kDrawingAreaSize},
      backing{kDrawingAreaSize, kDrawingAreaSize};
  Colour canvas = 0x102030, pen = 0x405060;
};

PatternRecord Pattern(int32_t colour) {
  return {colour, 96, 60, 0, 0, 480, 5, 1000, 0, 0};
}

class PictureCacheTest : public testing::Test {
 protected:
  PictureCacheTest() { pictures.Blank(); }

  // As the window's tracer does: a line of the pattern's colour and width at
  // a row of its own, told to the cache around it.
  void Trace(const DrawnPattern& p) {
    cache().BeforePattern();
    ui::ImageCanvas& canvas = surface.picture;
    canvas.SetPenColour(p.record.Colour);
    canvas.SetPenWidth(p.lineWidth);
    const int row = 10 * (history.Count() + 1);
    canvas.MoveTo(0, row);
    canvas.LineTo(200, row);
    if (failNext) {
      failNext = false;
      throw std::runtime_error("range check");
    }
    history.Record(p.record, p.lineWidth);
    cache().AfterPattern();
  }
  void Draw(int32_t colour, int width = 1) { Trace({Pattern(colour), width}); }
  commands::PictureCache& cache() { return pictures.Cache(); }
  QImage Pixels() const { return surface.picture.Image().copy(); }

  engine::PatternHistory history;
  CacheSurface surface;
  bool failNext = false;
  std::vector<PatternRecord> replayed;
  commands::PictureHistory pictures{history, surface, [this](const DrawnPattern& p) { Trace(p); }};
  const commands::PatternTracer replay = [this](const DrawnPattern& p) {
    replayed.push_back(p.record);
    history.Record(p.record, p.lineWidth);
  };
};

TEST_F(PictureCacheTest, InstantUndoPutsBackThePictureBeforeEachPattern) {
  EXPECT_TRUE(cache().Holds());
  const QImage blank = Pixels();
  Draw(1);
  const QImage afterOne = Pixels();
  Draw(2, 3);  // a wide line counts as a change too
  Draw(3);
  EXPECT_TRUE(cache().Holds());
  EXPECT_EQ(cache().Kept(), 3u);

  ASSERT_TRUE(pictures.UndoLastPatternInstantly(replay));
  EXPECT_EQ(replayed, (std::vector<PatternRecord>{Pattern(1), Pattern(2)}));
  EXPECT_EQ(history.Count(), 2);
  EXPECT_EQ(history.Entry(3), PatternRecord{});
  EXPECT_TRUE(cache().Holds());
  ASSERT_TRUE(pictures.UndoLastPatternInstantly(replay));
  EXPECT_EQ(Pixels(), afterOne);
  ASSERT_TRUE(pictures.UndoLastPatternInstantly(replay));
  EXPECT_EQ(Pixels(), blank);
  EXPECT_TRUE(history.Empty());
  EXPECT_FALSE(pictures.UndoLastPatternInstantly(replay));
}

TEST_F(PictureCacheTest, AChangeNobodyAnnouncedEndsTheRule) {
  const auto drawTwo = [this] {
    pictures.Clear();
    Draw(1);
    Draw(2);
    ASSERT_TRUE(cache().Holds());
  };
  const auto refusesInstantUndo = [this](const char* what) {
    SCOPED_TRACE(what);
    EXPECT_FALSE(cache().Holds());
    const QImage before = Pixels();
    const int32_t count = history.Count();
    EXPECT_FALSE(pictures.UndoLastPatternInstantly(replay));
    EXPECT_EQ(Pixels(), before);
    EXPECT_EQ(history.Count(), count);
  };

  drawTwo();
  surface.picture.FillRect(0, 0, 5, 5);
  refusesInstantUndo("a fill");

  drawTwo();
  pictures.RestoreCopy();  // the copy behind shows an older picture
  refusesInstantUndo("a copy");

  drawTwo();
  surface.picture.RestoreImage(surface.picture.Image().copy());
  refusesInstantUndo("a restored image");

  drawTwo();
  history.Record(Pattern(3));  // recorded but not drawn
  refusesInstantUndo("a pattern only in the history");

  drawTwo();
  failNext = true;
  EXPECT_THROW(Draw(3), std::runtime_error);
  refusesInstantUndo("a pattern stopped by an error");

  drawTwo();
  surface.picture.SetPenColour(0x777777);  // pens alone leave the picture as it is
  surface.picture.MoveTo(-50, -50);
  surface.picture.LineTo(-10, -10);  // nothing of it inside
  EXPECT_TRUE(cache().Holds());
}

TEST_F(PictureCacheTest, APatternBeyondTheHistoryEndsTheRule) {
  for (int32_t i = 1; i < engine::PatternHistory::kCapacity; ++i) history.Record(Pattern(i));
  pictures.Blank();  // not blank history: the picture does not show it
  EXPECT_FALSE(cache().Holds());

  history.Clear();
  for (int32_t i = 1; i < engine::PatternHistory::kCapacity; ++i) history.Record(Pattern(i));
  cache().Restored(true);  // as Edit > Undo does for such a state
  ASSERT_TRUE(cache().Holds());
  Draw(7);  // the last place
  EXPECT_TRUE(cache().Holds());
  Draw(8);  // drawn, but not recorded
  EXPECT_EQ(history.Count(), engine::PatternHistory::kCapacity);
  EXPECT_FALSE(cache().Holds());
  EXPECT_EQ(cache().Kept(), 0u);
}

TEST_F(PictureCacheTest, APicturePutBackToAMarkHoldsAgain) {
  Draw(1);
  const commands::PictureCache::Mark mark = cache().MarkNow();
  const ui::CanvasSnapshot before = surface.picture.Snapshot();
  cache().BeforePattern();
  surface.picture.MoveTo(0, 300);
  surface.picture.LineTo(300, 300);  // a stop part-way
  surface.picture.Restore(before);
  cache().RestoredTo(mark);
  EXPECT_TRUE(cache().Holds());
  EXPECT_TRUE(cache().PictureBefore(1).has_value());
  EXPECT_TRUE(cache().PictureBefore(2).has_value());  // kept before the stop: still right

  Draw(2);
  const commands::PictureCache::Mark unheld = [&] {
    surface.picture.FillRect(0, 0, 1, 1);
    return cache().MarkNow();
  }();
  cache().RestoredTo(unheld);
  EXPECT_FALSE(cache().Holds());
  EXPECT_EQ(cache().Kept(), 0u);
}

TEST_F(PictureCacheTest, ClearAndARedrawingUndoStartTheRuleAfresh) {
  Draw(1);
  Draw(2);
  surface.picture.FillRect(0, 0, 5, 5);
  ASSERT_FALSE(cache().Holds());
  // The slow Undo draws the rest again on a blank canvas: the rule holds after.
  ASSERT_TRUE(pictures.UndoLastPattern());
  EXPECT_TRUE(cache().Holds());
  EXPECT_TRUE(cache().PictureBefore(1).has_value());

  Draw(2);
  pictures.Clear();
  EXPECT_TRUE(cache().Holds());
  EXPECT_EQ(cache().Kept(), 0u);

  Draw(5);
  cache().Restored(false);
  EXPECT_FALSE(cache().Holds());
  EXPECT_EQ(cache().Kept(), 0u);
}

TEST(PictureCacheLimitTest, KeepsOnlyTheNewestPictures) {
  engine::PatternHistory history;
  CacheSurface surface;
  commands::PictureCache cache(surface, history, /*keep=*/2);
  cache.Vouch();
  for (int32_t i = 1; i <= 4; ++i) {
    cache.BeforePattern();
    history.Record(Pattern(i));
    cache.AfterPattern();
  }
  EXPECT_EQ(cache.Kept(), 2u);
  EXPECT_FALSE(cache.PictureBefore(2).has_value());
  EXPECT_TRUE(cache.PictureBefore(3).has_value());
  EXPECT_TRUE(cache.PictureBefore(4).has_value());
}

}  // namespace
