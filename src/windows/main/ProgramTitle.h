#pragma once

#include <QString>

namespace quillet {

// The caption of the message boxes: the executable's file name without its
// directory and without everything from its first "." on, every character
// after the first in lower case.
QString ProgramTitleFromPath(const QString& executablePath);
QString ProgramTitle();

// Adds "." to an error message unless it is empty or already ends in a
// character whose code is not above ".".
QString WithFullStop(const QString& message);

}  // namespace quillet
