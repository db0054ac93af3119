#pragma once
#include <array>
#include <optional>
#include <string>

#include "core/colour.h"

namespace ui {

// Message boxes are titled by kind, with the matching icon.
enum class MessageKind { Warning, Error, Information, Confirm };
std::string TitleOf(MessageKind kind);

// Buttons appear in the order Yes, No, OK, Cancel. The default button is OK
// if present, else Yes; Esc presses Cancel if present, else No, else OK.
enum MessageButton : unsigned { kYes = 1, kNo = 2, kOk = 4, kCancel = 8 };
using MessageButtons = unsigned;
MessageButton DefaultButton(MessageButtons buttons);
MessageButton EscapeButton(MessageButtons buttons);

struct FileDialogOptions {
  std::string filter;            // "Description (*.ext)|*.ext"
  std::string defaultExtension;  // "txt", added when the name has none
  bool overwritePrompt = false;  // ask before replacing an existing file
  bool fileMustExist = false;
  std::string initialName;       // the name offered, empty for none
  bool folderMustExist = false;  // refuse a name in a folder that is not there
};

using CustomColours = std::array<Colour, 16>;

// What the export options dialog offers and returns.
struct ExportChoices {
  bool inPixels = false;      // the size in pixels (PNG), else in mm
  bool offersLayers = false;  // SVG: one layer per colour, or one layer
  double size = 200;
  double maxSize = 100000;
  bool includeCanvas = true;
  bool simplify = false;  // for pen plotters and lasers
  double toleranceMm = 0.05;
  bool layerPerColour = true;
  bool operator==(const ExportChoices&) const = default;
};

// The modal dialogs of the main window, behind one interface so that tests
// and korva-batch can script the answers.
class Prompts {
 public:
  virtual ~Prompts() = default;
  virtual MessageButton Message(MessageKind kind, const std::string& text,
                                MessageButtons buttons) = 0;
  // The standard error box for a run-time error.
  virtual void RunTimeErrorBox(const std::string& text) = 0;
  // The chosen file name, or nothing when cancelled.
  virtual std::optional<std::string> OpenFile(const FileDialogOptions& options) = 0;
  virtual std::optional<std::string> SaveFile(const FileDialogOptions& options) = 0;
  // The chosen colour, or nothing when cancelled. `custom` holds the sixteen
  // custom colours and receives the user's edits on OK.
  virtual std::optional<Colour> PickColour(Colour initial, CustomColours& custom) = 0;
  // A whole number typed in, within [min, max], or nothing when cancelled.
  virtual std::optional<int> AskInteger(const std::string& prompt, int min, int max, int value) = 0;
  // The export options, or nothing when cancelled.
  virtual std::optional<ExportChoices> AskExportOptions(const std::string& title,
                                                        const ExportChoices& offered) = 0;
  // A page of text to read, such as the quick guide.
  virtual void ShowDocument(const std::string& title, const std::string& markdown) = 0;
};

}  // namespace ui
