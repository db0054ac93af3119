#pragma once
#include <string>

namespace ui {

class ImageCanvas;

// Failures are RunTimeErrors with the program's texts: "File not found",
// "File access denied", "Cannot create file <name>", "Stream write error".
std::string ReadWholeFile(const std::string& path);

// Writes to a temporary file in the same folder and renames it over `path`
// only when complete, so a failed write leaves an existing file intact.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

// The drawing area's pixels (the top-left kDrawingAreaSize square) of `canvas` as a 24-bit Windows
// bitmap, written the same way.
void WriteBitmapAtomically(const ImageCanvas& canvas, const std::string& path);

// Today's date and the time now, in the system's short date and long time forms.
std::string ShortDateNow();
std::string LongTimeNow();

}  // namespace ui
