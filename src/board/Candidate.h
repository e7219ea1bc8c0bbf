#pragma once

namespace quillet {

// A digit (1..9) in a cell (its column-major number, board/BoardGeometry.h):
// what a step of solving places or strikes, what the coach marks, what the
// board's strike rule takes and what the window's bus carries.
struct Candidate {
    int cell = 0;
    int digit = 0;
    friend bool operator==(const Candidate&, const Candidate&) = default;
};

}  // namespace quillet
