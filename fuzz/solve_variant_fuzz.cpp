// solveVariant on any variant and any pair of finite doubles: finite values with the given
// pair returned bit for bit, or one of the three kinds of CalcError and nothing else.
#include "calc_error.h"
#include "fuzz_input.h"
#include "solver.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

using namespace isosceles;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const auto variant = static_cast<Variant>((input.byte() << 8) | input.byte());
    const double first = input.number();
    const double second = input.number();
    if (!std::isfinite(first) || !std::isfinite(second)) {
        return 0;
    }
    try {
        const TriangleValues r = solveVariant(variant, first, second);
        if (!isValidVariant(variant)) {
            std::abort();
        }
        for (const double v : {r.c, r.a, r.P, r.S}) {
            if (!std::isfinite(v)) {
                std::abort();
            }
        }
        const auto& pair = given(variant);
        const double back[] = {r[pair[0]], r[pair[1]]};
        const double sent[] = {first, second};
        if (std::memcmp(back, sent, sizeof back) != 0) {
            std::abort();
        }
    } catch (const CalcError& error) {
        switch (error.kind()) {
        case CalcErrorKind::InvalidArgument:
        case CalcErrorKind::DivisionByZero:
        case CalcErrorKind::Overflow:
            break;
        default:
            std::abort();
        }
    }
    return 0;
}
