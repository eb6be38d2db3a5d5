#include "cli/json_lines.h"

#include "core/text.h"
#include "platform/remote_modules.h"
#include "scan/drive_clean.h"
#include "scan/drive_scan.h"
#include "scan/memory_scan.h"

namespace kestrone::cli {

namespace {

std::string Hex4(unsigned value) {
    static const char digits[] = "0123456789abcdef";
    std::string text = "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) text += digits[(value >> shift) & 0xF];
    return text;
}

bool TakeSuffix(const std::string& line, const char* suffix, std::string& before) {
    std::string tail = suffix;
    if (line.size() <= tail.size() || !EndsWith(line, tail)) return false;
    before = line.substr(0, line.size() - tail.size());
    return true;
}

std::string Field(const char* name, const std::string& jsonValue) {
    return std::string("\"") + name + "\":" + jsonValue;
}

}  // namespace

std::string JsonString(const std::u16string& text) {
    std::string json = "\"";
    for (char16_t unit : text) {
        switch (unit) {
            case u'"': json += "\\\""; break;
            case u'\\': json += "\\\\"; break;
            case u'\b': json += "\\b"; break;
            case u'\f': json += "\\f"; break;
            case u'\n': json += "\\n"; break;
            case u'\r': json += "\\r"; break;
            case u'\t': json += "\\t"; break;
            default:
                if (unit < 0x20 || unit >= 0x7F)
                    json += Hex4(unit);  // surrogate halves stay pairs, one escape each
                else
                    json += static_cast<char>(unit);
        }
    }
    return json + "\"";
}

std::string JsonAnsiString(const std::string& ansiText) {
    return JsonString(platform::AnsiToWide(ansiText));
}

bool FindingOfLine(const std::string& engineLine, bool reportOnly, Finding& finding) {
    std::string before;
    // The drive's closing line first: it ends in "cleaned" too.
    if (TakeSuffix(engineLine, kCompletedSuffix, before))
        finding = {"drive", before, ""};
    else if (TakeSuffix(engineLine, kCleanedInMemorySuffix, before))
        finding = {"memory", before, ""};
    else if (TakeSuffix(engineLine, kCleanedSuffix, before))
        finding = {"file", before, ""};
    else
        return false;
    finding.action = reportOnly ? "would be removed" : "removed";
    return true;
}

std::string FindingJson(const Finding& finding, const std::string& shownLine) {
    const char* whereName = finding.kind == "file"     ? "path"
                            : finding.kind == "memory" ? "name"
                                                       : "drive";
    return "{" + Field("type", "\"finding\"") + "," + Field("kind", JsonAnsiString(finding.kind)) +
           "," + Field(whereName, JsonAnsiString(finding.where)) + "," +
           Field("action", JsonAnsiString(finding.action)) + "," +
           Field("line", JsonAnsiString(shownLine)) + "}";
}

std::string SummaryJson(const ScanOutcome& outcome, int exitCode, const std::string& message) {
    return "{" + Field("type", "\"summary\"") + "," + Field("exitCode", std::to_string(exitCode)) +
           "," + Field("threats", std::to_string(outcome.threatLines)) + "," +
           Field("refused", std::to_string(outcome.refusedChanges)) + "," +
           Field("busyDrives", std::to_string(outcome.busyDrives)) + "," +
           Field("reportOnly", outcome.reportOnly ? "true" : "false") + "," +
           Field("message", JsonAnsiString(message)) + "}";
}

}  // namespace kestrone::cli
