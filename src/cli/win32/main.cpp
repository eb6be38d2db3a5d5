// kestrone-scan.exe: the console front-end of Kestrone's engine. Report lines
// go to standard output, stages and errors to standard error; while the
// signature walk reads files, a console shows the current one on a single line.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/json_console.h"
#include "cli/scan_arguments.h"
#include "cli/scan_outcome.h"
#include "cli/scan_session.h"

namespace {

using kestrone::cli::ScanConsole;

class StandardStreams : public ScanConsole {
  public:
    StandardStreams() {
        DWORD mode = 0;
        errorIsConsole_ = GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
    }
    ~StandardStreams() override { EndWalkLine(); }

    void Report(const std::string& line) override {
        EndWalkLine();
        std::fprintf(stdout, "%s\n", line.c_str());
        std::fflush(stdout);
    }
    void Progress(const std::string& text) override {
        EndWalkLine();
        std::fprintf(stderr, "%s\n", text.c_str());
        std::fflush(stderr);
    }
    // Only a console gets the walk: redirected, it would be thousands of lines.
    void Walking(const std::string& path) override {
        if (!errorIsConsole_) return;
        std::string shown = path.size() > 76 ? "..." + path.substr(path.size() - 73) : path;
        std::fprintf(stderr, "\r%-79s", shown.c_str());
        std::fflush(stderr);
        walkShown_ = true;
    }

  private:
    void EndWalkLine() {
        if (!walkShown_) return;
        std::fprintf(stderr, "\r%-79s\r", "");
        walkShown_ = false;
    }
    bool errorIsConsole_ = false;
    bool walkShown_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    using namespace kestrone::cli;
    std::vector<std::string> arguments(argv + 1, argv + argc);
    ParsedArguments parsed = ParseScanArguments(arguments);
    if (parsed.ok && parsed.request.help) {
        std::fputs(UsageText().c_str(), stdout);
        return kExitClean;
    }
    if (!parsed.ok) {
        std::fprintf(stderr, "kestrone-scan: %s\n\n%s", parsed.error.c_str(), UsageText().c_str());
        return kExitUsageOrData;
    }
    StandardStreams console;
    if (!parsed.request.json) return RunScan(parsed.request, console);
    JsonConsole json(console, parsed.request.reportOnly);
    return RunScan(parsed.request, json);
}
