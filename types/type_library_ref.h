// One reference to the shared type library, held for as long as the handle lives.
#pragma once

#include "types/fileparstest.h"

/// Acquires the type library when made (creating it from dataTypeFile when none exists, see
/// Fileparstest::Acquire) and gives the reference back when destroyed or reset.
class TypeLibraryRef {
public:
    explicit TypeLibraryRef(const CString& dataTypeFile = CString()) : library_(Fileparstest::Acquire(dataTypeFile)) {}
    ~TypeLibraryRef() { Reset(); }
    TypeLibraryRef(const TypeLibraryRef&) = delete;
    TypeLibraryRef& operator=(const TypeLibraryRef&) = delete;

    /// Gives the reference back now; the handle holds nothing afterwards. A second call does nothing.
    void Reset() {
        if (library_) library_->Release();
        library_ = nullptr;
    }

    /// The library, or null after Reset.
    Fileparstest* get() const { return library_; }
    Fileparstest* operator->() const { return library_; }

    /// A copy of the user data type file's structures and the predefined ones.
    StructMap UserStructs() const {
        StructMap structs;
        library_->GetUserStructs(structs);
        return structs;
    }

private:
    Fileparstest* library_;
};
