#include "ui/caption_fit.h"

#include <QFontMetrics>
#include <QWidget>
#include <algorithm>
#include <climits>

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/translate.h"

namespace ui {
namespace {

constexpr const char* kWholeCaption = "korvaWholeCaption";
// Room kept between a label and the frame or control to its right.
constexpr int kFrameInset = 2;
constexpr int kGap = 2;

bool RowsOverlap(int top, int height, const Control& other) {
  return top < other.Top() + other.Height() && other.Top() < top + height;
}

bool Inside(const Control& label, const Control& frame) {
  return label.Left() >= frame.Left() && label.Left() < frame.Left() + frame.Width() &&
         label.Top() >= frame.Top() && label.Top() < frame.Top() + frame.Height();
}

}  // namespace

QString FitCaption(QWidget* widget, const std::string& caption, int room) {
  const QString text = Translated(kPanelContext, caption);
  const QFontMetrics metrics(widget->font());
  if (text == QString::fromStdString(caption) || metrics.horizontalAdvance(text) <= room) {
    widget->setProperty(kWholeCaption, QVariant());
    return text;
  }
  widget->setProperty(kWholeCaption, text);
  widget->setAccessibleName(text);
  widget->setToolTip(text);
  return metrics.elidedText(text, Qt::ElideRight, std::max(room, 0));
}

QString WholeCaption(const QWidget* widget) {
  return widget->property(kWholeCaption).toString();
}

void FitLabels(const Form& form) {
  for (Control* control : form.Controls()) {
    auto* label = dynamic_cast<Label*>(control);
    if (label == nullptr) continue;
    int right = INT_MAX;
    for (const Control* other : form.Controls()) {
      if (other == label) continue;
      if (dynamic_cast<const Frame*>(other) != nullptr) {
        if (Inside(*label, *other))
          right = std::min(right, other->Left() + other->Width() - kFrameInset);
      } else if (other->Visible() && other->Left() > label->Left() &&
                 RowsOverlap(label->Top(), label->Height(), *other)) {
        right = std::min(right, other->Left() - kGap);
      }
    }
    if (right != INT_MAX) label->FitWithin(right - label->Left());
  }
}

}  // namespace ui
