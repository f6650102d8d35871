// The order in which sorted controls (tree view children, sorted list boxes) arrange their texts:
// case-insensitive, as the platform's controls compare them. Character classes come in this order:
// white space, punctuation and symbols (by code), digits, Latin letters (A-Z with a-z, without
// regard to case), then every other character (Chinese ones among them) by code. A text that is
// the beginning of another comes first. Texts that differ only in case compare equal; the sorts
// keep such texts in the order they were added.
#pragma once

#include <string_view>

/// Negative, 0 or positive as a sorts before, with or after b.
int CompareUiText(std::u16string_view a, std::u16string_view b);
/// True when text begins with prefix, without regard to the case of Latin letters.
bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix);
