#pragma once
#include <cstdint>

#include "ui/controls.h"

// Shows a value in a box, which runs the box's handler when the text changes.
void showIn(ui::ValueBox* box, int32_t value);
// Reads a box into a design value; an empty box leaves the value unchanged.
void readBox(const ui::ValueBox* box, int32_t& value);
