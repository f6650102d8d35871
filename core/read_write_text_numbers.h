// The read/write texts channel names are formed with, each kept once for the life of the process.
#pragma once

#include <cstdint>
#include <string_view>

/// A row whose channel name is formed when it is asked for names the read/write text it was made
/// with by a number of one byte: a table of half a million rows then holds no name of its own, and
/// a name formed after the language (or a text table) changed is still the one the row was made
/// with. The number of text, 1 to kMaxReadWriteTextNumber; 0 once that many other texts are kept.
/// Safe to call from several threads at once.
uint8_t ReadWriteTextNumber(std::u16string_view text);

/// The text of a number ReadWriteTextNumber gave (empty for 0).
std::u16string_view ReadWriteTextOfNumber(uint8_t number);

inline constexpr int kMaxReadWriteTextNumber = 255;
