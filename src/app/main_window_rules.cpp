#include "app/main_window_rules.h"

#include <cstring>
#include <cstdlib>

namespace kestrone {

bool StartsInTray(const std::vector<std::string>& argumentsAfterProgram) {
    return !argumentsAfterProgram.empty() && argumentsAfterProgram.front() == kHideSwitch;
}

CloseDecision DecideClose(bool windowVisible, bool canQuit) {
    return CloseDecision{true, windowVisible ? canQuit : true};
}

CloseDecision DecideSessionEnd(bool /*windowVisible*/, bool /*canQuit*/) {
    return CloseDecision{true, true};
}

int RoundHalfToEven(int numerator, int denominator) {
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    int quotient = numerator / denominator;
    int remainder = numerator % denominator;
    if (remainder < 0) {  // make it floor division
        quotient -= 1;
        remainder += denominator;
    }
    int twice = remainder * 2;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0)) quotient += 1;
    return quotient;
}

Point CaptionTitleOrigin(const CaptionTitleMetrics& metrics) {
    int x = metrics.menuHeight + metrics.borderWidth;
    int y = RoundHalfToEven(metrics.captionHeight - std::abs(metrics.fontHeight), 2) + 1;
    return Point{x, y};
}

int FontPixelHeight(int points, int dotsPerInch) {
    // As MulDiv does: rounded to nearest, halves away from zero.
    long long product = static_cast<long long>(points) * dotsPerInch;
    return static_cast<int>((product + 36) / 72);
}

std::string CopyDataText(const char* data, size_t declaredSize) {
    if (data == nullptr) return std::string();
    const void* zero = std::memchr(data, 0, declaredSize);
    size_t length = zero ? static_cast<size_t>(static_cast<const char*>(zero) - data) : declaredSize;
    return std::string(data, length);
}

TextList DriveRoots(const std::string& letters) {
    TextList roots;
    for (char letter : letters) roots.push_back(std::string(1, letter) + ":\\");
    return roots;
}

std::string UsbDetectionLine(const std::string& removableLetters) {
    if (removableLetters.empty()) return "  USB device not found";
    return "  Detected USB device: " + removableLetters;
}

std::string PopupClickTarget(const std::string& popupText) {
    size_t found = popupText.find(":\\");
    if (found == std::string::npos || found == 0) return std::string();
    return popupText.substr(found - 1, 3);
}

std::string TrayTipText(const std::string& definitionsVersionText) {
    std::string tip = std::string(kTrayProtectionHint) + "\nDefinitions " + definitionsVersionText;
    return tip.size() <= kTrayTipLimit ? tip : tip.substr(0, kTrayTipLimit);
}

}  // namespace kestrone
