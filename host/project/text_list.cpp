#include "host/project/text_list.h"

#include <algorithm>

TextList::TextList(std::initializer_list<std::string_view> texts) {
    reserve(texts.size());
    for (std::string_view text : texts) push_back(text);
}

char* TextRoom::Take(size_t bytes) {
    if (bytes > left_) {
        const size_t block = std::max(bytes, std::min(kLargestBlock, blocks_.empty() ? kFirstBlock : 2 * blocks_.back().size()));
        blocks_.emplace_back(block);
        next_ = blocks_.back().data();
        left_ = block;
    }
    char* const room = next_;
    next_ += bytes;
    left_ -= bytes;
    return room;
}

char* TextList::Room(size_t bytes) {
    if (room_) return room_->Take(bytes);
    if (bytes > left_) {
        // Pieces double up to their largest size: an import's small sources take little room.
        const size_t piece = std::max(bytes, std::min(kLargestPiece, pieces_.empty() ? kFirstPiece : 2 * lastPiece_));
        lastPiece_ = piece;
        pieces_.push_back(std::make_unique_for_overwrite<char[]>(piece));
        next_ = pieces_.back().get();
        left_ = piece;
    }
    char* const room = next_;
    next_ += bytes;
    left_ -= bytes;
    return room;
}

void TextList::push_back(std::string_view text) {
    char* const room = Room(text.size());
    std::copy(text.begin(), text.end(), room);
    texts_.emplace_back(room, text.size());
}
