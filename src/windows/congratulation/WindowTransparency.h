#pragma once

namespace quillet {

// Whether top-level windows can leave pixels transparent one by one. On X11
// that takes a running compositing manager; without one the congratulation
// window shows a copy of the screen under it through those pixels instead.
bool PerPixelTransparencyAvailable();

}  // namespace quillet
