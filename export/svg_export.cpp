#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/drawing_area.h"
#include "export/export_detail.h"
#include "export/page_clipper.h"
#include "export/simplify.h"
#include "export/svg_numbers.h"

namespace exporting::detail {

namespace {

// libxml2, under librsvg and most SVG readers on Linux, stops after 10 MB
// of input unless it has let go of what it has read, and it lets go only
// when an element ends near the end of its read buffer: megabyte-long path
// data seldom does. A run of blanks between two elements always reaches the
// buffer's end, so one follows every megabyte or two of path data.
class ReaderBreaks {
 public:
  explicit ReaderBreaks(OutputFile& out) : out_(out) {}

  void AfterElement(size_t dataBytes) {
    bytesSinceBreak_ += dataBytes;
    if (bytesSinceBreak_ < kBytesBetweenBreaks) return;
    static const std::string blanks = std::string(kBreakBytes - 1, ' ') + '\n';
    out_.Append(blanks);
    bytesSinceBreak_ = 0;
  }

 private:
  // Twice libxml2's own margin would do; eight times leaves room for readers
  // with larger buffers.
  static constexpr size_t kBreakBytes = 4096;
  static constexpr size_t kBytesBetweenBreaks = 1'000'000;
  OutputFile& out_;
  size_t bytesSinceBreak_ = 0;
};

// A pattern's path data as absolute M and L commands, a line break now and
// then so that text tools cope with it. The path element is opened with the
// first point, so a pattern with nothing on the page writes nothing. A
// point that reads the same as the one before is left out, and a stretch
// that never moves is a dot (M then L to the same point). Path data longer
// than the limit goes on in a next <path>, which starts where the one
// before stopped.
template <int kDecimals>
class PathWriter {
 public:
  PathWriter(OutputFile& out, ReaderBreaks& breaks, const SvgNumbers& numbers, std::string openTag,
             std::string attributes, size_t maxDataBytes)
      : out_(out),
        breaks_(breaks),
        numbers_(numbers),
        openTag_(std::move(openTag)),
        attributes_(std::move(attributes)),
        maxDataBytes_(std::max(maxDataBytes, kMinDataBytes)) {}

  void Point(const ScreenPoint& p) {
    const int64_t x = numbers_.Units(p.x), y = numbers_.Units(p.y);
    if (stretchPoints_ > 0 && x == lastX_ && y == lastY_) return;
    Command(stretchPoints_ == 0 ? 'M' : 'L', x, y);
  }

  void EndStretch() {
    if (stretchPoints_ == 1) Command('L', lastX_, lastY_);
    stretchPoints_ = 0;
  }

  void Finish() {
    if (pieces_ > 0) ClosePiece();
  }

 private:
  // Room for "\nL", two numbers and their space.
  static constexpr size_t kMaxCommandBytes = 2 * SvgNumbers::kMaxChars + 3;
  static constexpr size_t kMinDataBytes = 4 * kMaxCommandBytes;
  static constexpr int64_t kPerLine = 100;

  void Command(char command, int64_t x, int64_t y) {
    if (pieces_ == 0) OpenPiece();
    char* start = out_.Reserve(kMaxCommandBytes);
    char* end = Format(start, command, x, y);
    if (dataBytes_ + static_cast<size_t>(end - start) > maxDataBytes_) {
      // What Format wrote is dropped; the next piece takes the command.
      ClosePiece();
      OpenPiece();
      if (command == 'L') Append('M', lastX_, lastY_);
      start = out_.Reserve(kMaxCommandBytes);
      end = Format(start, command, x, y);
    }
    out_.Advance(end);
    dataBytes_ += static_cast<size_t>(end - start);
    stretchPoints_ = command == 'M' ? 1 : stretchPoints_ + 1;
    lastX_ = x;
    lastY_ = y;
  }

  void Append(char command, int64_t x, int64_t y) {
    char* start = out_.Reserve(kMaxCommandBytes);
    char* end = Format(start, command, x, y);
    out_.Advance(end);
    dataBytes_ += static_cast<size_t>(end - start);
  }

  char* Format(char* at, char command, int64_t x, int64_t y) {
    if (commands_ > 0 && commands_ % kPerLine == 0) *at++ = '\n';
    ++commands_;
    *at++ = command;
    at = numbers_.Write<kDecimals>(at, x);
    *at++ = ' ';
    return numbers_.Write<kDecimals>(at, y);
  }

  void OpenPiece() {
    ++pieces_;
    out_.Append(openTag_);
    if (pieces_ > 1) {
      out_.Append("-");
      out_.Append(std::to_string(pieces_));
    }
    out_.Append(attributes_);
    dataBytes_ = 0;
    commands_ = 0;
  }

  void ClosePiece() {
    out_.Append("\"/>\n");
    breaks_.AfterElement(dataBytes_);
  }

  OutputFile& out_;
  ReaderBreaks& breaks_;
  const SvgNumbers& numbers_;
  const std::string openTag_;     // up to the id's number
  const std::string attributes_;  // from the end of the id to d's opening quote
  const size_t maxDataBytes_;
  int pieces_ = 0;
  size_t dataBytes_ = 0;
  int64_t commands_ = 0;
  int64_t stretchPoints_ = 0;
  int64_t lastX_ = 0, lastY_ = 0;
};

class SvgWriter {
 public:
  SvgWriter(const ExportOptions& options, OutputFile& out, ProgressMeter& progress)
      : options_(options), out_(out), progress_(progress), breaks_(out), numbers_(options.sizeMm) {
    size_ = ShortestText(options.sizeMm);
    if (options.simplifyMm) {
      // The written vertices may each be off by the rounding, so the dropped
      // points are held to a little less than asked.
      tolerancePx_ = static_cast<long double>(*options.simplifyMm) * 640 / options.sizeMm -
                     2 * numbers_.ErrorPx() - 1e-9L;
    }
  }

  void Begin() {
    out_.Append(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" width=\"" +
        size_ + "mm\" height=\"" + size_ + "mm\" viewBox=\"0 0 " + size_ + " " + size_ + "\">\n");
    if (options_.includeCanvas) {
      BeginLayer("canvas", "layer-canvas");
      out_.Append(
          "<!-- The canvas colour: a filled background, not a pen path. -->\n"
          "<rect id=\"canvas\" x=\"0\" y=\"0\" width=\"" +
          size_ + "\" height=\"" + size_ + "\" fill=\"" + HexColour(options_.canvasColour) +
          "\" stroke=\"none\"/>\n");
      EndLayer();
    }
  }

  void BeginLayer(const std::string& label, const std::string& id) {
    out_.Append("<g inkscape:groupmode=\"layer\" inkscape:label=\"" + label + "\" id=\"" + id +
                "\">\n");
  }
  void EndLayer() { out_.Append("</g>\n"); }
  void End() { out_.Append("</svg>\n"); }

  void Pattern(const ExportPattern& pattern, size_t index) {
    const engine::Curve curve(pattern.record, pattern.ring);
    const double width = pattern.lineWidth * options_.sizeMm / 640;
    const std::string openTag = "<path id=\"pattern-" + std::to_string(index + 1);
    const std::string attributes = "\" fill=\"none\" stroke=\"" + HexColour(pattern.record.Colour) +
                                   "\" stroke-width=\"" + ShortestText(width) +
                                   "\" stroke-linecap=\"round\" stroke-linejoin=\"round\" d=\"";
    // The common decimal counts get loops of their own.
    switch (numbers_.Decimals()) {
      case 1:
        WriteData<1>(curve, openTag, attributes);
        break;
      case 2:
        WriteData<2>(curve, openTag, attributes);
        break;
      case 3:
        WriteData<3>(curve, openTag, attributes);
        break;
      case 4:
        WriteData<4>(curve, openTag, attributes);
        break;
      default:
        WriteData<-1>(curve, openTag, attributes);
        break;
    }
  }

 private:
  template <int kDecimals>
  void WriteData(const engine::Curve& curve, const std::string& openTag,
                 const std::string& attributes) {
    PathWriter<kDecimals> path(out_, breaks_, numbers_, openTag, attributes,
                               options_.maxPathDataBytes);
    if (options_.simplifyMm) {
      SimplifiedStretches<PathWriter<kDecimals>> stretches(tolerancePx_, path);
      Clip(curve, stretches);
    } else {
      Clip(curve, path);
    }
    path.Finish();
  }

  template <class Sink>
  void Clip(const engine::Curve& curve, Sink& sink) {
    PageClipper<Sink> page(kDrawingAreaSize, sink);
    TraceExact(curve, progress_, [&](const ScreenPoint& p) { page.Add(p); });
    page.Finish();
  }

  const ExportOptions& options_;
  OutputFile& out_;
  ProgressMeter& progress_;
  ReaderBreaks breaks_;
  SvgNumbers numbers_;
  std::string size_;
  long double tolerancePx_ = -1;
};

}  // namespace

void WriteSvg(const std::vector<ExportPattern>& patterns, const ExportOptions& options,
              OutputFile& out, ProgressMeter& progress) {
  SvgWriter svg(options, out, progress);
  svg.Begin();
  if (!patterns.empty()) {
    if (options.layerPerColour) {
      // Pen colours in order of first use; each layer traces its own patterns
      // as it is written, so nothing is held back.
      std::vector<int32_t> colours;
      for (const ExportPattern& p : patterns) {
        const int32_t rgb = p.record.Colour & 0xFFFFFF;
        if (std::find(colours.begin(), colours.end(), rgb) == colours.end()) colours.push_back(rgb);
      }
      for (size_t layer = 0; layer < colours.size(); ++layer) {
        // The label starts with the layer's number, which plotter tools
        // take for the layer (and the pen).
        const std::string number = std::to_string(layer + 1);
        svg.BeginLayer(number + " " + HexColour(colours[layer]), "layer-" + number);
        for (size_t i = 0; i < patterns.size(); ++i)
          if ((patterns[i].record.Colour & 0xFFFFFF) == colours[layer]) svg.Pattern(patterns[i], i);
        svg.EndLayer();
      }
    } else {
      svg.BeginLayer("1 patterns", "layer-patterns");
      for (size_t i = 0; i < patterns.size(); ++i) svg.Pattern(patterns[i], i);
      svg.EndLayer();
    }
  }
  svg.End();
}

}  // namespace exporting::detail
