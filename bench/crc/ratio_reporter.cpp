// Collects each run's rate and prints the table of ratios to zlib at the end.
#include "ratio_reporter.h"

#include <cstdio>

namespace kestrone::bench {
namespace {

std::vector<std::string> SplitName(const std::string& name) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t slash; (slash = name.find('/', start)) != std::string::npos; start = slash + 1) {
        parts.push_back(name.substr(start, slash - start));
    }
    parts.push_back(name.substr(start));
    return parts;
}

double RateOf(const benchmark::BenchmarkReporter::Run& run) {
    for (const char* counter : {"bytes_per_second", "items_per_second"}) {
        auto it = run.counters.find(counter);
        if (it != run.counters.end()) return it->second.value;
    }
    return 0;
}

}  // namespace

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
        std::vector<std::string> parts = SplitName(run.benchmark_name());
        if (parts.size() < 2) continue;
        rates_.push_back({parts[0], parts[1], parts.size() > 2 ? parts[2] : "", RateOf(run)});
    }
}

void RatioReporter::PrintShareOfMemoryRead() const {
    std::map<std::string, double> ceiling;
    for (const Rate& r : rates_) {
        if (r.implementation == "memread") ceiling[r.family + "/" + r.size] = r.perSecond;
    }
    if (ceiling.empty()) return;
    std::printf("\nThroughput as a share of a plain single-thread memory read (same size):\n");
    for (const Rate& r : rates_) {
        auto it = ceiling.find(r.family + "/" + r.size);
        if (r.implementation == "memread" || it == ceiling.end() || it->second <= 0) continue;
        std::printf("  %-7s %-11s %-9s %5.0f%%\n", r.family.c_str(), r.implementation.c_str(),
                    r.size.c_str(), 100.0 * r.perSecond / it->second);
    }
}

void RatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    std::map<std::string, double> baseline;
    for (const Rate& r : rates_) {
        if (r.implementation == "zlib") baseline[r.family + "/" + r.size] = r.perSecond;
    }
    PrintShareOfMemoryRead();
    std::printf("\nThroughput as a multiple of zlib's crc32 (same family, same size):\n");
    for (const Rate& r : rates_) {
        auto it = baseline.find(r.family + "/" + r.size);
        if (r.implementation == "zlib" || r.implementation == "memread" || it == baseline.end() ||
            it->second <= 0)
            continue;
        const bool files = r.family == "Walk";
        const double scale = files ? 1.0 : 1e6;
        std::printf("  %-7s %-11s %-9s %6.2fx   (%.0f vs %.0f %s)\n", r.family.c_str(),
                    r.implementation.c_str(), r.size.c_str(), r.perSecond / it->second,
                    r.perSecond / scale, it->second / scale, files ? "files/s" : "MB/s");
    }
}

}  // namespace kestrone::bench
