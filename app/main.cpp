#include <QApplication>

#include "ui/qt_prompts.h"
#include "window/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ui::QtPrompts prompts;
  MainWindow window(prompts, &ui::MakeSystemPrinter);
  prompts.SetParent(window.form().Window());
  window.form().Show();
  return app.exec();
}
