// Fetching one file of a package from a mirror, never more bytes than the
// caller allows: the limit is the size the signed manifest announced (or the
// format's bound for the signed files themselves), checked on every chunk so
// that a hostile or broken server cannot make us store more than that.
// The web fetch lives in win32/ (WinINet); folders are read here.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "update/package_rules.h"
#include "updater/mirror_list.h"

namespace kestrone::updater {

enum class FetchStatus {
    Fetched,
    Missing,      // the mirror answered: no such file (HTTP 404, no file in the folder)
    Unreachable,  // no answer, a server error, a broken transfer, or stopped by the user
    TooLarge,     // more bytes than allowed: stopped, nothing kept
};

struct FetchRequest {
    std::string name;    // the file's name in the package
    uint64_t limit = 0;  // bytes allowed
    // Bytes received so far; answers false to stop the transfer (the user closed the window).
    std::function<bool(uint64_t received)> onChunk;
};

// Collects a transfer chunk by chunk; the first chunk that passes the limit
// ends it, before its bytes are kept.
class BoundedDownload {
  public:
    BoundedDownload(std::string name, uint64_t limit) : name_(std::move(name)), limit_(limit) {}
    bool Append(const char* bytes, size_t count);
    const update::Verdict& Verdict() const { return verdict_; }
    std::string& Bytes() { return bytes_; }

  private:
    std::string name_;
    uint64_t limit_;
    std::string bytes_;
    update::Verdict verdict_;
};

class MirrorAccess {
  public:
    virtual ~MirrorAccess() = default;
    virtual FetchStatus Fetch(const Mirror& mirror, const FetchRequest& request,
                              std::string& bytes) = 0;
};

// Reads package files from a folder mirror through the platform's file calls.
class FolderMirrorAccess : public MirrorAccess {
  public:
    FetchStatus Fetch(const Mirror& mirror, const FetchRequest& request,
                      std::string& bytes) override;
};

// Folders through FolderMirrorAccess, web mirrors through the given access
// (WinINet in Update.exe, a simulated server in tests).
class MirrorAccessByKind : public MirrorAccess {
  public:
    explicit MirrorAccessByKind(MirrorAccess& web) : web_(web) {}
    FetchStatus Fetch(const Mirror& mirror, const FetchRequest& request,
                      std::string& bytes) override;

  private:
    MirrorAccess& web_;
    FolderMirrorAccess folders_;
};

}  // namespace kestrone::updater
