// One run of kestrone-scan on the engine that Kestrone.exe uses: the data
// files are decrypted as the program does, the memory is scanned first when
// asked for, then each drive in turn, each under its cleaning claim. No window
// is ever shown; words go to a console of the caller's choosing.
#pragma once

#include <string>

#include "cli/scan_arguments.h"
#include "cli/scan_outcome.h"

namespace kestrone::cli {

class ScanConsole {
  public:
    virtual ~ScanConsole() = default;
    // A report line (standard output).
    virtual void Report(const std::string& line) = 0;
    // A stage, a warning or an error (standard error).
    virtual void Progress(const std::string& text) = 0;
    // The file the signature walk is reading (standard error, when it is shown).
    virtual void Walking(const std::string& /*path*/) {}
    // A report line as the engine gave it and as it is shown (worded for a
    // report-only run); by default the shown line is reported.
    virtual void Reported(const std::string& /*engineLine*/, const std::string& shownLine) {
        Report(shownLine);
    }
    // The end of the run, after its summary went to Progress.
    virtual void Finished(const ScanOutcome& /*outcome*/, int /*exitCode*/,
                          const std::string& /*summary*/) {}
};

// Runs a parsed, valid request and returns the exit code (see scan_outcome.h).
int RunScan(const ScanRequest& request, ScanConsole& console);

}  // namespace kestrone::cli
