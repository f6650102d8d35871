// The dimensions of an array member, held behind a single pointer.
#pragma once

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

/// One array dimension; Upper is inclusive. Lower > Upper means the dimension has no index.
struct SArrayDim {
    int Lower = 0;
    int Upper = 0;

    bool operator==(const SArrayDim&) const = default;
};

/// A member's array dimensions, outermost first; none for a scalar. Most members and every leaf
/// are scalars, and a block source holds a million members beside their million leaves, so the
/// dimensions take one pointer (null when there are none) instead of a list's three. The
/// dimensions are set as a whole, from a list, and read as a span.
class CArrayDims {
public:
    CArrayDims() = default;
    CArrayDims(std::span<const SArrayDim> dims) { Assign(dims); }                 // NOLINT: as the list it replaces
    CArrayDims(const std::vector<SArrayDim>& dims) { Assign(dims); }               // NOLINT
    CArrayDims(std::initializer_list<SArrayDim> dims) { Assign({dims.begin(), dims.size()}); }  // NOLINT
    CArrayDims(const CArrayDims& other) { Assign(other); }
    CArrayDims(CArrayDims&&) noexcept = default;
    CArrayDims& operator=(const CArrayDims& other) {
        if (this != &other) Assign(other);
        return *this;
    }
    CArrayDims& operator=(CArrayDims&&) noexcept = default;

    bool empty() const { return !block_; }
    size_t size() const { return block_ ? static_cast<size_t>(block_[0].Lower) : 0; }
    const SArrayDim* begin() const { return block_ ? &block_[1] : nullptr; }
    const SArrayDim* end() const { return begin() + size(); }
    const SArrayDim& operator[](size_t index) const { return block_[index + 1]; }
    operator std::span<const SArrayDim>() const { return {begin(), size()}; }  // NOLINT
    void clear() { block_.reset(); }

    friend bool operator==(const CArrayDims& a, const CArrayDims& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    /// The block's first entry holds the count in Lower; the dimensions follow it.
    void Assign(std::span<const SArrayDim> dims);

    std::unique_ptr<SArrayDim[]> block_;
};
static_assert(sizeof(CArrayDims) == sizeof(void*), "a scalar's dimensions take one pointer");
