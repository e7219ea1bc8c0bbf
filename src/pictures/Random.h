#pragma once

#include <QTime>

#include <cstdint>
#include <functional>

namespace quillet {

// The program's one pseudo-random generator: a 32-bit linear congruential
// state, seeded from the time of day so that every showing of the
// congratulation window may pick another picture.

// ((hour * 60 + minute) * 60 + second) * 1000 + millisecond.
std::uint32_t TimeOfDaySeed(const QTime& time);

// Seeds the generator from the current UTC time of day.
void Randomize();
// Seeds the generator from the given time of day.
void RandomizeAt(const QTime& time);

void SetRandomSeed(std::uint32_t state);
std::uint32_t RandomSeed();

// Steps the state, then scales it to a whole number from 0 to n - 1
// (0 when n is not positive).
int Random(int n);

// Where Randomize reads the current UTC time of day; tests fix it to make
// the window's choice predictable. An empty source restores the clock.
using TimeOfDaySource = std::function<QTime()>;
void SetTimeOfDaySource(TimeOfDaySource source);

}  // namespace quillet
