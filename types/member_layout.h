// The memory layout of data block members with standard (not optimized) access: turns top-level
// records into leaf members, each with its full dotted name and its bit offset from the start of
// its block.
#pragma once

#include <climits>
#include <cstdint>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "types/elementary_types.h"
#include "types/kept_name_memo.h"
#include "types/type_records.h"

/// Result code of a layout that grew past the limits below; the import stops with it.
constexpr int kLayoutTooLarge = -16;
/// The most leaves one import may produce: more than any S7-1200 data block can hold.
constexpr int kDefaultMaxLeaves = 2'000'000;
/// The most characters the names of all leaves of one import may hold together: every leaf's
/// name becomes a channel's variable name, and one stored image holds at most 2 GiB.
constexpr int64_t kMaxLeafNameCharacters = INT32_MAX;
/// Result code of a layout that placed a member beyond the range of a 32-bit bit offset (a block
/// of 256 MiB): no channel could address it.
constexpr int kLayoutOffsetTooLarge = -17;
/// Structures nested deeper than this are reported as unknown types instead of being expanded.
constexpr size_t kMaxStructNesting = 64;

/// Takes leaves in layout order, a batch at a time, as a layout makes them; the batch is the
/// sink's to move from, and is emptied once it returns.
using LeafSink = std::function<void(std::vector<SFlatMember>& batch)>;
/// The leaves a layout that hands them on holds at most.
constexpr size_t kLeavesHandedAtOnce = 16384;

/// Why a member gave no leaves, or why the layout stopped at it: told to the user with the
/// member's path, so that an unknown type is not the whole story.
struct SLayoutProblem {
    enum Kind {
        kUnknownType,     ///< the type is neither a structure nor an elementary type
        kContainsItself,  ///< the structure is the member's own enclosing structure, or encloses it
        kNestedTooDeep,   ///< the structure would be nested deeper than kMaxStructNesting
        kOffsetTooLarge,  ///< the member lies beyond the range of a bit offset
    };
    Kind kind = kUnknownType;
    CString type;    ///< the member's type
    CString member;  ///< the member's full path
    CString block;   ///< the block (or memory area) of its top-level record

    bool operator==(const SLayoutProblem&) const = default;
};

/// Two flags that carry state from one placed member to the next. The struct-start flag is set
/// when a structure starts and cleared by the first byte-sized or larger leaf of an IEC timer or of
/// a double-word or long IEC counter, which sits after the counter's bits. The timer-bit flag makes
/// the first Bool of a timer skip one bit.
struct SLayoutFlags {
    int structStart = 0;
    int timerBit = 0;
};

/// Lays out top-level records against one set of structures and elementary types. One object
/// serves one layout run: it counts the leaves of all its records against the leaf limit.
///
/// A structure that contains itself, directly or through other structures, is reported as an
/// unknown type where it recurs, as is a structure nested deeper than kMaxStructNesting; the
/// problems, when asked for, tell which it was and at which member. Work is
/// linear in the number of leaves, array elements and structure members placed, and is cut off
/// (with kLayoutTooLarge) at maxLeaves leaves or sixteen times as many steps of work, so that no
/// input exhausts memory or time.
class MemberLayout {
public:
    /// How a leaf aligns, by the type that encloses it: IEC double-word and long counters place
    /// their count values after the counter's bits, IEC timers their times and bits as TIA Portal
    /// does, and every other type aligns bytes to bytes and larger leaves to words.
    enum class LeafRule { Plain, LongCounter, Timer };

    /// structures, elementary, results and unknown must outlive the object; results and unknown
    /// are appended to (unknown names already listed are not listed again). problems, when given,
    /// receives one entry for each name appended to unknown, in the same order.
    MemberLayout(const StructMap& structures, const std::vector<STypeSize>& elementary, SLayoutFlags& flags,
                 std::vector<SFlatMember>& results, std::vector<CString>& unknown, int maxLeaves = kDefaultMaxLeaves,
                 std::vector<SLayoutProblem>* problems = nullptr);

    /// From now on puts the leaves into count slots from slots on, in order, instead of appending
    /// them to the results: parts laid out side by side each fill their share of one list. A leaf
    /// past the last slot stops the run, as the leaf limit does.
    void PlaceInto(SFlatMember* slots, size_t count) {
        slots_ = slots;
        slotCount_ = count;
        slotsUsed_ = 0;
    }
    size_t SlotsUsed() const { return slotsUsed_; }

    /// Places one top-level record and everything inside it, starting at its BitOffset. False when
    /// the limits were reached: the run must stop, and the leaves it produced are incomplete.
    bool PlaceRecord(const SFlatMember& record);

    /// About how many leaves placing the record gives, at most one more than the leaf limit (a
    /// count past the limit says the layout would not fit): room to reserve in the results, and
    /// the count checked against the limit before any leaf is made. Types the layout would report
    /// as unknown count none; a structure within itself counts none where it recurs.
    int64_t CountLeaves(const SFlatMember& record);

    /// How many declarations name each structure among those counted: the records counted and the
    /// members of every structure they reach, each member once however often its structure is
    /// laid out. A structure named once is laid out wherever that one declaration is, and no
    /// more often than the structure that holds the declaration.
    using StructUses = std::unordered_map<const StructMap::value_type*, int>;
    StructUses TakeStructUses() { return std::exchange(structUses_, {}); }

    /// From now on empties the member list of each inline structure of a data block as soon as the
    /// member that declares it is laid out, so that a large block's members and its leaves are not
    /// all held at once: for a run whose records and structures are not needed afterwards.
    /// structures is the map the layout was made with; uses are the counts a counting run took of
    /// the same records, for the structures that may be emptied only; blockStructures names the structures of the data blocks read for this run,
    /// which are read again whenever their blocks are. Only the inline structures (see
    /// IsSyntheticStructName) declared once, inside a block structure named once, or inside such
    /// an inline structure, are emptied: a data type's structures stay whole.
    void LetGoOfInlineStructures(StructMap& structures, StructUses uses,
                                 const std::unordered_set<std::u16string>& blockStructures) {
        structuresToEmpty_ = &structures;
        uses_ = std::move(uses);
        blockStructures_ = &blockStructures;
    }
    /// From now on hands the results to sink whenever they reach kLeavesHandedAtOnce, and empties
    /// them: a run whose leaves are only passed on does not hold them all at once.
    void HandLeavesTo(const LeafSink& sink) { sink_ = &sink; }
    /// The member lists emptied so far.
    size_t StructuresEmptied() const { return structuresEmptied_; }

    /// True when placing the record gives the record itself as its one leaf: a scalar of an
    /// elementary type, as every tag of a tag table is.
    bool IsOwnLeaf(const SFlatMember& record) const;
    /// Counts leaves that were placed without this layout (records that are their own leaf, left
    /// where they lie) against the limits, as placing them here would: a leaf and a step each.
    void CountPlacedElsewhere(int64_t leaves) {
        leaves_ += leaves;
        steps_ += leaves;
    }
    /// The member beyond the range of a bit offset that stopped the run, if that is what stopped it.
    const SLayoutProblem* OffsetProblem() const { return offsetProblem_.member.IsEmpty() ? nullptr : &offsetProblem_; }

    /// The leaves placed and the steps of work done so far.
    int64_t Leaves() const { return leaves_; }
    int64_t Steps() const { return steps_; }
    /// The most steps of work a run may take for a leaf limit.
    static int64_t MaxStepsFor(int maxLeaves) { return int64_t{maxLeaves} * 16; }

private:
    using StructEntry = StructMap::value_type;

    /// A member as it is placed: its declaration, with the read and write restrictions and the
    /// comment that its parents pass down.
    struct SPlaced {
        const SMemberInfo* decl;
        int read;
        int write;
        const CSharedText* mark;
    };

    /// What a type name stands for: a structure, an elementary type, or neither.
    struct STypeRef {
        const StructEntry* structure = nullptr;
        const STypeSize* elementary = nullptr;
        SLayoutProblem::Kind why = SLayoutProblem::kUnknownType;  ///< for an unknown one
        bool IsUnknown() const { return !structure && !elementary; }
    };

    STypeRef Resolve(const CTypeName& type) const;
    /// The structure or elementary type a name stands for, without the checks of where it is met.
    STypeRef Find(const CString& type) const;
    /// The structure named type (compared case-sensitively, as the structure map orders), or null.
    const StructEntry* FindStruct(std::u16string_view type) const;
    void PlaceTopLevelArray(const SPlaced& record);
    void ExpandStruct(const StructEntry& structure, const SPlaced& parent, const CString& prefix);
    void PlaceMember(const SPlaced& member, LeafRule rule, const CString& prefix);
    void PlaceArrayElements(const SPlaced& member, const CString& baseName);
    void PlaceStructElement(const StructEntry& structure, const SPlaced& parent, const CString& name);
    void PlaceLeaf(const SPlaced& member, const STypeSize& type, CString fullName, LeafRule rule);
    /// True when structure is an inline structure that the layout may empty once its one
    /// declaration, met where the structure being expanded is laid out only once, is laid out.
    bool MayEmpty(const StructEntry& structure) const;
    /// True when the record is the one declaration of a data block's structure.
    bool IsOnlyRecordOfBlockStructure(const SFlatMember& record, const StructEntry& structure) const;
    /// Empties structure and the inline structures declared within it that MayEmpty allows.
    void Empty(const StructEntry& structure);
    void AppendLeaf(SFlatMember leaf);
    void AlignBeforeLeaf(LeafRule rule, int bits);
    void AlignAfterRow(const CString& elementType, const STypeRef& ref);
    void AlignForStruct(const CString& type);
    void ApplyTimerSize(const CString& type, int64_t start);
    void NoteUnknown(const CString& type, const CString& member, SLayoutProblem::Kind why = SLayoutProblem::kUnknownType);
    /// Stops the run at a member beyond the range of a bit offset.
    void StopAtOffset(const CString& type, const CString& member);
    /// Where counting leaves stops: just past the leaf limit.
    int64_t CountCap() const { return maxLeaves_ + 1; }
    /// Counts one step of work; false (and the run stops) past the step limit.
    bool Step();
    /// Leaves of count elements of type (count 1 for a scalar), at most the leaf limit.
    int64_t CountLeavesOf(const CTypeName& type, int64_t count);
    int64_t CountStructLeaves(const StructEntry& structure);

    const StructMap& structures_;
    /// The structures by name, hashed: a type name is looked up for every member placed. Keys view
    /// the names held by structures_.
    std::unordered_map<std::u16string_view, const StructEntry*> structsByName_;
    /// What each kept type name met so far stands for (Find twice hashes the name): the
    /// structures and elementary types do not change during a layout, so what was found stays right.
    mutable KeptNameMemo<STypeRef> foundByKeptName_;
    ElementaryTypeIndex elementary_;
    SLayoutFlags& flags_;
    std::vector<SFlatMember>& results_;
    const LeafSink* sink_ = nullptr;
    SFlatMember* slots_ = nullptr;  ///< where leaves go instead of results_, when set
    size_t slotCount_ = 0;
    size_t slotsUsed_ = 0;
    std::vector<CString>& unknown_;
    std::unordered_set<std::u16string> unknownNames_;
    std::vector<SLayoutProblem>* problems_;
    SLayoutProblem offsetProblem_;
    /// Leaves of one element of each structure counted so far; -1 while it is being counted.
    std::unordered_map<const StructEntry*, int64_t> structLeaves_;
    StructUses structUses_;  ///< counted beside the leaves

    /// Set by LetGoOfInlineStructures.
    StructMap* structuresToEmpty_ = nullptr;
    StructUses uses_;
    const std::unordered_set<std::u16string>* blockStructures_ = nullptr;
    /// True while the structure being expanded is laid out in this one place only.
    bool expandingOnce_ = false;
    size_t structuresEmptied_ = 0;
    size_t membersEmptiedSinceReturn_ = 0;  ///< members let go of since freed memory was last given back

    const SFlatMember* record_ = nullptr;       ///< the top-level record being placed
    int64_t offset_ = 0;                        ///< the running offset, in bits
    std::vector<const StructEntry*> expanding_; ///< structures being expanded, outermost first
    int64_t leaves_ = 0;
    int64_t steps_ = 0;
    int64_t maxLeaves_;
    int64_t maxSteps_;
    bool stopped_ = false;
};
