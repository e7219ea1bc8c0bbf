#pragma once

#include <QTime>

#include <cstdint>
#include <functional>

namespace quillet {

// ((hour * 60 + minute) * 60 + second) * 1000 + millisecond.
std::uint32_t TimeOfDaySeed(const QTime& time);

// Where a generator reads the time of day it is seeded from. The window that
// owns a generator takes one, so that tests can fix the time and with it the
// picture.
using TimeOfDayClock = std::function<QTime()>;
// The current UTC time of day: the program's clock.
QTime CurrentUtcTimeOfDay();

// A 32-bit linear congruential generator, seeded from the time of day so that
// every showing of the congratulation window may pick another picture.
class RandomGenerator {
public:
    explicit RandomGenerator(std::uint32_t seed = 0) : state_(seed) {}

    void Randomize(const QTime& timeOfDay) { state_ = TimeOfDaySeed(timeOfDay); }
    void SetSeed(std::uint32_t seed) { state_ = seed; }
    std::uint32_t Seed() const { return state_; }

    // Steps the state, then scales it to a whole number from 0 to n - 1
    // (0 when n is not positive).
    int Random(int n);

private:
    std::uint32_t state_;
};

}  // namespace quillet
