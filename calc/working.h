#pragma once

#include "calc_error.h"
#include "triangle_values.h"
#include "variant_table.h"

#include <array>
#include <optional>
#include <vector>

namespace isosceles {

// What the solver's steps compute: the four quantities, the height onto the base h, and
// variant 2's height onto a leg t, its u = a·|cos θ| and its apex angle θ (radians).
enum class Term { c, a, P, S, h, t, u, theta };

constexpr Term termOf(Quantity q) {
    return static_cast<Term>(column(q));
}

// The shape of a step's formula, x and y being its two operands in the order written.
enum class Form {
    RootOfDifferenceWithQuarter, // √(x·x − (0.25·y)·y)
    RootOfSumWithQuarter,        // √(x·x + (0.25·y)·y)
    RootOfDifference,            // √(x·x − y·y)
    TwiceOver,                   // (2·x) / y
    TwicePlus,                   // (2·x) + y
    ProductHalved,               // (x·y) / 2
    LessTwice,                   // x − (2·y)
    DifferenceHalved,            // (x − y) / 2
    Arctan,                      // arctan(x / y)
    RightApex,                   // arctan(x / y) with y = 0: ±π/2, the sign of x
    TimesCosHalf,                // x · cos(y / 2)
};

struct Step {
    Term term;
    Form form;
    std::array<Term, 2> operands;
    std::array<double, 2> values;
    // Under a root, its two products, as far as they were computed.
    std::array<std::optional<double>, 2> parts;
    // None: the step failed.
    std::optional<double> result;
};

// A Calculate's steps as the solver ran them: the last one failed where `failure` is set.
struct Working {
    Variant variant = 0;
    std::array<double, 2> given{};
    std::vector<Step> steps;
    std::optional<CalcErrorKind> failure;
    TriangleValues values; // all four, where nothing failed

    bool failed() const { return failure.has_value(); }
};

// The solver's own run, step by step: the same code as solveVariant, whose results it
// returns bit for bit. Never raises a CalcError: a failure ends the working.
Working solveShowingWork(Variant variant, double first, double second);

// The steps that led to a term, in the order they ran: the term's own and those whose
// results it used.
std::vector<Step> stepsTo(const Working& working, Term term);

} // namespace isosceles
