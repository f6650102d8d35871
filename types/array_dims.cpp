#include "types/array_dims.h"

#include <climits>
#include <stdexcept>

void CArrayDims::Assign(std::span<const SArrayDim> dims) {
    if (dims.empty()) {
        block_.reset();
        return;
    }
    if (dims.size() > static_cast<size_t>(INT_MAX)) throw std::length_error("too many array dimensions");
    // Made whole before the old block goes: dims may view the old block itself.
    auto block = std::make_unique_for_overwrite<SArrayDim[]>(dims.size() + 1);
    block[0] = SArrayDim{static_cast<int>(dims.size()), 0};
    std::copy(dims.begin(), dims.end(), &block[1]);
    block_ = std::move(block);
}
