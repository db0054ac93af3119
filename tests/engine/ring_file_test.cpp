// Design files with shaped rings: two more fields after the line width.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/design_file.h"

using namespace engine;

namespace {

const PatternRecord kPattern{255, 96, 30, 0, 0, 240, 2, 1000, 0, 0};
const std::string kFields = "255,96,30,0,0,240,2,1000,0,0,";

std::vector<DesignLine> Read(const std::string& patternLines) {
  return ReadDesignFile("KORVA,p,d,t\r\n" + patternLines);
}

RingShape RingOf(const std::string& rest) {
  const std::vector<DesignLine> lines = Read(kFields + rest);
  EXPECT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].record, kPattern);
  return lines[0].ring;
}

std::string Refusal(const std::function<void()>& f) {
  try {
    f();
  } catch (const DesignFileError& e) {
    return e.what();
  }
  return "nothing refused";
}

TEST(RingFileWriter, WritesShapesWithSidesAndCornerAndCirclesAsBefore) {
  PatternHistory history;
  history.Record(kPattern, 1, {4, 40});
  history.Record(kPattern, 3);
  history.Record(kPattern, 2, {2, 96});
  EXPECT_EQ(FormatDesignFile(history, "a.txt", "d", "t"),
            "KORVA,a.txt,d,t\r\n"
            "255,96,30,0,0,240,2,1000,0,0,1,4,40,\r\n"
            "255,96,30,0,0,240,2,1000,0,0,3,\r\n"
            "255,96,30,0,0,240,2,1000,0,0,2,2,96,\r\n");
}

TEST(RingFileReader, ReadsBackEveryRingAndWidthTheWriterWrote) {
  PatternHistory history;
  const RingShape rings[] = {{2, 30}, {}, {3, 1}, {4, 96}, {5, 31}, {6, 60}};
  int32_t width = 1;
  for (const RingShape& ring : rings) history.Record(kPattern, width++ % 5 + 1, ring);
  const std::vector<DesignLine> lines = ReadDesignFile(FormatDesignFile(history, "p", "d", "t"));
  ASSERT_EQ(lines.size(), std::size(rings));
  for (int32_t i = 1; i <= history.Count(); ++i) {
    EXPECT_EQ(lines[i - 1].record, history.Entry(i));
    EXPECT_EQ(lines[i - 1].lineWidth, history.LineWidth(i));
    EXPECT_EQ(lines[i - 1].ring, history.Ring(i));
  }
}

TEST(RingFileReader, TakesSidesOnlyFromAnIntegerFollowedByAComma) {
  EXPECT_EQ(RingOf("1,4,40,\r\n"), (RingShape{4, 40}));
  EXPECT_EQ(RingOf("1,6,1,"), (RingShape{6, 1}));
  // After the thirteenth comma, anything.
  EXPECT_EQ(RingOf("1,3,50,junk,x\r\n"), (RingShape{3, 50}));
  // The ring does not hang on the width being one.
  EXPECT_EQ(RingOf("9,2,30,"), (RingShape{2, 30}));
  EXPECT_EQ(RingOf("x,2,30,"), (RingShape{2, 30}));
  // Checked later, when the file is opened.
  EXPECT_EQ(RingOf("1,9,0,"), (RingShape{9, 0}));
  // Sides 0 is a circle, whatever its corner.
  EXPECT_EQ(RingOf("1,0,77,"), RingShape{});
  EXPECT_EQ(RingOf("1,0,-5,"), RingShape{});
  // No twelfth field that is an integer and a comma: a circle, as before.
  for (const char* rest : {"", "1,", "1,\r\n", "1,4", "1,4\r\n", "1,x,40,", "1,,40,", "1,4.5,40,"})
    EXPECT_EQ(RingOf(rest), RingShape{}) << rest;
}

TEST(RingFileReader, RefusesSidesWithoutACornerNamingTheTextAndLine) {
  const std::string circle = kFields + "1,\r\n";
  EXPECT_EQ(Refusal([&] { Read(circle + kFields + "1,4,\r\n"); }),
            "'' is not a valid integer value (line 3)");
  EXPECT_EQ(Refusal([&] { Read(circle + kFields + "1,4,40"); }),
            "'' is not a valid integer value (line 3)");
  EXPECT_EQ(Refusal([&] { Read(kFields + "1,4,x,\r\n"); }),
            "'x' is not a valid integer value (line 2)");
  EXPECT_EQ(Refusal([&] { Read(kFields + "junk,7,,x"); }),
            "'' is not a valid integer value (line 2)");
}

TEST(RingFileReader, TenFieldReadersSeeTheSamePatterns) {
  PatternHistory circles, shapes;
  for (int i = 0; i < 4; ++i) {
    PatternRecord p = kPattern;
    p.TopOfDesign = 100 * i;
    circles.Record(p, 2);
    shapes.Record(p, 2, {2 + i, 30 + i});
  }
  EXPECT_EQ(ParseDesignFile(FormatDesignFile(shapes, "p", "d", "t")),
            ParseDesignFile(FormatDesignFile(circles, "p", "d", "t")));
  // Each shaped line is its circle's line with the ring after the width.
  const std::string circleFile = FormatDesignFile(circles, "p", "d", "t");
  EXPECT_EQ(circleFile.find("2,2,30,"), std::string::npos);
  EXPECT_NE(FormatDesignFile(shapes, "p", "d", "t").find("0,0,2,2,30,\r\n"), std::string::npos);
}

TEST(RingFileDrawable, RefusesABadRingWithItsReasonAndLine) {
  struct Case {
    PatternRecord record;
    RingShape ring;
    const char* reason;
  };
  PatternRecord external = kPattern;
  external.GearMode = kExternalMode;
  PatternRecord sixty = kPattern;
  sixty.MovingTeeth = 60;
  const Case cases[] = {
      {kPattern, {9, 40}, "sides 9 is not 0, 2, 3, 4, 5 or 6"},
      {kPattern, {1, 40}, "sides 1 is not 0, 2, 3, 4, 5 or 6"},
      {kPattern, {4, 97}, "corner 97 is above the fixed gear's 96 teeth"},
      {sixty, {4, 30}, "corner 30 is below the moving gear's 60 teeth"},
      {external, {4, 0}, "corner 0 is below 1"},
  };
  for (const Case& c : cases) {
    const std::vector<DesignLine> lines{
        {kPattern, 1, {4, 40}}, {kPattern, 1, {}}, {c.record, 1, c.ring}};
    EXPECT_EQ(Refusal([&] { CheckDesignLinesDrawable(lines, DesignState{}); }),
              std::string("The pattern in line 4 cannot be drawn: ") + c.reason + ".");
  }
  // Outside, the gear may be larger than the corners.
  PatternRecord large = external;
  large.MovingTeeth = 80;
  EXPECT_EQ(Refusal([&] {
              CheckDesignLinesDrawable({{large, 1, {3, 10}}}, DesignState{});
            }),
            "nothing refused");
  EXPECT_EQ(Refusal([&] {
              CheckDesignLinesDrawable({{sixty, 1, {4, 60}}}, DesignState{});
            }),
            "nothing refused");
}

}  // namespace
