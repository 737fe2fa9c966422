#include "calc_error.h"

namespace isosceles {

namespace {

const char* describe(CalcErrorKind kind) {
    switch (kind) {
    case CalcErrorKind::InvalidArgument:
        return "invalid argument";
    case CalcErrorKind::DivisionByZero:
        return "division by zero";
    case CalcErrorKind::Overflow:
        break;
    }
    return "overflow";
}

} // namespace

CalcError::CalcError(CalcErrorKind kind) : std::runtime_error(describe(kind)), kind_(kind) {}

} // namespace isosceles
