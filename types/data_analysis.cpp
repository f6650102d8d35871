#include "types/data_analysis.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <unordered_set>
#include <utility>

#include "platform/parallel.h"

namespace {

/// The memory areas of the tag table's records.
constexpr const char16_t* kTagAreas[] = {u"I", u"Q", u"M"};

void NoteFilesOfBlocks(const DbFileMap& blocks, std::map<CString, CString>& fileOfBlock) {
    for (const auto& [path, info] : blocks) fileOfBlock[info.BlockName] = path;
}

/// Notes the names of the structures completed since first, of the files read as data blocks.
void NoteBlockStructures(const StructureList& completed, size_t first, const DbFileMap& blocks,
                         std::unordered_set<std::u16string>& names) {
    for (size_t i = first; i < completed.size(); ++i) {
        if (!blocks.contains(completed[i].Path)) continue;
        for (const CString& name : completed[i].Names) names.insert(name.str());
    }
}

void NoteFileOfTags(const std::vector<CString>& tagPaths, std::map<CString, CString>& fileOfBlock) {
    if (tagPaths.empty()) return;
    for (const char16_t* area : kTagAreas) fileOfBlock[CString(area)] = tagPaths.back();
}

}  // namespace

DataAnalysis::DataAnalysis(const CString& dataTypeFile) : library_(dataTypeFile) {}

DataAnalysis::~DataAnalysis() = default;

void DataAnalysis::Reset() {
    // Swapped with empty lists rather than cleared, so that their memory goes too: after a large
    // import the results alone take hundreds of megabytes.
    records_ = nullptr;
    std::vector<STypeSize>().swap(elementary_);
    std::vector<SFlatMember>().swap(results_);
    std::vector<CString>().swap(unknown_);
    problems_.clear();
    offsetProblem_ = SLayoutProblem();
}

void DataAnalysis::ForgetTopLevelRecords() {
    // Swapped with an empty list, so that the memory of a million tags goes too.
    if (library_.get()) std::vector<SFlatMember>().swap(library_->TopLevelRecords());
    blockStructures_.clear();
}

int DataAnalysis::LoadFiles(const std::vector<CString>& paths, StructureList& completed, int kind) {
    if (paths.empty() || !library_.get()) return 0;
    if (kind == kLoadTagTables) {
        NoteFileOfTags(paths, fileOfBlock_);
        return library_->ParseTagTables(paths, completed);
    }
    if (kind == kLoadSourceFiles) {
        // A type read now may take the name of a block's structure: only blocks read after it are
        // known to hold their own structures.
        blockStructures_.clear();
        return library_->ParseSourceFiles(paths, completed);
    }
    return 0;
}


int DataAnalysis::LoadBlocks(const DbFileMap& blocks, StructureList& completed, int kind) {
    if (blocks.empty() || !library_.get() || kind != kLoadDbFiles) return 0;
    NoteFilesOfBlocks(blocks, fileOfBlock_);
    const size_t completedBefore = completed.size();
    const int result = library_->ParseDbFiles(blocks, completed);
    NoteBlockStructures(completed, completedBefore, blocks, blockStructures_);
    return result;
}

namespace {

/// The fewest leaves worth a part of their own when records are laid out side by side.
constexpr int64_t kLeavesPerPart = 20000;

/// The first record of each part and, last, the end of the records: parts of nearly equal leaves,
/// each with at least one record.
std::vector<size_t> PartBoundaries(const std::vector<int64_t>& recordLeaves, int64_t total, int parts) {
    std::vector<size_t> starts{0};
    int64_t sum = 0;
    for (size_t i = 0; i < recordLeaves.size() && starts.size() < static_cast<size_t>(parts); ++i) {
        sum += recordLeaves[i];
        if (sum >= total / parts * static_cast<int64_t>(starts.size()) && i + 1 < recordLeaves.size()) starts.push_back(i + 1);
    }
    starts.push_back(recordLeaves.size());
    return starts;
}

}  // namespace

SParsedSources DataAnalysis::LoadTagTablesAndBlocks(const std::vector<CString>& tagPaths, const DbFileMap& blocks,
                                                    StructureList& completed) {
    if (!library_.get()) return {};
    NoteFileOfTags(tagPaths, fileOfBlock_);
    NoteFilesOfBlocks(blocks, fileOfBlock_);
    const size_t completedBefore = completed.size();
    SParsedSources read = library_->ParseTagTablesAndDbFiles(tagPaths, blocks, completed);
    NoteBlockStructures(completed, completedBefore, blocks, blockStructures_);
    if (tagPaths.empty()) read.tags = 0;
    if (blocks.empty() || read.tags < 0) read.blocks = 0;
    return read;
}

namespace {

/// The library's parsed structures, lent to the layout under way and given back however it ends.
class ParsedStructsLoan {
public:
    ParsedStructsLoan(Fileparstest& library, StructMap& structures)
        : library_(library), structures_(structures), lent_(library.LendParsedStructs(structures)) {}
    ~ParsedStructsLoan() { library_.ReturnParsedStructs(structures_, lent_); }
    ParsedStructsLoan(const ParsedStructsLoan&) = delete;
    ParsedStructsLoan& operator=(const ParsedStructsLoan&) = delete;
    /// The entries lent, among the others of the map.
    const std::vector<StructMap::iterator>& Lent() const { return lent_; }

private:
    Fileparstest& library_;
    StructMap& structures_;
    std::vector<StructMap::iterator> lent_;
};

}  // namespace

int DataAnalysis::Flatten() {
    if (!library_.get()) return 0;
    library_->GetElementaryTypes(elementary_);
    const ParsedStructsLoan loan(*library_.get(), structures_);
    return LayOutRecords();
}

int DataAnalysis::FlattenAndForgetRecords(InlineStructures inlineStructures, const LeafSink* leafSink) {
    emptiedInlineStructures_ = false;
    if (!library_.get()) return 0;
    library_->GetElementaryTypes(elementary_);
    const ParsedStructsLoan loan(*library_.get(), structures_);
    std::vector<SFlatMember>& records = library_->TopLevelRecords();
    ownLeaves_ = 0;
    if (results_.empty()) {
        // The leading records that are their own leaf (a tag table's tags) become the first leaves
        // where they lie, and only the records after them are laid out: a table of a million tags
        // is not held a second time as its leaves.
        const MemberLayout probe(structures_, elementary_, flags_, results_, unknown_, maxLeaves_);
        while (ownLeaves_ < records.size() && probe.IsOwnLeaf(records[ownLeaves_])) ++ownLeaves_;
    }
    const size_t own = ownLeaves_;
    if (own > 0) {
        std::vector<SFlatMember> rest(std::make_move_iterator(records.begin() + static_cast<std::ptrdiff_t>(own)),
                                      std::make_move_iterator(records.end()));
        records.erase(records.begin() + static_cast<std::ptrdiff_t>(own), records.end());
        results_.swap(records);
        records.swap(rest);
    }
    const bool restEmpty = records.empty();
    inlineStructures_ = inlineStructures;
    parsedStructures_ = &loan.Lent();
    leafSink_ = leafSink;
    const int code = LayOutRecords();
    inlineStructures_ = InlineStructures::kKeep;
    parsedStructures_ = nullptr;
    leafSink_ = nullptr;
    ownLeaves_ = 0;
    ForgetTopLevelRecords();
    if (own > 0 && code < 0) std::vector<SFlatMember>().swap(results_);  // as a failed layout leaves them: none
    if (own > 0 && code == 1 && restEmpty) flags_ = SLayoutFlags{1, 0};  // as placing the last tag leaves them
    if (leafSink && code == 1 && !results_.empty()) {
        (*leafSink)(results_);
        std::vector<SFlatMember>().swap(results_);
    }
    return code;
}

int DataAnalysis::LayOutRecords() {
    // Laid out where the library holds them: a tag table of a million tags is not copied first.
    records_ = &library_->TopLevelRecords();
    const std::vector<SFlatMember>& records = *records_;
    const size_t resultsBefore = results_.size();
    std::vector<int64_t> recordLeaves(records.size());
    int64_t expected = 0;
    MemberLayout::StructUses uses;
    {
        // Counted before anything is laid out: an input of a few bytes can stand for more leaves
        // than memory holds, and is refused before they are made. Each leaf's name starts with
        // its record's name, so those names alone bound the names' size from below. Leaves
        // already placed where their records lay count as they are.
        MemberLayout counter(structures_, elementary_, flags_, results_, unknown_, maxLeaves_);
        const auto own = static_cast<int64_t>(ownLeaves_);
        int64_t nameCharacters = 0;
        for (size_t i = resultsBefore - ownLeaves_; i < resultsBefore; ++i) nameCharacters += results_[i].Name.GetLength();
        if (own > maxLeaves_ || nameCharacters > kMaxLeafNameCharacters) return kLayoutTooLarge;
        for (size_t i = 0; i < records.size(); ++i) {
            recordLeaves[i] = counter.CountLeaves(records[i]);
            expected += recordLeaves[i];
            nameCharacters += recordLeaves[i] * records[i].Name.GetLength();
            if (own + expected > maxLeaves_ || nameCharacters > kMaxLeafNameCharacters) return kLayoutTooLarge;
        }
        uses = counter.TakeStructUses();
    }
    // Room for every leaf at once: growing the results by doubling would copy them and could hold
    // twice the memory they need. Leaves handed on as they are made need room for one batch.
    results_.reserve(results_.size() + (leafSink_ ? kLeavesHandedAtOnce : static_cast<size_t>(expected)));
    const int parts = static_cast<int>(std::min<size_t>(static_cast<size_t>(PartsFor(static_cast<size_t>(expected), kLeavesPerPart)), records.size()));
    if (parts > 1 && FlattenSideBySide(PartBoundaries(recordLeaves, expected, parts), recordLeaves)) return 1;
    results_.erase(results_.begin() + static_cast<std::ptrdiff_t>(resultsBefore), results_.end());
    return FlattenInOrder(resultsBefore, std::move(uses));
}

int DataAnalysis::FlattenInOrder(size_t resultsBefore, MemberLayout::StructUses uses) {
    MemberLayout layout(structures_, elementary_, flags_, results_, unknown_, maxLeaves_, &problems_);
    layout.CountPlacedElsewhere(static_cast<int64_t>(ownLeaves_));
    if (leafSink_) layout.HandLeavesTo(*leafSink_);
    // Only a run in order empties structures (one laid out side by side may be made again in order),
    // and only structures the parsers made, never the analysis's copies of the user's data types.
    if (inlineStructures_ == InlineStructures::kLetGo) {
        MemberLayout::StructUses parsedUses;
        for (const StructMap::iterator& entry : *parsedStructures_)
            if (const auto found = uses.find(&*entry); found != uses.end()) parsedUses.insert(*found);
        layout.LetGoOfInlineStructures(structures_, std::move(parsedUses), blockStructures_);
    }
    size_t placed = 0;
    while (placed < records_->size() && layout.PlaceRecord((*records_)[placed])) ++placed;
    emptiedInlineStructures_ = layout.StructuresEmptied() > 0;
    if (placed == records_->size()) return 1;
    // Leaves handed on took the earlier results with them: none is left to keep.
    if (leafSink_) results_.clear();
    else results_.erase(results_.begin() + static_cast<std::ptrdiff_t>(resultsBefore), results_.end());
    if (!layout.OffsetProblem()) return kLayoutTooLarge;
    offsetProblem_ = *layout.OffsetProblem();
    return kLayoutOffsetTooLarge;
}

bool DataAnalysis::FlattenSideBySide(const std::vector<size_t>& starts, const std::vector<int64_t>& recordLeaves) {
    struct SPart {
        size_t first = 0;                  ///< the part's first place in the results
        size_t counted = 0;                ///< the leaves counted for it
        std::vector<CString> unknown;      ///< starts as the names listed before, so they are not listed again
        std::vector<SLayoutProblem> problems;  ///< one for each name the part adds to unknown
        SLayoutFlags flags;
        int64_t leaves = 0;
        int64_t steps = 0;
        bool complete = true;
    };
    const int parts = static_cast<int>(starts.size()) - 1;
    std::vector<SPart> made(static_cast<size_t>(parts));
    // Each part lays its leaves into its own share of the results, in order: no part's list is
    // copied into the results afterwards (a plant's half a million leaves are held once).
    size_t place = results_.size();
    for (size_t index = 0; index < made.size(); ++index) {
        SPart& part = made[index];
        part.unknown = unknown_;
        part.flags = flags_;
        part.first = place;
        for (size_t i = starts[index]; i < starts[index + 1]; ++i) part.counted += static_cast<size_t>(recordLeaves[i]);
        place += part.counted;
    }
    results_.resize(place);
    RunParts(parts, [&](int index) {
        SPart& part = made[static_cast<size_t>(index)];
        const size_t begin = starts[static_cast<size_t>(index)], end = starts[static_cast<size_t>(index) + 1];
        // Each part may make only the leaves counted for it, so that the parts together stay
        // within the one limit of the import; a part that needs more gives way to the run in order.
        std::vector<SFlatMember> unused;
        MemberLayout layout(structures_, elementary_, part.flags, unused, part.unknown,
                            static_cast<int>(std::max<size_t>(part.counted, 1)), &part.problems);
        layout.PlaceInto(results_.data() + part.first, part.counted);
        for (size_t i = begin; i < end && part.complete; ++i)
            part.complete = layout.PlaceRecord((*records_)[i]);
        // A part that made fewer leaves than counted would leave empty places: the run in order
        // decides then.
        part.complete = part.complete && layout.SlotsUsed() == part.counted;
        part.leaves = layout.Leaves();
        part.steps = layout.Steps();
    });
    // The run in order would have stopped where the parts together pass a limit: then it is made
    // in order instead, so that what a stopped run leaves (the unknown names met) is the same.
    int64_t leaves = static_cast<int64_t>(ownLeaves_), steps = static_cast<int64_t>(ownLeaves_);
    for (const SPart& part : made) {
        if (!part.complete) return false;
        leaves += part.leaves;
        steps += part.steps;
    }
    if (leaves > maxLeaves_ || steps > MemberLayout::MaxStepsFor(maxLeaves_)) return false;
    // Every record starts its layout afresh, so the flags are those the last part ended with.
    flags_ = made.back().flags;
    const size_t listedBefore = unknown_.size();
    std::unordered_set<std::u16string> listed;
    for (const CString& name : unknown_) listed.insert(name.str());
    for (SPart& part : made) {
        for (size_t i = listedBefore; i < part.unknown.size(); ++i) {
            if (!listed.insert(part.unknown[i].str()).second) continue;
            unknown_.push_back(std::move(part.unknown[i]));
            problems_.push_back(std::move(part.problems[i - listedBefore]));
        }
    }
    return true;
}

void DataAnalysis::ReadBlocksAgain(const DbFileMap& blocks) {
    if (!library_.get()) return;
    std::vector<SFlatMember> records = std::move(library_->TopLevelRecords());
    library_->TopLevelRecords().clear();
    StructureList completed;
    library_->ParseDbFiles(blocks, completed);
    library_->TakeNotes();  // told when the blocks were first read
    library_->TopLevelRecords() = std::move(records);
    emptiedInlineStructures_ = false;
}

void DataAnalysis::TakeResults(std::vector<SFlatMember>& members, std::vector<CString>& unknownTypes) const {
    members = results_;
    unknownTypes = unknown_;
}

void DataAnalysis::MoveResults(std::vector<SFlatMember>& members, std::vector<CString>& unknownTypes) {
    members = std::exchange(results_, {});
    unknownTypes = std::exchange(unknown_, {});
}

void DataAnalysis::ReleaseLibrary() {
    library_.Reset();
    // No layout follows: the structures handed over for one go with the library.
    StructMap().swap(structures_);
    std::vector<STypeSize>().swap(elementary_);
}

namespace {

SReaderNote::Kind NoteKindOf(SLayoutProblem::Kind kind) {
    switch (kind) {
    case SLayoutProblem::kContainsItself: return SReaderNote::kContainsItself;
    case SLayoutProblem::kNestedTooDeep: return SReaderNote::kNestedTooDeep;
    case SLayoutProblem::kOffsetTooLarge: return SReaderNote::kOffsetTooLarge;
    case SLayoutProblem::kUnknownType: break;
    }
    return SReaderNote::kUnknownType;
}

}  // namespace

ReaderNotes DataAnalysis::LayoutNotes() const {
    ReaderNotes notes;
    auto add = [&](const SLayoutProblem& problem) {
        const auto file = fileOfBlock_.find(problem.block);
        notes.push_back({NoteKindOf(problem.kind), file == fileOfBlock_.end() ? problem.block : file->second, 0, problem.type,
                         problem.member});
    };
    for (const SLayoutProblem& problem : problems_) add(problem);
    if (!offsetProblem_.member.IsEmpty()) add(offsetProblem_);
    return notes;
}
