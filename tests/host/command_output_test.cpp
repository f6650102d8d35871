// A command's output keeps every byte written, in order, across the pieces it is kept in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>

#include "host/project/command_output.h"

TEST(CommandOutputTest, WhatIsWrittenComesOutWholeAcrossPieces) {
    CommandOutput output;
    std::ostream out(&output);
    std::string expected;
    EXPECT_EQ(output.Text(), "");
    // Lines of every length up to a few thousand bytes, then one longer than a piece, so that
    // writes end exactly at, before and after the pieces' ends.
    for (int i = 0; expected.size() < 3'500'000; ++i) {
        const std::string line = std::to_string(i) + std::string(static_cast<size_t>(i % 4099), static_cast<char>('a' + i % 26)) + '\n';
        out << line;
        expected += line;
    }
    const std::string large(1'500'000, '\0');
    out.write(large.data(), static_cast<std::streamsize>(large.size()));
    expected += large;
    out << 'x';
    expected += 'x';
    ASSERT_TRUE(out.good());
    EXPECT_TRUE(output.Text() == expected);
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    ASSERT_TRUE(output.WriteTo(file));
    std::rewind(file);
    std::string written(expected.size() + 1, '?');
    EXPECT_EQ(std::fread(written.data(), 1, written.size(), file), expected.size());
    written.resize(expected.size());
    EXPECT_TRUE(written == expected);
    std::fclose(file);
}

TEST(CommandOutputTest, TruncatedOutputGoesOnFromWhereItWasCut) {
    constexpr size_t kPiece = size_t{1} << 20;
    // Cut inside a piece, at a piece's end, at nothing, and past what is kept.
    for (const size_t cut : {kPiece + 10, 2 * kPiece, size_t{0}, 5 * kPiece}) {
        CommandOutput output;
        std::ostream out(&output);
        const std::string first(3 * kPiece + 7, 'a');
        out << first;
        EXPECT_EQ(output.Size(), first.size());
        output.Truncate(cut);
        out << "tail";
        const std::string expected = first.substr(0, std::min(cut, first.size())) + "tail";
        EXPECT_EQ(output.Size(), expected.size()) << cut;
        EXPECT_TRUE(output.Text() == expected) << cut;
    }
}
