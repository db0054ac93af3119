#include <QByteArray>
#include <QtEndian>
#include <cmath>
#include <random>
#include <regex>
#include <sstream>

#include "core/run_time_error.h"
#include "export_support.h"

namespace export_test {
namespace {

ExportOptions Pdf(double sizeMm, bool includeCanvas = true) {
  ExportOptions options;
  options.format = ExportFormat::Pdf;
  options.sizeMm = sizeMm;
  options.includeCanvas = includeCanvas;
  return options;
}

std::string Export(const std::vector<ExportPattern>& patterns, const ExportOptions& options) {
  Scratch scratch;
  const std::string path = scratch.Path("design.pdf");
  EXPECT_TRUE(ExportDesign(patterns, options, path));
  return ReadFile(path);
}

std::vector<double> MediaBox(const std::string& pdf) {
  std::smatch m;
  static const std::regex box(
      R"(/MediaBox\s*\[\s*([-\d.]+)\s+([-\d.]+)\s+([-\d.]+)\s+([-\d.]+)\s*\])");
  if (!std::regex_search(pdf, m, box)) return {};
  return {std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4])};
}

// The page's content: every deflated stream, inflated and joined.
std::string Content(const std::string& pdf) {
  std::string content;
  size_t at = 0;
  while ((at = pdf.find("/FlateDecode", at)) != std::string::npos) {
    size_t begin = pdf.find("stream", at);
    if (begin == std::string::npos) break;
    begin += 6;
    while (pdf[begin] == '\r' || pdf[begin] == '\n') ++begin;
    const size_t end = pdf.find("endstream", begin);
    // qUncompress wants the size up front; it grows its buffer as needed.
    QByteArray data(4, '\0');
    qToBigEndian<quint32>(1 << 20, data.data());
    data.append(pdf.data() + begin, static_cast<qsizetype>(end - begin));
    content += qUncompress(data).toStdString();
    at = end;
  }
  return content;
}

// The vertices of the stroked paths, in device units: "x y m" and "x y l".
std::vector<std::vector<ScreenPoint>> Polylines(const std::string& content) {
  std::vector<std::vector<ScreenPoint>> lines;
  static const std::regex op(R"((-?[\d.]+) (-?[\d.]+) ([ml])\b)");
  for (auto it = std::sregex_iterator(content.begin(), content.end(), op);
       it != std::sregex_iterator(); ++it) {
    const ScreenPoint p{std::stold((*it)[1]), std::stold((*it)[2])};
    if ((*it)[3] == "m") lines.emplace_back();
    if (!lines.empty()) lines.back().push_back(p);
  }
  return lines;
}

TEST(PdfExport, OnePageTheSizeAsked) {
  for (const double size : {200.0, 100.0, 297.0, 33.3}) {
    const std::string pdf = Export({{Initial(), 1}}, Pdf(size));
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    const std::vector<double> box = MediaBox(pdf);
    ASSERT_EQ(box.size(), 4u);
    EXPECT_EQ(box[0], 0);
    EXPECT_EQ(box[1], 0);
    // Points, 72 an inch; the writer keeps whole points.
    EXPECT_NEAR(box[2], size / 25.4 * 72, 0.5) << size;
    EXPECT_NEAR(box[3], size / 25.4 * 72, 0.5) << size;
    EXPECT_NE(pdf.find("/Count 1"), std::string::npos);
  }
}

// Readers find the objects through the cross-reference table: each entry
// points at its object, and startxref at the table.
TEST(PdfExport, TheCrossReferenceTablePointsAtEveryObject) {
  const std::string pdf = Export({{Initial(), 2}, {Initial(0x00FF00), 1}}, Pdf(120));
  const size_t startxref = pdf.rfind("startxref\n");
  ASSERT_NE(startxref, std::string::npos);
  const size_t table = std::stoul(pdf.substr(startxref + 10));
  ASSERT_EQ(pdf.compare(table, 5, "xref\n"), 0);
  std::istringstream in(pdf.substr(table + 5));
  int first = 0, count = 0;
  in >> first >> count;
  ASSERT_EQ(first, 0);
  ASSERT_GE(count, 2);
  in.ignore(2, '\n');
  for (int object = 0; object < count; ++object) {
    std::string entry(20, '\0');
    in.read(entry.data(), 20);
    ASSERT_EQ(entry[17], object == 0 ? 'f' : 'n') << entry;
    if (object == 0) continue;
    const size_t offset = std::stoul(entry.substr(0, 10));
    EXPECT_EQ(
        pdf.compare(offset, std::to_string(object).size() + 6, std::to_string(object) + " 0 obj"),
        0)
        << "object " << object << " at " << offset;
  }
  // The stream's length object holds its true length.
  const size_t stream = pdf.find("stream\n") + 7;
  const size_t end = pdf.find("\nendstream", stream);
  std::smatch length;
  ASSERT_TRUE(std::regex_search(pdf, length, std::regex(R"(/Length (\d+) 0 R)")));
  const std::string lengthObject = length[1].str() + " 0 obj\n";
  const size_t at = pdf.find(lengthObject);
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(std::stoul(pdf.substr(at + lengthObject.size())), end - stream);
}

TEST(PdfExport, PathsFollowTheExactPoints) {
  const PatternRecord record = Design(0x0000FF, 96, 60, 0, 0, 480, 5, 1000, 250, -180);
  const std::vector<ScreenPoint> exact = ExactPoints(record);
  const std::string content = Content(Export({{record, 2}}, Pdf(200, false)));
  const auto lines = Polylines(content);
  ASSERT_FALSE(lines.empty());
  // Pieces share their ends: together they run through every exact point.
  std::vector<ScreenPoint> vertices;
  for (const auto& line : lines)
    for (size_t i = vertices.empty() ? 0 : 1; i < line.size(); ++i) vertices.push_back(line[i]);
  ASSERT_EQ(vertices.size(), exact.size());
  const long double scale = 200 / 25.4L * 1200 / 640;  // device units a screen pixel
  long double worst = 0;
  for (size_t i = 0; i < exact.size(); ++i)
    worst = std::max({worst, std::fabs(vertices[i].x / scale - exact[i].x),
                      std::fabs(vertices[i].y / scale - exact[i].y)});
  EXPECT_LE(worst, 0.003L);
  // Round caps and joins (1 1 J, 1 j); the pen 2 screen pixels wide.
  EXPECT_NE(content.find("1 J"), std::string::npos);
  EXPECT_NE(content.find("1 j"), std::string::npos);
  std::smatch width;
  ASSERT_TRUE(std::regex_search(content, width, std::regex(R"(([\d.]+) w)")));
  EXPECT_NEAR(std::stod(width[1]), 2 * static_cast<double>(scale), 1e-3);
}

// Device units a screen pixel, and the page's side in them as its MediaBox
// gives it.
long double Scale(double sizeMm) {
  return sizeMm / 25.4L * 1200 / 640;
}
long double PageSide(const std::string& pdf) {
  return MediaBox(pdf).at(2) / 0.06L;
}

// Stroked pieces joined where one starts at the point the one before ended,
// in screen pixels.
Stretches InPixels(const std::vector<std::vector<ScreenPoint>>& lines, double sizeMm) {
  Stretches joined;
  for (const auto& line : lines) {
    std::vector<ScreenPoint> px;
    for (const ScreenPoint& p : line) px.push_back({p.x / Scale(sizeMm), p.y / Scale(sizeMm)});
    if (!joined.empty() && joined.back().back().x == px.front().x &&
        joined.back().back().y == px.front().y) {
      joined.back().insert(joined.back().end(), px.begin() + 1, px.end());
    } else {
      joined.push_back(px);
    }
  }
  return joined;
}

void ExpectOnThePage(const std::string& pdf) {
  const long double side = PageSide(pdf);
  for (const auto& line : Polylines(Content(pdf)))
    for (const ScreenPoint& p : line) {
      ASSERT_TRUE(p.x >= 0 && p.x <= side && p.y >= 0 && p.y <= side) << p.x << " " << p.y;
    }
}

// A design far larger than the page is cut exactly at its edge.
TEST(PdfExport, HugeDesignsAreCutAtThePage) {
  const PatternRecord record = Design(0x0000FF, 96, 60, 0, 0, 360, 1, 50000000, 0, 0);
  for (const double size : {200.0, 33.3}) {
    SCOPED_TRACE(size);
    const std::string pdf = Export({{record, 5}}, Pdf(size, false));
    ASSERT_FALSE(Polylines(Content(pdf)).empty());
    ExpectOnThePage(pdf);
    // Within a hundredth of a unit, what a number held on the page may lose.
    const long double unit = 0.01L / Scale(size) + 1e-9L;
    EXPECT_TRUE(WrittenFollowClipped(InPixels(Polylines(Content(pdf)), size),
                                     ClippedStretches(ExactPoints(record)), unit, 2 * unit));
  }
}

TEST(PdfExport, RandomDesignsStayOnThePage) {
  std::mt19937 random(7122026);
  auto between = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  for (int n = 0; n < 10;) {
    const PatternRecord record = Design(0x0000FF, between(30, 150), between(10, 120), between(0, 1),
                                        between(0, 359), between(0, 900), between(1, 20),
                                        between(300, 3000), between(-500, 500), between(-500, 500));
    try {
      if (engine::Curve(record).EstimatedSegments() > 100000) continue;
    } catch (const RunTimeError&) {
      continue;
    }
    ++n;
    const double size = n % 2 ? 200 : 1.7;
    SCOPED_TRACE(testing::Message() << "design " << n << ", " << size << " mm");
    const std::string pdf = Export({{record, between(1, 5)}}, Pdf(size));
    ExpectOnThePage(pdf);
    // Hundredths of a unit, within 0.003 px at 1.7 mm too; repeats left out.
    const Stretches clipped = ClippedStretches(ExactPoints(record));
    const Stretches written = InPixels(Polylines(Content(pdf)), size);
    EXPECT_TRUE(WrittenFollowClipped(written, clipped, 0.01L / Scale(size) + 1e-9L,
                                     0.02L / Scale(size) + 1e-9L));
    for (const auto& stretch : written)
      for (size_t i = 1; stretch.size() > 2 && i < stretch.size(); ++i)
        ASSERT_FALSE(stretch[i].x == stretch[i - 1].x && stretch[i].y == stretch[i - 1].y);
  }
}

TEST(PdfExport, APointThatReadsAsTheOneBeforeIsLeftOut) {
  // Points that crowd in the loops of a small pattern.
  const PatternRecord tiny = Design(0x0000FF, 30, 1, 1, 0, 8, 5, 1, 0, 0);
  const std::vector<ScreenPoint> exact = ExactPoints(tiny);
  const auto lines = Polylines(Content(Export({{tiny, 1}}, Pdf(20, false))));
  ASSERT_EQ(lines.size(), 1u);
  ASSERT_GT(lines[0].size(), 2u);
  EXPECT_LT(lines[0].size(), exact.size() * 9 / 10);
  for (size_t i = 1; i < lines[0].size(); ++i)
    ASSERT_FALSE(lines[0][i].x == lines[0][i - 1].x && lines[0][i].y == lines[0][i - 1].y) << i;
}

TEST(PdfExport, APatternEntirelyOffThePageWritesNothing) {
  const PatternRecord away = Design(0x00FF00, 96, 60, 0, 0, 480, 5, 1000, 30000, 0);
  const std::string alone = Content(Export({{away, 1}}, Pdf(200, false)));
  EXPECT_TRUE(Polylines(alone).empty());
  EXPECT_EQ(alone.find(" RG"), std::string::npos);
  const std::string two = Content(Export({{Initial(), 1}, {away, 1}}, Pdf(200, false)));
  EXPECT_EQ(two.find(" RG"), two.rfind(" RG"));
}

TEST(PdfExport, SimplifiedPathsHaveFewerVertices) {
  const PatternRecord record = Design(0x0000FF, 360, 1, 0, 0, 8, 90, 1000, 0, 0);
  ExportOptions options = Pdf(200, false);
  size_t full = 0;
  for (const auto& line : Polylines(Content(Export({{record, 1}}, options)))) full += line.size();
  options.simplifyMm = 0.5;
  size_t simplified = 0;
  for (const auto& line : Polylines(Content(Export({{record, 1}}, options))))
    simplified += line.size();
  EXPECT_GE(full, ExactPoints(record).size());  // pieces share their ends
  EXPECT_LT(simplified * 2, full);
}

TEST(PdfExport, CanvasIsFilledFirstUnlessLeftOut) {
  const std::vector<ExportPattern> patterns = {{Initial(0x0000FF), 1}};
  const std::string with = Content(Export(patterns, Pdf(200)));
  const std::string without = Content(Export(patterns, Pdf(200, false)));
  // A filled rectangle: "re" then "f".
  const size_t rect = with.find(" re");
  ASSERT_NE(rect, std::string::npos);
  EXPECT_LT(rect, with.find(" l\n"));
  // The page exactly, no more.
  std::smatch box;
  ASSERT_TRUE(std::regex_search(with, box, std::regex(R"(0 0 ([\d.]+) ([\d.]+) re)")));
  const long double side = MediaBox(Export(patterns, Pdf(200))).at(2) / 0.06L;
  EXPECT_LE(std::stold(box[1]), side);
  EXPECT_GT(std::stold(box[1]), side - 0.01L);
  EXPECT_EQ(without.find(" re"), std::string::npos);
}

TEST(PdfExport, EmptyHistory) {
  const std::string canvasOnly = Export({}, Pdf(150));
  ASSERT_EQ(MediaBox(canvasOnly).size(), 4u);
  EXPECT_NE(Content(canvasOnly).find(" re"), std::string::npos);
  const std::string blank = Export({}, Pdf(150, false));
  ASSERT_EQ(MediaBox(blank).size(), 4u);
  EXPECT_EQ(Content(blank).find(" re"), std::string::npos);
  EXPECT_TRUE(Polylines(Content(blank)).empty());
}

}  // namespace
}  // namespace export_test
