#pragma once
#include <cstdint>

class QPainter;

// A line wider than a pixel, drawn with the painter's pen (aliased, round
// caps) onto an image of `width` x `height`. A far-away end is first brought
// into a box well beyond the image, where the cut end's cap cannot show,
// which keeps the rasteriser in a safe range.
void DrawWideLine(QPainter& painter, int penWidth, int64_t width, int64_t height, int64_t x0,
                  int64_t y0, int64_t x1, int64_t y1);
