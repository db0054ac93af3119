#pragma once
#include <QString>
#include <string>

// Korva's texts are English and serve as their own translation keys: the
// controls, states, dumps and the program's logic keep the English text, and
// only what the user sees is translated, here, where it is shown.
namespace ui {

// The translation contexts, one per kind of text.
inline constexpr const char* kPanelContext = "Panel";
inline constexpr const char* kMenuContext = "Menu";
inline constexpr const char* kToolTipContext = "ToolTip";
inline constexpr const char* kMessageContext = "Message";
inline constexpr const char* kDialogContext = "Dialog";

// `text` in the user's language; unchanged where there is no translation.
QString Translated(const char* context, const std::string& text);
std::string TranslatedText(const char* context, const std::string& text);

// A message, error, note or status text, translated whole or, when it was
// put together from parts below this layer (a file refusal naming its line,
// a file name in an error), by its known pattern with each part translated.
std::string TranslatedMessage(const std::string& text);

}  // namespace ui
