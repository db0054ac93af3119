#include "ui/user_language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <clocale>

namespace ui {
namespace {

bool IsEnglish(const QString& language) {
  return language == QLatin1String("C") || language == QLatin1String("POSIX") ||
         language.startsWith(QLatin1String("en"));
}

// "de-DE" and "de_DE.UTF-8" both give "de_DE", then "de".
QStringList Candidates(QString language) {
  language = language.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
  language.replace(QLatin1Char('-'), QLatin1Char('_'));
  QStringList names{language};
  const QString base = language.section(QLatin1Char('_'), 0, 0);
  if (base != language) names.push_back(base);
  return names;
}

}  // namespace

QStringList UserLanguages() {
  return QLocale::system().uiLanguages();
}

QString UserLanguage::ProgramFolder() {
  const QString besideProgram =
      QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath() + QStringLiteral("/translations");
  if (QFileInfo(besideProgram).isDir()) return besideProgram;
  return QStringLiteral(KORVA_INSTALLED_TRANSLATIONS);
}

UserLanguage::UserLanguage(const QStringList& languages, const QString& folder) {
  const QString dir = folder.isEmpty() ? ProgramFolder() : folder;
  for (const QString& language : languages) {
    if (IsEnglish(language)) return;
    for (const QString& name : Candidates(language)) {
      auto korva = std::make_unique<QTranslator>();
      if (!korva->load(QStringLiteral("korva_") + name, dir)) continue;
      // The file found, which may be the language's without its country.
      language_ = QFileInfo(korva->filePath()).completeBaseName().mid(6);
      korva_ = std::move(korva);
      auto qt = std::make_unique<QTranslator>();
      if (qt->load(QStringLiteral("qtbase_") + language_,
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        qt_ = std::move(qt);
      }
      return;
    }
  }
}

QString UserLanguage::Translate(const char* context, const char* text) const {
  if (korva_ != nullptr) {
    const QString translated = korva_->translate(context, text);
    if (!translated.isEmpty()) return translated;
  }
  return QString::fromUtf8(text);
}

void UserLanguage::Install(QCoreApplication& application) {
  std::setlocale(LC_NUMERIC, "C");
  if (qt_ != nullptr) application.installTranslator(qt_.get());
  if (korva_ != nullptr) application.installTranslator(korva_.get());
}

}  // namespace ui
