// How long the program spends on its skin at start-up: unpacking the packed
// default skin and interpreting it, each compared with copying the unpacked
// bytes once (baseline), so the ratios hold on any machine.
//   bench_skin --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bmp_writer.h"
#include "lzh_encoder.h"
#include "skin_container.h"
#include "style.h"
#include "ui/skin/lzh.h"
#include "ui/skin/skin_data.h"

namespace {

using namespace kestrone;

const std::string& Packed() {
    static const std::string packed = [] {
        const skinart::SkinArt art = skinart::DrawDefaultSkin();
        std::vector<skinpack::ContainerEntry> entries;
        for (const auto& [name, bitmap] : art.bitmaps) entries.push_back({name, skinart::EncodeBmp(bitmap)});
        entries.push_back({"kestrone.ini", art.ini});
        return skinpack::PackSkin(skinpack::BuildContainer(entries));
    }();
    return packed;
}

const std::string& Unpacked() {
    static const std::string unpacked = [] {
        std::string out;
        UnpackSkin(Packed(), out);
        return out;
    }();
    return unpacked;
}

void BM_Baseline_CopyUnpackedBytes(benchmark::State& state) {
    std::string target(Unpacked().size(), '\0');
    for (auto _ : state) {
        std::memcpy(target.data(), Unpacked().data(), target.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Unpacked().size()));
}

void BM_UnpackDefaultSkin(benchmark::State& state) {
    for (auto _ : state) {
        std::string out;
        UnpackSkin(Packed(), out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Unpacked().size()));
}

void BM_LoadDefaultSkin(benchmark::State& state) {
    TSkinData data;
    data.SetPackedSkin(Packed());
    for (auto _ : state) benchmark::DoNotOptimize(data.LoadSkin());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Unpacked().size()));
}

void BM_PackDefaultSkin(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(skinpack::PackSkin(Unpacked()));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Unpacked().size()));
}

BENCHMARK(BM_Baseline_CopyUnpackedBytes);
BENCHMARK(BM_UnpackDefaultSkin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDefaultSkin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PackDefaultSkin)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
