// The output of a command, kept until the command has done its work.
#pragma once

#include <cstdio>
#include <memory>
#include <streambuf>
#include <string>
#include <vector>

/// A stream buffer that keeps what is written in pieces of 1 MiB: a large output (a plant's layout,
/// the channel list of a million rows) grows without being copied, and is never held twice.
class CommandOutput : public std::streambuf {
public:
    /// Writes everything kept to file, in order; false when a write fails.
    bool WriteTo(std::FILE* file) const;
    /// Everything kept, as one text.
    std::string Text() const;
    /// How many bytes are kept.
    size_t Size() const;
    /// Lets go of what was written after the first size bytes (nothing when fewer are kept), as
    /// if it had not been written: output made for a step that then failed.
    void Truncate(size_t size);

protected:
    int_type overflow(int_type ch) override;

private:
    static constexpr size_t kPieceBytes = size_t{1} << 20;
    /// How many bytes of the piece at index are written.
    size_t Used(size_t index) const;

    std::vector<std::unique_ptr<char[]>> pieces_;
};
