// Array type texts: the written form, reading it back, and texts that are not array texts. That
// every written text reads back as written is checked by the fuzz target on any input.
#include "types/array_text.h"
#include "types_test_support.h"

TEST(ArrayText, WritesDimensionsWithoutBlanksBeforeTheElementType) {
    EXPECT_EQ(ArrayText({{0, 9}, {1, 3}}) + CString(u"Int"), u"Array [0..9,1..3] of Int");
    EXPECT_EQ(ArrayText({{-5, -1}}), u"Array [-5..-1] of ");
}

TEST(ArrayText, ReadsDimensionsAndTheElementType) {
    const struct {
        const char16_t* text;
        bool isArray;
        std::vector<SArrayDim> dims;
        const char16_t* type;
    } cases[] = {
        {u"Array [1..3,0..1] of Real", true, {{1, 3}, {0, 1}}, u"Real"},
        {u"Array[ -2 .. 5 ,, 7..8 ] of  \"My Type\" ", true, {{-2, 5}, {7, 8}}, u"\"My Type\""},
        {u"Array [x..4,3..y] of String[20]", true, {{0, 4}, {3, 4}}, u"String[20]"},  // unreadable: previous value
        // A piece without a dot has no lower text: Lower stays (0 first, else the previous piece's).
        {u"Array [5] of Int", true, {{0, 5}}, u"Int"},
        {u"Array [2..3, 7] of Int", true, {{2, 3}, {2, 7}}, u"Int"},
        {u"Array [0..9]", true, {{0, 9}}, u""},
        {u"Array [] of Int", true, {}, u"Int"},
        {u"ValveArray", false, {}, u"unchanged"},
        {u"Array ]0..1[ of Int", false, {}, u"unchanged"},
        {u"array [0..1] of Int", false, {}, u"unchanged"},
    };
    for (const auto& c : cases) {
        std::vector<SArrayDim> dims;
        CString type = u"unchanged";
        EXPECT_EQ(ParseArrayText(c.text, dims, type), c.isArray) << CString(c.text).ToUtf8();
        EXPECT_EQ(dims, c.dims) << CString(c.text).ToUtf8();
        EXPECT_EQ(type, c.type) << CString(c.text).ToUtf8();
    }
}

TEST(ArrayText, AMembersDimensionsAreAppendedToAndCopiedAsValues) {
    CArrayDims dims = {{0, 1}};
    CString element;
    ASSERT_TRUE(ParseArrayText(CString(u"Array [2..3,4..5] of Int"), dims, element));
    EXPECT_EQ(dims, (std::vector<SArrayDim>{{0, 1}, {2, 3}, {4, 5}}));
    EXPECT_EQ(element, u"Int");
    EXPECT_FALSE(ParseArrayText(CString(u"ValveArray"), dims, element));
    EXPECT_EQ(dims.size(), 3u);  // a text that is no array text changes nothing

    CArrayDims copy = dims;
    dims = CArrayDims(std::span<const SArrayDim>(dims).subspan(1));  // made from a view of itself
    EXPECT_EQ(dims, (std::vector<SArrayDim>{{2, 3}, {4, 5}}));
    EXPECT_EQ(copy, (std::vector<SArrayDim>{{0, 1}, {2, 3}, {4, 5}}));  // the copy has its own
    const CArrayDims& same = copy;
    copy = same;
    EXPECT_EQ(copy.size(), 3u);
    copy.clear();
    EXPECT_TRUE(copy.empty());
    EXPECT_EQ(copy, CArrayDims(std::vector<SArrayDim>{}));
    EXPECT_FALSE(dims == (std::vector<SArrayDim>{{2, 3}}));  // a prefix is not equal
}
