// The console of a --json run: findings and the summary go to standard
// output as JSON lines; the lines that name no threat are left out; progress
// and errors still go to standard error as text.
#pragma once

#include "cli/scan_session.h"

namespace kestrone::cli {

class JsonConsole : public ScanConsole {
  public:
    JsonConsole(ScanConsole& text, bool reportOnly) : text_(text), reportOnly_(reportOnly) {}

    void Report(const std::string& line) override { text_.Report(line); }
    void Progress(const std::string& text) override { text_.Progress(text); }
    void Walking(const std::string& path) override { text_.Walking(path); }
    void Reported(const std::string& engineLine, const std::string& shownLine) override;
    void Finished(const ScanOutcome& outcome, int exitCode, const std::string& summary) override;

  private:
    ScanConsole& text_;
    bool reportOnly_;
};

}  // namespace kestrone::cli
