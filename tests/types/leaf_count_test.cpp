// The leaf count the layout reserves before it places a record is the count it then places, and a
// count far past the limit stops at the limit instead of being computed in full.
#include <gtest/gtest.h>

#include "types/elementary_types.h"
#include "types/member_layout.h"

TEST(LeafCountTest, TheLeafCountReservedIsTheLayoutsCountAndStaysWithinTheLimit) {
    auto member = [](const char16_t* name, const char16_t* type, std::vector<SArrayDim> dims = {}) {
        SMemberInfo info;
        info.Name = name;
        info.Type = type;
        info.Dims = std::move(dims);
        return info;
    };
    auto header = [](const char16_t* name) {
        SStructInfo info;
        info.Name = name;
        return info;
    };
    StructMap structures;
    structures[header(u"Cell")] = {member(u"Values", u"Int", {{0, 9}}), member(u"Flag", u"Bool"), member(u"Odd", u"Nothing")};
    structures[header(u"Row")] = {member(u"Cells", u"Cell", {{1, 4}, {1, 5}}), member(u"Empty", u"Cell", {{3, 2}})};
    structures[header(u"Loop")] = {member(u"Self", u"Loop"), member(u"X", u"Int")};
    std::vector<SFlatMember> records(5);
    records[0].Type = u"Row";
    records[0].Dims = {{0, 6}};
    records[1].Type = u"Loop";
    records[2].Type = u"Real";
    records[3].Type = u"Unknown";
    records[4].Type = u"Int";
    records[4].Dims = {{0, 2000000000}, {-5, 5}};
    for (size_t i = 0; i < records.size(); ++i) records[i].Name = CString::FromUtf8("R" + std::to_string(i));

    const std::vector<STypeSize> elementary = BuildElementaryTypes();
    SLayoutFlags flags;
    std::vector<SFlatMember> placed;
    std::vector<CString> unknown;
    MemberLayout layout(structures, elementary, flags, placed, unknown, 100000);
    for (size_t i = 0; i < 4; ++i) {
        const size_t before = placed.size();
        const int64_t counted = layout.CountLeaves(records[i]);
        EXPECT_TRUE(layout.PlaceRecord(records[i]));
        EXPECT_EQ(counted, static_cast<int64_t>(placed.size() - before)) << i;
    }
    EXPECT_EQ(layout.CountLeaves(records[0]), 7 * 20 * 11);
    EXPECT_EQ(layout.CountLeaves(records[4]), 100001);  // far more elements than the limit allows: past it
}
