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
#include "ui/user_language.h"
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

constexpr const char* kSynopsis =
    "usage: korva [FILE.txt]\n"
    "       korva --help | --version\n";
constexpr const char* kDescription =
    QT_TRANSLATE_NOOP("Usage",
                      "Draws the curves of the toothed-gear drawing toy. FILE.txt, a Korva design\n"
                      "file, is opened after start-up. See korva(1) and korva-batch(1).\n");

}  // namespace

int main(int argc, char** argv) {
  ui::UserLanguage language(ui::UserLanguages());
  auto tr = [&language](const char* text) {
    return language.Translate("Usage", text).toLocal8Bit().toStdString();
  };
  const std::string usage = kSynopsis + tr(kDescription);
  // Answered before Qt starts, so that they work without a display.
  std::string design;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(usage.c_str(), stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("korva %s\n", korva::kVersion);
      return 0;
    }
    if (argv[i][0] == '-') {
      std::fprintf(stderr, "korva: %s\n%s",
                   language.Translate("Usage", QT_TRANSLATE_NOOP("Usage", "unknown option '%1'"))
                       .arg(QString::fromLocal8Bit(argv[i]))
                       .toLocal8Bit()
                       .constData(),
                   usage.c_str());
      return 2;
    }
    if (!design.empty()) {
      std::fprintf(
          stderr, "korva: %s\n%s",
          language
              .Translate("Usage", QT_TRANSLATE_NOOP("Usage", "one design file only, not also '%1'"))
              .arg(QString::fromLocal8Bit(argv[i]))
              .toLocal8Bit()
              .constData(),
          usage.c_str());
      return 2;
    }
    design = argv[i];
  }

  ui::QuietenRuntimeDirNotice();
  QApplication app(argc, argv);
  language.Install(app);
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
