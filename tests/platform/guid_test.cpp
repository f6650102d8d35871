// New identifiers are version 4 ones and do not repeat, within a thread or across threads (a
// large import names anonymous structures on several threads at once).
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/guid.h"

namespace {

std::string BytesOf(const GUID& guid) {
    char bytes[sizeof guid];
    std::memcpy(bytes, &guid, sizeof guid);
    return std::string(bytes, sizeof bytes);
}

}  // namespace

TEST(GuidTest, IdentifiersAreRandomVersionFourOnesThatDoNotRepeatOnAnyThread) {
    constexpr int kPerThread = 20000;
    std::vector<std::vector<GUID>> made(4);
    std::vector<std::thread> threads;
    for (auto& list : made)
        threads.emplace_back([&list] {
            for (int i = 0; i < kPerThread; ++i) {
                GUID guid;
                EXPECT_EQ(CoCreateGuid(&guid), S_OK);
                list.push_back(guid);
            }
        });
    for (std::thread& thread : threads) thread.join();
    std::set<std::string> seen;
    for (const auto& list : made)
        for (const GUID& guid : list) {
            EXPECT_EQ(guid.Data3 >> 12, 4);
            EXPECT_EQ(guid.Data4[0] >> 6, 2);
            seen.insert(BytesOf(guid));
        }
    EXPECT_EQ(seen.size(), 4u * kPerThread);
}
