#pragma once

namespace quillet::testing {

// How long a test waits for an event or a state before it fails: only a real
// fault takes this long, however loaded the machine (two cores shared by many
// builds, sanitizers) and however its timers slip.
inline constexpr int kEventDeadlineMs = 30000;

}  // namespace quillet::testing
