// The live painter: what it paints comes back in order, and is what the
// same lines drawn at once give.
#include "ui/live_painter.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <vector>

#include "tests/qt_wait.h"

namespace ui {
namespace {

const SmoothFrame kPainterFrame{64, 64, 1.0, 0, 0, 1.0};

std::vector<float> PainterZigzag(float from, int points) {
  std::vector<float> xy;
  for (int i = 0; i < points; ++i) {
    xy.push_back(from + 3.0f * static_cast<float>(i));
    xy.push_back(i % 2 == 0 ? 5.0f : 50.0f);
  }
  return xy;
}

QImage BlankPicture() {
  QImage blank(64, 64, QImage::Format_ARGB32_Premultiplied);
  blank.fill(0xFFFFFFFFu);
  return blank;
}

// `one` in black, then `two` in blue, drawn at once onto a copy of `blank`.
QImage DrawnAtOnce(const QImage& blank, const std::vector<float>& one,
                   const std::vector<float>& two) {
  QImage drawn = blank.copy();
  BandedLines lines = LinesOnto(drawn, kPainterFrame, 2);
  lines.Draw({LineRun{one.data(), one.size() / 2, 0xFF000000u, 1.5}});
  lines.Draw({LineRun{two.data(), two.size() / 2, 0xFF0000FFu, 1.5}});
  lines.Finish();
  return drawn;
}

TEST(LivePainter, DeliversInOrderThePictureTheLinesGiveAtOnce) {
  const QImage blank = BlankPicture();
  const std::vector<float> one = PainterZigzag(2, 10), two = PainterZigzag(30, 10);
  const QImage expected = DrawnAtOnce(blank, one, two);

  std::vector<uint64_t> delivered;
  QImage last;
  LivePainter painter(
      blank, kPainterFrame, [](const std::function<void()>& handler) { handler(); },
      [&](const QImage& image, uint64_t batches) {
        delivered.push_back(batches);
        last = image;
      });
  painter.Hand(one, 0xFF000000u, 1.5);
  painter.Hand(two, 0xFF0000FFu, 1.5);
  EXPECT_EQ(painter.Handed(), 2u);
  painter.WaitUntilPainted();
  ASSERT_TRUE(ProcessEventsUntil([&] { return !delivered.empty() && delivered.back() >= 2; },
                                 "both batches delivered"));

  ASSERT_FALSE(delivered.empty());
  EXPECT_EQ(delivered.back(), 2u);
  for (size_t i = 1; i < delivered.size(); ++i) EXPECT_LT(delivered[i - 1], delivered[i]);
  EXPECT_EQ(last, expected);
  EXPECT_EQ(blank.pixel(2, 5), 0xFFFFFFFFu) << "the image handed in stays as it was";
}

// A painted batch's storage comes back empty, once, to gather the next batch
// in: a batch gathered in it and painted gives what fresh storage gives.
TEST(LivePainter, GivesBackAPaintedBatchsStorageEmpty) {
  const QImage blank = BlankPicture();
  const std::vector<float> one = PainterZigzag(2, 200), two = PainterZigzag(30, 10);
  const QImage expected = DrawnAtOnce(blank, one, two);
  QImage last;
  LivePainter painter(
      blank, kPainterFrame, [](const std::function<void()>& handler) { handler(); },
      [&](const QImage& image, uint64_t) { last = image; });
  EXPECT_EQ(painter.TakeEmptied().capacity(), 0u) << "nothing painted yet";
  painter.Hand(one, 0xFF000000u, 1.5);
  painter.WaitUntilPainted();
  std::vector<float> storage = painter.TakeEmptied();
  EXPECT_TRUE(storage.empty());
  EXPECT_GE(storage.capacity(), one.size());
  EXPECT_EQ(painter.TakeEmptied().capacity(), 0u) << "given back once";
  storage.assign(two.begin(), two.end());
  painter.Hand(std::move(storage), 0xFF0000FFu, 1.5);
  painter.WaitUntilPainted();
  ASSERT_TRUE(ProcessEventsUntil([&] { return last == expected; }, "the second batch painted"));
}

}  // namespace
}  // namespace ui
