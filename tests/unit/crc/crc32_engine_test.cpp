// Every CRC-32 engine against zlib's crc32 on varied lengths, alignments and
// contents, including continuation of the register across pieces.
#include "scan/crc/crc32_engine.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <vector>

#include "scan/file_code.h"

namespace kestrone::crc {
namespace {

uint32_t ZlibCrc(const unsigned char* data, size_t size, uint32_t start = 0) {
    return static_cast<uint32_t>(::crc32(start, data, static_cast<uInt>(size)));
}

std::vector<unsigned char> RandomBytes(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<unsigned char> bytes(size);
    for (auto& b : bytes) b = static_cast<unsigned char>(random());
    return bytes;
}

class EngineTest : public ::testing::TestWithParam<Crc32Engine> {
  protected:
    void SetUp() override {
        if (!Crc32EngineAvailable(GetParam())) {
            GTEST_SKIP() << Crc32EngineName(GetParam()) << " is not supported by this processor";
        }
    }
    uint32_t Complete(const void* data, size_t size) const {
        return ~Crc32UpdateUsing(GetParam(), 0xFFFFFFFFu, data, size);
    }
};

TEST_P(EngineTest, CheckValueOfTheIeeeCrc) {
    EXPECT_EQ(Complete("123456789", 9), 0xCBF43926u);
    EXPECT_EQ(Complete("", 0), 0u);
}

TEST_P(EngineTest, MatchesZlibOnEveryLengthAroundTheVectorSizes) {
    // Lengths 0..1100 cross every threshold (16, 32, 64, 128, 256 bytes and
    // their multiples) with every possible tail; offsets 0..7 misalign the start.
    std::vector<unsigned char> data = RandomBytes(1100 + 8, 1);
    for (size_t offset = 0; offset < 8; ++offset) {
        for (size_t size = 0; size <= 1100; ++size) {
            const unsigned char* p = data.data() + offset;
            ASSERT_EQ(Complete(p, size), ZlibCrc(p, size))
                << "offset " << offset << " size " << size;
        }
    }
}

TEST_P(EngineTest, MatchesZlibOnLargeBuffersOfDifferentKinds) {
    const size_t size = 3 * 1024 * 1024 + 13;
    std::vector<unsigned char> random = RandomBytes(size, 2);
    std::vector<unsigned char> zeros(size, 0), ones(size, 0xFF), ramp(size);
    for (size_t i = 0; i < size; ++i) ramp[i] = static_cast<unsigned char>(i * 7 + (i >> 9));
    for (const auto* buffer : {&random, &zeros, &ones, &ramp}) {
        EXPECT_EQ(Complete(buffer->data(), size), ZlibCrc(buffer->data(), size));
    }
}

TEST_P(EngineTest, ContinuesTheRegisterAcrossPieces) {
    // Any register value, not only 0xFFFFFFFF, must enter the folding correctly.
    std::vector<unsigned char> data = RandomBytes(5000, 3);
    for (size_t cut : {0u, 1u, 15u, 63u, 64u, 255u, 256u, 257u, 1000u, 4999u, 5000u}) {
        uint32_t crc = Crc32UpdateUsing(GetParam(), 0xFFFFFFFFu, data.data(), cut);
        crc = Crc32UpdateUsing(GetParam(), crc, data.data() + cut, data.size() - cut);
        EXPECT_EQ(~crc, ZlibCrc(data.data(), data.size())) << "cut " << cut;
    }
    for (uint32_t start : {0u, 1u, 0x80000000u, 0xDEADBEEFu}) {
        // zlib complements before and after; the engines take the bare register.
        EXPECT_EQ(~Crc32UpdateUsing(GetParam(), ~start, data.data(), 777),
                  ZlibCrc(data.data(), 777, start));
    }
}

INSTANTIATE_TEST_SUITE_P(AllEngines, EngineTest, ::testing::ValuesIn(kAllCrc32Engines),
                         [](const auto& info) { return std::string(Crc32EngineName(info.param)); });

TEST(EngineChoice, PicksTheWidestAvailableFoldingAndHonoursForcing) {
    Crc32Engine best = BestCrc32Engine();
    EXPECT_TRUE(Crc32EngineAvailable(best));
    EXPECT_NE(best, Crc32Engine::Bytewise);
    if (Crc32EngineAvailable(Crc32Engine::Clmul)) {
        EXPECT_NE(best, Crc32Engine::Slicing);
    }
    if (Crc32EngineAvailable(Crc32Engine::Vpclmul512)) {
        EXPECT_EQ(best, Crc32Engine::Vpclmul512);
    }

    std::vector<unsigned char> data = RandomBytes(100000, 4);
    const uint32_t expected = ZlibCrc(data.data(), data.size());
    for (Crc32Engine engine : kAllCrc32Engines) {
        if (!Crc32EngineAvailable(engine)) {
            EXPECT_FALSE(ForceCrc32Engine(engine));
            continue;
        }
        ASSERT_TRUE(ForceCrc32Engine(engine));
        EXPECT_EQ(ActiveCrc32Engine(), engine);
        EXPECT_EQ(Crc32(data.data(), data.size()), expected) << Crc32EngineName(engine);
    }
    UseBestCrc32Engine();
    EXPECT_EQ(ActiveCrc32Engine(), best);
}

}  // namespace
}  // namespace kestrone::crc
