// A console reporter that also prints, after the run, each benchmark's
// throughput as a multiple of the zlib benchmark of the same family and size.
// Names have the form "<family>/<implementation>[/<size>]"; "zlib" is the baseline,
// and "memread" (reading the buffer without computing anything) the ceiling.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace kestrone::bench {

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

  private:
    void PrintShareOfMemoryRead() const;
    struct Rate {
        std::string family, implementation, size;
        double perSecond = 0;  // bytes or items, whichever the benchmark counts
    };
    std::vector<Rate> rates_;
};

}  // namespace kestrone::bench
