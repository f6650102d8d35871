// Texts kept once for the life of the process, for names that many records repeat.
#pragma once

#include <string_view>

#include "platform/cstring.h"

/// The text kept for text: the same text gives the same pointer, valid for the life of the
/// process. May be called on several threads at once.
const CString* KeptText(std::u16string_view text);
