#pragma once
#include <cstdint>

#include "core/colour.h"
#include "engine/pixel.h"

// Sees every segment the tracers draw, for korva-batch's segment listings.
class TraceObserver {
 public:
  virtual ~TraceObserver() = default;
  virtual void ScreenSegment(engine::Pixel from, engine::Pixel to) = 0;
  virtual void ScreenTraceDone(int64_t segments) = 0;
  virtual void PrintSegment(engine::Pixel from, engine::Pixel to) = 0;
  virtual void PrintTraceDone(int64_t segments, Colour printerPen) = 0;
};
