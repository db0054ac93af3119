// Which translation the programs load for the user's languages, and messages
// put together below the widget layer, translated by their patterns.
#include "ui/user_language.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include "ui/translate.h"

namespace {

const QString kFolder = QStringLiteral(KORVA_TEST_TRANSLATIONS);

TEST(UserLanguage, TakesTheFirstLanguageThatIsEnglishOrTranslated) {
  EXPECT_EQ(ui::UserLanguage({"de-DE"}, kFolder).Language(), "de");
  EXPECT_EQ(ui::UserLanguage({"fi_FI.UTF-8"}, kFolder).Language(), "fi");
  EXPECT_EQ(ui::UserLanguage({"de-AT", "de"}, kFolder).Language(), "de");
  // A language without a translation is passed over for the next one.
  EXPECT_EQ(ui::UserLanguage({"fr-FR", "fi-FI"}, kFolder).Language(), "fi");
  // English, or the C locale, before any other keeps the program English.
  EXPECT_EQ(ui::UserLanguage({"en-GB", "de-DE"}, kFolder).Language(), "");
  EXPECT_EQ(ui::UserLanguage({"C", "fi"}, kFolder).Language(), "");
  EXPECT_EQ(ui::UserLanguage({"fr-FR", "xx"}, kFolder).Language(), "");
  EXPECT_EQ(ui::UserLanguage({}, kFolder).Language(), "");
}

TEST(UserLanguage, FallsBackToEnglishWithoutItsFiles) {
  QTemporaryDir empty;
  const ui::UserLanguage language({"de-DE"}, empty.path());
  EXPECT_EQ(language.Language(), "");
  EXPECT_EQ(language.Translate("Panel", "Draw"), "Draw");
}

TEST(UserLanguage, TranslatesBeforeTheApplicationHasItsTranslators) {
  const ui::UserLanguage german({"de-DE"}, kFolder);
  EXPECT_EQ(german.Translate("Panel", "Draw"), "Malen");
  // A text with no translation stays as it is.
  EXPECT_EQ(german.Translate("Panel", "no such text"), "no such text");
  // Nothing is installed until asked: the application still speaks English.
  EXPECT_EQ(ui::Translated(ui::kPanelContext, "Draw"), "Draw");
}

class TranslatedMessages : public testing::Test {
 protected:
  void SetUp() override { german.Install(*QCoreApplication::instance()); }
  ui::UserLanguage german{{"de-DE"}, kFolder};
};

TEST_F(TranslatedMessages, TranslateWholeTextsAndPatternsWithTheirParts) {
  EXPECT_EQ(ui::TranslatedMessage("Integer overflow"), "Ganzzahlüberlauf");
  // The engine's refusal, its line number kept and its reason translated.
  EXPECT_EQ(ui::TranslatedMessage("The pattern in line 3 cannot be drawn: teeth below 1."),
            "Das Muster in Zeile 3 kann nicht gezeichnet werden: weniger als 1 Zahn.");
  EXPECT_EQ(ui::TranslatedMessage(
                "The pattern in line 12 cannot be drawn: corner 70 is above the fixed gear's 60 "
                "teeth."),
            "Das Muster in Zeile 12 kann nicht gezeichnet werden: Ecke 70 ist größer als die 60 "
            "Zähne des Rings.");
  // A file name is a part, never translated, even when it looks like a
  // placeholder.
  EXPECT_EQ(ui::TranslatedMessage("Cannot create file /tmp/%2 Draw.txt"),
            "Datei /tmp/%2 Draw.txt kann nicht angelegt werden");
  // A list of parts, each translated.
  EXPECT_EQ(ui::TranslatedMessage("Next Draw continues the series: pen position 490, top 5"),
            "Das nächste Malen setzt die Serie fort: Stiftposition 490, Drehung 5");
  // Lines translated one by one when the whole has no translation.
  EXPECT_EQ(ui::TranslatedMessage("Integer overflow\nDivision by zero"),
            "Ganzzahlüberlauf\nDivision durch null");
  // Unknown texts stay as they are.
  EXPECT_EQ(ui::TranslatedMessage("Something else (line 4x"), "Something else (line 4x");
  EXPECT_EQ(ui::TranslatedMessage(""), "");
}

}  // namespace
