// The base of everything that stores itself in a configuration archive.
#pragma once

class COwnerArchive;

/// An object decides by the archive's mode, in its one Serialize operation, whether it writes
/// itself or reads itself.
class COwnerObject {
public:
    virtual ~COwnerObject() = default;
    virtual void Serialize(COwnerArchive& archive) {}
};
