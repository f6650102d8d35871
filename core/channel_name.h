// The channel name a row's cells give, and the decimal digits names and addresses are written with.
#pragma once

#include <string>
#include <string_view>

class CDevRow;

/// Appends value as "%.<digits>d" writes it: a minus sign when negative, then at least digits digits.
void AppendDecimal(std::u16string& text, int value, int digits);

/// Writes into name the channel name the row's cells give with the read/write text rwText: the
/// register letter (or "DB<block>:"), the text, the type's name code, the address and the bit in
/// their register type's formats, "_<length>" for a string; in capitals.
void FormChannelName(const CDevRow& row, std::u16string_view rwText, std::u16string& name);

/// Whether the channel name is formed from the cell of this column.
bool ChannelNameReads(int column);
