#include "core/text_block_room.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define VIREO_POISON(at, bytes) ASAN_POISON_MEMORY_REGION(at, bytes)
#define VIREO_UNPOISON(at, bytes) ASAN_UNPOISON_MEMORY_REGION(at, bytes)
#else
#define VIREO_POISON(at, bytes) ((void)(at), (void)(bytes))
#define VIREO_UNPOISON(at, bytes) ((void)(at), (void)(bytes))
#endif

namespace TextBlockRoom {
namespace {

/// The start of a piece: how many blocks it holds, plus one while a thread still takes from it.
struct alignas(16) SPiece {
    std::atomic<uint32_t> holders;
};
constexpr size_t kFirstBlock = sizeof(SPiece);
constexpr size_t kLargestShared = kPieceBytes / 4;

size_t BytesOf(size_t units) { return (units * sizeof(char16_t) + 7) & ~size_t{7}; }

/// A piece of bytes (kPieceBytes or more), aligned to kPieceBytes, so that a block finds its piece
/// from its own address: every block starts within the piece's first kPieceBytes.
SPiece* NewPiece(size_t bytes, uint32_t holders) {
    const size_t size = (bytes + kPieceBytes - 1) & ~(kPieceBytes - 1);
    void* room = std::aligned_alloc(kPieceBytes, size);
    if (!room) throw std::bad_alloc();
    SPiece* piece = new (room) SPiece{holders};
    VIREO_POISON(static_cast<char*>(room) + kFirstBlock, size - kFirstBlock);
    return piece;
}

void Release(SPiece* piece) noexcept {
    if (piece->holders.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
    piece->~SPiece();
    std::free(piece);
}

SPiece* PieceOf(const char16_t* block) {
    return reinterpret_cast<SPiece*>(reinterpret_cast<uintptr_t>(block) & ~(uintptr_t{kPieceBytes} - 1));
}

/// The piece this thread takes from, let go of when the thread ends.
struct SCurrentPiece {
    SPiece* piece = nullptr;
    size_t used = 0;
    ~SCurrentPiece() {
        if (piece) Release(piece);
    }
};

}  // namespace

char16_t* Take(size_t units) {
    const size_t bytes = BytesOf(units);
    if (bytes > kLargestShared) {
        SPiece* own = NewPiece(kFirstBlock + bytes, 1);
        char* block = reinterpret_cast<char*>(own) + kFirstBlock;
        VIREO_UNPOISON(block, bytes);
        return reinterpret_cast<char16_t*>(block);
    }
    thread_local SCurrentPiece current;
    if (!current.piece || current.used + bytes > kPieceBytes) {
        SPiece* next = NewPiece(kPieceBytes, 1);  // held by this thread until it moves on
        if (current.piece) Release(current.piece);
        current.piece = next;
        current.used = kFirstBlock;
    }
    char* block = reinterpret_cast<char*>(current.piece) + current.used;
    current.used += bytes;
    current.piece->holders.fetch_add(1, std::memory_order_relaxed);
    VIREO_UNPOISON(block, bytes);
    return reinterpret_cast<char16_t*>(block);
}

void Give(char16_t* block, size_t units) noexcept {
    if (!block) return;
    VIREO_POISON(block, BytesOf(units));
    Release(PieceOf(block));
}

}  // namespace TextBlockRoom
