#pragma once
// What the export tests share: designs, a scratch folder, the tracer's exact
// points, and a small reader for the SVG the exporter writes.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/curve.h"
#include "export/export.h"

namespace export_test {

using engine::PatternRecord;
using exporting::ExportDesign;
using exporting::ExportFormat;
using exporting::ExportOptions;
using exporting::ExportPattern;
using ScreenPoint = engine::Curve::ScreenPoint;

inline PatternRecord Design(Colour colour, int32_t fixed, int32_t moving, int32_t mode, int32_t top,
                            int32_t hole, int32_t step, int32_t size, int32_t x, int32_t y) {
  return {colour, fixed, moving, mode, top, hole, step, size, x, y};
}

// The design the program starts with, in red.
inline PatternRecord Initial(Colour colour = 0x0000FF) {
  return Design(colour, 96, 60, 0, 0, 480, 5, 1000, 0, 0);
}

// A scratch folder, removed with everything in it at the end.
class Scratch {
 public:
  Scratch() { EXPECT_TRUE(dir_.isValid()); }
  std::string Path(const std::string& name) const {
    return dir_.filePath(QString::fromStdString(name)).toStdString();
  }
  std::string Dir() const { return dir_.path().toStdString(); }
  // Names of everything in the folder.
  std::vector<std::string> Entries() const;

 private:
  QTemporaryDir dir_;
};

std::string ReadFile(const std::string& path);

// Every point of the pattern's trace on its ring, exact, in order.
std::vector<ScreenPoint> ExactPoints(const PatternRecord& record,
                                     const engine::RingShape& ring = {});

// An SVG element with its attributes and children, as parsed.
struct Element {
  std::string name;
  std::map<std::string, std::string> attributes;
  std::vector<Element> children;
  std::string Attr(const std::string& key) const {
    const auto it = attributes.find(key);
    return it == attributes.end() ? std::string("<none>") : it->second;
  }
};

// Parses the document's root element; fails the test on malformed input.
Element ParseSvg(const std::string& text);

struct PathData {
  std::vector<ScreenPoint> vertices;               // in user units (mm)
  std::vector<std::vector<ScreenPoint>> subpaths;  // the same, from each M on
  std::vector<std::string> numbers;                // every number as written
  bool onlyAbsoluteMovesAndLines = true;           // M first, then M and L
};
PathData ParsePathData(const std::string& d);

// The pattern's exact points cut to the page [0, side] px with the screen's
// own clipping (in doubles): the stretches a page shows, in order.
using Stretches = std::vector<std::vector<ScreenPoint>>;
Stretches ClippedStretches(const std::vector<ScreenPoint>& exact, double side = 640);

// Matches the written stretches (px) to the clipped ones: the same count,
// and in each, the written vertices an ordered selection of the points
// within `tolerancePx`, both ends included. Every point passed over lies
// within `dropPx` of the written segment around it. Returns false after
// adding failures.
bool WrittenFollowClipped(const Stretches& written, const Stretches& clipped,
                          long double tolerancePx, long double dropPx);

// The layers (Inkscape layer groups) of a document, in order.
std::vector<const Element*> Layers(const Element& svg);

}  // namespace export_test
