#pragma once
#include <QString>

class QWidget;

namespace ui {

class Form;

// What the panel caption `caption` shows in the user's language in `room`
// pixels of `widget`'s font: the whole text when it fits, else the text cut
// short with an ellipsis, the whole text then being the widget's accessible
// name and the head of its tooltip. English is always shown as it is.
QString FitCaption(QWidget* widget, const std::string& caption, int room);
// The whole text of a caption cut short by FitCaption, else empty.
QString WholeCaption(const QWidget* widget);

// Fits each label into the room it has: up to the edge of the group frame it
// sits in and to the next shown control to its right on its row. Labels never
// overlap another control, whatever the language; run again when controls
// are shown, hidden or moved.
void FitLabels(const Form& form);

}  // namespace ui
