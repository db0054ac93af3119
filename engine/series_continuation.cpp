#include "engine/series_continuation.h"

#include <cstdint>

namespace engine {

std::string SeriesContinuationNote(const DesignState& next, const PanelValues& shown) {
  // The values a series steps. The gears, the step and the mode are never
  // stepped, and the pen swatch is itself the colour the next Draw uses.
  const struct {
    const char* name;
    int32_t value;
    const std::string& text;
  } values[] = {{"pen position", next.PenHole, shown.holeText},
                {"top", next.TopOfDesign, shown.topText},
                {"size", next.DesignSize, shown.sizeText},
                {"centre X", next.CentreX, shown.centreXText},
                {"centre Y", next.CentreY, shown.centreYText}};
  std::string note;
  for (const auto& v : values) {
    const std::string value = std::to_string(v.value);
    if (value == v.text) continue;
    note.append(note.empty() ? "Next Draw continues the series: " : ", ");
    note.append(v.name).append(" ").append(value);
  }
  return note;
}

}  // namespace engine
