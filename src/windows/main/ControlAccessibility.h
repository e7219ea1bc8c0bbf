#pragma once

namespace quillet {

// Makes Qt present the main window as a frame and the digit selector as a
// spin button with a value; the board grid has its own (BoardGridAccessible).
void InstallControlAccessibility();

}  // namespace quillet
