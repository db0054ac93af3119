#include "engine/view_mapping.h"

#include <gtest/gtest.h>

#include "engine/area_place.h"

namespace {

using engine::ViewMapping;
using Point = ViewMapping::Point;

void ExpectNear(Point actual, Point expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-9);
  EXPECT_NEAR(actual.y, expected.y, 1e-9);
}

// A 640 picture in a 640 view, and in a 1000 x 800 view: hand-worked cases.
TEST(ViewMapping, FitShowsTheWholePictureCentred) {
  ViewMapping exact(640, 640, 640);
  EXPECT_TRUE(exact.IsFit());
  EXPECT_EQ(exact.Scale(), 1.0);
  EXPECT_EQ(exact.Origin(), (Point{0, 0}));
  EXPECT_EQ(exact.Percent(), 100);

  ViewMapping wide(640, 1000, 800);
  EXPECT_EQ(wide.Scale(), 1.25);
  // 800 screen pixels tall, centred across 1000: 100 spare on each side.
  EXPECT_EQ(wide.Origin(), (Point{100, 0}));
  EXPECT_EQ(wide.ToPicture({500, 400}), (Point{320, 320}));
  EXPECT_EQ(wide.Percent(), 125);
}

TEST(ViewMapping, ActualPixelsIsOnePicturePixelToOneScreenPixel) {
  ViewMapping m(640, 1280, 1280);
  m.ActualPixels();
  EXPECT_FALSE(m.IsFit());
  EXPECT_EQ(m.Scale(), 1.0);
  // Smaller than the view: centred.
  EXPECT_EQ(m.Origin(), (Point{320, 320}));
  m.Fit();
  EXPECT_EQ(m.Scale(), 2.0);
  EXPECT_EQ(m.Origin(), (Point{0, 0}));
}

TEST(ViewMapping, ZoomStepsAreRootTwoFromActualPixelsUpTo64) {
  ViewMapping m(640, 640, 640);
  m.ZoomIn();
  EXPECT_DOUBLE_EQ(m.Scale(), std::sqrt(2.0));
  m.ZoomIn();
  EXPECT_DOUBLE_EQ(m.Scale(), 2.0);
  EXPECT_EQ(m.Percent(), 200);
  for (int i = 0; i < 20; ++i) m.ZoomIn();
  EXPECT_EQ(m.Scale(), 64.0);
  EXPECT_EQ(m.Percent(), 6400);
  m.ZoomOut();
  EXPECT_DOUBLE_EQ(m.Scale(), 32 * std::sqrt(2.0));
  for (int i = 0; i < 20; ++i) m.ZoomOut();
  EXPECT_TRUE(m.IsFit());
  EXPECT_EQ(m.Scale(), 1.0);

  // From Fit at 1.25 the next step up is 2^(1/2), the next down is Fit.
  ViewMapping wide(640, 800, 800);
  wide.ZoomIn();
  EXPECT_DOUBLE_EQ(wide.Scale(), std::sqrt(2.0));
  wide.ZoomOut();
  EXPECT_TRUE(wide.IsFit());
}

TEST(ViewMapping, MenuZoomKeepsTheMiddleAndPointerZoomKeepsThePointer) {
  ViewMapping m(640, 640, 640);
  m.ZoomIn();
  m.ZoomIn();  // 2x about the middle: picture 160..480 shown
  EXPECT_EQ(m.Centre(), (Point{320, 320}));
  EXPECT_EQ(m.ToPicture({0, 0}), (Point{160, 160}));

  // The picture point under the pointer at (100, 540) is (210, 430); at 4x
  // it is still under it, and the centre moves towards it.
  const Point under = m.ToPicture({100, 540});
  EXPECT_EQ(under, (Point{210, 430}));
  m.ZoomInAbout({100, 540});
  m.ZoomInAbout({100, 540});
  EXPECT_EQ(m.Scale(), 4.0);
  ExpectNear(m.ToPicture({100, 540}), under);
  ExpectNear(m.Centre(), {265, 375});

  // Near a corner the edge wins over the pointer: never past the picture.
  ViewMapping corner(640, 640, 640);
  corner.ZoomInAbout({0, 0});
  corner.ZoomInAbout({0, 0});
  EXPECT_EQ(corner.Origin(), (Point{0, 0}));
  corner.ZoomBy(1.5, {640, 640});
  EXPECT_EQ(corner.Scale(), 3.0);
  ExpectNear(corner.ToPicture({640, 640}), {320, 320});
}

TEST(ViewMapping, PanMovesByScreenPixelsWithinThePicture) {
  ViewMapping m(640, 640, 640);
  m.Pan(100, 100);  // at Fit there is nothing to pan
  EXPECT_EQ(m.Centre(), (Point{320, 320}));
  m.ZoomIn();
  m.ZoomIn();  // 2x
  m.Pan(100, -60);
  EXPECT_EQ(m.Centre(), (Point{370, 290}));
  m.Pan(10000, 0);
  EXPECT_EQ(m.Centre(), (Point{480, 290}));
  EXPECT_EQ(m.ToView({640, 0}).x, 640);

  // A wider view than the picture at this scale: centred across, pans down.
  ViewMapping wide(640, 2000, 800);
  wide.ActualPixels();
  wide.ZoomIn();
  wide.ZoomIn();
  wide.Pan(300, 80);
  EXPECT_EQ(wide.Centre(), (Point{320, 360}));
}

TEST(ViewMapping, ResizingKeepsFitAndTheMiddle) {
  ViewMapping m(640, 640, 640);
  m.Resize(900, 900);
  EXPECT_EQ(m.Scale(), 900.0 / 640);
  m.ZoomIn();  // the steps above Fit at 1.40625: sqrt 2, then 2
  EXPECT_DOUBLE_EQ(m.Scale(), std::sqrt(2.0));
  m.ZoomIn();
  EXPECT_DOUBLE_EQ(m.Scale(), 2.0);
  m.Pan(-50, 0);
  ExpectNear(m.Centre(), {295, 320});
  const Point centre = m.Centre();
  m.Resize(1000, 1000);
  EXPECT_EQ(m.Scale(), 2.0);
  EXPECT_EQ(m.Centre(), centre);
  // Grown past the scale: back to Fit.
  m.Resize(1400, 1400);
  EXPECT_TRUE(m.IsFit());
  EXPECT_EQ(m.Origin(), (Point{0, 0}));
}

}  // namespace

namespace {

using engine::AreaPlace;
using engine::PlaceDrawingArea;

TEST(DrawingAreaPlace, LargestCentredSquareNeverBelowTheSmallest) {
  // The smallest window: where the area has always been.
  EXPECT_EQ(PlaceDrawingArea(652, 656, 640), (AreaPlace{6, 6, 640}));
  // Taller than wide: as wide as it can, centred down.
  EXPECT_EQ(PlaceDrawingArea(1012, 1500, 640), (AreaPlace{6, 6 + (1484 - 1000) / 2, 1000}));
  // Wider than tall: as tall as it can, centred across.
  EXPECT_EQ(PlaceDrawingArea(1652, 1016, 640), (AreaPlace{6 + (1640 - 1000) / 2, 6, 1000}));
  // Grown one way only: still 640, at the top left margin.
  EXPECT_EQ(PlaceDrawingArea(2000, 656, 640), (AreaPlace{6 + (1988 - 640) / 2, 6, 640}));
}

}  // namespace
