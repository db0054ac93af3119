// korva-batch: the main window run off-screen and driven by a script of user
// actions, for batch work and scenario tests.
//
//   korva-batch [--panel] [--accessibility] [--segments] [--print-segments]
//               [--screenshot PNG] [--palette dark] SCRIPT
//   korva-batch --render DESIGN.txt OUT.bmp
//   korva-batch --export DESIGN.txt OUT.svg|OUT.pdf|OUT.png [--size N] [--no-canvas]
//               [--simplify MM] [--single-layer]
//   korva-batch --help | --version
#include <QApplication>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "commands/export_command.h"
#include "engine/design_file.h"
#include "export/export.h"
#include "generated/version.h"
#include "tools/batch_script.h"
#include "ui/palette.h"
#include "ui/runtime_dir_notice.h"
#include "ui/scripted_prompts.h"
#include "ui/translate.h"
#include "ui/user_language.h"
#include "window/main_window.h"

using namespace engine;

namespace {

constexpr const char* kUsage =
    "usage: korva-batch [--panel] [--accessibility] [--segments] [--print-segments]\n"
    "                   [--screenshot PNG] [--palette dark] SCRIPT\n"
    "       korva-batch --render DESIGN.txt OUT.bmp\n"
    "       korva-batch --export DESIGN.txt OUT.svg|OUT.pdf|OUT.png [--size N] [--no-canvas]\n"
    "                   [--simplify MM] [--single-layer]\n"
    "       korva-batch --help | --version\n";

// The user's language, loaded before anything is said.
ui::UserLanguage& Language() {
  static ui::UserLanguage language(ui::UserLanguages());
  return language;
}

// A usage text in the user's language, its %1, %2 filled in.
std::string Tr(const char* text, const std::vector<std::string>& parts = {}) {
  QString translated = Language().Translate("Usage", text);
  for (const std::string& part : parts) translated = translated.arg(QString::fromStdString(part));
  return translated.toLocal8Bit().toStdString();
}

void Usage() {
  std::cerr << kUsage;
}

// A usage error that names the argument at fault: status 2.
int UsageError(const char* what, const std::string& arg) {
  std::cerr << "korva-batch: " << Tr(what, {arg}) << '\n' << kUsage;
  return 2;
}

// The window off-screen with a design opened by its own File > Open; what
// the window shows is kept to be printed.
class OpenedWindow {
 public:
  explicit OpenedWindow(const std::string& design)
      : window_(prompts_, [] { return std::make_unique<NullPrinter>(); }) {
    prompts_.onLog = [this](const std::string& line) { shown_.push_back(line); };
    prompts_.AnswerOpen(design);
    window_.form().FindMenuItem("Open1")->UserClick();
  }
  bool Failed() const {
    for (const std::string& line : shown_) {
      if (line.rfind("error: ", 0) == 0) return true;
      if (line == std::string("message Error: ") + kNotKorvaFile) return true;
    }
    return false;
  }
  void PrintShown() const {
    for (const std::string& line : shown_) std::cerr << line << '\n';
  }
  MainWindow& window() { return window_; }
  ui::ScriptedPrompts& prompts() { return prompts_; }

 private:
  ui::ScriptedPrompts prompts_;
  std::vector<std::string> shown_;
  MainWindow window_;
};

int Render(const std::string& design, const std::string& bitmap) {
  OpenedWindow opened(design);
  if (!opened.Failed()) {
    opened.prompts().AnswerSave(bitmap);
    opened.window().form().FindMenuItem("SaveBMP1")->UserClick();
  }
  opened.PrintShown();
  return opened.Failed() ? 1 : 0;
}

std::optional<exporting::ExportFormat> FormatOf(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos) return std::nullopt;
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == "svg") return exporting::ExportFormat::Svg;
  if (ext == "pdf") return exporting::ExportFormat::Pdf;
  if (ext == "png") return exporting::ExportFormat::Png;
  return std::nullopt;
}

// Whether `text` is an optional minus and then digits, with at most one
// point among or before them when `point` allows it.
bool IsNumber(std::string_view text, bool point) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  bool digits = false;
  for (const char c : text) {
    if (c >= '0' && c <= '9') {
      digits = true;
    } else if (c == '.' && point) {
      point = false;
    } else {
      return false;
    }
  }
  return digits;
}

// A decimal number as people write one: digits with at most one point, no
// exponent, no hexadecimal, no infinity.
std::optional<double> DecimalOf(const std::string& text) {
  if (!IsNumber(text, true)) return std::nullopt;
  return std::strtod(text.c_str(), nullptr);
}

// A whole number; one beyond int's range is kept beyond the largest size.
std::optional<int> WholeOf(const std::string& text) {
  if (!IsNumber(text, false)) return std::nullopt;
  const double value = std::strtod(text.c_str(), nullptr);
  return static_cast<int>(std::clamp(value, -1e9, 1e9));
}

const char* FormatName(exporting::ExportFormat format) {
  switch (format) {
    case exporting::ExportFormat::Svg:
      return QT_TRANSLATE_NOOP("Usage", "an SVG");
    case exporting::ExportFormat::Pdf:
      return QT_TRANSLATE_NOOP("Usage", "a PDF");
    case exporting::ExportFormat::Png:
      return QT_TRANSLATE_NOOP("Usage", "a PNG");
  }
  return "";
}

int UsageError(const std::string& what) {
  std::cerr << "korva-batch: " << what << '\n';
  return 2;
}

int UsageErrorOf(const char* what, const std::vector<std::string>& parts) {
  return UsageError(Tr(what, parts));
}

// The export's options, each checked against the format: a size in
// millimetres for SVG and PDF and in whole pixels for PNG, and no option
// that the format would pass over. A usage error returns its exit status.
std::optional<int> ParseExportOptions(const std::vector<std::string>& args,
                                      exporting::ExportOptions& options) {
  using exporting::ExportFormat;
  const ExportFormat format = options.format;
  const bool png = format == ExportFormat::Png;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--no-canvas") {
      options.includeCanvas = false;
    } else if (a == "--single-layer") {
      if (format != ExportFormat::Svg)
        return UsageErrorOf(
            QT_TRANSLATE_NOOP("Usage", "--single-layer is for SVG only, not for %1"),
            {Tr(FormatName(format))});
      options.layerPerColour = false;
    } else if (a == "--simplify" || a == "--size") {
      if (i + 1 == args.size())
        return UsageErrorOf(QT_TRANSLATE_NOOP("Usage", "'%1' needs a value"), {a});
      const std::string& text = args[++i];
      if (a == "--simplify") {
        if (png)
          return UsageErrorOf(
              QT_TRANSLATE_NOOP("Usage", "--simplify is for SVG and PDF only, not for a PNG"), {});
        const auto mm = DecimalOf(text);
        if (!mm)
          return UsageErrorOf(
              QT_TRANSLATE_NOOP("Usage",
                                "--simplify takes a decimal number of millimetres, not '%1'"),
              {text});
        options.simplifyMm = *mm;
      } else if (png) {
        const auto px = WholeOf(text);
        if (!px)
          return UsageErrorOf(
              QT_TRANSLATE_NOOP("Usage", "--size of a PNG is a whole number of pixels, not '%1'"),
              {text});
        options.sizePx = *px;
      } else {
        const auto mm = DecimalOf(text);
        if (!mm)
          return UsageErrorOf(
              QT_TRANSLATE_NOOP("Usage",
                                "--size of %1 is a decimal number of millimetres, not '%2'"),
              {Tr(FormatName(format)), text});
        options.sizeMm = *mm;
      }
    } else {
      Usage();
      return UsageErrorOf(QT_TRANSLATE_NOOP("Usage", "unknown export option '%1'"), {a});
    }
  }
  return std::nullopt;
}

// --export DESIGN OUT [options]: 0 when written, 1 when the design or the
// export fails (with what the window would show), 2 for a usage error.
int Export(const std::vector<std::string>& args) {
  if (args.size() < 2) return Usage(), 2;
  const std::string& design = args[0];
  const std::string& out = args[1];
  const auto format = FormatOf(out);
  if (!format) {
    std::cerr << "korva-batch: "
              << Tr(QT_TRANSLATE_NOOP("Usage", "the export's name must end in .svg, .pdf or .png"))
              << '\n';
    return 2;
  }
  exporting::ExportOptions options;
  options.format = *format;
  if (const auto status =
          ParseExportOptions(std::vector<std::string>(args.begin() + 2, args.end()), options))
    return *status;
  OpenedWindow opened(design);
  if (opened.Failed()) {
    opened.PrintShown();
    return 1;
  }
  options.canvasColour = opened.window().canvasColour();
  try {
    exporting::ExportDesign(commands::ExportPatternsOf(opened.window().history()), options, out);
  } catch (const std::exception& e) {
    opened.PrintShown();
    std::cerr << "error: " << ui::TranslatedMessage(e.what()) << '\n';
    return 1;
  }
  opened.PrintShown();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Answered before Qt starts, so that they work without a display.
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--help" || a == "-h") {
      std::cout << kUsage
                << Tr(QT_TRANSLATE_NOOP(
                       "Usage",
                       "Runs Korva's window off-screen from a script of user actions, one per "
                       "line:\nclick, arrow, track, drag, key, spin, type and answer. See "
                       "korva-batch(1).\n"));
      return 0;
    }
    if (a == "--version") {
      std::cout << "korva-batch " << korva::kVersion << '\n';
      return 0;
    }
  }
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ui::QuietenRuntimeDirNotice();
  QApplication app(argc, argv);
  Language().Install(app);

  BatchOptions options;
  std::string scriptPath;
  std::vector<std::string> args(argv + 1, argv + argc);
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--panel") {
      options.panel = true;
    } else if (a == "--accessibility") {
      options.accessibility = true;
    } else if (a == "--palette") {
      if (i + 1 == args.size()) return UsageError("a palette name must follow", a);
      if (args[++i] != "dark") return UsageError("unknown palette", args[i]);
      // As a dark desktop theme sets it, before the window is built.
      QApplication::setPalette(ui::DarkPalette());
    } else if (a == "--segments") {
      options.segments = true;
    } else if (a == "--print-segments") {
      options.printSegments = true;
    } else if (a == "--screenshot") {
      if (i + 1 == args.size())
        return UsageError(QT_TRANSLATE_NOOP("Usage", "a file name must follow '%1'"), a);
      options.screenshot = args[++i];
    } else if (a == "--export") {
      return Export(std::vector<std::string>(args.begin() + static_cast<long>(i) + 1, args.end()));
    } else if (a == "--render") {
      if (i + 3 != args.size()) {
        Usage();
        return 2;
      }
      return Render(args[i + 1], args[i + 2]);
    } else if (!a.empty() && a[0] == '-') {
      return UsageError(QT_TRANSLATE_NOOP("Usage", "unknown option '%1'"), a);
    } else if (scriptPath.empty()) {
      scriptPath = a;
    } else {
      return UsageError(QT_TRANSLATE_NOOP("Usage", "one script only, not also '%1'"), a);
    }
  }
  if (scriptPath.empty()) {
    Usage();
    return 2;
  }
  std::ifstream in(scriptPath, std::ios::binary);
  if (!in) {
    std::cerr << "korva-batch: " << Tr(QT_TRANSLATE_NOOP("Usage", "cannot read %1"), {scriptPath})
              << '\n';
    return 2;
  }
  std::stringstream text;
  text << in.rdbuf();
  return RunBatchScript(text.str(), options, std::cout);
}
