#include "export_support.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "core/clip_to_box.h"

namespace export_test {

std::vector<std::string> Scratch::Entries() const {
  std::vector<std::string> names;
  for (const QString& name :
       QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
    names.push_back(name.toStdString());
  return names;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<ScreenPoint> ExactPoints(const PatternRecord& record, const engine::RingShape& ring) {
  const engine::Curve curve(record, ring);
  std::vector<ScreenPoint> points;
  curve.Trace([&](const engine::CurvePoint& from, const engine::CurvePoint& to) {
    if (points.empty()) points.push_back(curve.ExactScreenPoint(from));
    points.push_back(curve.ExactScreenPoint(to));
  });
  return points;
}

namespace {

class Parser {
 public:
  explicit Parser(const std::string& text) : s_(text) {}

  Element Document() {
    SkipMisc();
    Element root = ElementAt();
    SkipMisc();
    if (i_ != s_.size()) Fail("text after the root element");
    return root;
  }

 private:
  void Fail(const std::string& what) {
    ADD_FAILURE() << "SVG: " << what << " at " << i_;
    i_ = s_.size();
  }
  void SkipSpace() {
    while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
  }
  bool At(const char* text) const { return s_.compare(i_, std::strlen(text), text) == 0; }
  // Declarations, comments and white space.
  void SkipMisc() {
    for (;;) {
      SkipSpace();
      if (At("<?")) {
        i_ = s_.find("?>", i_);
        i_ = i_ == std::string::npos ? s_.size() : i_ + 2;
      } else if (At("<!--")) {
        i_ = s_.find("-->", i_);
        i_ = i_ == std::string::npos ? s_.size() : i_ + 3;
      } else {
        return;
      }
    }
  }
  std::string Name() {
    const size_t start = i_;
    while (i_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[i_])) || s_[i_] == ':' ||
                              s_[i_] == '-' || s_[i_] == '_'))
      ++i_;
    if (start == i_) Fail("a name expected");
    return s_.substr(start, i_ - start);
  }
  Element ElementAt() {
    Element e;
    if (!At("<")) {
      Fail("an element expected");
      return e;
    }
    ++i_;
    e.name = Name();
    for (;;) {
      SkipSpace();
      if (i_ >= s_.size()) {
        Fail("unterminated tag");
        return e;
      }
      if (At("/>")) {
        i_ += 2;
        return e;
      }
      if (At(">")) {
        ++i_;
        break;
      }
      const std::string key = Name();
      SkipSpace();
      if (!At("=\"")) {
        Fail("attribute value expected");
        return e;
      }
      i_ += 2;
      const size_t end = s_.find('"', i_);
      if (end == std::string::npos) {
        Fail("unterminated attribute");
        return e;
      }
      if (e.attributes.count(key)) Fail("repeated attribute " + key);
      e.attributes[key] = s_.substr(i_, end - i_);
      i_ = end + 1;
    }
    for (;;) {
      SkipMisc();
      if (i_ >= s_.size()) {
        Fail("unterminated element " + e.name);
        return e;
      }
      if (At("</")) {
        i_ += 2;
        const std::string name = Name();
        if (name != e.name) Fail("</" + name + "> closes <" + e.name + ">");
        SkipSpace();
        if (At(">")) ++i_;
        return e;
      }
      if (!At("<")) {
        Fail("text content where none is written");
        return e;
      }
      e.children.push_back(ElementAt());
    }
  }

  const std::string& s_;
  size_t i_ = 0;
};

}  // namespace

Element ParseSvg(const std::string& text) {
  return Parser(text).Document();
}

PathData ParsePathData(const std::string& d) {
  PathData data;
  const char* p = d.c_str();
  const char* end = p + d.size();
  bool first = true;
  auto skip = [&] {
    while (p < end && (*p == ' ' || *p == '\n' || *p == ',')) ++p;
  };
  auto number = [&](long double& out) {
    skip();
    const char* start = p;
    while (p < end && (std::isdigit(static_cast<unsigned char>(*p)) || *p == '-' || *p == '.')) ++p;
    if (start == p) {
      data.onlyAbsoluteMovesAndLines = false;
      return false;
    }
    data.numbers.emplace_back(start, p);
    out = std::strtold(data.numbers.back().c_str(), nullptr);
    return true;
  };
  for (;;) {
    skip();
    if (p >= end) break;
    const char command = *p++;
    if (command != 'M' && (first || command != 'L')) {
      data.onlyAbsoluteMovesAndLines = false;
      break;
    }
    first = false;
    ScreenPoint v;
    if (!number(v.x) || !number(v.y)) break;
    data.vertices.push_back(v);
    if (command == 'M') data.subpaths.emplace_back();
    data.subpaths.back().push_back(v);
  }
  return data;
}

Stretches ClippedStretches(const std::vector<ScreenPoint>& exact, double side) {
  Stretches stretches;
  auto inside = [&](const ScreenPoint& p) {
    return p.x >= 0 && p.x <= side && p.y >= 0 && p.y <= side;
  };
  if (exact.size() == 1 && inside(exact[0])) stretches.push_back({exact[0]});
  for (size_t i = 1; i < exact.size(); ++i) {
    const ScreenPoint& a = exact[i - 1];
    const ScreenPoint& b = exact[i];
    double x0 = static_cast<double>(a.x), y0 = static_cast<double>(a.y);
    double x1 = static_cast<double>(b.x), y1 = static_cast<double>(b.y);
    if (!ClipToBox(x0, y0, x1, y1, 0, 0, side, side)) continue;
    const ScreenPoint to = inside(b) ? b : ScreenPoint{x1, y1};
    if (inside(a) && !stretches.empty()) {
      stretches.back().push_back(to);
    } else {
      stretches.push_back({inside(a) ? a : ScreenPoint{x0, y0}, to});
    }
  }
  return stretches;
}

namespace {

long double Distance(const ScreenPoint& a, const ScreenPoint& b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

long double SegmentDistance(const ScreenPoint& p, const ScreenPoint& a, const ScreenPoint& b) {
  const long double dx = b.x - a.x, dy = b.y - a.y;
  const long double length = dx * dx + dy * dy;
  long double t = length > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length : 0;
  t = std::clamp(t, 0.0L, 1.0L);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

bool Near(const ScreenPoint& a, const ScreenPoint& b, long double tolerance) {
  return std::fabs(a.x - b.x) <= tolerance && std::fabs(a.y - b.y) <= tolerance;
}

}  // namespace

bool WrittenFollowClipped(const Stretches& written, const Stretches& clipped,
                          long double tolerancePx, long double dropPx) {
  EXPECT_EQ(written.size(), clipped.size()) << "stretches";
  if (written.size() != clipped.size()) return false;
  for (size_t s = 0; s < written.size(); ++s) {
    const auto& w = written[s];
    const auto& c = clipped[s];
    if (w.empty() || c.empty() || !Near(w.front(), c.front(), tolerancePx)) {
      ADD_FAILURE() << "stretch " << s << " does not start where the clipped one does";
      return false;
    }
    size_t j = 0;
    for (size_t k = 1; k < w.size(); ++k) {
      const size_t from = j++;
      while (j < c.size() && !Near(c[j], w[k], tolerancePx)) ++j;
      if (j == c.size()) {
        ADD_FAILURE() << "stretch " << s << ", vertex " << k << " (" << w[k].x << ", " << w[k].y
                      << ") is not a clipped point in order after (" << c[from].x << ", "
                      << c[from].y << ")";
        return false;
      }
      for (size_t i = from + 1; i < j; ++i) {
        if (SegmentDistance(c[i], w[k - 1], w[k]) > dropPx) {
          ADD_FAILURE() << "stretch " << s << ": point " << i << " dropped, "
                        << SegmentDistance(c[i], w[k - 1], w[k]) << " px off";
          return false;
        }
      }
    }
    for (size_t i = j + 1; i < c.size(); ++i) {
      if (Distance(c[i], w.back()) > dropPx) {
        ADD_FAILURE() << "stretch " << s << " ends before the clipped one";
        return false;
      }
    }
  }
  return true;
}

std::vector<const Element*> Layers(const Element& svg) {
  std::vector<const Element*> layers;
  for (const Element& child : svg.children)
    if (child.name == "g" && child.Attr("inkscape:groupmode") == "layer") layers.push_back(&child);
  return layers;
}

}  // namespace export_test
