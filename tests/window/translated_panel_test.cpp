// The window in German, Finnish and a pseudo-language 40 % longer than
// English: every caption fits its control in the shipped font, no label runs
// into another control or out of its frame, and the menus keep their
// shortcuts and one Alt letter per item.
#include <QAbstractButton>
#include <QAction>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QStyle>
#include <QTranslator>
#include <map>
#include <memory>
#include <optional>

#include "tests/window/window_fixture.h"
#include "ui/caption_fit.h"
#include "ui/user_language.h"

namespace {

// Every text 40 % longer, in letters of its own: the widths a long-worded
// language might need.
class LengtheningTranslator : public QTranslator {
 public:
  bool isEmpty() const override { return false; }
  QString translate(const char*, const char* source, const char*, int) const override {
    const QString text = QString::fromUtf8(source);
    QString letters;
    for (QChar c : text)
      if (c.isLetter()) letters += c;
    if (letters.isEmpty()) return text;
    const qsizetype extra = (text.size() * 4 + 9) / 10;
    QString longer = text;
    for (qsizetype i = 0; i < extra; ++i) longer += letters[i % letters.size()];
    return longer;
  }
};

enum class Language { English, German, Finnish, Pseudo };

std::string NameOf(Language language) {
  switch (language) {
    case Language::English:
      return "English";
    case Language::German:
      return "German";
    case Language::Finnish:
      return "Finnish";
    case Language::Pseudo:
      return "Pseudo";
  }
  return "";
}

// The window built under a language, which stays installed while it lives.
struct TranslatedWindow {
  explicit TranslatedWindow(Language language) {
    if (language == Language::German || language == Language::Finnish) {
      const QString code = language == Language::German ? "de" : "fi";
      loaded = std::make_unique<ui::UserLanguage>(QStringList{code + "-" + code.toUpper()},
                                                  QStringLiteral(KORVA_TEST_TRANSLATIONS));
      loaded->Install(*QCoreApplication::instance());
    } else if (language == Language::Pseudo) {
      QCoreApplication::installTranslator(&pseudo);
    }
    window = std::make_unique<MainWindow>(prompts, [] { return std::unique_ptr<ui::Printer>(); });
  }
  ~TranslatedWindow() {
    window.reset();
    QCoreApplication::removeTranslator(&pseudo);
  }

  ui::Form& form() { return window->form(); }

  LengtheningTranslator pseudo;
  std::unique_ptr<ui::UserLanguage> loaded;
  ui::ScriptedPrompts prompts;
  std::unique_ptr<MainWindow> window;
};

QRect Shown(const ui::Control& c) {
  return {c.Left(), c.Top(), c.Width(), c.Height()};
}

// The text a control shows, and the width it needs for it.
struct Caption {
  QString text;
  int needed = 0;
};

std::optional<Caption> CaptionOf(const ui::Control& control) {
  QWidget* w = control.Widget();
  const QFontMetrics metrics(w->font());
  const QStyle* style = w->style();
  if (auto* label = qobject_cast<QLabel*>(w))
    return Caption{label->text(), label->sizeHint().width()};
  auto* button = qobject_cast<QAbstractButton*>(w);
  if (button == nullptr) return std::nullopt;
  QString text = button->text();
  text.replace(QStringLiteral("&&"), QStringLiteral("&")).remove(QChar(0x200E));
  int chrome = 0;
  if (dynamic_cast<const ui::Button*>(&control) != nullptr) {
    chrome = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w) +
             2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
    if (!button->icon().isNull()) chrome += button->iconSize().width() + 4;
  } else if (dynamic_cast<const ui::RadioButton*>(&control) != nullptr) {
    chrome = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, w) +
             style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, w);
  } else {
    chrome = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) +
             style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
  }
  return Caption{text, metrics.horizontalAdvance(text) + chrome};
}

// Layout geometry of every control, by name.
std::map<std::string, QRect> Geometries(ui::Form& form) {
  std::map<std::string, QRect> out;
  for (const ui::Control* c : form.Controls()) out[c->Name()] = Shown(*c);
  return out;
}

class TranslatedPanel : public testing::TestWithParam<Language> {
 protected:
  bool MayElide() const { return GetParam() == Language::Pseudo; }

  // Captions fit, or (pseudo-language only) are cut short and read whole.
  void ExpectCaptionsFit(ui::Form& form, const std::string& state) {
    for (const ui::Control* c : form.Controls()) {
      if (!c->Visible()) continue;
      const std::optional<Caption> caption = CaptionOf(*c);
      if (!caption) continue;
      const QString whole = ui::WholeCaption(c->Widget());
      SCOPED_TRACE(state + " " + c->Name() + " \"" + caption->text.toStdString() + "\"");
      if (!MayElide()) {
        EXPECT_TRUE(whole.isEmpty()) << "cut short from " << whole.toStdString();
        EXPECT_LE(caption->needed, c->Width());
      } else if (!whole.isEmpty()) {
        // The whole caption, unless the window gave the control a name of its own.
        const QString name = c->Widget()->accessibleName();
        EXPECT_FALSE(name.isEmpty() || name.contains(QChar(0x2026))) << name.toStdString();
        EXPECT_TRUE(c->Widget()->toolTip().startsWith(whole));
        EXPECT_TRUE(caption->text.endsWith(QChar(0x2026)));
      }
    }
  }

  // Labels keep inside their group frame and off every other shown control.
  void ExpectLabelsInTheirPlace(ui::Form& form, const std::string& state) {
    std::vector<const ui::Control*> shown;
    for (const ui::Control* c : form.Controls())
      if (c->Visible()) shown.push_back(c);
    for (const ui::Control* c : shown) {
      if (dynamic_cast<const ui::Label*>(c) == nullptr) continue;
      const QRect label = Shown(*c);
      SCOPED_TRACE(state + " " + c->Name());
      for (const ui::Control* other : shown) {
        if (other == c) continue;
        const QRect o = Shown(*other);
        if (dynamic_cast<const ui::Frame*>(other) != nullptr) {
          if (o.contains(label.topLeft())) {
            EXPECT_TRUE(o.contains(label)) << other->Name();
          }
        } else {
          EXPECT_FALSE(label.intersects(o)) << "overlaps " << other->Name();
        }
      }
    }
  }
};

TEST_P(TranslatedPanel, CaptionsFitAndLabelsKeepTheirPlace) {
  std::map<std::string, QRect> english;
  {
    TranslatedWindow en(Language::English);
    english = Geometries(en.form());
  }
  TranslatedWindow w(GetParam());
  ui::Form& form = w.form();
  // The shipped font, which the panel's sizes were made for.
  ASSERT_EQ(QFontInfo(form.Find("Draw")->Widget()->font()).family(), QStringLiteral("Carlito"))
      << "the Carlito font (Debian: fonts-crosextra-carlito) is missing";
  const QString draw = static_cast<QAbstractButton*>(form.Find("Draw")->Widget())->text();
  if (GetParam() == Language::German) {
    EXPECT_EQ(draw, "Malen");
  }
  if (GetParam() == Language::Finnish) {
    EXPECT_EQ(draw, "Piirrä");
  }

  // Every control keeps its place and size; a label its place.
  for (const auto& [name, rect] : Geometries(form)) {
    SCOPED_TRACE(name);
    if (dynamic_cast<ui::Label*>(form.Find(name)) != nullptr) {
      EXPECT_EQ(rect.topLeft(), english.at(name).topLeft());
    } else {
      EXPECT_EQ(rect, english.at(name));
    }
  }

  ExpectCaptionsFit(form, "one pattern");
  ExpectLabelsInTheirPlace(form, "one pattern");
  // A series shows the step controls too.
  static_cast<ui::ScrollBar*>(form.Find("ScrollBarReps"))->UserDrag(5);
  ExpectCaptionsFit(form, "series");
  ExpectLabelsInTheirPlace(form, "series");
  // A shaped ring shows its corner's label and bar.
  static_cast<ui::ChoiceBox*>(form.Find("RingShape"))->UserChoose(3);
  ASSERT_TRUE(form.Find("LabelCorner")->Visible());
  ExpectCaptionsFit(form, "square ring");
  ExpectLabelsInTheirPlace(form, "square ring");
}

// The letter after each item's '&', lower case; none for an item without.
std::optional<QChar> AltLetter(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != QLatin1Char('&')) continue;
    if (text[i + 1] == QLatin1Char('&')) {
      ++i;
      continue;
    }
    return text[i + 1].toLower();
  }
  return std::nullopt;
}

TEST_P(TranslatedPanel, MenusHaveOneAltLetterPerItemAndTheSameShortcuts) {
  std::map<std::string, QList<QKeySequence>> englishKeys;
  {
    TranslatedWindow en(Language::English);
    for (QAction* a : en.form().Window()->findChildren<QAction*>())
      if (!a->objectName().isEmpty()) englishKeys[a->objectName().toStdString()] = a->shortcuts();
  }
  TranslatedWindow w(GetParam());
  QWidget* window = w.form().Window();
  // The menu bar's menus, then each menu's items.
  std::vector<std::pair<std::string, QList<QAction*>>> menus;
  QList<QAction*> bar;
  for (QMenu* menu : window->findChildren<QMenu*>()) {
    menus.push_back({menu->menuAction()->objectName().toStdString(), menu->actions()});
    if (qobject_cast<QMenu*>(menu->parentWidget()) == nullptr) bar.push_back(menu->menuAction());
  }
  menus.push_back({"menu bar", bar});
  ASSERT_GT(menus.size(), 6u);
  for (const auto& [name, actions] : menus) {
    std::map<QChar, std::string> taken;
    for (QAction* a : actions) {
      const std::optional<QChar> letter = AltLetter(a->text());
      if (!letter) continue;
      const auto [at, fresh] = taken.emplace(*letter, a->text().toStdString());
      EXPECT_TRUE(fresh) << name << ": \"" << a->text().toStdString() << "\" and \"" << at->second
                         << "\" share Alt+" << QString(*letter).toStdString();
    }
  }
  int withKeys = 0;
  for (QAction* a : window->findChildren<QAction*>()) {
    if (a->objectName().isEmpty()) continue;
    EXPECT_EQ(a->shortcuts(), englishKeys.at(a->objectName().toStdString()))
        << a->objectName().toStdString();
    withKeys += a->shortcuts().isEmpty() ? 0 : 1;
  }
  EXPECT_GT(withKeys, 10);
}

TEST(TranslatedAbout, SaysTheQuickGuideIsInEnglish) {
  TranslatedWindow w(Language::German);
  w.window->form().FindMenuItem("About1")->UserClick();
  ASSERT_FALSE(w.prompts.log.empty());
  EXPECT_EQ(w.prompts.log.back(), "document Über Korva");
  EXPECT_NE(w.prompts.lastDocument.value_or("").find("Kurzanleitung im Hilfe-Menü gibt es nur auf "
                                                     "Englisch"),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslatedPanel,
                         testing::Values(Language::English, Language::German, Language::Finnish,
                                         Language::Pseudo),
                         [](const testing::TestParamInfo<Language>& info) {
                           return NameOf(info.param);
                         });

}  // namespace
