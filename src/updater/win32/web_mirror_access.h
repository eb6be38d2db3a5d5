// Web mirrors through WinINet: the system's own HTTP and HTTPS, with the
// proxy the user or the administrator configured for Windows.
#pragma once

#include <windows.h>
#include <wininet.h>

#include "platform/win32/handles.h"
#include "updater/mirror_access.h"

namespace kestrone::updater {

struct InternetTraits {
    using Handle = HINTERNET;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { InternetCloseHandle(h); }
};
using InternetHandle = platform::UniqueHandle<InternetTraits>;

class WebMirrorAccess : public MirrorAccess {
  public:
    WebMirrorAccess();
    FetchStatus Fetch(const Mirror& mirror, const FetchRequest& request,
                      std::string& bytes) override;

  private:
    InternetHandle session_;
};

}  // namespace kestrone::updater
