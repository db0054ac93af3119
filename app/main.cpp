#include <QApplication>

#include "panel/korva_window.h"
#include "ui/qt_prompts.h"

using namespace engine;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ui::QtPrompts prompts;
  TKorva korva(prompts, &ui::MakeSystemPrinter);
  prompts.SetParent(korva.form().Window());
  korva.form().Show();
  return app.exec();
}
