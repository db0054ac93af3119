// korva-batch: the main window run off-screen and driven by a script of user
// actions, for batch work and scenario tests.
//
//   korva-batch [--panel] [--segments] [--print-segments] [--screenshot PNG] SCRIPT
//   korva-batch --render DESIGN.txt OUT.bmp
//   korva-batch --help | --version
#include <QApplication>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/design_file.h"
#include "generated/version.h"
#include "tools/batch_script.h"
#include "ui/scripted_prompts.h"
#include "window/main_window.h"

using namespace engine;

namespace {

constexpr const char* kUsage =
    "usage: korva-batch [--panel] [--segments] [--print-segments] [--screenshot PNG] SCRIPT\n"
    "       korva-batch --render DESIGN.txt OUT.bmp\n"
    "       korva-batch --help | --version\n";

void Usage() {
  std::cerr << kUsage;
}

int Render(const std::string& design, const std::string& bitmap) {
  ui::ScriptedPrompts prompts;
  std::vector<std::string> shown;
  prompts.onLog = [&shown](const std::string& line) { shown.push_back(line); };
  MainWindow window(prompts, [] { return std::make_unique<NullPrinter>(); });
  auto failed = [&shown] {
    for (const std::string& line : shown) {
      if (line.rfind("error: ", 0) == 0) return true;
      if (line == std::string("message Error: ") + kNotKorvaFile) return true;
    }
    return false;
  };
  prompts.AnswerOpen(design);
  window.form().FindMenuItem("Open1")->UserClick();
  if (!failed()) {
    prompts.AnswerSave(bitmap);
    window.form().FindMenuItem("SaveBMP1")->UserClick();
  }
  for (const std::string& line : shown) std::cerr << line << '\n';
  return failed() ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Answered before Qt starts, so that they work without a display.
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--help" || a == "-h") {
      std::cout << kUsage
                << "Runs Korva's window off-screen from a script of user actions, one per line:\n"
                   "click, arrow, track, drag, key, spin, type and answer. See korva-batch(1).\n";
      return 0;
    }
    if (a == "--version") {
      std::cout << "korva-batch " << korva::kVersion << '\n';
      return 0;
    }
  }
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);

  BatchOptions options;
  std::string scriptPath;
  std::vector<std::string> args(argv + 1, argv + argc);
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--panel") {
      options.panel = true;
    } else if (a == "--segments") {
      options.segments = true;
    } else if (a == "--print-segments") {
      options.printSegments = true;
    } else if (a == "--screenshot" && i + 1 < args.size()) {
      options.screenshot = args[++i];
    } else if (a == "--render") {
      if (i + 3 != args.size()) {
        Usage();
        return 2;
      }
      return Render(args[i + 1], args[i + 2]);
    } else if (!a.empty() && a[0] == '-') {
      Usage();
      return 2;
    } else if (scriptPath.empty()) {
      scriptPath = a;
    } else {
      Usage();
      return 2;
    }
  }
  if (scriptPath.empty()) {
    Usage();
    return 2;
  }
  std::ifstream in(scriptPath, std::ios::binary);
  if (!in) {
    std::cerr << "korva-batch: cannot read " << scriptPath << '\n';
    return 2;
  }
  std::stringstream text;
  text << in.rdbuf();
  return RunBatchScript(text.str(), options, std::cout);
}
