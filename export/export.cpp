#include "export/export.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/run_time_error.h"
#include "export/export_detail.h"
#include "export/svg_numbers.h"

namespace exporting {

namespace detail {

OutputFile::OutputFile(const std::string& path, bool unbuffered)
    : file_(QString::fromStdString(path)) {
  const QIODevice::OpenMode mode =
      unbuffered ? QIODevice::WriteOnly | QIODevice::Unbuffered : QIODevice::WriteOnly;
  // The same words as saving a design.
  if (!file_.open(mode)) throw RunTimeError("Cannot create file " + path);
  buffer_.resize(size_t{1} << 20);
  next_ = buffer_.data();
  end_ = buffer_.data() + buffer_.size();
}

void OutputFile::Append(std::string_view text) {
  while (!text.empty()) {
    char* at = Reserve(1);
    const size_t n = std::min(text.size(), static_cast<size_t>(end_ - at));
    std::memcpy(at, text.data(), n);
    Advance(at + n);
    text.remove_prefix(n);
  }
}

void OutputFile::Flush() {
  const auto size = static_cast<qint64>(next_ - buffer_.data());
  if (size > 0 && file_.write(buffer_.data(), size) != size) ThrowWriteError();
  next_ = buffer_.data();
}

void OutputFile::Commit() {
  Flush();
  if (file_.error() != QFileDevice::NoError || !file_.commit()) ThrowWriteError();
}

void ThrowWriteError() {
  throw RunTimeError("Stream write error");
}

void ProgressMeter::Report() {
  nextReport_ = SaturatingAdd(done_, kInterval);
  if (callback_ && !callback_(done_, std::max(total_, done_))) throw Stopped{};
}

int64_t SaturatingAdd(int64_t a, int64_t b) {
  int64_t sum;
  return __builtin_add_overflow(a, b, &sum) ? std::numeric_limits<int64_t>::max() : sum;
}

int64_t EstimatedPoints(const engine::PatternRecord& record, const engine::RingShape& ring) {
  try {
    const long double segments = engine::Curve(record, ring).EstimatedSegments();
    if (!(segments < 0x1p62L)) return std::numeric_limits<int64_t>::max();
    return static_cast<int64_t>(segments) + 1;
  } catch (const RunTimeError&) {
    return 0;
  }
}

std::string HexColour(Colour colour) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text = "#";
  for (const int part : {RedOf(colour), GreenOf(colour), BlueOf(colour)}) {
    text += kDigits[part >> 4];
    text += kDigits[part & 15];
  }
  return text;
}

}  // namespace detail

namespace {

void CheckOptions(const std::vector<ExportPattern>& patterns, const ExportOptions& options) {
  // An option that does not apply to the format is refused rather than
  // passed over, so that nobody waits for an effect that never comes.
  if (options.format != ExportFormat::Svg && !options.layerPerColour)
    throw RunTimeError("A single layer is for SVG only");
  if (options.format == ExportFormat::Png) {
    if (options.sizePx < 1 || options.sizePx > kMaxSizePx)
      throw RunTimeError("Image size must be 1 to " + std::to_string(kMaxSizePx) + " pixels");
    if (options.simplifyMm) throw RunTimeError("Simplification is for SVG and PDF only");
  } else {
    if (!(options.sizeMm >= kMinSizeMm && options.sizeMm <= kMaxSizeMm))
      throw RunTimeError("Drawing size must be 1 to 100000 mm");
    if (options.simplifyMm && !(*options.simplifyMm >= 0 && std::isfinite(*options.simplifyMm)))
      throw RunTimeError("Simplification must be 0 mm or more");
  }
  for (const ExportPattern& p : patterns)
    if (p.lineWidth < 1 || p.lineWidth > kMaxLineWidth)
      throw RunTimeError("Line width must be 1 to 5");
}

}  // namespace

bool ExportDesign(const std::vector<ExportPattern>& patterns, const ExportOptions& options,
                  const std::string& path, const Progress& progress) {
  CheckOptions(patterns, options);
  int64_t total = 0;
  for (const ExportPattern& p : patterns) {
    (void)engine::Curve(p.record, p.ring);  // a curve that cannot be set up fails before any file
    total = detail::SaturatingAdd(total, detail::EstimatedPoints(p.record, p.ring));
  }
  detail::ProgressMeter meter(progress, total);
  try {
    meter.Report();
    // SVG and PDF are written through our own buffer; PNG through QImage.
    detail::OutputFile out(path, options.format != ExportFormat::Png);
    switch (options.format) {
      case ExportFormat::Svg:
        detail::WriteSvg(patterns, options, out, meter);
        break;
      case ExportFormat::Pdf:
        detail::WritePdf(patterns, options, out, meter);
        break;
      case ExportFormat::Png:
        detail::WritePng(patterns, options, out, meter);
        break;
    }
    meter.Report();
    out.Commit();
  } catch (const detail::Stopped&) {
    return false;
  }
  return true;
}

int64_t EstimateExportBytes(const std::vector<ExportPattern>& patterns,
                            const ExportOptions& options) {
  using detail::SaturatingAdd;
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  int64_t points = 0;
  for (const ExportPattern& p : patterns)
    points = SaturatingAdd(points, detail::EstimatedPoints(p.record, p.ring));
  auto times = [&](int64_t count, int64_t bytes) {
    return count > kMax / bytes ? kMax : count * bytes;
  };
  switch (options.format) {
    case ExportFormat::Png: {
      const int64_t side = std::clamp(options.sizePx, 1, kMaxSizePx);
      return side * side * 4 + 1024;
    }
    case ExportFormat::Svg: {
      // "L" or a space, two numbers of up to four whole digits, a point and
      // the decimals, and their separator.
      const int decimals = detail::SvgNumbers(options.sizeMm).Decimals();
      return SaturatingAdd(times(points, 2 * (4 + 1 + decimals) + 2),
                           1024 + 512 * static_cast<int64_t>(patterns.size()));
    }
    case ExportFormat::Pdf:
      // "x y l" with up to nine decimals each, deflated: about 11 bytes.
      return SaturatingAdd(times(points, 12), 4096 + 256 * static_cast<int64_t>(patterns.size()));
  }
  return 0;
}

const char* FileExtension(ExportFormat format) {
  switch (format) {
    case ExportFormat::Svg:
      return "svg";
    case ExportFormat::Pdf:
      return "pdf";
    case ExportFormat::Png:
      return "png";
  }
  return "";
}

}  // namespace exporting
