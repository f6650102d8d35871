// A type name: one text kept for every copy of a named type, wherever and on whichever thread the
// name was read; an inline structure's name (or a very long one) held by each copy.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "types/type_name.h"

TEST(TypeNameTest, EqualNamesShareOneTextAndInlineStructureNamesAreHeldByEachCopy) {
    const CTypeName bool1(u"Bool"), bool2(CString(u"Bool"));
    CTypeName copy;
    copy = bool1;
    EXPECT_EQ(&bool1.Text(), &bool2.Text());
    EXPECT_EQ(&copy.Text(), &bool1.Text());
    EXPECT_EQ(copy, u"Bool");
    EXPECT_EQ(copy, CString(u"Bool"));
    EXPECT_FALSE(copy == CTypeName(u"bool"));
    EXPECT_TRUE(bool1.IsKept() && copy.IsKept());  // what the layout may look up by the text's place

    // An inline structure's name is made once per declaration: the program does not keep it.
    auto opened = std::make_unique<CTypeName>(u"{6B29FC40-CA47-1067-B31D-00DD010662DA}");
    CTypeName inlineCopy = *opened;
    EXPECT_NE(&inlineCopy.Text(), &opened->Text());
    opened.reset();  // the copy holds its own (a shared one would be freed twice)
    EXPECT_EQ(inlineCopy, u"{6B29FC40-CA47-1067-B31D-00DD010662DA}");
    const std::u16string longName(CTypeName::kMaxKeptTypeName + 1, u'T');
    const CTypeName long1(longName), long2(longName);
    EXPECT_NE(&long1.Text(), &long2.Text());
    EXPECT_EQ(long1, long2);
    EXPECT_FALSE(inlineCopy.IsKept() || long1.IsKept() || CTypeName().IsKept());

    CTypeName moved = std::move(inlineCopy);
    EXPECT_TRUE(inlineCopy.IsEmpty());  // NOLINT: a name moved from is empty
    moved = moved;                      // NOLINT: a name assigned to itself stays
    EXPECT_EQ(moved.GetLength(), 38);
    EXPECT_TRUE(CTypeName(u"").IsEmpty());
    EXPECT_EQ(CTypeName(), u"");
    EXPECT_EQ(CTypeName(u"\"电机\"").ToUtf8(), "\"电机\"");
}

TEST(TypeNameTest, NamesReadOnSeveralThreadsShareTheirTexts) {
    // Sources are read side by side: each thread finds the same texts for the same names.
    constexpr int kThreads = 4;
    const std::vector<std::u16string> names{u"Int", u"\"Motor\"", u"IEC_TIMER", u"{00000000-0000-4000-8000-000000000000}"};
    std::vector<std::vector<CTypeName>> read(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 1000; ++i) read[static_cast<size_t>(t)].emplace_back(names[static_cast<size_t>(i) % names.size()]);
        });
    for (std::thread& thread : threads) thread.join();
    for (const std::vector<CTypeName>& names_read : read)
        for (size_t i = 0; i < names_read.size(); ++i) {
            ASSERT_EQ(names_read[i], names[i % names.size()]);
            if (i % names.size() != 3) {
                ASSERT_EQ(&names_read[i].Text(), &read[0][i % names.size()].Text());
            }
        }
}
