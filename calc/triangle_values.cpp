#include "triangle_values.h"

namespace isosceles {

double& TriangleValues::operator[](Quantity q) {
    switch (q) {
    case Quantity::c:
        return c;
    case Quantity::a:
        return a;
    case Quantity::P:
        return P;
    case Quantity::S:
        break;
    }
    return S;
}

double TriangleValues::operator[](Quantity q) const {
    return const_cast<TriangleValues&>(*this)[q];
}

} // namespace isosceles
