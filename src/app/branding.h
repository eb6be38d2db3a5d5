// The product's names and brand values, and the branding step that puts the
// product name into texts that were stored with the older name.
#pragma once

#include <string>

#include "app/version.h"

namespace kestrone {

// The name the stored captions carry until the branding replaces it.
inline constexpr char kStoredProductName[] = "Pellmark";
inline constexpr char kProductName[] = "Kestrone";

// Our own brand values; they live on a domain reserved for examples.
struct Brand {
    const char* websiteHost;
    const char* websiteAddress;
    const char* company;
    const char* supportEmail;
};
inline constexpr Brand kBrand{"www.example.com", "https://www.example.com/kestrone",
                              "Kestrone Software, example.com", "support@example.com"};

// Texts of the main window that the branding touches.
inline constexpr char kStoredMainCaption[] = "Pellmark V" KESTRONE_SHORT_VERSION_TEXT;
inline constexpr char kStoredAutostartCaption[] = "Run Pellmark when Windows starts";
inline constexpr char kStoredAboutProductLabel[] = "Pellmark";
// Drawn into the caption bar after every non-client paint.
inline constexpr char kCaptionTitle[] = "Kestrone V2.0 Beta3";

// The About page's build line: "Build " and the build number in four digits.
std::string AboutBuildLabel();

// Every occurrence of the stored name (case-sensitive) replaced by the product name.
std::string ApplyBrandName(const std::string& storedText, const std::string& productName);

}  // namespace kestrone
