#pragma once

namespace ui {

// The panel's radio buttons keep their exclusiveness themselves, so Qt would
// tell a screen reader they are check boxes; this makes them radio buttons
// again. Installed once, before the first radio button is asked about.
void InstallRadioButtonAccessibility();

}  // namespace ui
