#pragma once
#include <string>

#include "engine/design_state.h"
#include "engine/plain_panel.h"

namespace engine {

// After a Draw series the design state has moved on by the series' steps
// (and, when reflected, back from the mirror's top) while the panel still
// shows the last pattern drawn, so the next Draw continues the series from
// values nobody sees. This names them, as the design state has them:
// "Next Draw continues the series: top 120, size 910". Empty when the panel
// shows every value the next Draw starts from.
std::string SeriesContinuationNote(const DesignState& next, const PanelValues& shown);

}  // namespace engine
