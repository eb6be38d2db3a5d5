// A check of the mirrors that finds nothing new, as Kestrone users run it
// every day, timed against the floor: one request of manifest.txt alone.
// The figure that matters is the ratio; the times are wall-clock, because a
// check mostly waits for the network. Usage:
//   bench_update_check_win32 <mirror URL holding the installed version> [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "update/manifest.h"
#include "updater/update_flow.h"
#include "web_mirror_access.h"

namespace {

using namespace kestrone::updater;

class Quiet : public UpdateProgress {
  public:
    void Line(const std::string&) override {}
};

// Milliseconds of the best of `runs` runs (the least disturbed by other work).
double BestMs(int runs, const std::function<bool()>& work) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    double best = 1e30;
    for (int run = 0; run < runs; ++run) {
        QueryPerformanceCounter(&start);
        if (!work()) return -1;
        QueryPerformanceCounter(&end);
        best = std::min(best, 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                                  static_cast<double>(frequency.QuadPart));
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_update_check_win32 <mirror URL> [runs]\n");
        return 2;
    }
    int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    MirrorList mirrors = ParseMirrorList(argv[1]);
    if (mirrors.mirrors.empty()) return 2;
    WebMirrorAccess web;
    Quiet quiet;
    double check = BestMs(runs, [&] {
        return UpdateFromMirrors(MachineInstallRequest(), mirrors, web, quiet).result ==
               UpdateResult::AlreadyCurrent;
    });
    double floor = BestMs(runs, [&] {
        std::string bytes;
        FetchRequest request{
            kestrone::update::kManifestName, kestrone::update::kManifestSizeLimit, {}};
        return web.Fetch(mirrors.mirrors[0], request, bytes) == FetchStatus::Fetched;
    });
    if (check < 0 || floor < 0) {
        std::fprintf(stderr, "the mirror must hold the installed version (check %s)\n",
                     check < 0 ? "failed" : "ok");
        return 1;
    }
    std::printf(
        "check finding nothing new: %.1f ms\none request of manifest.txt: %.1f ms\nratio: %.2f\n",
        check, floor, check / floor);
    return 0;
}
