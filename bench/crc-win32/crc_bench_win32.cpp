// Times the CRC-32 engines of the 32-bit build against the byte-wise table
// loop in the same run: on a large buffer in memory, on a large real file
// (FileCrc32) and on a folder of many small real files (GetFileCode each).
// Times are the thread's processor time. Usage: bench_crc_win32 [megabytes]   (default 64)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/files.h"
#include "scan/crc/crc32_engine.h"
#include "scan/file_code.h"

namespace {

using kestrone::crc::Crc32Engine;

// Processor time of this thread (user and kernel), in seconds. The machine
// may be busy with other work, so wall-clock time would mislead.
double ThreadSeconds() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return ((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
}

// Seconds of one run: repeated until half a second of processor time has
// passed (the thread clock ticks coarsely), best of three such rounds.
double BestTime(const std::function<void()>& work) {
    double best = 1e30;
    for (int round = 0; round < 3; ++round) {
        int runs = 0;
        double start = ThreadSeconds(), elapsed = 0;
        do {
            work();
            ++runs;
            elapsed = ThreadSeconds() - start;
        } while (elapsed < 0.5);
        best = std::min(best, elapsed / runs);
    }
    return best;
}

std::string RandomText(size_t size) {
    std::mt19937 random(42);
    std::string text(size, '\0');
    for (char& c : text) c = static_cast<char>(random());
    return text;
}

struct Scratch {
    std::string folder;
    std::string bigFile;
    std::vector<std::string> smallFiles;
    ~Scratch() {
        for (const std::string& f : smallFiles) kestrone::platform::RemoveFile(f);
        kestrone::platform::RemoveFile(bigFile);
        kestrone::platform::RemoveFolder(folder);
    }
};

void Report(const char* what, Crc32Engine engine, double seconds, double baseline, double amount,
            const char* unit) {
    std::printf("  %-7s %-11s %10.1f %-7s %6.2fx\n", what, kestrone::crc::Crc32EngineName(engine),
                amount / seconds, unit, baseline / seconds);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace kestrone;
    const size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 64;
    const std::string data = RandomText(megabytes << 20);
    std::vector<Crc32Engine> engines;
    for (Crc32Engine engine : crc::kAllCrc32Engines) {
        if (crc::Crc32EngineAvailable(engine)) engines.push_back(engine);
    }
    std::printf("%u-bit CRC-32 engines, baseline: bytewise table loop (best engine: %s)\n",
                static_cast<unsigned>(8 * sizeof(void*)),
                crc::Crc32EngineName(crc::BestCrc32Engine()));

    // In memory: one call over the whole buffer.
    std::printf("Buffer of %u MiB (MB/s, multiple of bytewise):\n",
                static_cast<unsigned>(megabytes));
    double baseline = 0;
    for (Crc32Engine engine : engines) {
        volatile uint32_t sink = 0;
        double t =
            BestTime([&] { sink = crc::Crc32UpdateUsing(engine, ~0u, data.data(), data.size()); });
        if (engine == Crc32Engine::Bytewise) baseline = t;
        Report("Buffer", engine, t, baseline, data.size() / 1e6, "MB/s");
    }

    // Real files below the temporary folder.
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    Scratch scratch;
    scratch.folder = std::string(temp) + "kestrone-crc-bench\\";
    platform::MakeFolder(scratch.folder);
    scratch.bigFile = scratch.folder + "big.bin";
    platform::WriteTextFile(scratch.bigFile, data);
    std::mt19937 sizes(7);
    for (int i = 0; i < 2000; ++i) {
        size_t size = 64 + sizes() % 16384, offset = sizes() % (data.size() - size);
        scratch.smallFiles.push_back(scratch.folder + "f" + std::to_string(i) + ".exe");
        platform::WriteTextFile(scratch.smallFiles.back(), data.substr(offset, size));
    }

    std::printf("FileCrc32 of a %u MiB file (MB/s):\n", static_cast<unsigned>(megabytes));
    for (Crc32Engine engine : engines) {
        crc::ForceCrc32Engine(engine);
        volatile uint32_t sink = 0;
        double t = BestTime([&] { sink = FileCrc32(scratch.bigFile); });
        if (engine == Crc32Engine::Bytewise) baseline = t;
        Report("File", engine, t, baseline, data.size() / 1e6, "MB/s");
    }

    std::printf("Folder walk, GetFileCode of %u small files (files/s):\n",
                static_cast<unsigned>(scratch.smallFiles.size()));
    for (Crc32Engine engine : engines) {
        crc::ForceCrc32Engine(engine);
        double t = BestTime([&] {
            for (const platform::FolderEntry& entry :
                 platform::ListFolder(scratch.folder + "*.exe")) {
                volatile size_t sink = GetFileCode(scratch.folder + entry.name).size();
                (void)sink;
            }
        });
        if (engine == Crc32Engine::Bytewise) baseline = t;
        Report("Walk", engine, t, baseline, static_cast<double>(scratch.smallFiles.size()),
               "files/s");
    }
    crc::UseBestCrc32Engine();
    return 0;
}
