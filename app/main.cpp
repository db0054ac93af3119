// korva: the window. `korva [FILE.txt]` opens a design after start-up, as
// File > Open would with that file chosen.
#include <QApplication>
#include <QSettings>
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <string>

#include "generated/version.h"
#include "ui/qt_prompts.h"
#include "ui/runtime_dir_notice.h"
#include "window/main_window.h"

namespace {

// File > Open Recent between runs, in the user's settings.
class SettingsRecentDesigns : public RecentDesignStore {
 public:
  std::vector<std::string> Load() override {
    std::vector<std::string> paths;
    for (const QString& p : settings_.value("recentDesigns").toStringList())
      paths.push_back(p.toStdString());
    return paths;
  }
  void Save(const std::vector<std::string>& paths) override {
    QStringList list;
    for (const std::string& p : paths) list.push_back(QString::fromStdString(p));
    settings_.setValue("recentDesigns", list);
  }

 private:
  QSettings settings_{"Korva", "Korva"};
};

constexpr const char* kUsage =
    "usage: korva [FILE.txt]\n"
    "       korva --help | --version\n"
    "Draws the curves of the toothed-gear drawing toy. FILE.txt, a Korva design\n"
    "file, is opened after start-up. See korva(1) and korva-batch(1).\n";

}  // namespace

int main(int argc, char** argv) {
  // Answered before Qt starts, so that they work without a display.
  std::string design;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("korva %s\n", korva::kVersion);
      return 0;
    }
    if (argv[i][0] == '-') {
      std::fprintf(stderr, "korva: unknown option '%s'\n%s", argv[i], kUsage);
      return 2;
    }
    if (!design.empty()) {
      std::fprintf(stderr, "korva: one design file only, not also '%s'\n%s", argv[i], kUsage);
      return 2;
    }
    design = argv[i];
  }

  ui::QuietenRuntimeDirNotice();
  QApplication app(argc, argv);
  QApplication::setApplicationName("Korva");
  QApplication::setApplicationVersion(korva::kVersion);
  QApplication::setDesktopFileName("korva");
  ui::QtPrompts prompts;
  SettingsRecentDesigns recent;
  MainWindow window(prompts, &ui::MakeSystemPrinter, &recent);
  prompts.SetParent(window.form().Window());
  window.form().Show();
  if (!design.empty()) window.openDesignFile(design);
  return app.exec();
}
