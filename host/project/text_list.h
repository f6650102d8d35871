// A list of short texts kept side by side in large pieces of memory: the keys of a plant's half a
// million channel rows are held as a few dozen allocations, not as half a million strings.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/large_block.h"

/// Room that several lists take their texts' characters from, in blocks of their own on large
/// pages: the records of an import keep a list for each of a plant's three hundred sources, each
/// too small to fill large pieces, and half a million keys made in memory the allocator has given
/// back would be mapped again 4 KiB at a time. The lists must go before their room.
class TextRoom {
public:
    /// Room for bytes characters, in the block being filled or a new one.
    char* Take(size_t bytes);

private:
    /// Blocks double up to their largest size: a small import takes little room.
    static constexpr size_t kFirstBlock = size_t{256} << 10;
    static constexpr size_t kLargestBlock = size_t{4} << 20;

    std::vector<CLargeBlock> blocks_;
    char* next_ = nullptr;
    size_t left_ = 0;
};

class TextList {
public:
    TextList() = default;
    /// A list whose characters are kept in room, shared with other lists.
    explicit TextList(TextRoom& room) : room_(&room) {}
    TextList(std::initializer_list<std::string_view> texts);
    TextList(TextList&&) noexcept = default;
    TextList& operator=(TextList&&) noexcept = default;

    /// Makes room for count texts (their characters take room as they come).
    void reserve(size_t count) { texts_.reserve(count); }
    /// Adds a copy of text at the end; views of the texts before stay valid.
    void push_back(std::string_view text);

    size_t size() const { return texts_.size(); }
    bool empty() const { return texts_.empty(); }
    std::string_view operator[](size_t index) const { return texts_[index]; }
    std::vector<std::string_view>::const_iterator begin() const { return texts_.begin(); }
    std::vector<std::string_view>::const_iterator end() const { return texts_.end(); }

    friend bool operator==(const TextList& a, const TextList& b) { return a.texts_ == b.texts_; }

private:
    /// Characters are copied into the last piece while it has room; a text longer than a piece
    /// gets a piece of its own.
    static constexpr size_t kFirstPiece = size_t{1} << 10;
    static constexpr size_t kLargestPiece = size_t{1} << 20;
    char* Room(size_t bytes);

    TextRoom* room_ = nullptr;  ///< where the characters are kept, when not in pieces of the list's own
    std::vector<std::unique_ptr<char[]>> pieces_;
    char* next_ = nullptr;  ///< where the last piece's free bytes begin
    size_t left_ = 0;       ///< how many there are
    size_t lastPiece_ = 0;  ///< the size of the last piece
    std::vector<std::string_view> texts_;
};
