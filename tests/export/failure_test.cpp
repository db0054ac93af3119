// Whatever goes wrong, or when the user stops, no file is left behind.
#include <unistd.h>

#include <QFile>

#include "core/run_time_error.h"
#include "export/export_detail.h"
#include "export_support.h"

namespace export_test {
namespace {

constexpr ExportFormat kFormats[] = {ExportFormat::Svg, ExportFormat::Pdf, ExportFormat::Png};

ExportOptions Options(ExportFormat format) {
  ExportOptions options;
  options.format = format;
  options.sizePx = 640;
  return options;
}

std::string Name(ExportFormat format) {
  return std::string("design.") + exporting::FileExtension(format);
}

// The message of the RunTimeError that `f` throws.
template <class F>
std::string ErrorOf(F&& f) {
  try {
    f();
  } catch (const RunTimeError& e) {
    return e.what();
  }
  return "no error";
}

const std::vector<ExportPattern> kTwo = {{Initial(0x0000FF), 1},
                                         {Design(0xFF0000, 84, 30, 0, 12, 250, 7, 1500, 3, 5), 3}};

TEST(ExportFailure, AMissingFolderIsRefusedWithTheSaveWords) {
  Scratch scratch;
  for (const ExportFormat format : kFormats) {
    const std::string path = scratch.Path("missing/" + Name(format));
    EXPECT_EQ(ErrorOf([&] { ExportDesign(kTwo, Options(format), path); }),
              "Cannot create file " + path);
    EXPECT_TRUE(scratch.Entries().empty());
  }
}

TEST(ExportFailure, APathUnderARegularFileIsRefused) {
  Scratch scratch;
  {
    QFile file(QString::fromStdString(scratch.Path("plain")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  for (const ExportFormat format : kFormats) {
    const std::string path = scratch.Path("plain/" + Name(format));
    EXPECT_EQ(ErrorOf([&] { ExportDesign(kTwo, Options(format), path); }),
              "Cannot create file " + path);
    EXPECT_EQ(scratch.Entries(), std::vector<std::string>{"plain"});
  }
}

TEST(ExportFailure, AReadOnlyFolderIsRefused) {
  if (geteuid() == 0)
    GTEST_SKIP() << "SKIPPED LOUDLY: running as root, where folder permissions do not stop "
                    "writes; APathUnderARegularFileIsRefused covers a refused path instead";
  Scratch scratch;
  const QString folder = QString::fromStdString(scratch.Path("locked"));
  ASSERT_TRUE(QDir().mkdir(folder));
  ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
  for (const ExportFormat format : kFormats) {
    const std::string path = scratch.Path("locked/" + Name(format));
    EXPECT_EQ(ErrorOf([&] { ExportDesign(kTwo, Options(format), path); }),
              "Cannot create file " + path);
    EXPECT_TRUE(QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
  }
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(ExportFailure, APatternBeyondThirtyTwoBitsFailsAsDrawingItWould) {
  const PatternRecord huge = Design(0, 2, 1, 0, 0, 1000, 5, 2000000000, 0, 0);
  const std::string screenError = ErrorOf([&] {
    const engine::Curve curve(huge);
    curve.TraceScreen([](engine::Pixel, engine::Pixel) {});
  });
  ASSERT_EQ(screenError, errors::kRangeCheck);
  Scratch scratch;
  for (const ExportFormat format : kFormats) {
    for (const bool simplify : {false, true}) {
      if (simplify && format == ExportFormat::Png) continue;  // refused for PNG
      ExportOptions options = Options(format);
      if (simplify) options.simplifyMm = 0.1;
      // The failing pattern comes after one that draws.
      const std::vector<ExportPattern> patterns = {kTwo[0], {huge, 2}};
      EXPECT_EQ(ErrorOf([&] { ExportDesign(patterns, options, scratch.Path(Name(format))); }),
                errors::kRangeCheck);
      EXPECT_TRUE(scratch.Entries().empty());
    }
  }
}

// The exporters check the exact point where the screen truncates it.
TEST(ExportFailure, TheRangeCheckIsTheScreens) {
  const engine::Curve curve(Initial());
  const long double values[] = {0,
                                2147483647.0L,
                                2147483647.999L,
                                2147483648.0L,
                                -2147483648.0L,
                                -2147483648.999L,
                                -2147483649.0L,
                                1e30L,
                                -1e30L,
                                std::numeric_limits<long double>::quiet_NaN(),
                                std::numeric_limits<long double>::infinity()};
  for (const long double x : values)
    for (const long double y : {100.0L, x}) {
      const engine::CurvePoint p{x - 0.5L, y - 0.5L};
      const ScreenPoint exact = curve.ExactScreenPoint(p);
      if (!std::isnan(x)) {
        EXPECT_EQ(exact.x, x);
      }
      const std::string screen = ErrorOf([&] { curve.ScreenPixel(p); });
      const std::string exported = ErrorOf([&] { exporting::detail::CheckScreenRange(exact); });
      EXPECT_EQ(exported, screen) << static_cast<double>(x) << ", " << static_cast<double>(y);
    }
}

TEST(ExportFailure, APatternWhoseCurveCannotBeSetUpFails) {
  Scratch scratch;
  const std::vector<ExportPattern> patterns = {kTwo[0],
                                               {Design(0, 96, 0, 0, 0, 480, 5, 1000, 0, 0), 1}};
  for (const ExportFormat format : kFormats) {
    EXPECT_EQ(ErrorOf([&] { ExportDesign(patterns, Options(format), scratch.Path("x")); }),
              errors::kDivisionByZero);
    EXPECT_TRUE(scratch.Entries().empty());
  }
}

TEST(ExportFailure, AFailedExportLeavesAnExistingFileAsItWas) {
  Scratch scratch;
  const std::string path = scratch.Path("design.svg");
  {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("before");
  }
  const std::vector<ExportPattern> patterns = {
      kTwo[0], {Design(0, 2, 1, 0, 0, 1000, 5, 2000000000, 0, 0), 1}};
  EXPECT_EQ(ErrorOf([&] { ExportDesign(patterns, Options(ExportFormat::Svg), path); }),
            errors::kRangeCheck);
  EXPECT_EQ(ReadFile(path), "before");
  EXPECT_EQ(scratch.Entries(), std::vector<std::string>{"design.svg"});
}

TEST(ExportFailure, StoppingWritesNothing) {
  Scratch scratch;
  for (const ExportFormat format : kFormats) {
    // At once, part-way through a trace, and at the very end.
    for (const int stopAtCall : {1, 2, 1000000}) {
      int calls = 0;
      int64_t lastDone = -1;
      bool stopped = false;
      const bool written = ExportDesign(
          kTwo, Options(format), scratch.Path(Name(format)), [&](int64_t done, int64_t total) {
            EXPECT_GE(done, lastDone);
            EXPECT_LE(done, total);
            lastDone = done;
            // The last call reports everything done.
            stopped = ++calls == stopAtCall || (stopAtCall > 1000 && done == total);
            return !stopped;
          });
      EXPECT_TRUE(stopped);
      EXPECT_FALSE(written);
      EXPECT_TRUE(scratch.Entries().empty()) << Name(format) << " " << stopAtCall;
    }
  }
}

TEST(ExportFailure, ProgressCountsEveryPoint) {
  Scratch scratch;
  const PatternRecord big = Design(0, 360, 1, 0, 0, 8, 60, 1000, 0, 0);
  const size_t points = ExactPoints(big).size();
  ASSERT_GT(points, size_t{1} << 18);
  for (const ExportFormat format : kFormats) {
    std::vector<std::pair<int64_t, int64_t>> calls;
    EXPECT_TRUE(ExportDesign({{big, 1}}, Options(format), scratch.Path(Name(format)),
                             [&](int64_t done, int64_t total) {
                               calls.push_back({done, total});
                               return true;
                             }));
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front().first, 0);
    EXPECT_EQ(calls.back().first, static_cast<int64_t>(points));
    EXPECT_EQ(calls.back().second, static_cast<int64_t>(points));
  }
}

TEST(ExportFailure, OptionsOutOfRangeAreRefusedBeforeAnyFile) {
  Scratch scratch;
  ExportOptions options = Options(ExportFormat::Png);
  options.sizePx = 0;
  EXPECT_NE(ErrorOf([&] { ExportDesign(kTwo, options, scratch.Path("a.png")); }), "no error");
  options.sizePx = 16385;
  EXPECT_NE(ErrorOf([&] { ExportDesign(kTwo, options, scratch.Path("a.png")); }), "no error");
  options = Options(ExportFormat::Svg);
  options.sizeMm = 0;
  EXPECT_NE(ErrorOf([&] { ExportDesign(kTwo, options, scratch.Path("a.svg")); }), "no error");
  options.sizeMm = 200;
  options.simplifyMm = -1;
  EXPECT_NE(ErrorOf([&] { ExportDesign(kTwo, options, scratch.Path("a.svg")); }), "no error");
  EXPECT_NE(ErrorOf([&] {
              ExportDesign({{Initial(), 6}}, Options(ExportFormat::Svg), scratch.Path("a.svg"));
            }),
            "no error");
  EXPECT_TRUE(scratch.Entries().empty());
}

TEST(ExportFailure, EstimatesGrowWithThePointsAndTheImage) {
  using exporting::EstimateExportBytes;
  const PatternRecord largest = Design(0, 360, 1, 0, 0, 8, 1, 1000, 0, 0);
  ExportOptions svg = Options(ExportFormat::Svg);
  // About 16 bytes a point at 200 mm: over 100 MB for the largest pattern.
  EXPECT_GT(EstimateExportBytes({{largest, 1}}, svg), int64_t{500} << 20);
  EXPECT_LT(EstimateExportBytes({{Initial(), 1}}, svg), int64_t{1} << 20);
  EXPECT_GT(EstimateExportBytes({{largest, 1}}, Options(ExportFormat::Pdf)), int64_t{100} << 20);
  ExportOptions png = Options(ExportFormat::Png);
  png.sizePx = 16384;
  EXPECT_GE(EstimateExportBytes({}, png), int64_t{1} << 30);
  // A pattern that cannot be traced counts for nothing: exporting it fails.
  EXPECT_LT(EstimateExportBytes({{Design(0, 96, 0, 0, 0, 480, 5, 1000, 0, 0), 1}}, svg), 4096);
}

}  // namespace
}  // namespace export_test
