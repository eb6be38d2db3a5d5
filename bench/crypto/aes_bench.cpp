// How our AES decryption compares with OpenSSL's (which uses the processor's AES
// instructions where it can), and what one start-up decryption of a 256 KiB
// definitions file costs. Ratios to OpenSSL are printed after the run.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "core/aes.h"
#include "core/decryption.h"
#include "platform/sim/world.h"

namespace {

constexpr size_t kBytes = 64 * 1024;

std::string RandomBytes(size_t n) {
    std::mt19937 random(1);
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(random() & 0xFF);
    return s;
}

void OursDecrypt(benchmark::State& state) {
    std::string key = RandomBytes(static_cast<size_t>(state.range(0)));
    std::string data = RandomBytes(kBytes), out(kBytes, '\0');
    kestrone::AesDecryptionSchedule schedule(reinterpret_cast<const uint8_t*>(key.data()), key.size());
    for (auto _ : state) {
        for (size_t at = 0; at < kBytes; at += kestrone::kAesBlockSize) {
            schedule.DecryptBlock(reinterpret_cast<const uint8_t*>(data.data() + at),
                                  reinterpret_cast<uint8_t*>(out.data() + at));
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBytes));
}

void OpenSslDecrypt(benchmark::State& state) {
    std::string key = RandomBytes(static_cast<size_t>(state.range(0)));
    std::string data = RandomBytes(kBytes), out(kBytes + 32, '\0');
    const EVP_CIPHER* cipher = key.size() == 16   ? EVP_aes_128_ecb()
                               : key.size() == 24 ? EVP_aes_192_ecb()
                                                  : EVP_aes_256_ecb();
    std::unique_ptr<EVP_CIPHER_CTX, void (*)(EVP_CIPHER_CTX*)> context(EVP_CIPHER_CTX_new(),
                                                                        EVP_CIPHER_CTX_free);
    EVP_DecryptInit_ex(context.get(), cipher, nullptr, reinterpret_cast<const unsigned char*>(key.data()),
                       nullptr);
    EVP_CIPHER_CTX_set_padding(context.get(), 0);
    for (auto _ : state) {
        int written = 0;
        EVP_DecryptUpdate(context.get(), reinterpret_cast<unsigned char*>(out.data()), &written,
                          reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(kBytes));
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBytes));
}

// One DecryptFile of a 256 KiB data file, block by block through the file layer.
void DecryptDefinitionsFile(benchmark::State& state) {
    const size_t size = 256 * 1024;
    kestrone::sim::World& world = kestrone::sim::TheWorld();
    world.Reset();
    world.AddDrive('C', 3);  // a fixed disk
    std::string header(8, '\0');
    header[1] = static_cast<char>((size >> 8) & 0xFF);
    header[2] = static_cast<char>((size >> 16) & 0xFF);
    world.AddFile("C:\\in.dll", header + RandomBytes(size));
    for (auto _ : state) kestrone::DecryptFile("C:\\in.dll", "C:\\out.ini", "wren", kestrone::kKeySize128);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}

BENCHMARK(OursDecrypt)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(OpenSslDecrypt)->Arg(16)->Arg(24)->Arg(32);
BENCHMARK(DecryptDefinitionsFile);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            auto it = run.counters.find("bytes_per_second");
            if (it != run.counters.end()) rates_[run.benchmark_name()] = it->second.value;
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nOur decryption as a share of OpenSSL's throughput:\n");
        for (const char* bits : {"16", "24", "32"}) {
            double ours = rates_["OursDecrypt/" + std::string(bits)];
            double theirs = rates_["OpenSslDecrypt/" + std::string(bits)];
            if (theirs > 0) std::printf("  %s-byte key: %.3f\n", bits, ours / theirs);
        }
    }

private:
    std::map<std::string, double> rates_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
