// The framework's growable arrays, as the host hands them to the driver's exports.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/cstring.h"
#include "platform/invalid_arg.h"

/// A growable array of T. Every access by index checks the index and raises the invalid-argument
/// exception outside 0 to size - 1; SetSize raises it for a negative size. New elements are
/// value-initialised (zero for numbers, empty for texts, default-constructed for records).
template <typename T>
class CArray {
public:
    CArray() = default;

    int GetSize() const { return static_cast<int>(items_.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return items_.empty(); }

    /// Resizes to size elements; growBy is the framework's growth step, kept for its callers.
    void SetSize(int size, int growBy = -1) {
        if (size < 0) throw CInvalidArgException("negative array size");
        items_.resize(static_cast<size_t>(size));
    }
    void RemoveAll() { items_.clear(); }
    void FreeExtra() { items_.shrink_to_fit(); }
    void Reserve(int capacity) { if (capacity > 0) items_.reserve(static_cast<size_t>(capacity)); }

    const T& GetAt(int index) const { return items_[Checked(index)]; }
    T& ElementAt(int index) { return items_[Checked(index)]; }
    void SetAt(int index, const T& value) { items_[Checked(index)] = value; }
    const T& operator[](int index) const { return GetAt(index); }
    T& operator[](int index) { return ElementAt(index); }

    /// Sets the element at index, growing the array when index is at or past its end.
    void SetAtGrow(int index, const T& value) {
        if (index < 0) throw CInvalidArgException("negative array index");
        if (index >= GetSize()) SetSize(index + 1);
        items_[index] = value;
    }
    int Add(const T& value) { items_.push_back(value); return GetSize() - 1; }
    int Add(T&& value) { items_.push_back(std::move(value)); return GetSize() - 1; }
    int Append(const CArray& other) {
        int first = GetSize();
        items_.insert(items_.end(), other.items_.begin(), other.items_.end());
        return first;
    }
    void Copy(const CArray& other) { items_ = other.items_; }

    /// Inserts count copies of value at index (index may equal the size: append).
    void InsertAt(int index, const T& value, int count = 1) {
        if (index < 0 || count < 0) throw CInvalidArgException("negative array index or count");
        if (index > GetSize()) SetSize(index);
        items_.insert(items_.begin() + index, static_cast<size_t>(count), value);
    }
    void RemoveAt(int index, int count = 1) {
        if (index < 0 || count < 0 || index + count > GetSize()) throw CInvalidArgException("array index outside the array");
        items_.erase(items_.begin() + index, items_.begin() + index + count);
    }

    T* GetData() { return items_.data(); }
    const T* GetData() const { return items_.data(); }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    /// The elements as a standard vector, for code inside the driver that moves whole ranges.
    std::vector<T>& Items() { return items_; }
    const std::vector<T>& Items() const { return items_; }

private:
    size_t Checked(int index) const {
        if (index < 0 || index >= GetSize()) throw CInvalidArgException("array index outside the array");
        return static_cast<size_t>(index);
    }

    std::vector<T> items_;
};

using CStringArray = CArray<CString>;
using CByteArray = CArray<uint8_t>;
