#include "pictures/Random.h"

#include <QDateTime>

namespace quillet {

std::uint32_t TimeOfDaySeed(const QTime& time) {
    return static_cast<std::uint32_t>(
        ((time.hour() * 60 + time.minute()) * 60 + time.second()) * 1000 + time.msec());
}

QTime CurrentUtcTimeOfDay() { return QDateTime::currentDateTimeUtc().time(); }

int RandomGenerator::Random(int n) {
    // Unsigned arithmetic wraps modulo 2^32, which is the generator's modulus.
    state_ = state_ * 134775813u + 1u;
    if (n <= 0) return 0;
    return static_cast<int>((static_cast<std::uint64_t>(state_) * static_cast<std::uint32_t>(n)) >>
                            32);
}

}  // namespace quillet
