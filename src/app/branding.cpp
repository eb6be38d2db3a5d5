#include "app/branding.h"

#include "core/text.h"

namespace kestrone {

std::string AboutBuildLabel() { return Format("Build %04d", KESTRONE_VERSION_BUILD); }

std::string ApplyBrandName(const std::string& storedText, const std::string& productName) {
    const std::string from = kStoredProductName;
    std::string result;
    size_t start = 0;
    for (size_t found; (found = storedText.find(from, start)) != std::string::npos;
         start = found + from.size()) {
        result.append(storedText, start, found - start);
        result += productName;
    }
    result.append(storedText, start, std::string::npos);
    return result;
}

}  // namespace kestrone
