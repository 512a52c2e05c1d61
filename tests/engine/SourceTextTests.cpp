#include <gtest/gtest.h>

#include "assembler/SourceText.h"

namespace {

// Offsets count each line break as two characters, whatever the file used.
TEST(SourcePosition, LinesAndColumnsFromOne) {
    for (const char* bytes : {"AB\r\n\tC\r\nD", "AB\n\tC\nD", "AB\r\tC\rD"}) {
        const SourceText source = SourceText::FromBytes(bytes);
        EXPECT_EQ(source.PositionOf(0), (SourcePosition{1, 1})) << bytes;
        EXPECT_EQ(source.PositionOf(1), (SourcePosition{1, 2}));
        EXPECT_EQ(source.PositionOf(4), (SourcePosition{2, 1}));
        EXPECT_EQ(source.PositionOf(5), (SourcePosition{2, 2})); // a tab counts one
        EXPECT_EQ(source.PositionOf(8), (SourcePosition{3, 1}));
    }
}

TEST(SourcePosition, EmptyLinesAndTheEnd) {
    const SourceText source = SourceText::FromBytes("\n\nEND\n");
    EXPECT_EQ(source.PositionOf(4), (SourcePosition{3, 1}));
    EXPECT_EQ(source.PositionOf(9), (SourcePosition{3, 6}));
    EXPECT_EQ(SourceText::FromBytes("").PositionOf(0), (SourcePosition{1, 1}));
}

} // namespace
