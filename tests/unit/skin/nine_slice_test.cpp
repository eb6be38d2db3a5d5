#include <gtest/gtest.h>

#include "ui/skin/nine_slice.h"

namespace kestrone {
namespace {

TEST(FrameOf, CutsSideBySideOrStackedFrames) {
    const SkinBitmap map(60, 40);
    const struct {
        int frames, frame;
        bool stacked;
        int x, y, w, h;
    } cases[] = {
        {3, 1, false, 0, 0, 20, 40}, {3, 3, false, 40, 0, 20, 40}, {2, 2, true, 0, 20, 60, 20},
        {4, 9, false, 45, 0, 15, 40},  // a frame past the last takes the last
        {0, 1, false, 0, 0, 60, 40},   // no frame count: one frame
        {120, 1, false, 0, 0, 0, 40},  // more frames than pixels: nothing to draw
    };
    for (const auto& c : cases) {
        const FrameRect f = FrameOf(map, c.frames, c.frame, c.stacked);
        EXPECT_EQ((std::vector<int>{f.x, f.y, f.width, f.height}), (std::vector<int>{c.x, c.y, c.w, c.h}))
            << c.frames << " frames, frame " << c.frame;
    }
}

TEST(NineSlice, DropsMarginsThatDoNotFit) {
    const struct {
        Margins in;
        int width, height;
        Margins out;
    } cases[] = {
        {{4, 5, 4, 4}, 100, 100, {4, 5, 4, 4}},
        {{4, 5, 4, 4}, 7, 100, {0, 5, 0, 4}},   // narrower than left + right
        {{4, 5, 4, 4}, 100, 8, {4, 0, 4, 0}},   // lower than top + bottom
        {{4, 5, 4, 4}, 8, 9, {4, 5, 4, 4}},     // exactly enough
        {{30, 0, 30, 0}, 100, 100, {20, 0, 0, 0}},  // margins cut to the 20-pixel frame
        {{-3, 2, 2, 2}, 100, 100, {0, 2, 2, 2}},
    };
    for (const auto& c : cases) {
        const Margins m = EffectiveMargins(c.in, 20, 20, c.width, c.height);
        EXPECT_EQ((std::vector<int>{m.left, m.top, m.right, m.bottom}),
                  (std::vector<int>{c.out.left, c.out.top, c.out.right, c.out.bottom}))
            << c.width << " x " << c.height;
    }
}

TEST(NineSlice, KeepsCornersAndStretchesTheRest) {
    const std::vector<Slice> slices = NineSlices(20, 10, 100, 30, {3, 2, 4, 1}, true);
    ASSERT_EQ(slices.size(), 9u);
    // Corners keep their size; the centre covers the rest and alone may tile.
    EXPECT_EQ(slices[0].target.width, 3);
    EXPECT_EQ(slices[0].target.height, 2);
    EXPECT_EQ(slices[8].target.x, 96);
    EXPECT_EQ(slices[8].target.y, 29);
    const Slice& centre = slices[4];
    EXPECT_EQ((std::vector<int>{centre.source.x, centre.source.y, centre.source.width, centre.source.height}),
              (std::vector<int>{3, 2, 13, 7}));
    EXPECT_EQ((std::vector<int>{centre.target.x, centre.target.y, centre.target.width, centre.target.height}),
              (std::vector<int>{3, 2, 93, 27}));
    for (size_t i = 0; i < slices.size(); ++i) EXPECT_EQ(slices[i].tile, i == 4) << i;
    // Without margins one piece covers everything.
    EXPECT_EQ(NineSlices(20, 10, 5, 5, {}, false).size(), 1u);
}

TEST(NineSlice, AtHigherDpiCornersGrowAndTheSourceStaysTheArt) {
    // 150 %: the 3/2/4/1 margins take 5/3/6/2 pixels of a 150 x 45 target
    // (halves round up) and still read the same source pixels.
    const std::vector<Slice> slices = NineSlices(20, 10, 150, 45, {3, 2, 4, 1}, false, 144);
    ASSERT_EQ(slices.size(), 9u);
    EXPECT_EQ((std::vector<int>{slices[0].target.width, slices[0].target.height}),
              (std::vector<int>{5, 3}));
    EXPECT_EQ((std::vector<int>{slices[8].target.x, slices[8].target.y, slices[8].target.width,
                                slices[8].target.height}),
              (std::vector<int>{144, 43, 6, 2}));
    EXPECT_EQ((std::vector<int>{slices[4].source.x, slices[4].source.width}),
              (std::vector<int>{3, 13}));
    EXPECT_TRUE(slices[4].centre);
    // A target narrower than the scaled margins (5 + 6) drops them, as at 96 DPI.
    for (const Slice& slice : NineSlices(20, 10, 10, 45, {3, 2, 4, 1}, false, 144))
        EXPECT_EQ(slice.target.width, 10);
}

TEST(NineSlice, PaintsTheChosenFrameAndHonoursMagenta) {
    // Two 2 x 2 frames side by side: red, then green with a magenta corner.
    SkinBitmap source(4, 2, 0xFF0000);
    for (int y = 0; y < 2; ++y) {
        for (int x = 2; x < 4; ++x) source.At(x, y) = 0x00FF00;
    }
    source.At(2, 0) = kMagentaPixel;
    SkinBitmap target(4, 4, 0x123456);
    PaintNineSlice(target, 0, 0, 4, 4, source, 2, 2, false, {}, false, true);
    EXPECT_EQ(target.At(0, 0), 0x123456u);  // magenta left the target alone
    EXPECT_EQ(target.At(1, 0), 0x123456u);
    EXPECT_EQ(target.At(3, 3), 0x00FF00u);
    PaintNineSlice(target, 2, 2, 10, 10, source, 2, 1, false, {}, false, false);  // clipped
    EXPECT_EQ(target.At(2, 2), 0xFF0000u);
    EXPECT_EQ(target.At(1, 1), 0x123456u);
}

}  // namespace
}  // namespace kestrone
