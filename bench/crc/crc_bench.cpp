// Throughput of the CRC-32 engines against zlib's crc32 on the same data:
//   Buffer/<impl>/<bytes>  one call over an in-memory buffer
//   File/<impl>            FileCrc32 of a large file (read in 65521-byte pieces)
//   Walk/<impl>            the file codes of every file in a tree of small files
// The simulated platform holds the files, so File and Walk measure our own
// reading and coding path without a disk in the way.
#include <benchmark/benchmark.h>
#include <zlib.h>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/sim/world.h"
#include "ratio_reporter.h"
#include "scan/crc/crc32_engine.h"
#include "scan/file_code.h"

namespace kestrone::bench {
namespace {

using crc::Crc32Engine;

constexpr char kBigFile[] = "C:\\bench\\big.bin";
constexpr char kTreeRoot[] = "C:\\bench\\tree\\";
constexpr int kTreeFolders = 20, kFilesPerFolder = 250;

const std::vector<unsigned char>& RandomBuffer(size_t size) {
    static std::vector<unsigned char> buffer;
    if (buffer.size() < size) {
        std::mt19937 random(42);
        buffer.resize(size);
        for (auto& b : buffer) b = static_cast<unsigned char>(random());
    }
    return buffer;
}

uint32_t ZlibUpdate(uint32_t crc, const void* data, size_t size) {
    return static_cast<uint32_t>(
        ::crc32(crc, static_cast<const Bytef*>(data), static_cast<uInt>(size)));
}

// FileCrc32's reading loop with zlib in place of our engines: the baseline.
uint32_t ZlibFileCrc32(const std::string& path) {
    platform::FileStream file;
    if (!file.Open(path, platform::FileStream::Mode::Read)) return 0;
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[kFileCodeChunkSize]);
    uint32_t crc = 0;
    for (size_t n; (n = file.Read(buffer.get(), kFileCodeChunkSize)) > 0;)
        crc = ZlibUpdate(crc, buffer.get(), n);
    return crc;
}

// Reads a buffer as fast as one thread can, doing nothing else: the ceiling
// the widest engine should approach on buffers larger than the caches.
#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx2"))) uint64_t ReadOnly(const unsigned char* data, size_t size) {
    __m256i a = _mm256_setzero_si256(), b = a, c = a, d = a;
    for (size_t i = 0; i + 128 <= size; i += 128) {
        a = _mm256_xor_si256(a, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i)));
        b = _mm256_xor_si256(b,
                             _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + 32)));
        c = _mm256_xor_si256(c,
                             _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + 64)));
        d = _mm256_xor_si256(d,
                             _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + 96)));
    }
    __m256i all = _mm256_xor_si256(_mm256_xor_si256(a, b), _mm256_xor_si256(c, d));
    return static_cast<uint64_t>(_mm256_extract_epi64(all, 0) ^ _mm256_extract_epi64(all, 3));
}
#endif

void RegisterMemoryRead() {
#if defined(__x86_64__) || defined(__i386__)
    if (!__builtin_cpu_supports("avx2")) return;
    for (size_t size : {size_t(1) << 20, size_t(64) << 20}) {
        benchmark::RegisterBenchmark(
            ("Buffer/memread/" + std::to_string(size)).c_str(), [=](benchmark::State& state) {
                const auto& data = RandomBuffer(size);
                for (auto _ : state) benchmark::DoNotOptimize(ReadOnly(data.data(), size));
                state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
            });
    }
#endif
}

void ArrangeWorld() {
    sim::World& world = sim::TheWorld();
    world.Reset();
    world.AddDrive('C', 3);
    const auto& random = RandomBuffer(64 << 20);
    world.AddFile(kBigFile, std::string(random.begin(), random.begin() + (64 << 20)));
    std::mt19937 sizes(7);
    for (int folder = 0; folder < kTreeFolders; ++folder) {
        for (int file = 0; file < kFilesPerFolder; ++file) {
            size_t size = 64 + sizes() % 16384;  // small programs and scripts
            size_t offset = sizes() % (1 << 20);
            world.AddFile(std::string(kTreeRoot) + "d" + std::to_string(folder) + "\\f" +
                              std::to_string(file) + ".exe",
                          std::string(random.begin() + offset, random.begin() + offset + size));
        }
    }
}

// Walks the tree as the scan does: list each folder, code each file.
template <typename Code>
size_t WalkTree(Code code) {
    size_t files = 0;
    for (const platform::FolderEntry& folder :
         platform::ListFolder(std::string(kTreeRoot) + "*.*")) {
        std::string path = std::string(kTreeRoot) + folder.name + "\\";
        for (const platform::FolderEntry& entry : platform::ListFolder(path + "*.*")) {
            benchmark::DoNotOptimize(code(path + entry.name));
            ++files;
        }
    }
    return files;
}

void RegisterFor(const std::string& implementation, bool zlib, Crc32Engine engine) {
    for (size_t size :
         {size_t(4) << 10, size_t(kFileCodeChunkSize), size_t(1) << 20, size_t(64) << 20}) {
        benchmark::RegisterBenchmark(
            ("Buffer/" + implementation + "/" + std::to_string(size)).c_str(),
            [=](benchmark::State& state) {
                crc::ForceCrc32Engine(engine);
                const auto& data = RandomBuffer(size);
                for (auto _ : state) {
                    uint32_t crc =
                        zlib ? ZlibUpdate(0, data.data(), size) : Crc32(data.data(), size);
                    benchmark::DoNotOptimize(crc);
                }
                state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
            });
    }
    benchmark::RegisterBenchmark(("File/" + implementation).c_str(), [=](benchmark::State& state) {
        crc::ForceCrc32Engine(engine);
        for (auto _ : state)
            benchmark::DoNotOptimize(zlib ? ZlibFileCrc32(kBigFile) : FileCrc32(kBigFile));
        state.SetBytesProcessed(int64_t(state.iterations()) * (int64_t(64) << 20));
    });
    benchmark::RegisterBenchmark(("Walk/" + implementation).c_str(), [=](benchmark::State& state) {
        crc::ForceCrc32Engine(engine);
        size_t files = 0;
        for (auto _ : state) {
            files += zlib ? WalkTree([](const std::string& p) {
                return platform::FileExists(p) ? FormatFileCode(ZlibFileCrc32(p)) : std::string();
            })
                          : WalkTree([](const std::string& p) { return GetFileCode(p); });
        }
        state.SetItemsProcessed(int64_t(files));
    });
}

}  // namespace
}  // namespace kestrone::bench

int main(int argc, char** argv) {
    using namespace kestrone;
    bench::ArrangeWorld();
    bench::RegisterFor("zlib", true, crc::BestCrc32Engine());
    for (crc::Crc32Engine engine : crc::kAllCrc32Engines) {
        if (crc::Crc32EngineAvailable(engine))
            bench::RegisterFor(crc::Crc32EngineName(engine), false, engine);
    }
    bench::RegisterMemoryRead();
    benchmark::Initialize(&argc, argv);
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
