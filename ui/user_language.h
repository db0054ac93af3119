#pragma once
#include <QString>
#include <QStringList>
#include <QTranslator>
#include <memory>

class QCoreApplication;

namespace ui {

// The user's languages, first choice first, as LANGUAGE, LC_ALL, LC_MESSAGES
// and LANG give them ("de-DE", "fi", "C").
QStringList UserLanguages();

// Korva's translation for the user's language and Qt's own for its standard
// buttons and dialogs, loaded once by both programs before anything is shown.
// English, and a language Korva has no translation for, load nothing:
// the texts stay English, and nothing is said about it.
class UserLanguage {
 public:
  // The first of `languages` that is English or has a korva_LANG.qm in
  // `folder` decides; an empty folder means the programs' own.
  explicit UserLanguage(const QStringList& languages, const QString& folder = {});

  // "de", "fi", or empty for English.
  const QString& Language() const { return language_; }
  // Usable before the application object exists (for --help).
  QString Translate(const char* context, const char* text) const;
  // Installs the translations into the running application. Qt has just set
  // the C library's locale from the environment; numbers (design files,
  // exports, options, scripts) go back to the C locale's, so that they read
  // and write the same for every user.
  void Install(QCoreApplication& application);

  // Where the translations are: beside the program (a build folder), else
  // where the package installs them.
  static QString ProgramFolder();

 private:
  QString language_;
  std::unique_ptr<QTranslator> korva_;
  std::unique_ptr<QTranslator> qt_;
};

}  // namespace ui
