#include "cli/json_console.h"

#include "cli/json_lines.h"

namespace kestrone::cli {

void JsonConsole::Reported(const std::string& engineLine, const std::string& shownLine) {
    Finding finding;
    if (FindingOfLine(engineLine, reportOnly_, finding))
        text_.Report(FindingJson(finding, shownLine));
}

void JsonConsole::Finished(const ScanOutcome& outcome, int exitCode, const std::string& summary) {
    text_.Report(SummaryJson(outcome, exitCode, summary));
}

}  // namespace kestrone::cli
