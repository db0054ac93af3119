#include <algorithm>
#include <string>
#include <vector>

#include "export/export_detail.h"
#include "export/simplify.h"
#include "export/svg_numbers.h"

namespace exporting::detail {

namespace {

// Path data as absolute M and L commands, a line break now and then so that
// text tools cope with it.
template <int kDecimals>
class PathData {
 public:
  PathData(OutputFile& out, const SvgNumbers& numbers) : out_(out), numbers_(numbers) {}

  void operator()(const ScreenPoint& p) {
    char* at = out_.Reserve(2 * SvgNumbers::kMaxChars + 4);
    if (count_ == 0) {
      *at++ = 'M';
    } else {
      if (count_ % kPerLine == 0) *at++ = '\n';
      *at++ = 'L';
    }
    at = numbers_.Write<kDecimals>(at, p.x);
    *at++ = ' ';
    at = numbers_.Write<kDecimals>(at, p.y);
    out_.Advance(at);
    ++count_;
  }

 private:
  static constexpr int64_t kPerLine = 100;
  OutputFile& out_;
  const SvgNumbers& numbers_;
  int64_t count_ = 0;
};

class SvgWriter {
 public:
  SvgWriter(const ExportOptions& options, OutputFile& out, ProgressMeter& progress)
      : options_(options), out_(out), progress_(progress), numbers_(options.sizeMm) {
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
      out_.Append("<rect id=\"canvas\" x=\"0\" y=\"0\" width=\"" + size_ + "\" height=\"" + size_ +
                  "\" fill=\"" + HexColour(options_.canvasColour) + "\"/>\n");
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
    const engine::Curve curve(pattern.record);
    const double width = pattern.lineWidth * options_.sizeMm / 640;
    out_.Append("<path id=\"pattern-" + std::to_string(index + 1) + "\" fill=\"none\" stroke=\"" +
                HexColour(pattern.record.Colour) + "\" stroke-width=\"" + ShortestText(width) +
                "\" stroke-linecap=\"round\" stroke-linejoin=\"round\" d=\"");
    // The common decimal counts get loops of their own.
    switch (numbers_.Decimals()) {
      case 1:
        WriteData<1>(curve);
        break;
      case 2:
        WriteData<2>(curve);
        break;
      case 3:
        WriteData<3>(curve);
        break;
      case 4:
        WriteData<4>(curve);
        break;
      default:
        WriteData<-1>(curve);
        break;
    }
    out_.Append("\"/>\n");
  }

 private:
  template <int kDecimals>
  void WriteData(const engine::Curve& curve) {
    PathData<kDecimals> data(out_, numbers_);
    if (options_.simplifyMm) {
      StreamSimplifier<PathData<kDecimals>&> simplifier(tolerancePx_, data);
      TraceExact(curve, progress_, [&](const ScreenPoint& p) { simplifier.Add(p); });
      simplifier.Finish();
    } else {
      TraceExact(curve, progress_, data);
    }
  }

  const ExportOptions& options_;
  OutputFile& out_;
  ProgressMeter& progress_;
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
        svg.BeginLayer(HexColour(colours[layer]), "layer-" + std::to_string(layer + 1));
        for (size_t i = 0; i < patterns.size(); ++i)
          if ((patterns[i].record.Colour & 0xFFFFFF) == colours[layer]) svg.Pattern(patterns[i], i);
        svg.EndLayer();
      }
    } else {
      svg.BeginLayer("patterns", "layer-patterns");
      for (size_t i = 0; i < patterns.size(); ++i) svg.Pattern(patterns[i], i);
      svg.EndLayer();
    }
  }
  svg.End();
}

}  // namespace exporting::detail
