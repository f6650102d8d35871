// Leaves that make no channel, or not the one they declare: each kind is one status note that
// counts them and names the first twenty.
#include <gtest/gtest.h>

#include "import/leaf_outcomes.h"
#include "platform/parallel.h"

namespace {

SFlatMember Leaf(const char16_t* name, const char16_t* type, int length = 0, int read = 1, int write = 1) {
    SFlatMember leaf;
    leaf.Name = name;
    leaf.Type = type;
    leaf.Length = length;
    leaf.Read = read;
    leaf.Write = write;
    leaf.Block = u"DB1";
    return leaf;
}

}  // namespace

TEST(LeafOutcomes, EachKindIsCountedAndItsFirstMembersNamed) {
    const std::vector<SFlatMember> leaves = {
        Leaf(u"B.w", u"WString"), Leaf(u"B.t", u"Time"),     Leaf(u"B.ok", u"Int"),   Leaf(u"B.s", u"String"),
        Leaf(u"B.s250", u"String", 250), Leaf(u"B.s2", u"String", 2), Leaf(u"B.s20", u"String", 20),
        Leaf(u"B.hidden", u"Byte", 0, 0, 0), Leaf(u"B.writeOnly", u"Byte", 0, 0, 1)};
    ReaderNotes notes;
    NoteLeafOutcomes(leaves, notes);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].kind, SReaderNote::kNoChannelType);
    EXPECT_EQ(notes[0].subject, u"2");
    EXPECT_EQ(notes[0].detail, u"B.w (WString), B.t (Time)");
    EXPECT_EQ(notes[1].kind, SReaderNote::kStringResized);
    EXPECT_EQ(notes[1].detail, u"B.s (254 -> 210), B.s250 (250 -> 210), B.s2 (2 -> 4)");
    EXPECT_EQ(notes[2].kind, SReaderNote::kHiddenReadOnly);
    EXPECT_EQ(notes[2].detail, u"B.hidden (Byte)");

    ReaderNotes none;
    NoteLeafOutcomes({Leaf(u"B.ok", u"Int"), Leaf(u"B.s20", u"string", 20)}, none);
    EXPECT_TRUE(none.empty());
}

TEST(LeafOutcomes, PastTwentyMembersOnlyTheCountGrows) {
    std::vector<SFlatMember> leaves;
    for (int i = 0; i < 25; ++i) leaves.push_back(Leaf(CString::Formatted(u"B.t%d", i).GetString(), u"Date"));
    ReaderNotes notes;
    NoteLeafOutcomes(leaves, notes);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].subject, u"25");
    EXPECT_TRUE(notes[0].detail.view().starts_with(u"B.t0 (Date), B.t1 (Date)"));
    EXPECT_TRUE(notes[0].detail.view().ends_with(u"B.t19 (Date), ... (5 more)")) << notes[0].detail.ToUtf8();
}

TEST(LeafOutcomes, LeavesLookedAtSideBySideGiveTheNotesOfOneByOne) {
    // 100,000 leaves in parts of at least 20,000: the first kind's twenty names span parts, the
    // second kind lies only in the last part, and characters lost come from every part.
    std::vector<SFlatMember> leaves;
    for (int i = 0; i < 100000; ++i) {
        const CString name = CString::Formatted(u"B.m%d", i);
        if (i % 4000 == 7) leaves.push_back(Leaf(name.GetString(), u"Date"));
        else if (i > 95000 && i % 100 == 0) leaves.push_back(Leaf(name.GetString(), u"Byte", 0, 0, 0));
        else if (i % 30000 == 1) leaves.push_back(Leaf((name + u"ก").GetString(), u"Int"));
        else leaves.push_back(Leaf(name.GetString(), u"Int"));
    }
    auto notesWith = [&](int parts) {
        SetMaxParallelParts(parts);
        ReaderNotes notes;
        NoteLeafOutcomes(leaves, notes);
        SetMaxParallelParts(0);
        std::vector<std::string> texts;
        for (const SReaderNote& note : notes)
            texts.push_back(std::to_string(note.kind) + ' ' + note.subject.ToUtf8() + ' ' + note.detail.ToUtf8());
        return texts;
    };
    const std::vector<std::string> oneByOne = notesWith(1);
    ASSERT_EQ(oneByOne.size(), 6u);  // no type, hidden, and four names with characters lost
    EXPECT_TRUE(oneByOne[0].find(" 25 B.m7 (Date), B.m4007 (Date)") != std::string::npos) << oneByOne[0];
    EXPECT_TRUE(oneByOne[0].ends_with("B.m76007 (Date), ... (5 more)")) << oneByOne[0];
    EXPECT_EQ(notesWith(4), oneByOne);
}
