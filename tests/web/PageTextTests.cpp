#include <gtest/gtest.h>

#include "web/session/PageText.h"

namespace {

// The engine's text joins lines with CR LF: "AB\r\nCD\r\nE" has C at 4 and E at 8.
struct OffsetCase {
    const char* Name;
    const char* Text;
    int32_t Engine;
    int32_t Page;
};

class PageOffsets : public testing::TestWithParam<OffsetCase> {};

TEST_P(PageOffsets, EngineOffsetsLandOnTheSameCharacterOfThePagesText) {
    const OffsetCase& c = GetParam();
    EXPECT_EQ(PageText(c.Text).PageOffset(c.Engine), c.Page);
}

INSTANTIATE_TEST_SUITE_P(LineBreaks, PageOffsets,
                         testing::Values(OffsetCase{"FirstLine", "AB\nCD\nE", 1, 1},
                                         OffsetCase{"SecondLineWithNewlines", "AB\nCD\nE", 4, 3},
                                         OffsetCase{"ThirdLineWithNewlines", "AB\nCD\nE", 8, 6},
                                         OffsetCase{"ThirdLineWithCrLf", "AB\r\nCD\r\nE", 8, 8},
                                         OffsetCase{"MixedBreaks", "AB\r\nCD\nE", 8, 7},
                                         OffsetCase{"LoneCarriageReturn", "AB\rCD", 5, 4},
                                         OffsetCase{"InsideTheEnginesBreak", "AB\nCD", 3, 3},
                                         OffsetCase{"PastTheEnd", "AB\nCD\n", 99, 6},
                                         OffsetCase{"EmptyLines", "\n\nX", 4, 2},
                                         OffsetCase{"EmptyText", "", 5, 0}),
                         [](const testing::TestParamInfo<OffsetCase>& info) {
                             return info.param.Name;
                         });

TEST(PageTextTest, LinesCountFromOneWhateverTheBreaks) {
    const PageText text("A\nB\r\nC");
    EXPECT_EQ(text.LineOf(0), 1);
    EXPECT_EQ(text.LineOf(3), 2);
    EXPECT_EQ(text.LineOf(6), 3);
}

} // namespace
