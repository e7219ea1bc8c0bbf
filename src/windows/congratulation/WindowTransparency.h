#pragma once

namespace quillet {

// Whether top-level windows can leave pixels transparent one by one. On X11
// that takes a running compositing manager; without one the congratulation
// window shapes itself with a window mask instead.
bool PerPixelTransparencyAvailable();

}  // namespace quillet
