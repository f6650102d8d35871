#include "platform/ui/ui_text_order.h"

#include <utility>

namespace {

char16_t FoldCase(char16_t ch) { return ch >= u'A' && ch <= u'Z' ? static_cast<char16_t>(ch - u'A' + u'a') : ch; }

/// The sort key of a character: its class, then its value within the class.
std::pair<int, char16_t> SortKey(char16_t ch) {
    char16_t folded = FoldCase(ch);
    if (folded >= u'0' && folded <= u'9') return {2, folded};
    if (folded >= u'a' && folded <= u'z') return {3, folded};
    if (folded < 0x80) return {folded <= u' ' ? 0 : 1, folded};
    return {4, folded};
}

}  // namespace

int CompareUiText(std::u16string_view a, std::u16string_view b) {
    size_t common = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < common; ++i) {
        auto ka = SortKey(a[i]);
        auto kb = SortKey(b[i]);
        if (ka != kb) return ka < kb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
    if (prefix.size() > text.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (FoldCase(text[i]) != FoldCase(prefix[i])) return false;
    return true;
}
