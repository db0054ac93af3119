#pragma once
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "core/colour.h"
#include "engine/design_state.h"
#include "engine/pattern_history.h"
#include "ui/form.h"
#include "ui/trace_log.h"

namespace ui {
class ImageCanvas;
}

namespace commands {

// The picture with the pen it is drawn with, compressed: a drawing on a plain
// canvas shrinks to a few per cent of its 1.6 MB.
struct PictureState {
  QByteArray pixels;  // empty when dropped to save memory
  Colour pen = 0, brush = 0;
  int penWidth = 1;
  std::optional<ui::TraceLog> log;  // the traces behind the pixels, when known

  static PictureState Of(const ui::ImageCanvas& canvas);
  bool Dropped() const { return pixels.isEmpty(); }
  // Puts pixels (when kept) and pen back.
  void RestoreTo(ui::ImageCanvas& canvas) const;
};

// Everything a history command changes: what Edit > Undo puts back.
struct WindowState {
  engine::DesignState design;
  engine::RepeatSteps steps;
  engine::DerivedValues derived;
  int32_t seriesStartTop = 0;
  std::shared_ptr<const engine::PatternHistory> history;
  ui::FormState panel;
  PictureState picture;
  // Whether the picture is exactly its history drawn on a blank canvas.
  bool pictureIsHistory = true;

  size_t Bytes() const;
};

}  // namespace commands
