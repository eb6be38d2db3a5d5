#include "platform/named_mark.h"

#include <windows.h>

namespace kestrone::platform {

NamedMark::NamedMark(const std::string& name) : name_(name) {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
    DWORD error = GetLastError();
    handle_ = reinterpret_cast<uintptr_t>(mutex);
    first_ = mutex != nullptr && error != ERROR_ALREADY_EXISTS;
}

NamedMark::~NamedMark() {
    if (handle_) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

}  // namespace kestrone::platform
