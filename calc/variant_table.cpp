#include "variant_table.h"

#include <algorithm>
#include <stdexcept>

namespace isosceles {

namespace {

const VariantInfo& info(Variant variant) {
    if (!isValidVariant(variant)) {
        throw std::out_of_range("variant outside 0..4");
    }
    return VariantTable[static_cast<std::size_t>(variant)];
}

} // namespace

const std::array<Quantity, 2>& given(Variant variant) {
    return info(variant).given;
}

const std::array<Quantity, 2>& computed(Variant variant) {
    return info(variant).computed;
}

std::string caption(Variant variant) {
    info(variant);
    return "Вариант " + std::to_string(variant + 1);
}

bool isComputedBox(int box) {
    if (box < 0 || box >= kBoxCount) {
        return false;
    }
    const auto& row = computed(rowOfBox(box));
    return std::find(row.begin(), row.end(), quantityOfBox(box)) != row.end();
}

} // namespace isosceles
