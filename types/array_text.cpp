#include "types/array_text.h"

#include <string>

CString ArrayText(const CArrayDims& dims) {
    std::u16string text = u"Array [";
    for (size_t i = 0; i < dims.size(); ++i) {
        if (i > 0) text += u',';
        text += CString::Formatted(u"%d..%d", dims[i].Lower, dims[i].Upper).str();
    }
    text += u"] of ";
    return CString(std::move(text));
}

namespace {

/// Reads one bounds piece such as "0..9" into dim; unreadable numbers keep dim's values. Lower is
/// the text before the first ".", Upper the text after the last one: a piece without a dot ("5")
/// has no lower text, so it keeps the previous Lower (0 for the first piece) and gives 0..5.
void ReadBoundsPiece(const CString& piece, SArrayDim& dim) {
    const int firstDot = piece.Find(u'.');
    const int lastDot = piece.ReverseFind(u'.');
    const CString lowerText = firstDot < 0 ? CString() : piece.Left(firstDot);
    const CString upperText = lastDot < 0 ? piece : piece.Mid(lastDot + 1);
    ScanDecimal(lowerText.view(), dim.Lower);
    ScanDecimal(upperText.view(), dim.Upper);
}

}  // namespace

bool ParseArrayText(const CString& text, std::vector<SArrayDim>& dims, CString& elementType) {
    if (text.Find(CString(u"Array")) < 0) return false;
    const int open = text.Find(u'[');
    const int close = text.Find(u']');
    if (open < 0 || close < open) return false;

    const CString bounds = text.Mid(open + 1, close - open - 1);
    SArrayDim dim;  // carries the previous piece's values into the next
    int start = 0;
    while (start <= bounds.GetLength()) {
        int comma = bounds.Find(u',', start);
        if (comma < 0) comma = bounds.GetLength();
        CString piece = bounds.Mid(start, comma - start);
        piece.Trim();
        if (!piece.IsEmpty()) {
            ReadBoundsPiece(piece, dim);
            dims.push_back(dim);
        }
        start = comma + 1;
    }

    const int of = text.Find(CString(u"of"));
    elementType = of < 0 ? CString() : text.Mid(of + 2);
    elementType.Trim();
    return true;
}

bool ParseArrayText(const CString& text, CArrayDims& dims, CString& elementType) {
    std::vector<SArrayDim> all(dims.begin(), dims.end());
    if (!ParseArrayText(text, all, elementType)) return false;
    dims = all;
    return true;
}
