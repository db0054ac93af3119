// A PDF of one page, written here rather than through QPdfWriter: the page is
// one content stream of path operators, deflated at zlib's fastest level as
// it is written. (QPdfWriter deflates at the default level, which took most
// of a large export's time and gained little on numbers like these.)
#include <zlib.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "core/drawing_area.h"
#include "export/export_detail.h"
#include "export/page_clipper.h"
#include "export/simplify.h"

namespace exporting::detail {

namespace {

constexpr double kUnitsPerInch = 1200;  // the content's units: 1200 a inch, y downwards
constexpr double kPointsPerInch = 72;
constexpr size_t kPiece = 10000;  // points a path piece

// Writes bytes to the file and counts them, for the cross-reference table.
class CountingOutput {
 public:
  explicit CountingOutput(OutputFile& out) : out_(out) {}
  void Append(std::string_view text) {
    out_.Append(text);
    offset_ += static_cast<int64_t>(text.size());
  }
  int64_t Offset() const { return offset_; }

 private:
  OutputFile& out_;
  int64_t offset_ = 0;
};

// The content stream, deflated as it grows.
class DeflatedStream {
 public:
  explicit DeflatedStream(CountingOutput& out) : out_(out), compressed_(1 << 16) {
    if (deflateInit(&z_, Z_BEST_SPEED) != Z_OK) ThrowWriteError();
    text_.reserve(1 << 16);
  }
  ~DeflatedStream() { deflateEnd(&z_); }
  DeflatedStream(const DeflatedStream&) = delete;
  DeflatedStream& operator=(const DeflatedStream&) = delete;

  std::string& Text() { return text_; }
  // Deflates what Text() holds once it is large enough.
  void Flush() {
    if (text_.size() >= (1 << 16)) Deflate(Z_NO_FLUSH);
  }
  // The stream's length in bytes, once it is finished.
  int64_t Finish() {
    Deflate(Z_FINISH);
    return written_;
  }

 private:
  void Deflate(int flush) {
    z_.next_in = reinterpret_cast<Bytef*>(text_.data());
    z_.avail_in = static_cast<uInt>(text_.size());
    int result = Z_OK;
    do {
      z_.next_out = compressed_.data();
      z_.avail_out = static_cast<uInt>(compressed_.size());
      result = deflate(&z_, flush);
      if (result == Z_STREAM_ERROR) ThrowWriteError();
      const size_t n = compressed_.size() - z_.avail_out;
      out_.Append(std::string_view(reinterpret_cast<const char*>(compressed_.data()), n));
      written_ += static_cast<int64_t>(n);
    } while (z_.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END));
    text_.clear();
  }

  CountingOutput& out_;
  z_stream z_{};
  std::string text_;
  std::vector<Bytef> compressed_;
  int64_t written_ = 0;
};

// A number with two decimals, which the points' content units need at most,
// or as many as asked.
void AppendNumber(std::string& text, double v, int decimals = 2) {
  char buffer[48];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
  text.append(buffer, error == std::errc() ? end : buffer);
  text.push_back(' ');
}

void AppendColour(std::string& text, Colour colour, const char* op) {
  for (int component : {RedOf(colour), GreenOf(colour), BlueOf(colour)}) {
    char buffer[16];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, component / 255.0,
                                            std::chars_format::fixed, 4);
    text.append(buffer, end);
    text.push_back(' ');
  }
  text.append(op).push_back('\n');
}

// A count of hundredths, not negative, as a number with two decimals.
void AppendHundredths(std::string& text, int64_t hundredths) {
  char buffer[32];
  char* at = std::to_chars(buffer, buffer + 24, hundredths / 100).ptr;
  *at++ = '.';
  *at++ = static_cast<char>('0' + hundredths / 10 % 10);
  *at++ = static_cast<char>('0' + hundredths % 10);
  *at++ = ' ';
  text.append(buffer, at);
}

// A pattern's stretches on the page as path operators, in hundredths of a
// content unit held within the page: a stroke every kPiece points, each
// stretch a subpath. As in the SVG, a point that reads the same as the one
// before is left out, a stretch that never moves is a dot, and a pattern
// with nothing on the page writes nothing, not even its pen.
class PdfPath {
 public:
  PdfPath(DeflatedStream& stream, long double hundredthsPerPx, int64_t edge, std::string pen)
      : stream_(stream), hundredthsPerPx_(hundredthsPerPx), edge_(edge), pen_(std::move(pen)) {}

  void Point(const ScreenPoint& p) {
    const int64_t x = Hundredths(p.x), y = Hundredths(p.y);
    if (stretchPoints_ > 0 && x == lastX_ && y == lastY_) return;
    Operator(stretchPoints_ == 0 ? 'm' : 'l', x, y);
  }

  void EndStretch() {
    if (stretchPoints_ == 1) Operator('l', lastX_, lastY_);
    stretchPoints_ = 0;
  }

  void Finish() {
    if (strokePoints_ > 0) Stroke();
  }

 private:
  int64_t Hundredths(long double px) const {
    const int64_t h = std::llround(px * hundredthsPerPx_);
    return h < 0 ? 0 : h > edge_ ? edge_ : h;
  }

  void Operator(char op, int64_t x, int64_t y) {
    std::string& text = stream_.Text();
    if (!penSet_) {
      penSet_ = true;
      text.append(pen_);
    }
    if (strokePoints_ >= kPiece) {
      Stroke();
      if (op == 'l') Append(text, 'm', lastX_, lastY_);
    }
    Append(text, op, x, y);
    stretchPoints_ = op == 'm' ? 1 : stretchPoints_ + 1;
    lastX_ = x;
    lastY_ = y;
  }

  void Append(std::string& text, char op, int64_t x, int64_t y) {
    AppendHundredths(text, x);
    AppendHundredths(text, y);
    text.push_back(op);
    text.push_back('\n');
    ++strokePoints_;
  }

  void Stroke() {
    stream_.Text().append("S\n");
    stream_.Flush();
    strokePoints_ = 0;
  }

  DeflatedStream& stream_;
  long double hundredthsPerPx_;
  int64_t edge_;
  std::string pen_;  // colour and width
  bool penSet_ = false;
  size_t strokePoints_ = 0;
  int64_t stretchPoints_ = 0;
  int64_t lastX_ = 0, lastY_ = 0;
};

template <class Sink>
void ClipToPage(const engine::Curve& curve, ProgressMeter& progress, Sink& sink) {
  PageClipper<Sink> page(kDrawingAreaSize, sink);
  TraceExact(curve, progress, [&](const ScreenPoint& p) { page.Add(p); });
  page.Finish();
}

}  // namespace

void WritePdf(const std::vector<ExportPattern>& patterns, const ExportOptions& options,
              OutputFile& file, ProgressMeter& progress) {
  CountingOutput out(file);
  const double sidePoints = options.sizeMm / 25.4 * kPointsPerInch;
  // Content units a screen pixel.
  const double scale = options.sizeMm / 25.4 * kUnitsPerInch / kDrawingAreaSize;
  std::vector<int64_t> offsets(7, 0);  // of objects 1 to 6
  // The page's side in points as the MediaBox gives it, to a ten-thousandth
  // so that it holds the whole drawing area but for a sliver no reader
  // shows, and the hundredths of content units that stay on it: a point is
  // 50/3 units.
  std::string side;
  AppendNumber(side, sidePoints, 4);
  const int64_t edge = std::llround(std::strtod(side.c_str(), nullptr) * 10000) / 6;

  out.Append("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
  offsets[4] = out.Offset();
  out.Append("4 0 obj\n<< /Length 5 0 R /Filter /FlateDecode >>\nstream\n");
  int64_t length = 0;
  {
    DeflatedStream stream(out);
    std::string& text = stream.Text();
    // From content units, y downwards, to the page's points, y upwards.
    text.append("q\n");
    AppendNumber(text, kPointsPerInch / kUnitsPerInch);
    text.append("0 0 ");
    AppendNumber(text, -kPointsPerInch / kUnitsPerInch);
    text.append("0 ");
    AppendNumber(text, sidePoints, 4);
    text.append("cm\n1 J\n1 j\n");
    if (options.includeCanvas) {
      AppendColour(text, options.canvasColour, "rg");
      text.append("0 0 ");
      AppendHundredths(text, edge);
      AppendHundredths(text, edge);
      text.append("re\nf\n");
    }
    for (const ExportPattern& pattern : patterns) {
      const engine::Curve curve(pattern.record, pattern.ring);
      std::string pen;
      AppendColour(pen, pattern.record.Colour, "RG");
      AppendNumber(pen, pattern.lineWidth * scale, 4);
      pen.append("w\n");
      PdfPath path(stream, static_cast<long double>(scale) * 100, edge, std::move(pen));
      if (options.simplifyMm) {
        const long double tolerance =
            static_cast<long double>(*options.simplifyMm) * kDrawingAreaSize / options.sizeMm -
            1e-6L;
        SimplifiedStretches<PdfPath> stretches(tolerance, path);
        ClipToPage(curve, progress, stretches);
      } else {
        ClipToPage(curve, progress, path);
      }
      path.Finish();
    }
    text.append("Q\n");
    length = stream.Finish();
  }
  out.Append("\nendstream\nendobj\n");

  offsets[5] = out.Offset();
  out.Append("5 0 obj\n" + std::to_string(length) + "\nendobj\n");
  offsets[1] = out.Offset();
  out.Append("1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n");
  offsets[2] = out.Offset();
  out.Append("2 0 obj\n<< /Type /Pages /Kids [3 0 R] /Count 1 >>\nendobj\n");
  offsets[3] = out.Offset();
  out.Append("3 0 obj\n<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + side + side +
             "] /Resources << >> /Contents 4 0 R >>\nendobj\n");
  offsets[6] = out.Offset();
  out.Append("6 0 obj\n<< /Creator (Korva) /Producer (Korva) >>\nendobj\n");

  const int64_t xref = out.Offset();
  std::string table = "xref\n0 7\n0000000000 65535 f \n";
  for (int object = 1; object <= 6; ++object) {
    char entry[32];
    std::snprintf(entry, sizeof entry, "%010lld 00000 n \n",
                  static_cast<long long>(offsets[object]));
    table += entry;
  }
  table += "trailer\n<< /Size 7 /Root 1 0 R /Info 6 0 R >>\nstartxref\n" + std::to_string(xref) +
           "\n%%EOF\n";
  out.Append(table);
}

}  // namespace exporting::detail
