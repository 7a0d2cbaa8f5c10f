#pragma once

namespace quor {

// Pushes the default values of the window-behaviour settings into the library (snapping,
// keep-inside, extended sizing, wheel transparency). Reading "Quorvelle.ini" and pushing every
// setting in its fixed order arrives with the settings model, which replaces this.
void PushWindowBehaviourDefaults() noexcept;

}  // namespace quor
