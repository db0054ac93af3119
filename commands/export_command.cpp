#include "commands/export_command.h"

#include <QCoreApplication>
#include <cmath>

#include "core/run_time_error.h"
#include "ui/prompts.h"

namespace commands {

namespace {

struct FormatText {
  const char* title;
  const char* filter;
};

FormatText TextOf(exporting::ExportFormat format) {
  switch (format) {
    case exporting::ExportFormat::Svg:
      return {QT_TRANSLATE_NOOP("Dialog", "Export SVG"), "Scalable Vector Graphics (*.svg)|*.svg"};
    case exporting::ExportFormat::Pdf:
      return {QT_TRANSLATE_NOOP("Dialog", "Export PDF"), "Portable Document Format (*.pdf)|*.pdf"};
    case exporting::ExportFormat::Png:
      return {QT_TRANSLATE_NOOP("Dialog", "Export PNG"), "Portable Network Graphics (*.png)|*.png"};
  }
  return {"Export", "*"};
}

// The file types as the file dialog names them.
[[maybe_unused]] constexpr const char* kFileTypes[] = {
    QT_TRANSLATE_NOOP("Dialog", "Scalable Vector Graphics"),
    QT_TRANSLATE_NOOP("Dialog", "Portable Document Format"),
    QT_TRANSLATE_NOOP("Dialog", "Portable Network Graphics")};

QString Tr(const char* text) {
  return QCoreApplication::translate("Message", text);
}

std::string Megabytes(int64_t bytes) {
  return std::to_string((bytes + 500'000) / 1'000'000) + " MB";
}

}  // namespace

std::vector<exporting::ExportPattern> ExportPatternsOf(const engine::PatternHistory& history) {
  std::vector<exporting::ExportPattern> patterns;
  for (int32_t i = 1; i <= history.Count(); ++i) {
    patterns.push_back({history.Entry(i), history.LineWidth(i), history.Ring(i)});
  }
  return patterns;
}

ExportCommand::ExportCommand(ui::Prompts& prompts, const engine::PatternHistory& history,
                             std::function<Colour()> canvasColour,
                             std::function<std::string()> designPath)
    : prompts_(prompts),
      history_(history),
      canvasColour_(std::move(canvasColour)),
      designPath_(std::move(designPath)) {}

// "spiral.txt" becomes "spiral.svg" beside it; without a design file, the
// name last chosen for the format.
std::string ExportCommand::SuggestedName(exporting::ExportFormat format) const {
  const std::string design = designPath_ ? designPath_() : std::string();
  if (design.empty()) return lastNames_[static_cast<size_t>(format)];
  const size_t slash = design.find_last_of('/');
  const size_t dot = design.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return design.substr(0, hasExtension ? dot : design.size()) + "." +
         exporting::FileExtension(format);
}

void ExportCommand::Export(exporting::ExportFormat format, const exporting::Progress& progress) {
  const FormatText text = TextOf(format);
  const size_t slot = static_cast<size_t>(format);
  const ui::FileDialogOptions picker{text.filter,
                                     exporting::FileExtension(format),
                                     /*overwritePrompt=*/true,
                                     /*fileMustExist=*/false,
                                     SuggestedName(format),
                                     /*folderMustExist=*/true};
  const auto path = prompts_.SaveFile(picker);
  if (!path || path->empty()) return;
  lastNames_[slot] = *path;

  const bool png = format == exporting::ExportFormat::Png;
  ui::ExportChoices offered;
  offered.inPixels = png;
  offered.offersLayers = format == exporting::ExportFormat::Svg;
  offered.size = png ? 2560 : 200;
  offered.maxSize = png ? exporting::kMaxSizePx : exporting::kMaxSizeMm;
  const auto chosen = prompts_.AskExportOptions(text.title, lastChoices_[slot].value_or(offered));
  if (!chosen) return;
  lastChoices_[slot] = *chosen;

  exporting::ExportOptions options;
  options.format = format;
  if (png) {
    // Whole pixels: a fraction is refused, never rounded.
    if (!(chosen->size == std::trunc(chosen->size) && std::fabs(chosen->size) <= 1e9))
      throw RunTimeError(
          QT_TRANSLATE_NOOP("Message", "Image size must be a whole number of pixels"));
    options.sizePx = static_cast<int>(chosen->size);
  } else {
    options.sizeMm = chosen->size;
    if (chosen->simplify) options.simplifyMm = chosen->toleranceMm;
  }
  if (offered.offersLayers) options.layerPerColour = chosen->layerPerColour;
  options.includeCanvas = chosen->includeCanvas;
  options.canvasColour = canvasColour_();

  const std::vector<exporting::ExportPattern> patterns = ExportPatternsOf(history_);
  const int64_t bytes = exporting::EstimateExportBytes(patterns, options);
  if (png && options.sizePx > kLargePngPixels) {
    const std::string question =
        Tr(QT_TRANSLATE_NOOP(
               "Message", "A PNG of %1 pixels needs about %2 of memory while it is made.\nGo on?"))
            .arg(options.sizePx)
            .arg(QString::fromStdString(Megabytes(bytes)))
            .toStdString();
    if (prompts_.Message(ui::MessageKind::Confirm, question, ui::kYes | ui::kNo) != ui::kYes) {
      return;
    }
  } else if (!png && bytes > kLargeFileBytes) {
    const std::string question =
        Tr(QT_TRANSLATE_NOOP("Message", "The file will take about %1 of disk space.\nWrite it?"))
            .arg(QString::fromStdString(Megabytes(bytes)))
            .toStdString();
    if (prompts_.Message(ui::MessageKind::Confirm, question, ui::kYes | ui::kNo) != ui::kYes) {
      return;
    }
  }
  exporting::ExportDesign(patterns, options, *path, progress);
}

}  // namespace commands
