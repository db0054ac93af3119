#pragma once
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

// A polyline of `count` points (x, y pairs in picture pixels; a NaN point
// breaks it) with its opaque colour 0xFFRRGGBB and width in device pixels;
// or, with `strokes`, the strokes a StrokeWriter wrote of one at the bands'
// placement (raster/merged_strokes.h).
struct LineRun {
  const float* xy = nullptr;
  size_t count = 0;
  uint32_t colour = 0xFF000000u;
  double width = 1;
  bool strokes = false;
};

// Where picture pixels land on the image: device x = originX + x * scale.
struct LinePlacement {
  double scale = 1, originX = 0, originY = 0;
};

// SmoothLine over an opaque 32-bit image cut into horizontal bands, one a
// thread, each drawing every run clipped to its band in the order given: the
// picture is the same for any number of threads.
class BandedLines {
 public:
  // `cancelled`, when given, makes the bands skip what is left once set.
  BandedLines(uint32_t* bits, int stride, int width, int height, int threads,
              LinePlacement placement, const std::atomic<bool>* cancelled = nullptr);
  // Waits until every run handed over is drawn (or skipped once cancelled).
  ~BandedLines();
  BandedLines(const BandedLines&) = delete;
  BandedLines& operator=(const BandedLines&) = delete;

  // Hands the runs to the bands once they are done with the previous ones,
  // and returns without waiting for these: their points must stay until the
  // next Draw or Finish returns.
  void Draw(std::vector<LineRun> runs);
  // Waits until every run handed over is drawn.
  void Finish();

 private:
  struct Band {
    int top = 0, bottom = 0;
    uint64_t done = 0;
  };
  void DrawBand(int top, int bottom, const std::vector<LineRun>& runs) const;
  void Work(Band& band);
  bool AllDone() const;

  uint32_t* bits_;
  int stride_, width_;
  LinePlacement placement_;
  const std::atomic<bool>* cancelled_;
  std::vector<Band> bands_;
  std::vector<std::thread> workers_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<LineRun> runs_;
  uint64_t handed_ = 0;
  bool quit_ = false;
};
