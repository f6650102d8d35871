#include "host/project/command_output.h"

bool CommandOutput::WriteTo(std::FILE* file) const {
    for (size_t i = 0; i < pieces_.size(); ++i)
        if (std::fwrite(pieces_[i].get(), 1, Used(i), file) != Used(i)) return false;
    return true;
}

std::string CommandOutput::Text() const {
    std::string text;
    for (size_t i = 0; i < pieces_.size(); ++i) text.append(pieces_[i].get(), Used(i));
    return text;
}

size_t CommandOutput::Size() const {
    return pieces_.empty() ? 0 : (pieces_.size() - 1) * kPieceBytes + Used(pieces_.size() - 1);
}

void CommandOutput::Truncate(size_t size) {
    if (size >= Size()) return;
    // The piece that holds the last byte kept stays the put area, written up to that byte.
    const size_t kept = (size + kPieceBytes - 1) / kPieceBytes;
    pieces_.resize(kept);
    if (kept == 0) {
        setp(nullptr, nullptr);
        return;
    }
    char* const piece = pieces_.back().get();
    setp(piece, piece + kPieceBytes);
    pbump(static_cast<int>(size - (kept - 1) * kPieceBytes));
}

CommandOutput::int_type CommandOutput::overflow(int_type ch) {
    if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
    // The put area is the last piece: once it is full, a new one follows.
    pieces_.push_back(std::make_unique_for_overwrite<char[]>(kPieceBytes));
    char* const piece = pieces_.back().get();
    setp(piece, piece + kPieceBytes);
    *pptr() = traits_type::to_char_type(ch);
    pbump(1);
    return ch;
}

size_t CommandOutput::Used(size_t index) const {
    return index + 1 < pieces_.size() ? kPieceBytes : static_cast<size_t>(pptr() - pbase());
}
