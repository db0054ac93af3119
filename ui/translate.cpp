#include "ui/translate.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <vector>

namespace ui {
namespace {

// Messages the engine and the file layer put together, with %1, %2 where
// their parts go. Each part is translated in turn, so a refusal's reason is
// translated with the refusal.
struct MessagePattern {
  const char* text;
  bool listOfParts;  // the parts are one list, separated by ", "
};
constexpr MessagePattern kPatterns[] = {
    {QT_TRANSLATE_NOOP("Message", "The pattern in line %1 cannot be drawn: %2."), false},
    {QT_TRANSLATE_NOOP("Message", "%1 (line %2)"), false},
    {QT_TRANSLATE_NOOP("Message", "'%1' is not a valid integer value"), false},
    {QT_TRANSLATE_NOOP("Message", "sides %1 is not 0, 2, 3, 4, 5 or 6"), false},
    {QT_TRANSLATE_NOOP("Message", "corner %1 is below 1"), false},
    {QT_TRANSLATE_NOOP("Message", "corner %1 is above the fixed gear's %2 teeth"), false},
    {QT_TRANSLATE_NOOP("Message", "corner %1 is below the moving gear's %2 teeth"), false},
    {QT_TRANSLATE_NOOP("Message", "Cannot create file %1"), false},
    {QT_TRANSLATE_NOOP("Message", "I/O error %1"), false},
    {QT_TRANSLATE_NOOP("Message", "Preview failed: %1"), false},
    {QT_TRANSLATE_NOOP("Message", "Next Draw continues the series: %1"), true},
    {QT_TRANSLATE_NOOP("Message", "pen position %1"), false},
    {QT_TRANSLATE_NOOP("Message", "top %1"), false},
    {QT_TRANSLATE_NOOP("Message", "size %1"), false},
    {QT_TRANSLATE_NOOP("Message", "centre X %1"), false},
    {QT_TRANSLATE_NOOP("Message", "centre Y %1"), false},
};

// Texts the engine and the core words whole, for the translation files.
[[maybe_unused]] constexpr const char* kWholeTexts[] = {
    QT_TRANSLATE_NOOP("Message", "Integer overflow"),
    QT_TRANSLATE_NOOP("Message", "Range check error"),
    QT_TRANSLATE_NOOP("Message", "Division by zero"),
    QT_TRANSLATE_NOOP("Message", "Floating point overflow"),
    QT_TRANSLATE_NOOP("Message", "Scrollbar property out of range"),
    QT_TRANSLATE_NOOP("Message", "Error reading input file - not a KORVA file"),
    QT_TRANSLATE_NOOP("Message", "teeth below 1"),
    QT_TRANSLATE_NOOP("Message", "fixed gear below 2 teeth"),
    QT_TRANSLATE_NOOP("Message", "step below 1"),
    QT_TRANSLATE_NOOP("Message", "integer overflow"),
    QT_TRANSLATE_NOOP("Message", "its points lie beyond the drawing area's pixel range"),
    QT_TRANSLATE_NOOP("Message", "more than 100 million segments"),
    QT_TRANSLATE_NOOP("Message", "Stream write error"),
    QT_TRANSLATE_NOOP("Message", "File not found"),
    QT_TRANSLATE_NOOP("Message", "File access denied"),
    QT_TRANSLATE_NOOP("Message", "Unknown error"),
    QT_TRANSLATE_NOOP("Message", "Printing in progress"),
    QT_TRANSLATE_NOOP("Message", "No printer is installed: printing needs a default printer."),
    QT_TRANSLATE_NOOP("Message", "The printer could not start the print job."),
    QT_TRANSLATE_NOOP("Message", "The print job failed."),
};

// "The pattern in line %1 cannot be drawn: %2." as an anchored expression
// with one lazy group per %N; the numbers of the groups in order.
struct CompiledPattern {
  QRegularExpression expression;
  std::vector<int> argumentOrder;
  const MessagePattern* pattern;
};

std::vector<CompiledPattern> Compile() {
  std::vector<CompiledPattern> compiled;
  static const QRegularExpression placeholder(QStringLiteral("%(\\d)"));
  for (const MessagePattern& p : kPatterns) {
    const QString text = QString::fromUtf8(p.text);
    QString expression = QStringLiteral("^");
    std::vector<int> order;
    qsizetype at = 0;
    for (auto it = placeholder.globalMatch(text); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      expression += QRegularExpression::escape(text.mid(at, m.capturedStart() - at));
      expression += QStringLiteral("(.+?)");
      order.push_back(m.captured(1).toInt());
      at = m.capturedEnd();
    }
    expression += QRegularExpression::escape(text.mid(at)) + QStringLiteral("$");
    compiled.push_back(
        {QRegularExpression(expression, QRegularExpression::DotMatchesEverythingOption),
         std::move(order), &p});
  }
  return compiled;
}

QString TranslateMessage(const QString& text, int depth);

QString TranslatePart(const QString& part, bool listOfParts, int depth) {
  if (!listOfParts) return TranslateMessage(part, depth + 1);
  QStringList items = part.split(QStringLiteral(", "));
  for (QString& item : items) item = TranslateMessage(item, depth + 1);
  return items.join(QStringLiteral(", "));
}

QString TranslateMessage(const QString& text, int depth) {
  const QString whole = QCoreApplication::translate(kMessageContext, text.toUtf8().constData());
  if (whole != text || depth > 3) return whole;
  static const std::vector<CompiledPattern> patterns = Compile();
  for (const CompiledPattern& p : patterns) {
    const QRegularExpressionMatch m = p.expression.match(text);
    if (!m.hasMatch()) continue;
    QString translated = QCoreApplication::translate(kMessageContext, p.pattern->text);
    if (translated == QString::fromUtf8(p.pattern->text)) return text;
    // The parts by their number, put in at once so that a part's own text
    // is never read as a placeholder.
    QString parts[2];
    for (size_t i = 0; i < p.argumentOrder.size(); ++i) {
      parts[p.argumentOrder[i] - 1] =
          TranslatePart(m.captured(static_cast<int>(i) + 1), p.pattern->listOfParts, depth);
    }
    return p.argumentOrder.size() == 1 ? translated.arg(parts[0])
                                       : translated.arg(parts[0], parts[1]);
  }
  return text;
}

}  // namespace

QString Translated(const char* context, const std::string& text) {
  if (text.empty()) return {};
  return QCoreApplication::translate(context, text.c_str());
}

std::string TranslatedText(const char* context, const std::string& text) {
  return Translated(context, text).toStdString();
}

std::string TranslatedMessage(const std::string& text) {
  if (text.empty()) return text;
  // A line-by-line message translates each line.
  const QStringList lines = QString::fromStdString(text).split(QLatin1Char('\n'));
  const QString whole = TranslateMessage(QString::fromStdString(text), 0);
  if (whole != QString::fromStdString(text) || lines.size() == 1) return whole.toStdString();
  QStringList out;
  for (const QString& line : lines) out.push_back(TranslateMessage(line, 0));
  return out.join(QLatin1Char('\n')).toStdString();
}

}  // namespace ui
