#pragma once

#include <stdexcept>

namespace isosceles {

enum class CalcErrorKind {
    InvalidArgument, // square root of a negative number
    DivisionByZero,  // a non-zero number divided by zero
    Overflow,        // a result beyond the double range, or zero divided by zero
};

// The failure of one numeric step.
class CalcError : public std::runtime_error {
public:
    explicit CalcError(CalcErrorKind kind);

    CalcErrorKind kind() const noexcept { return kind_; }

private:
    CalcErrorKind kind_;
};

} // namespace isosceles
