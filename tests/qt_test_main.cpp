#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

// Test discovery runs this binary at build time without the test environment,
// so headless mode is chosen here when nothing else asks for a platform. The
// expected texts are English whatever the developer's locale, and CTest cannot
// hand discovered tests more than one variable, so the language is set here.
//
// Each run keeps its settings (Qt's file dialogs, the recent designs) in a
// folder of its own, made before Qt starts: nothing the user has set can change
// a result, and the user's settings stay as they were.
int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("LANG", "C.UTF-8", 1);
  setenv("LC_ALL", "C.UTF-8", 1);
  setenv("LANGUAGE", "", 1);
  QTemporaryDir config;
  if (!config.isValid()) {
    std::fprintf(stderr, "no temporary folder for the test settings: %s\n",
                 qPrintable(config.errorString()));
    return 1;
  }
  setenv("XDG_CONFIG_HOME", qPrintable(config.path()), 1);
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
