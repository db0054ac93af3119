#include "export_support.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

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

std::vector<ScreenPoint> ExactPoints(const PatternRecord& record) {
  const engine::Curve curve(record);
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
      data.onlyAbsoluteMoveThenLines = false;
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
    if (command != (first ? 'M' : 'L')) {
      data.onlyAbsoluteMoveThenLines = false;
      break;
    }
    first = false;
    ScreenPoint v;
    if (!number(v.x) || !number(v.y)) break;
    data.vertices.push_back(v);
  }
  return data;
}

std::vector<const Element*> Layers(const Element& svg) {
  std::vector<const Element*> layers;
  for (const Element& child : svg.children)
    if (child.name == "g" && child.Attr("inkscape:groupmode") == "layer") layers.push_back(&child);
  return layers;
}

}  // namespace export_test
