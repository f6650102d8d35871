#include "types/member_layout.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <string>

#include "platform/freed_memory.h"
#include "types/synthetic_structures.h"

namespace {

int64_t Mod(int64_t value, int64_t unit) { return ((value % unit) + unit) % unit; }
int64_t FloorToByte(int64_t offset) { return offset - Mod(offset, 8); }
int64_t RoundUpToByte(int64_t offset) { return Mod(offset, 8) ? FloorToByte(offset) + 8 : offset; }
int64_t RoundUpToWord(int64_t offset) { return Mod(offset, 16) ? offset - Mod(offset, 16) + 16 : offset; }

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
    auto fold = [](char16_t ch) { return (ch >= u'A' && ch <= u'Z') ? static_cast<char16_t>(ch - u'A' + u'a') : ch; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char16_t x, char16_t y) { return fold(x) == fold(y); });
}

bool IsAnyOfNoCase(std::u16string_view name, std::initializer_list<std::u16string_view> names) {
    return std::any_of(names.begin(), names.end(), [&](std::u16string_view n) { return EqualsNoCase(name, n); });
}

/// The alignment rule for the leaves of a structure (or of an array of an elementary type) named
/// enclosing. The IEC names are compared without regard to case.
MemberLayout::LeafRule LeafRuleOf(std::u16string_view enclosing) {
    if (IsAnyOfNoCase(enclosing, {u"IEC_DCOUNTER", u"IEC_UDCOUNTER", u"IEC_LCOUNTER", u"IEC_ULCOUNTER"}))
        return MemberLayout::LeafRule::LongCounter;
    if (IsAnyOfNoCase(enclosing, {u"IEC_TIMER", u"IEC_LTIMER"})) return MemberLayout::LeafRule::Timer;
    return MemberLayout::LeafRule::Plain;
}

/// Structures that start and end on a byte boundary; every other structure or array uses words.
bool IsByteAlignedStruct(const CString& type) { return type == u"IEC_SCOUNTER" || type == u"IEC_USCOUNTER"; }

/// prefix + "." + name, holding no more room than it needs: a leaf keeps its name for the whole
/// import, and a large import has hundreds of thousands of them.
CString JoinedName(const CString& prefix, const CString& name) {
    std::u16string joined;
    joined.reserve(static_cast<size_t>(prefix.GetLength() + 1 + name.GetLength()));
    joined += prefix.view();
    joined += u'.';
    joined += name.view();
    return CString(std::move(joined));
}

void AppendIndex(std::u16string& name, int64_t index) {
    name += u'[';
    for (char ch : std::to_string(index)) name += static_cast<char16_t>(ch);
    name += u']';
}

/// True when every dimension has at least one index, so that the last level is reached.
bool HasElements(std::span<const SArrayDim> dims) {
    return std::all_of(dims.begin(), dims.end(), [](const SArrayDim& d) { return d.Lower <= d.Upper; });
}

/// Visits the elements of an array in order, the last dimension fastest: element(name) for each
/// element of the last level, rowEnd() after each element of an inner level has been laid out.
/// Iterative, so that any number of dimensions is safe; stops as soon as stopped becomes true.
template <typename Element, typename RowEnd>
void WalkArray(std::span<const SArrayDim> dims, const CString& baseName, const bool& stopped, Element element,
               RowEnd rowEnd) {
    const size_t levels = dims.size();
    if (levels == 0 || dims[0].Lower > dims[0].Upper) return;
    std::vector<int64_t> index(levels);
    std::vector<size_t> prefixLength(levels);
    std::u16string name = baseName.str();
    prefixLength[0] = name.size();
    index[0] = dims[0].Lower;
    size_t level = 0;
    while (!stopped) {
        name.resize(prefixLength[level]);
        AppendIndex(name, index[level]);
        if (level + 1 < levels) {
            prefixLength[level + 1] = name.size();
            if (dims[level + 1].Lower <= dims[level + 1].Upper) {
                ++level;
                index[level] = dims[level].Lower;
                continue;
            }
            rowEnd();  // the inner level has no index: this element is complete at once
        } else {
            element(name);
        }
        // The element at this level is complete: move to the next, closing finished levels.
        while (index[level] >= dims[level].Upper) {
            if (level == 0) return;
            --level;
            rowEnd();
            if (stopped) return;
        }
        ++index[level];
    }
}

}  // namespace

MemberLayout::MemberLayout(const StructMap& structures, const std::vector<STypeSize>& elementary, SLayoutFlags& flags,
                           std::vector<SFlatMember>& results, std::vector<CString>& unknown, int maxLeaves,
                           std::vector<SLayoutProblem>* problems)
    : structures_(structures),
      elementary_(elementary),
      flags_(flags),
      results_(results),
      unknown_(unknown),
      problems_(problems),
      maxLeaves_(maxLeaves),
      maxSteps_(MaxStepsFor(maxLeaves)) {
    for (const CString& name : unknown_) unknownNames_.insert(name.str());
    structsByName_.reserve(structures_.size());
    for (const StructEntry& entry : structures_) structsByName_.emplace(entry.first.Name.view(), &entry);
}

const MemberLayout::StructEntry* MemberLayout::FindStruct(std::u16string_view type) const {
    const auto found = structsByName_.find(type);
    return found == structsByName_.end() ? nullptr : found->second;
}

bool MemberLayout::PlaceRecord(const SFlatMember& record) {
    if (stopped_) return false;
    record_ = &record;
    offset_ = record.BitOffset;
    // Every record starts as a structure does, so identical records lay out identically whatever
    // was placed before them.
    flags_.structStart = 1;
    flags_.timerBit = 0;
    const SPlaced self{&record, record.Read, record.Write, &record.Mark};
    if (!record.Dims.empty()) {
        PlaceTopLevelArray(self);
    } else if (STypeRef type = Resolve(record.Type); type.structure) {
        expandingOnce_ = IsOnlyRecordOfBlockStructure(record, *type.structure);
        ExpandStruct(*type.structure, self, record.Name);
        expandingOnce_ = false;
    } else if (type.elementary) {
        if (Step()) AppendLeaf(record);  // a top-level elementary record keeps the offset it was given
    } else {
        NoteUnknown(record.Type, record.Name, type.why);
    }
    return !stopped_;
}

bool MemberLayout::IsOwnLeaf(const SFlatMember& record) const {
    if (!record.Dims.empty()) return false;
    const STypeRef type = Resolve(record.Type);
    return !type.structure && type.elementary;
}

namespace {

/// The number of elements of an array with these dimensions (1 for none), at most limit.
int64_t ElementCount(std::span<const SArrayDim> dims, int64_t limit) {
    int64_t count = 1;
    for (const SArrayDim& dim : dims) {
        if (dim.Lower > dim.Upper) return 0;
        const int64_t extent = int64_t{dim.Upper} - dim.Lower + 1;
        count = count > limit / extent ? limit : std::min(count * extent, limit);
    }
    return count;
}

}  // namespace

int64_t MemberLayout::CountLeaves(const SFlatMember& record) { return CountLeavesOf(record.Type, ElementCount(record.Dims, CountCap())); }

int64_t MemberLayout::CountLeavesOf(const CTypeName& type, int64_t count) {
    // Found by the kept name as the layout finds it: a plant's members name a few dozen types.
    const STypeRef found = foundByKeptName_.Of(type, [&](const CString& name) { return Find(name); });
    const StructEntry* structure = found.structure;
    if (structure) ++structUses_[structure];
    if (count == 0) return 0;
    int64_t each = 0;
    if (structure) each = CountStructLeaves(*structure);
    else if (found.elementary) each = 1;
    if (each == 0) return 0;
    return count > CountCap() / each ? CountCap() : std::min(count * each, CountCap());
}

int64_t MemberLayout::CountStructLeaves(const StructEntry& structure) {
    const auto [known, added] = structLeaves_.try_emplace(&structure, -1);
    if (!added) return std::max<int64_t>(known->second, 0);  // counted, or within itself
    int64_t leaves = 0;
    for (const SMemberInfo& decl : structure.second)
        leaves = std::min(leaves + CountLeavesOf(decl.Type, ElementCount(decl.Dims, CountCap())), CountCap());
    structLeaves_[&structure] = leaves;
    return leaves;
}

MemberLayout::STypeRef MemberLayout::Find(const CString& type) const {
    STypeRef ref;
    ref.structure = FindStruct(type.view());
    if (!ref.structure) ref.elementary = elementary_.Find(type.view());
    return ref;
}

MemberLayout::STypeRef MemberLayout::Resolve(const CTypeName& type) const {
    STypeRef ref = foundByKeptName_.Of(type, [&](const CString& name) { return Find(name); });
    if (const StructEntry* structure = std::exchange(ref.structure, nullptr)) {
        const bool recurs = std::find(expanding_.begin(), expanding_.end(), structure) != expanding_.end();
        if (recurs) ref.why = SLayoutProblem::kContainsItself;
        else if (expanding_.size() >= kMaxStructNesting) ref.why = SLayoutProblem::kNestedTooDeep;
        else ref.structure = structure;
    }
    return ref;
}

void MemberLayout::PlaceTopLevelArray(const SPlaced& record) {
    const SFlatMember& top = *record_;
    const STypeRef type = Resolve(top.Type);
    if (type.IsUnknown()) {
        if (HasElements(top.Dims)) NoteUnknown(top.Type, top.Name, type.why);
        return;
    }
    // Elements follow one another without alignment: they are separate tags, not block members.
    WalkArray(
        top.Dims, top.Name, stopped_,
        [&](const std::u16string& name) {
            if (!Step()) return;
            if (type.structure) {
                ExpandStruct(*type.structure, record, CString(name));
                return;
            }
            SFlatMember element = top;
            element.Name = CString(name);
            element.BitOffset = static_cast<int>(std::clamp<int64_t>(offset_, INT_MIN, INT_MAX));
            if (offset_ != element.BitOffset) StopAtOffset(top.Type, element.Name);
            else AppendLeaf(std::move(element));
            offset_ += type.elementary->Bits;
        },
        [&] { Step(); });
}

void MemberLayout::ExpandStruct(const StructEntry& structure, const SPlaced& parent, const CString& prefix) {
    if (!Step()) return;
    expanding_.push_back(&structure);
    const LeafRule rule = LeafRuleOf(structure.first.Name.view());
    for (const SMemberInfo& decl : structure.second) {
        if (!Step()) break;
        // Restrictions and comments pass down through every level of nesting.
        const SPlaced member{&decl, parent.read == 0 ? 0 : decl.Read, parent.write == 0 ? 0 : decl.Write,
                             decl.Mark.IsEmpty() ? parent.mark : &decl.Mark};
        PlaceMember(member, rule, prefix);
        if (stopped_) break;
    }
    expanding_.pop_back();
}

void MemberLayout::PlaceMember(const SPlaced& member, LeafRule rule, const CString& prefix) {
    const SMemberInfo& decl = *member.decl;
    CString fullName = JoinedName(prefix, decl.Name);
    const bool enclosingOnce = expandingOnce_;
    if (!decl.Dims.empty()) {
        AlignForStruct(decl.Type);
        expandingOnce_ = false;  // every element expands the element type again
        PlaceArrayElements(member, fullName);
        expandingOnce_ = enclosingOnce;
        AlignForStruct(decl.Type);
        const StructEntry* elementType = FindStruct(decl.Type.view());
        if (enclosingOnce && elementType && MayEmpty(*elementType)) Empty(*elementType);
        return;
    }
    const STypeRef type = Resolve(decl.Type);
    if (type.structure) {
        flags_.structStart = 1;
        const int64_t start = offset_;
        AlignForStruct(decl.Type);
        const bool once = enclosingOnce && MayEmpty(*type.structure);
        expandingOnce_ = once;
        ExpandStruct(*type.structure, member, fullName);
        expandingOnce_ = enclosingOnce;
        ApplyTimerSize(decl.Type, start);
        AlignForStruct(decl.Type);
        if (once) Empty(*type.structure);
    } else if (type.elementary) {
        PlaceLeaf(member, *type.elementary, std::move(fullName), rule);
    } else {
        NoteUnknown(decl.Type, fullName, type.why);
    }
}

void MemberLayout::PlaceArrayElements(const SPlaced& member, const CString& baseName) {
    const SMemberInfo& decl = *member.decl;
    const STypeRef type = Resolve(decl.Type);
    if (type.IsUnknown()) {
        // No element would give a leaf or move the offset; only the name is reported.
        if (HasElements(decl.Dims)) NoteUnknown(decl.Type, baseName, type.why);
        return;
    }
    // Elements of an elementary type align as leaves of a structure named after that type.
    const LeafRule rule = LeafRuleOf(decl.Type.view());
    WalkArray(
        decl.Dims, baseName, stopped_,
        [&](const std::u16string& name) {
            if (!Step()) return;
            // The array member passes its restrictions and comment down to the members of each
            // element, as a structure member does to its own members.
            if (type.structure) PlaceStructElement(*type.structure, member, CString(name));
            else PlaceLeaf(member, *type.elementary, CString(name), rule);
        },
        [&] {
            if (Step()) AlignAfterRow(decl.Type, type);
        });
}

void MemberLayout::PlaceStructElement(const StructEntry& structure, const SPlaced& parent, const CString& name) {
    // No alignment before the element: the array itself was aligned, and each element ends aligned.
    flags_.structStart = 1;
    const int64_t start = offset_;
    ExpandStruct(structure, parent, name);
    ApplyTimerSize(structure.first.Name, start);
    AlignForStruct(structure.first.Name);
}

void MemberLayout::PlaceLeaf(const SPlaced& member, const STypeSize& type, CString fullName, LeafRule rule) {
    const SMemberInfo& decl = *member.decl;
    AlignBeforeLeaf(rule, type.Bits);
    SFlatMember leaf;
    leaf.Name = std::move(fullName);
    leaf.Type = decl.Type;
    leaf.Mark = *member.mark;
    leaf.Read = member.read;
    leaf.Write = member.write;
    leaf.Length = decl.Length;
    leaf.Block = record_->Block;
    leaf.BitOffset = static_cast<int>(std::clamp<int64_t>(offset_, INT_MIN, INT_MAX));
    if (offset_ != leaf.BitOffset) {
        StopAtOffset(decl.Type, leaf.Name);
        return;
    }
    AppendLeaf(std::move(leaf));
    // A declared string length gives the string's own size: its characters plus two header units,
    // words for a WString however its name is written (the type was found without regard to case).
    if (decl.Length != 0) offset_ += (int64_t{decl.Length} + 2) * (EqualsNoCase(decl.Type.view(), u"WString") ? 16 : 8);
    else offset_ += type.Bits;
}

namespace {

/// Members let go of between two returns of freed memory. The allocator keeps the pages the
/// members freed, which lie among pages still in use, while the list of leaves takes fresh pages;
/// each return costs a walk over everything freed (some 60 ms at a million members), so it is
/// made once per million.
constexpr size_t kMembersBetweenReturns = size_t{1} << 20;
/// The same for a run that hands its leaves on: it holds little beside the members left, so a
/// return walks less, and the output made of the leaves grows as the members go.
constexpr size_t kMembersBetweenReturnsHandingOn = size_t{1} << 19;

}  // namespace

bool MemberLayout::IsOnlyRecordOfBlockStructure(const SFlatMember& record, const StructEntry& structure) const {
    if (!structuresToEmpty_ || !blockStructures_->contains(structure.first.Name.str())) return false;
    const auto uses = uses_.find(&structure);
    return record.Dims.empty() && uses != uses_.end() && uses->second == 1;
}

bool MemberLayout::MayEmpty(const StructEntry& structure) const {
    if (!structuresToEmpty_ || !IsSyntheticStructName(structure.first.Name)) return false;
    const auto uses = uses_.find(&structure);
    return uses != uses_.end() && uses->second == 1;
}

void MemberLayout::Empty(const StructEntry& structure) {
    assert(structuresToEmpty_ == &structures_);
    std::vector<const StructEntry*> toEmpty{&structure};
    while (!toEmpty.empty()) {
        const StructEntry* next = toEmpty.back();
        toEmpty.pop_back();
        // The same entry, found in the map as the caller handed it over to be changed.
        const auto entry = structuresToEmpty_->find(next->first.Name.view());
        if (entry == structuresToEmpty_->end() || entry->second.empty()) continue;
        for (const SMemberInfo& decl : entry->second) {
            if (!IsSyntheticStructName(decl.Type)) continue;
            const StructEntry* inner = FindStruct(decl.Type.view());
            if (inner && MayEmpty(*inner)) toEmpty.push_back(inner);
        }
        membersEmptiedSinceReturn_ += entry->second.size();
        std::vector<SMemberInfo>().swap(entry->second);
        ++structuresEmptied_;
    }
    if (membersEmptiedSinceReturn_ >= (sink_ ? kMembersBetweenReturnsHandingOn : kMembersBetweenReturns)) {
        ReturnFreedMemory();
        membersEmptiedSinceReturn_ = 0;
    }
}

void MemberLayout::AppendLeaf(SFlatMember leaf) {
    if (leaves_ >= maxLeaves_) {
        stopped_ = true;
        return;
    }
    if (slots_) {
        if (slotsUsed_ == slotCount_) {
            stopped_ = true;
            return;
        }
        ++leaves_;
        slots_[slotsUsed_++] = std::move(leaf);
        return;
    }
    ++leaves_;
    results_.push_back(std::move(leaf));
    if (sink_ && results_.size() >= kLeavesHandedAtOnce) {
        (*sink_)(results_);
        results_.clear();
    }
}

void MemberLayout::AlignBeforeLeaf(LeafRule rule, int bits) {
    if (rule == LeafRule::LongCounter) {
        // The count values follow the counter's bits at the first multiple of their own size.
        if (flags_.structStart == 1 && bits >= 8) {
            offset_ = FloorToByte(offset_) + bits;
            flags_.structStart = 0;
        }
        return;
    }
    if (rule == LeafRule::Timer) {
        if (flags_.structStart == 1) {
            flags_.timerBit = 1;
            if (bits >= 8) {
                offset_ = FloorToByte(RoundUpToWord(offset_)) + bits;
                flags_.structStart = 0;
            }
        } else if (flags_.timerBit == 1 && bits < 8) {
            offset_ += 1;  // the timer's first Bool sits at bit 1 of its byte
            flags_.timerBit = 0;
        }
        return;
    }
    if (bits == 8) offset_ = RoundUpToByte(offset_);
    else if (bits > 8) offset_ = RoundUpToWord(offset_);
    // A Bool is not aligned: Bools pack into consecutive bits.
}

void MemberLayout::AlignAfterRow(const CString& elementType, const STypeRef& ref) {
    if (ref.structure) {
        AlignForStruct(elementType);
    } else if (ref.elementary) {
        if (ref.elementary->Bits == 8 || ref.elementary->Bits == 1) offset_ = RoundUpToByte(offset_);
        else if (ref.elementary->Bits > 8) offset_ = RoundUpToWord(offset_);
    }
}

void MemberLayout::AlignForStruct(const CString& type) {
    offset_ = IsByteAlignedStruct(type) ? RoundUpToByte(offset_) : RoundUpToWord(offset_);
}

void MemberLayout::ApplyTimerSize(const CString& type, int64_t start) {
    // A timer occupies its full size even though its last members end earlier.
    int64_t size = 0;
    if (type == u"IEC_TIMER") size = 128;
    else if (type == u"IEC_LTIMER") size = 224;
    else return;
    if (offset_ - start < size) offset_ = start + size;
    offset_ = RoundUpToWord(offset_);
}

void MemberLayout::NoteUnknown(const CString& type, const CString& member, SLayoutProblem::Kind why) {
    if (unknownNames_.contains(type.str())) return;
    unknownNames_.insert(type.str());
    unknown_.push_back(type);
    if (problems_) problems_->push_back({why, type, member, record_->Block});
}

void MemberLayout::StopAtOffset(const CString& type, const CString& member) {
    stopped_ = true;
    offsetProblem_ = {SLayoutProblem::kOffsetTooLarge, type, member, record_->Block};
}

bool MemberLayout::Step() {
    if (++steps_ > maxSteps_) stopped_ = true;
    return !stopped_;
}
