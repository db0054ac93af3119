#include "commands/window_state.h"

#include <QImage>
#include <cstring>

#include "ui/canvas.h"

namespace commands {

PictureState PictureState::Of(const ui::ImageCanvas& canvas) {
  const QImage& image = canvas.Image();
  PictureState state;
  state.pixels = qCompress(image.constBits(), static_cast<int>(image.sizeInBytes()), 1);
  state.pen = canvas.PenColour();
  state.brush = canvas.BrushColour();
  state.penWidth = canvas.PenWidth();
  state.log = canvas.HeldLog();
  return state;
}

void PictureState::RestoreTo(ui::ImageCanvas& canvas) const {
  if (!Dropped()) {
    const QByteArray raw = qUncompress(pixels);
    QImage image(canvas.Width(), canvas.Height(), QImage::Format_RGB32);
    if (raw.size() == image.sizeInBytes()) {
      std::memcpy(image.bits(), raw.constData(), static_cast<size_t>(raw.size()));
      canvas.RestoreImage(image, log);
    }
  }
  canvas.SetPenColour(pen);
  canvas.SetBrushColour(brush);
  canvas.SetPenWidth(penWidth);
}

size_t WindowState::Bytes() const {
  size_t bytes = sizeof(WindowState) + static_cast<size_t>(picture.pixels.size());
  bytes += panel.controls.size() * sizeof(ui::ControlState);
  for (const ui::ControlState& c : panel.controls) bytes += c.text.size();
  // Histories are shared between neighbouring states; each counts here.
  if (history) bytes += sizeof(engine::PatternHistory);
  return bytes;
}

}  // namespace commands
