#include "engine/design_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/curve.h"

using namespace engine;

namespace {

const PatternRecord kInitial{0, 96, 60, 0, 0, 480, 5, 1000, 0, 0};
const std::string kInitialLine = "0,96,60,0,0,480,5,1000,0,0,";
const std::string kHeader = "KORVA,C:\\designs\\a.txt,07/12/2026,10:15:00";

std::vector<PatternRecord> Parse(const std::string& bytes) {
  return ParseDesignFile(bytes);
}

// The error ParseDesignFile or CheckDesignDrawable throws, or a failure.
template <class F>
DesignFileError ErrorOf(F&& f) {
  try {
    f();
  } catch (const DesignFileError& e) {
    return e;
  }
  ADD_FAILURE() << "no DesignFileError thrown";
  return DesignFileError(DesignFileError::Kind::NotKorva, 0, "");
}

DesignFileError ParseError(const std::string& bytes) {
  return ErrorOf([&] { ParseDesignFile(bytes); });
}

DesignFileError DrawableError(const std::vector<PatternRecord>& patterns,
                              const DesignState& current = {}) {
  return ErrorOf([&] { CheckDesignDrawable(patterns, current); });
}

TEST(DesignFileWriter, WritesHeaderAndOneLinePerPatternWithCrLf) {
  PatternHistory history;
  history.Record(kInitial);
  history.Record({0x123456, 105, 30, 1, -250, 300, 10, 500, -3200, 17}, 3);
  history.Record({-1, 2, 1, 2, 36000, 0, 3600, 2000, 3200, -2147483647 - 1}, 5);
  EXPECT_EQ(FormatDesignFile(history, "/home/u/a b.txt", "07/12/2026", "10:15:00 pm"),
            "KORVA,/home/u/a b.txt,07/12/2026,10:15:00 pm\r\n"
            "0,96,60,0,0,480,5,1000,0,0,1,\r\n"
            "1193046,105,30,1,-250,300,10,500,-3200,17,3,\r\n"
            "-1,2,1,2,36000,0,3600,2000,3200,-2147483648,5,\r\n");
}

TEST(DesignFileWriter, EmptyHistoryGivesHeaderOnly) {
  PatternHistory history;
  EXPECT_EQ(FormatDesignFile(history, "x.txt", "d", "t"), "KORVA,x.txt,d,t\r\n");
}

TEST(DesignFileWriter, StopsAtFirstEntryWhoseFixedTeethIsBelowOne) {
  for (int32_t fixed : {0, -5}) {
    PatternHistory history;
    history.Record(kInitial);
    PatternRecord bad = kInitial;
    bad.FixedTeeth = fixed;
    history.Record(bad);
    history.Record(kInitial);
    EXPECT_EQ(FormatDesignFile(history, "p", "d", "t"), "KORVA,p,d,t\r\n" + kInitialLine + "1,\r\n")
        << "fixed " << fixed;
  }
}

TEST(DesignFileWriter, WritesOnlyEntriesBeforeNextPatternIndex) {
  PatternHistory history;
  history.Record(kInitial);
  history.Record({1, 2, 1, 0, 0, 0, 1, 1, 0, 0});
  history.SetNextPatternIndex(2);
  EXPECT_EQ(FormatDesignFile(history, "p", "d", "t"), "KORVA,p,d,t\r\n" + kInitialLine + "1,\r\n");
}

TEST(DesignFileReader, ReadsBackWhatTheWriterWrote) {
  PatternHistory history;
  for (int i = 0; i < 1000; ++i) {
    history.Record(
        {i * 4099, 2 + i % 359, 1 + i % 7, i % 3, -3600 + i, i, 1 + i, 1 + i * 2, -i * 3, i * 3});
  }
  const std::vector<PatternRecord> read = Parse(FormatDesignFile(history, "p", "d", "t"));
  ASSERT_EQ(read.size(), 1000u);
  for (int32_t i = 1; i <= 1000; ++i) EXPECT_EQ(read[i - 1], history.Entry(i)) << "entry " << i;
}

TEST(DesignFileReader, HeaderMustBeginWithKorvaInCapitals) {
  EXPECT_TRUE(Parse("KORVA\r\n").empty());
  EXPECT_TRUE(Parse("KORVA").empty());
  EXPECT_TRUE(Parse("KORVAxyz anything at all\r\n").empty());
  EXPECT_EQ(Parse(kHeader + "\r\n" + kInitialLine + "\r\n"), std::vector{kInitial});

  const std::vector<std::string> rejected{
      "",         " KORVA,p,d,t\r\n", "korva,p,d,t\r\n",
      "KORV\r\n", "\r\nKORVA\r\n",    "Korva,p\r\n" + kInitialLine,
      "\x1aKORVA"};
  for (const std::string& bad : rejected) {
    const DesignFileError e = ParseError(bad);
    EXPECT_EQ(e.kind(), DesignFileError::Kind::NotKorva) << "'" << bad << "'";
    EXPECT_EQ(e.line(), 1);
    EXPECT_STREQ(e.what(), "Error reading input file - not a KORVA file");
  }
}

TEST(DesignFileReader, HeaderIsCutByTheSameLineRules) {
  // Without the lone-LF rule the whole file would be one header line.
  EXPECT_EQ(Parse("KORVA\n" + kInitialLine + "\n").size(), 1u);
  // "KORVA" split by a line end is not a header.
  EXPECT_EQ(ParseError("KOR\nVA\r\n").kind(), DesignFileError::Kind::NotKorva);
  EXPECT_EQ(ParseError("KOR\x1aVA\r\n").kind(), DesignFileError::Kind::NotKorva);
}

TEST(DesignFileReader, TakesTenCommaTerminatedFields) {
  // Anything after the tenth comma is ignored, commas included, unless its
  // twelfth field is a ring's sides (tests/engine/ring_file_test.cpp).
  EXPECT_EQ(Parse("KORVA\r\n" + kInitialLine + "junk,x,,7\r\n"), std::vector{kInitial});
  // Blanks before the digits convert; a '$' field is hexadecimal.
  EXPECT_EQ(Parse("KORVA\r\n0,  96, 60,0,0,480,5,1000,0,0,\r\n"), std::vector{kInitial});
  EXPECT_EQ(Parse("KORVA\r\n0,$60,60,0,0,480,5,1000,0,0,\r\n"), std::vector{kInitial});
  EXPECT_EQ(Parse("KORVA\r\n-1,96,60,0,-0,+480,5,1000,-3200,3200,\r\n"),
            std::vector<PatternRecord>({{-1, 96, 60, 0, 0, 480, 5, 1000, -3200, 3200}}));
}

TEST(DesignFileReader, TakesALineWidthOnlyFromAnEleventhFieldOfOneToFive) {
  auto widthOf = [](const std::string& rest) {
    const std::vector<DesignLine> lines = ReadDesignFile("KORVA\r\n" + kInitialLine + rest);
    EXPECT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].record, kInitial);
    return lines[0].lineWidth;
  };
  EXPECT_EQ(widthOf("3,\r\n"), 3);
  EXPECT_EQ(widthOf("1,\r\n"), 1);
  EXPECT_EQ(widthOf("5,junk,\r\n"), 5);
  EXPECT_EQ(widthOf(" 2,"), 2);
  // Not a width: none given, whatever follows.
  for (const char* rest : {"", "\r\n", "3", "3\r\n", "0,", "6,", "-1,", "x,", ",", "3.5,",
                           "99999999999,", "junk,x,,7"}) {
    EXPECT_EQ(widthOf(rest), 0) << rest;
  }
}

TEST(DesignFileReader, ReadsBackTheWidthsTheWriterWrote) {
  PatternHistory history;
  for (int32_t w : {1, 4, 2, 5, 3}) history.Record(kInitial, w);
  const std::vector<DesignLine> lines = ReadDesignFile(FormatDesignFile(history, "p", "d", "t"));
  ASSERT_EQ(lines.size(), 5u);
  for (int32_t i = 1; i <= 5; ++i) EXPECT_EQ(lines[i - 1].lineWidth, history.LineWidth(i));
}

TEST(DesignFileReader, FieldThatDoesNotConvertNamesItsTextAndLine) {
  struct Case {
    std::string line;
    std::string message;
  };
  const Case cases[] = {
      {"0,96,60,0,0,480,5,1000,0,0", "'' is not a valid integer value (line 2)"},
      {"", "'' is not a valid integer value (line 2)"},
      {"0,96 ,60,0,0,480,5,1000,0,0,", "'96 ' is not a valid integer value (line 2)"},
      {"0,96,60,0,0,480,5,1000,0,x0,", "'x0' is not a valid integer value (line 2)"},
      {"0,96,60,0,0,480,5,1000,,0,", "'' is not a valid integer value (line 2)"},
      {"0,96,60,0,0,480,5,2147483648,0,0,", "'2147483648' is not a valid integer value (line 2)"},
      {"0;96;60;0;0;480;5;1000;0;0;", "'' is not a valid integer value (line 2)"},
  };
  for (const Case& c : cases) {
    const DesignFileError e = ParseError("KORVA\r\n" + c.line + "\r\n");
    EXPECT_EQ(e.kind(), DesignFileError::Kind::BadField) << c.line;
    EXPECT_EQ(e.line(), 2) << c.line;
    EXPECT_EQ(std::string(e.what()), c.message) << c.line;
  }
  // ';'-separated: the first field is the whole line, so the message shows it.
  EXPECT_EQ(std::string(ParseError("KORVA\r\n1;2,\r\n").what()),
            "'1;2' is not a valid integer value (line 2)");
}

TEST(DesignFileReader, BlankLineFailsAsAnEmptyField) {
  // Also the blank line after the last pattern line.
  DesignFileError e = ParseError("KORVA\r\n\r\n" + kInitialLine + "\r\n");
  EXPECT_EQ(e.kind(), DesignFileError::Kind::BadField);
  EXPECT_STREQ(e.what(), "'' is not a valid integer value (line 2)");
  e = ParseError("KORVA\r\n" + kInitialLine + "\r\n\r\n");
  EXPECT_EQ(e.line(), 3);
  EXPECT_STREQ(e.what(), "'' is not a valid integer value (line 3)");
}

TEST(DesignFileReader, BadFieldOnLineThreeOfFiveReportsLineThree) {
  const std::string bytes = "KORVA\r\n" + kInitialLine + "\r\n0,96,60,0,0,48O,5,1000,0,0,\r\n" +
                            kInitialLine + "\r\n" + kInitialLine + "\r\n";
  const DesignFileError e = ParseError(bytes);
  EXPECT_EQ(e.line(), 3);
  EXPECT_STREQ(e.what(), "'48O' is not a valid integer value (line 3)");
  // Line numbers count physical lines whatever ends them.
  EXPECT_EQ(ParseError("KORVA\n" + kInitialLine + "\r" + kInitialLine + "\r\nbad,").line(), 4);
}

TEST(DesignFileReader, CrLfCrAndLfAllEndALine) {
  const PatternRecord second{255, 30, 45, 1, 10, 200, 7, 900, 5, -5};
  const std::string line2 = "255,30,45,1,10,200,7,900,5,-5,";
  const std::vector<PatternRecord> both{kInitial, second};
  for (const std::string eol : {"\r\n", "\r", "\n"}) {
    EXPECT_EQ(Parse("KORVA,p" + eol + kInitialLine + eol + line2 + eol), both);
    // Without an end on the last line.
    EXPECT_EQ(Parse("KORVA,p" + eol + kInitialLine + eol + line2), both);
  }
  // Mixed in one file.
  EXPECT_EQ(Parse("KORVA\n" + kInitialLine + "\r" + line2 + "\r\n"), both);
  // LF CR is two line ends, so an empty line between.
  EXPECT_EQ(ParseError("KORVA\n\r" + kInitialLine).line(), 2);
  // CR CR LF likewise: one LF is skipped after a CR, not more.
  EXPECT_EQ(ParseError("KORVA\r\r\n" + kInitialLine).line(), 2);
}

TEST(DesignFileReader, CtrlZEndsTheInput) {
  EXPECT_EQ(Parse("KORVA\r\n" + kInitialLine + "\r\n\x1a"), std::vector{kInitial});
  EXPECT_EQ(Parse("KORVA\r\n" + kInitialLine + "\r\n\x1agarbage\r\nmore,\r\n"),
            std::vector{kInitial});
  EXPECT_EQ(Parse("KORVA\r\n" + kInitialLine + "\x1a\r\n"), std::vector{kInitial});
  EXPECT_TRUE(Parse("KORVA\x1a" + kInitialLine + "\r\n").empty());
  // Ctrl-Z inside a line cuts it short.
  EXPECT_STREQ(ParseError("KORVA\r\n0,96,60,\x1a"
                          "0,0,480,5,1000,0,0,\r\n")
                   .what(),
               "'' is not a valid integer value (line 2)");
}

TEST(DesignFileReader, ReadsEveryLineOfALargeFile) {
  std::string bytes = kHeader + "\r\n";
  for (int i = 0; i < 1200; ++i) bytes += std::to_string(i) + ",96,60,0,0,480,5,1000,0,0,\r\n";
  const std::vector<PatternRecord> read = Parse(bytes);
  ASSERT_EQ(read.size(), 1200u);
  EXPECT_EQ(read.front(), kInitial);
  EXPECT_EQ(read.back().Colour, 1199);
  EXPECT_EQ(read[999].Colour, 999);
  EXPECT_EQ(read[1000].Colour, 1000);
}

TEST(DesignFileDrawable, EveryPatternThePanelMakesPasses) {
  std::vector<PatternRecord> patterns{
      kInitial,
      {0xFFFFFF, 360, 1, 0, 0, 20, 1, 1000, 0, 0},  // the panel's largest, ~46.7 million
      {0, 360, 359, 0, 0, 7180, 1, 2000, 3200, -3200},
      {0, 2, 360, 1, -3600, 7200, 3600, 2000, -3200, 3200},
      {0, 360, 360, 1, 3600, 0, 3600, 1, 0, 0},
      {0, 96, 60, 2, 36000, 2000, 5, 2000, 3200, 3200},  // a series can go past the bars
  };
  EXPECT_NO_THROW(CheckDesignDrawable(patterns, DesignState{}));
  DesignState largest;
  largest.FixedTeeth = 360;
  largest.MovingTeeth = 360;
  largest.StepDeg = 3600;
  EXPECT_NO_THROW(CheckDesignDrawable(patterns, largest));
  EXPECT_NO_THROW(CheckDesignDrawable({}, largest));
  EXPECT_GT(Curve(patterns[1]).EstimatedSegments(), 46e6L);
}

TEST(DesignFileDrawable, RefusesNamingTheLineAndTheReason) {
  struct Case {
    PatternRecord pattern;
    std::string reason;
  };
  const Case cases[] = {
      {{0, 0, 60, 0, 0, 480, 5, 1000, 0, 0}, "teeth below 1"},
      {{0, 96, 0, 0, 0, 480, 5, 1000, 0, 0}, "teeth below 1"},
      {{0, -96, 60, 0, 0, 480, 5, 1000, 0, 0}, "teeth below 1"},
      {{0, 1, 1, 1, 0, 5, 5, 1000, 0, 0}, "fixed gear below 2 teeth"},
      {{0, 96, 60, 0, 0, 480, 0, 1000, 0, 0}, "step below 1"},
      {{0, 96, 60, 0, 0, 480, -5, 1000, 0, 0}, "step below 1"},
      {{0, 2000000, 1, 0, 0, 480, 5, 1000, 0, 0}, "integer overflow"},
      {{0, 96, 2000000, 1, 0, 480, 5, 1000, 0, 0}, "integer overflow"},
      {{0, 96, 60, 0, 0, 480, 2000000, 1000, 0, 0}, "integer overflow"},
      {{0, 96, 60, 0, 0, 480, 5, 2000000000, 0, 0},
       "its points lie beyond the drawing area's pixel range"},
      {{0, 96, 60, 0, 0, 2000000000, 5, 1000, 0, 0},
       "its points lie beyond the drawing area's pixel range"},
      {{0, 96, 60, 0, 0, 480, 5, 1000, 2147483647, 0},
       "its points lie beyond the drawing area's pixel range"},
      // 360 * 1000 degrees of span at 1/1000 degree a step: 360 million segments.
      {{0, 1000, 1, 0, 0, 20, 1, 1000, 0, 0}, "more than 100 million segments"},
      {{0, 600, 1, 1, 0, 20, 1, 1000, 0, 0}, "more than 100 million segments"},
  };
  for (const Case& c : cases) {
    const DesignFileError e = DrawableError({kInitial, kInitial, c.pattern, kInitial});
    EXPECT_EQ(e.kind(), DesignFileError::Kind::Undrawable) << c.reason;
    EXPECT_EQ(e.line(), 4) << c.reason;
    EXPECT_EQ(std::string(e.what()), "The pattern in line 4 cannot be drawn: " + c.reason + ".");
  }
}

TEST(DesignFileDrawable, ChecksInTheOrderTeethStepOverflowPixelsSegments) {
  EXPECT_EQ(std::string(DrawableError({{0, 0, 60, 0, 0, 480, 0, 2000000000, 0, 0}}).what()),
            "The pattern in line 2 cannot be drawn: teeth below 1.");
  EXPECT_EQ(std::string(DrawableError({{0, 2000000, 1, 0, 0, 480, 0, 1000, 0, 0}}).what()),
            "The pattern in line 2 cannot be drawn: step below 1.");
  EXPECT_EQ(std::string(DrawableError({{0, 2000000, 1, 0, 0, 480, 1, 2000000000, 0, 0}}).what()),
            "The pattern in line 2 cannot be drawn: integer overflow.");
  EXPECT_EQ(
      std::string(DrawableError({{0, 1000, 1, 0, 0, 2000000000, 1, 2000000000, 0, 0}}).what()),
      "The pattern in line 2 cannot be drawn: its points lie beyond the drawing area's "
      "pixel range.");
}

TEST(DesignFileDrawable, OverflowCountsTeethAndStepsOfEarlierPatternsAndThePanel) {
  // 360 * 1657 * 3600 fits 32 bits, 360 * 1658 * 3600 does not.
  const PatternRecord bigTeeth{0, 1657, 1657, 0, 0, 0, 3600, 1000, 0, 0};
  EXPECT_NO_THROW(CheckDesignDrawable({bigTeeth}, DesignState{}));
  PatternRecord tooBig = bigTeeth;
  tooBig.MovingTeeth = 1658;
  EXPECT_EQ(DrawableError({tooBig}).line(), 2);

  // Each alone is fine; the step left by the first with the teeth of the second is not.
  const PatternRecord bigStep{0, 96, 96, 0, 0, 0, 10000, 1000, 0, 0};
  const PatternRecord manyTeeth{0, 1000, 1000, 0, 0, 0, 1, 1000, 0, 0};
  EXPECT_NO_THROW(CheckDesignDrawable({bigStep}, DesignState{}));
  EXPECT_NO_THROW(CheckDesignDrawable({manyTeeth}, DesignState{}));
  EXPECT_NO_THROW(CheckDesignDrawable({manyTeeth, kInitial}, DesignState{}));
  DesignFileError e = DrawableError({bigStep, kInitial, manyTeeth});
  EXPECT_EQ(e.line(), 4);
  EXPECT_STREQ(e.what(), "The pattern in line 4 cannot be drawn: integer overflow.");
  EXPECT_EQ(DrawableError({manyTeeth, bigStep}).line(), 3);

  // The panel's own values count as seen before the first line.
  DesignState panel;
  panel.StepDeg = 10000;
  EXPECT_EQ(DrawableError({kInitial, manyTeeth}, panel).line(), 3);
  panel = DesignState{};
  panel.FixedTeeth = 1000;
  EXPECT_EQ(DrawableError({kInitial, bigStep}, panel).line(), 3);
}

TEST(DesignFileDrawable, SegmentLimitIsOneHundredMillion) {
  // F teeth against 1 at step 1 trace 360 * F * F segments: 99.98 million at 527,
  // 100.36 million at 528.
  EXPECT_NO_THROW(CheckDesignDrawable({{0, 527, 1, 0, 0, 20, 1, 1000, 0, 0}}, DesignState{}));
  EXPECT_EQ(std::string(DrawableError({{0, 528, 1, 0, 0, 20, 1, 1000, 0, 0}}).what()),
            "The pattern in line 2 cannot be drawn: more than 100 million segments.");
}

}  // namespace
