#include "solver.h"

#include "calc_error.h"
#include "working.h"

#include <cmath>
#include <numbers>

namespace isosceles {

namespace {

// Every operation of the formulas goes through one of these, so that the first failing step
// raises and no infinity or NaN ever comes into being. The operands are always finite.

[[noreturn]] void fail(CalcErrorKind kind) {
    throw CalcError(kind);
}

double finite(double result) {
    if (!std::isfinite(result)) {
        fail(CalcErrorKind::Overflow);
    }
    return result;
}

double mul(double x, double y) {
    return finite(x * y);
}
double add(double x, double y) {
    return finite(x + y);
}
double sub(double x, double y) {
    return finite(x - y);
}

double quot(double x, double y) {
    if (y == 0) {
        fail(x == 0 ? CalcErrorKind::Overflow : CalcErrorKind::DivisionByZero);
    }
    return finite(x / y);
}

double root(double x) {
    if (x < 0) {
        fail(CalcErrorKind::InvalidArgument);
    }
    return std::sqrt(x);
}

constexpr double kTwo = 2;
constexpr double kQuarter = 0.25;

// What solveVariant's run leaves behind: nothing, at no cost.
struct Silent {
    void begin(Term, Form, Term, double, Term, double) {}
    double part(double value) { return value; }
    double end(double result) { return result; }
};

// Each step of a variant is one of these, named by its formula; `r` sees its operands, the
// products under a root and its result, in the order they are computed.

// √(x·x − (0.25·y)·y), √(x·x + (0.25·y)·y) or √(x·x − y·y), as `form` says.
template <typename R>
double rootOf(R& r, Form form, Term term, Term xt, double x, Term yt, double y) {
    r.begin(term, form, xt, x, yt, y);
    const double xx = r.part(mul(x, x));
    const double yy = r.part(form == Form::RootOfDifference ? mul(y, y) : mul(mul(kQuarter, y), y));
    return r.end(root(form == Form::RootOfSumWithQuarter ? add(xx, yy) : sub(xx, yy)));
}

// (2·x) / y
template <typename R> double twiceOver(R& r, Term term, Term xt, double x, Term yt, double y) {
    r.begin(term, Form::TwiceOver, xt, x, yt, y);
    return r.end(quot(mul(kTwo, x), y));
}

// (2·x) + y
template <typename R> double twicePlus(R& r, Term term, Term xt, double x, Term yt, double y) {
    r.begin(term, Form::TwicePlus, xt, x, yt, y);
    return r.end(add(mul(kTwo, x), y));
}

// (x·y) / 2
template <typename R> double productHalved(R& r, Term term, Term xt, double x, Term yt, double y) {
    r.begin(term, Form::ProductHalved, xt, x, yt, y);
    return r.end(quot(mul(x, y), kTwo));
}

// x − (2·y)
template <typename R> double lessTwice(R& r, Term term, Term xt, double x, Term yt, double y) {
    r.begin(term, Form::LessTwice, xt, x, yt, y);
    return r.end(sub(x, mul(kTwo, y)));
}

// (x − y) / 2
template <typename R>
double differenceHalved(R& r, Term term, Term xt, double x, Term yt, double y) {
    r.begin(term, Form::DifferenceHalved, xt, x, yt, y);
    return r.end(quot(sub(x, y), kTwo));
}

// arctan(t / u). With u = 0 the apex is a right angle (t = ±a); the quotient would divide
// by zero, though the triangle exists. arctan of ±∞ is ±90°, so that is the angle taken.
template <typename R> double apexAngle(R& r, double t, double u) {
    if (u == 0 && t != 0) {
        r.begin(Term::theta, Form::RightApex, Term::t, t, Term::u, u);
        return r.end(std::copysign(std::numbers::pi / 2, t));
    }
    r.begin(Term::theta, Form::Arctan, Term::t, t, Term::u, u);
    return r.end(std::atan(quot(t, u)));
}

// x · cos(y / 2)
template <typename R> double timesCosHalf(R& r, Term term, Term xt, double x, Term yt, double y) {
    r.begin(term, Form::TimesCosHalf, xt, x, yt, y);
    return r.end(mul(x, std::cos(quot(y, kTwo))));
}

// The variants' steps, in the order of the solver's table.

template <typename R> TriangleValues fromBaseAndLeg(R& r, double c, double a) {
    const double h = rootOf(r, Form::RootOfDifferenceWithQuarter, Term::h, Term::a, a, Term::c, c);
    const double P = twicePlus(r, Term::P, Term::a, a, Term::c, c);
    return {c, a, P, productHalved(r, Term::S, Term::c, c, Term::h, h)};
}

template <typename R> TriangleValues fromBaseAndArea(R& r, double c, double S) {
    const double h = twiceOver(r, Term::h, Term::S, S, Term::c, c);
    const double a = rootOf(r, Form::RootOfSumWithQuarter, Term::a, Term::h, h, Term::c, c);
    return {c, a, twicePlus(r, Term::P, Term::a, a, Term::c, c), S};
}

template <typename R> TriangleValues fromLegAndArea(R& r, double a, double S) {
    const double t = twiceOver(r, Term::t, Term::S, S, Term::a, a);
    const double u = rootOf(r, Form::RootOfDifference, Term::u, Term::a, a, Term::t, t);
    const double theta = apexAngle(r, t, u);
    const double h = timesCosHalf(r, Term::h, Term::a, a, Term::theta, theta);
    const double c = twiceOver(r, Term::c, Term::S, S, Term::h, h);
    return {c, a, twicePlus(r, Term::P, Term::a, a, Term::c, c), S};
}

template <typename R> TriangleValues fromLegAndPerimeter(R& r, double a, double P) {
    const double c = lessTwice(r, Term::c, Term::P, P, Term::a, a);
    const double h = rootOf(r, Form::RootOfDifferenceWithQuarter, Term::h, Term::a, a, Term::c, c);
    return {c, a, P, productHalved(r, Term::S, Term::c, c, Term::h, h)};
}

template <typename R> TriangleValues fromBaseAndPerimeter(R& r, double c, double P) {
    const double a = differenceHalved(r, Term::a, Term::P, P, Term::c, c);
    const double h = rootOf(r, Form::RootOfDifferenceWithQuarter, Term::h, Term::a, a, Term::c, c);
    return {c, a, P, productHalved(r, Term::S, Term::c, c, Term::h, h)};
}

template <typename R> TriangleValues solve(R& r, Variant variant, double first, double second) {
    if (!std::isfinite(first) || !std::isfinite(second)) {
        fail(CalcErrorKind::InvalidArgument);
    }
    switch (variant) {
    case 0:
        return fromBaseAndLeg(r, first, second);
    case 1:
        return fromBaseAndArea(r, first, second);
    case 2:
        return fromLegAndArea(r, first, second);
    case 3:
        return fromLegAndPerimeter(r, first, second);
    case 4:
        return fromBaseAndPerimeter(r, first, second);
    default:
        fail(CalcErrorKind::InvalidArgument);
    }
}

// What solveShowingWork's run leaves behind: each step as it begins, its parts and result
// as they come.
class Recorder {
public:
    explicit Recorder(std::vector<Step>& steps) : steps_(steps) {}

    void begin(Term term, Form form, Term xt, double x, Term yt, double y) {
        steps_.push_back(Step{term, form, {xt, yt}, {x, y}, {}, std::nullopt});
        parts_ = 0;
    }
    double part(double value) {
        steps_.back().parts.at(parts_++) = value;
        return value;
    }
    double end(double result) {
        steps_.back().result = result;
        return result;
    }

private:
    std::vector<Step>& steps_;
    std::size_t parts_ = 0;
};

} // namespace

Working solveShowingWork(Variant variant, double first, double second) {
    Working working;
    working.variant = variant;
    working.given = {first, second};
    Recorder recorder(working.steps);
    try {
        working.values = solve(recorder, variant, first, second);
    } catch (const CalcError& error) {
        working.failure = error.kind();
    }
    return working;
}

std::vector<Step> stepsTo(const Working& working, Term term) {
    // Walked back from the term: a step is kept where a later kept step used its result.
    std::vector<bool> needed(working.steps.size());
    std::array<bool, 8> wanted{};
    wanted.at(static_cast<std::size_t>(term)) = true;
    for (std::size_t i = working.steps.size(); i-- > 0;) {
        const Step& step = working.steps[i];
        if (wanted.at(static_cast<std::size_t>(step.term))) {
            needed[i] = true;
            for (const Term operand : step.operands) {
                wanted.at(static_cast<std::size_t>(operand)) = true;
            }
        }
    }
    std::vector<Step> steps;
    for (std::size_t i = 0; i < working.steps.size(); ++i) {
        if (needed[i]) {
            steps.push_back(working.steps[i]);
        }
    }
    return steps;
}

TriangleValues solveVariant(Variant variant, double first, double second) {
    Silent silent;
    return solve(silent, variant, first, second);
}

} // namespace isosceles
