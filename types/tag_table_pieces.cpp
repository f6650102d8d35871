#include "types/tag_table_pieces.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

/// Walks the document, counting lines as the parser does (one for each line feed).
class Scanner {
public:
    explicit Scanner(std::string_view xml) : xml_(xml) {}

    size_t At() const { return at_; }
    int Line() const { return line_; }
    bool AtEnd() const { return at_ >= xml_.size(); }
    bool Sees(std::string_view text) const { return xml_.compare(at_, text.size(), text) == 0; }

    void SkipBlanks() {
        while (!AtEnd() && IsBlank(xml_[at_])) Step(1);
    }
    /// Moves past the next occurrence of end that starts at least skip bytes on; false (and stays)
    /// when there is none.
    bool SkipPast(std::string_view end, size_t skip = 0) {
        const size_t found = xml_.find(end, at_ + skip);
        if (found == std::string_view::npos) return false;
        Step(found + end.size() - at_);
        return true;
    }
    /// Moves to the next "<"; false when there is none.
    bool SkipToMarkup() {
        const size_t found = xml_.find('<', at_);
        if (found == std::string_view::npos) return false;
        Step(found - at_);
        return true;
    }
    /// Moves past a start tag's ">", its attribute values read in their quotes; false for a tag that
    /// never ends or holds a "<" outside a value. selfClosing tells whether it ends with "/>".
    bool SkipStartTag(bool& selfClosing) {
        char quote = 0;
        for (size_t i = at_ + 1; i < xml_.size(); ++i) {
            const char ch = xml_[i];
            if (quote) {
                if (ch == quote) quote = 0;
            } else if (ch == '\'' || ch == '"') {
                quote = ch;
            } else if (ch == '<') {
                return false;
            } else if (ch == '>') {
                selfClosing = xml_[i - 1] == '/';
                Step(i + 1 - at_);
                return true;
            }
        }
        return false;
    }
    /// Skips a comment, declaration or character data section; false when markup at the current
    /// place is none of them, or one that never ends.
    bool SkipOther() {
        // The end is looked for after the opening, as the parser does: "<!-->" opens a comment.
        for (const auto& [open, end] : {std::pair<std::string_view, std::string_view>{"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}})
            if (Sees(open)) return SkipPast(end, open.size());
        return false;
    }

private:
    void Step(size_t count) {
        line_ += static_cast<int>(std::count(xml_.begin() + static_cast<std::ptrdiff_t>(at_),
                                             xml_.begin() + static_cast<std::ptrdiff_t>(at_ + count), '\n'));
        at_ += count;
    }

    std::string_view xml_;
    size_t at_ = 0;
    int line_ = 1;
};

/// Skips blanks and comments, and before the root declarations ("<?...?>") ahead of everything
/// else, as the parser takes them; false at anything else but the end or a "<" that starts an
/// element.
bool SkipOutsideRoot(Scanner& scanner, bool beforeRoot) {
    bool declarationsTaken = beforeRoot;
    for (;;) {
        scanner.SkipBlanks();
        if (scanner.AtEnd() || !scanner.Sees("<")) return scanner.AtEnd();
        if (scanner.Sees("<?")) {
            if (!declarationsTaken || !scanner.SkipOther()) return false;
            continue;
        }
        if (scanner.Sees("<!--")) {
            if (!scanner.SkipOther()) return false;
            declarationsTaken = false;
            continue;
        }
        return !scanner.Sees("<!") && !scanner.Sees("</");
    }
}

std::string_view NameOf(std::string_view startTag) {
    const size_t end = startTag.find_first_of(" \t\r\n/>", 1);
    return startTag.substr(1, end == std::string_view::npos ? std::string_view::npos : end - 1);
}

}  // namespace

std::optional<STagTablePieces> CutTagTable(std::string_view xml, size_t bytesPerPiece) {
    // The parser reads a document up to its first zero byte, as a C string: so does the cut.
    xml = xml.substr(0, xml.find('\0'));
    STagTablePieces cut;
    Scanner scanner(xml);
    if (xml.starts_with(kBom)) scanner.SkipPast(kBom);
    if (!SkipOutsideRoot(scanner, true) || scanner.AtEnd()) return std::nullopt;
    const size_t rootStart = scanner.At();
    cut.rootLine = scanner.Line();
    bool selfClosing = false;
    if (!scanner.SkipStartTag(selfClosing) || selfClosing) return std::nullopt;
    cut.rootStartTag = xml.substr(rootStart, scanner.At() - rootStart);
    cut.rootName = NameOf(cut.rootStartTag);
    if (cut.rootName.empty()) return std::nullopt;

    size_t pieceStart = scanner.At();
    int pieceLine = scanner.Line();
    int depth = 0;  // of the element being walked, below the root's children
    auto endPiece = [&](size_t end) {
        cut.pieces.push_back({xml.substr(pieceStart, end - pieceStart), pieceLine});
        pieceStart = end;
        pieceLine = scanner.Line();
    };
    for (;;) {
        if (!scanner.SkipToMarkup()) return std::nullopt;  // the root never ends
        if (scanner.Sees("</")) {
            const size_t tagStart = scanner.At();
            if (depth == 0) {
                const std::string_view endTag = xml.substr(tagStart, cut.rootName.size() + 3);
                if (endTag.size() != cut.rootName.size() + 3 || endTag.substr(2, cut.rootName.size()) != cut.rootName ||
                    endTag.back() != '>')
                    return std::nullopt;
                endPiece(tagStart);
                scanner.SkipPast(">");
                break;
            }
            if (!scanner.SkipPast(">")) return std::nullopt;
            if (--depth == 0 && scanner.At() - pieceStart >= bytesPerPiece) endPiece(scanner.At());
        } else if (scanner.Sees("<!--") || scanner.Sees("<![CDATA[")) {
            if (!scanner.SkipOther()) return std::nullopt;
        } else if (scanner.Sees("<!") || scanner.Sees("<?")) {
            return std::nullopt;  // a document type or declaration, which the parser judges
        } else {
            if (!scanner.SkipStartTag(selfClosing)) return std::nullopt;
            if (depth == 0) ++cut.children;
            if (!selfClosing) ++depth;
            else if (depth == 0 && scanner.At() - pieceStart >= bytesPerPiece) endPiece(scanner.At());
        }
    }
    if (!SkipOutsideRoot(scanner, false) || !scanner.AtEnd()) return std::nullopt;
    return cut;
}
