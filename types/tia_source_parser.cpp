#include "types/tia_source_parser.h"

#include "types/import_result_codes.h"
#include "types/member_line.h"
#include "types/source_lines.h"
#include "types/source_text.h"
#include "platform/guid.h"

namespace {

using View = std::u16string_view;
constexpr size_t npos = View::npos;

bool Contains(View text, View part) { return text.find(part) != npos; }

bool IsNameCharacter(char16_t ch) { return (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z') || (ch >= u'0' && ch <= u'9') || ch == u'_'; }

/// A line that starts with keyword as a word of its own: "TYPE" opens a type, "TYPE_A : Int;" is a
/// member.
bool StartsWithKeyword(View line, View keyword) {
    return line.starts_with(keyword) && (line.size() == keyword.size() || !IsNameCharacter(line[keyword.size()]));
}

bool IsTypeHeader(View line) { return StartsWithKeyword(line, u"TYPE"); }
bool IsBlockHeader(View line) { return StartsWithKeyword(line, u"DATA_BLOCK"); }
/// An END_STRUCT line, also when a comment after it holds a colon.
bool IsEndStruct(View line) { return StartsWithKeyword(line, u"END_STRUCT"); }
bool IsCommentLine(View line) { return line.starts_with(u"//"); }

/// The block header line "VERSION : 0.1" itself; a member named or commented with the word is not.
bool IsVersionLine(View line) {
    constexpr View kVersion = u"VERSION";
    if (!line.starts_with(kVersion)) return false;
    View rest = Trimmed(line.substr(kVersion.size()));
    if (!rest.starts_with(u':')) return false;
    rest = Trimmed(rest.substr(1));
    if (rest.empty() || rest.front() < u'0' || rest.front() > u'9') return false;
    for (char16_t ch : rest)
        if ((ch < u'0' || ch > u'9') && ch != u'.') return false;
    return true;
}

/// A line made of one quoted name: the data type a data block is based on.
bool IsQuotedName(View line) { return line.size() >= 2 && line.front() == u'"' && line.find(u'"', 1) == line.size() - 1; }

/// Whether an attribute block ("{ A := 'x'; S7_Optimized_Access := 'TRUE' }") switches optimized
/// access on. Every attribute counts, wherever it stands in the block.
bool SwitchesOptimizedAccessOn(View block) {
    const size_t open = block.find(u'{');
    if (open == npos) return false;
    block = block.substr(open + 1);
    while (!block.empty()) {
        const size_t end = block.find_first_of(u";}");
        const View attribute = block.substr(0, end);
        block = end == npos ? View() : block.substr(end + 1);
        const size_t colon = attribute.find(u':');
        if (colon == npos) continue;
        std::u16string name;
        for (char16_t ch : attribute.substr(0, colon))
            if (ch != u' ') name += ch;
        const size_t firstQuote = attribute.find(u'\'');
        const size_t lastQuote = attribute.rfind(u'\'');
        if (name != u"S7_Optimized_Access" || firstQuote == npos || lastQuote == firstQuote) continue;
        if (attribute.substr(firstQuote + 1, lastQuote - firstQuote - 1) == u"TRUE") return true;
    }
    return false;
}

/// "{" + eight, four, four, four and twelve upper-case hexadecimal digits + "}".
CString NewSyntheticTypeName() {
    GUID guid;
    CoCreateGuid(&guid);
    return CString::Formatted(u"{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", static_cast<unsigned>(guid.Data1),
                              unsigned{guid.Data2}, unsigned{guid.Data3}, unsigned{guid.Data4[0]}, unsigned{guid.Data4[1]},
                              unsigned{guid.Data4[2]}, unsigned{guid.Data4[3]}, unsigned{guid.Data4[4]},
                              unsigned{guid.Data4[5]}, unsigned{guid.Data4[6]}, unsigned{guid.Data4[7]});
}

/// Where a line of a source starts, and its number (from 1; 0: no line). A line given by
/// SectionLines lasts only until the next is read; a line to be told later is kept by its place
/// and read again (LineAt).
struct SLinePlace {
    size_t start = 0;
    int number = 0;
};

/// The non-empty trimmed lines of one kind of section (type sections or data block sections), in
/// order, read from the text as they are asked for: a large block's lines are not held in a list
/// beside the members read from them, and each is decoded into one buffer, so a line given is
/// valid only until the next is read. A section runs from its header line to the line that begins
/// with its end keyword, both included.
class SectionLines {
public:
    enum Kind { kTypes, kBlocks };
    SectionLines(const SourceText& text, Kind kind) : text_(text), kind_(kind) {}

    /// The next line of the sections; false after the last one.
    bool Next(View& line) {
        while (position_ < text_.Size()) {
            // Every line read counts, blank or not, as each ends at one line end.
            const SLinePlace place{position_, ++linesRead_};
            const View next = Trimmed(text_.Line(position_, buffer_));
            if (next.empty()) continue;
            inSection_ = inSection_ || (kind_ == kTypes ? IsTypeHeader(next) : IsBlockHeader(next));
            if (!inSection_) continue;
            if (next.starts_with(kind_ == kTypes ? u"END_TYPE" : u"END_DATA_BLOCK")) inSection_ = false;
            line = next;
            last_ = place;
            return true;
        }
        return false;
    }
    /// The place of the last line given; number 0 before the first.
    SLinePlace Last() const { return last_; }

private:
    const SourceText& text_;
    Kind kind_;
    size_t position_ = 0;
    int linesRead_ = 0;
    bool inSection_ = false;
    SLinePlace last_;
    std::u16string buffer_;  ///< the line given, when the text decodes it
};

/// One pass over the lines of one kind of section. Keeps the count of open STRUCT levels and the
/// members of the structure being read; anonymous structures open inside it are kept on a stack,
/// so that nesting of any depth is read without recursion.
class StructurePass {
public:
    StructurePass(const CString& path, SParseTargets& targets) : path_(path), targets_(targets) {}

    int Depth() const { return depth_; }

    void OpenStruct() { ++depth_; }

    /// Adds the member of a line to the innermost open structure; a Struct member opens an
    /// anonymous structure. False when the line is malformed.
    bool ReadMember(View line) {
        SMemberLine read;
        if (!ReadMemberLine(line, read)) return false;
        if (read.opensStruct) read.member.Type = NewSyntheticTypeName();
        CString anonymousName = read.opensStruct ? read.member.Type.Text() : CString();
        Innermost().push_back(std::move(read.member));
        if (read.opensStruct) {
            open_.push_back({std::move(anonymousName), {}});
            ++depth_;
        }
        return true;
    }

    /// An END_STRUCT line: closes the innermost anonymous structure and stores it, or completes the
    /// top-level structure (true: the caller stores it with CompleteTopLevel).
    bool CloseStruct() {
        if (depth_ >= 2) {
            Store(open_.back().name, std::move(open_.back().members));
            open_.pop_back();
            --depth_;
            return false;
        }
        --depth_;
        return true;
    }

    void CompleteTopLevel(const CString& name) {
        targets_.completed.push_back({path_, {name}});
        Store(name, std::move(members_));
        members_.clear();
    }

private:
    struct SAnonymous {
        CString name;
        std::vector<SMemberInfo> members;
    };

    std::vector<SMemberInfo>& Innermost() { return open_.empty() ? members_ : open_.back().members; }

    void Store(const CString& name, std::vector<SMemberInfo> members) {
        // Kept in room for their count: grown one member at a time, the list may hold room for
        // twice as many, and a block of thousands of structures is held until it is laid out.
        members.shrink_to_fit();
        SStructInfo header;
        header.Name = name;
        targets_.structs.try_emplace(header).first->second = std::move(members);
    }

    const CString& path_;
    SParseTargets& targets_;
    int depth_ = 0;
    std::vector<SMemberInfo> members_;
    std::vector<SAnonymous> open_;  ///< anonymous structures being read, outermost first
};

/// An attribute block that begins a line may go on over the following lines, up to the one that
/// holds "}". Returns the block's text, from first on; the lines it goes on over are read from lines,
/// after which first is no longer valid.
std::u16string JoinAttributeBlock(View first, SectionLines& lines) {
    std::u16string block(first);
    for (View line = first; !Contains(line, u"}") && lines.Next(line);) {
        block += u' ';
        block += line;
    }
    return block;
}

class DataBlockPass {
public:
    DataBlockPass(const CString& path, const SBlockNaming& naming, SParseTargets& targets)
        : naming_(naming), targets_(targets), pass_(path, targets) {}

    /// The lines' result; a failure sets failed to the line at fault (the last line when the
    /// structures are unbalanced at the end). The line at fault may be one an attribute block went
    /// on from: its place is taken before Classify reads further.
    int Run(SectionLines& lines, SLinePlace& failed) {
        for (View line; lines.Next(line);) {
            const SLinePlace place = lines.Last();
            const int code = Classify(line, lines);
            if (code < 0) {
                failed = place;
                return code;
            }
        }
        if (pass_.Depth() == 0) return 0;
        failed = lines.Last();
        return kBlockFormatError;
    }

private:
    /// Reads line; an attribute block that goes on over the next lines reads them too, after which
    /// line is no longer valid.
    int Classify(View line, SectionLines& lines) {
        if (IsCommentLine(line)) return 0;
        if (IsBlockHeader(line)) {
            StartBlock();
            return 0;
        }
        if (Contains(line, u"{")) {
            const bool ownLine = line.starts_with(u'{');
            const std::u16string block = ownLine ? JoinAttributeBlock(line, lines) : std::u16string(line);
            if (SwitchesOptimizedAccessOn(block)) return kBlockOptimized;
            if (ownLine) return 0;
        }
        if (IsVersionLine(line) || line == u"NON_RETAIN") return 0;
        if (line == u"STRUCT") {
            if (pass_.Depth() >= 1) return kBlockFormatError;  // a structure opens only as a member
            pass_.OpenStruct();
            inHeader_ = false;
            return 0;
        }
        if (Contains(line, u":") && pass_.Depth() >= 1 && !IsEndStruct(line)) return pass_.ReadMember(line) ? 0 : kBlockFormatError;
        if (Contains(line, u"END_STRUCT")) {
            if (pass_.CloseStruct()) pass_.CompleteTopLevel(naming_.blockName);
            return 0;
        }
        if (line == u"BEGIN" || line == u"END_DATA_BLOCK") {
            inHeader_ = false;
            return 0;
        }
        if (inHeader_ && pass_.Depth() == 0 && IsQuotedName(line)) {
            BaseBlockOnType(line);
            return 0;
        }
        return pass_.Depth() > 0 ? kBlockFormatError : 0;
    }

    void StartBlock() {
        inHeader_ = true;
        record_ = npos;
        if (!naming_.appendRecord) return;
        SFlatMember record;
        record.Name = naming_.recordName;
        record.Type = naming_.blockName;
        record.Block = naming_.blockName;
        record_ = targets_.records.size();
        targets_.records.push_back(std::move(record));
    }

    /// A block based on a data type has the type's quoted name instead of a STRUCT: the block's
    /// record is laid out as that type.
    void BaseBlockOnType(View typeName) {
        inHeader_ = false;
        if (record_ != npos) targets_.records[record_].Type = CString(typeName);
    }

    const SBlockNaming& naming_;
    SParseTargets& targets_;
    StructurePass pass_;
    bool inHeader_ = false;  ///< between the block's header line and its STRUCT
    size_t record_ = npos;   ///< the current block's top-level record
};

/// The name of a type header: the rest of the line without blanks, except inside a quoted name,
/// which keeps its blanks as the members that use the type write it.
CString TypeNameOf(View header) {
    std::u16string name;
    bool quoted = false;
    for (char16_t ch : header.substr(4)) {
        if (ch == u'"') quoted = !quoted;
        if (ch != u' ' || quoted) name += ch;
    }
    return CString(std::move(name));
}

/// The type lines' result; at a failure, the line at fault is the last line given (lines.Last()).
int RunTypePass(const CString& path, SectionLines& lines, SParseTargets& targets) {
    StructurePass pass(path, targets);
    CString typeName;
    for (View line; lines.Next(line);) {
        if (IsCommentLine(line)) continue;
        if (IsTypeHeader(line)) {
            typeName = TypeNameOf(line);
        } else if (line == u"STRUCT") {
            if (pass.Depth() >= 1) return kTypeFormatError;
            pass.OpenStruct();
        } else if (IsVersionLine(line)) {
            continue;
        } else if (Contains(line, u":") && pass.Depth() >= 1 && !IsEndStruct(line)) {
            if (!pass.ReadMember(line)) return kTypeFormatError;
        } else if (Contains(line, u"END_STRUCT")) {
            if (pass.CloseStruct()) pass.CompleteTopLevel(typeName);
        } else if (line != u"END_TYPE" && pass.Depth() > 0) {
            return kTypeFormatError;
        }
    }
    return 0;
}

}  // namespace

namespace {

/// The line at place, trimmed, read again from the text.
SSourceLine LineAt(const SourceText& text, SLinePlace place) {
    std::u16string buffer;
    size_t start = place.start;
    return {place.number, CString(Trimmed(text.Line(start, buffer)))};
}

}  // namespace

int ParseTiaSource(const SourceText& text, const CString& path, const SBlockNaming& naming, SParseTargets targets,
                   SSourceLine* failedLine) {
    SectionLines blockLines(text, SectionLines::kBlocks), typeLines(text, SectionLines::kTypes);
    const size_t completedBefore = targets.completed.size(), recordsBefore = targets.records.size();
    DataBlockPass blocks(path, naming, targets);
    SLinePlace failed;
    int result = blocks.Run(blockLines, failed);
    if (result == 0) {
        result = RunTypePass(path, typeLines, targets);
        failed = typeLines.Last();
    }
    // A source that gave neither a structure nor a block (empty, garbage, another kind of file)
    // holds nothing to import: the user is told instead of an import that adds nothing.
    if (result == 0 && targets.completed.size() == completedBefore && targets.records.size() == recordsBefore)
        return kSourceFileEmpty;
    if (result < 0 && failedLine && failed.number > 0) *failedLine = LineAt(text, failed);
    return result;
}

CString BlockNameOfSourceFile(const CString& path) {
    const CString fileName = path.Mid(path.ReverseFind(u'/') + 1);
    const int underscore = fileName.Find(u'_');
    return underscore < 0 ? CString() : fileName.Left(underscore);
}
