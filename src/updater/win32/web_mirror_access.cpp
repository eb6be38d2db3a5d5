#include "web_mirror_access.h"

#include "app/version.h"

namespace kestrone::updater {

namespace {

constexpr DWORD kTimeoutMs = 20000;
constexpr DWORD kChunkSize = 16 * 1024;
// Always the mirror's bytes of now: a cache must not hide a new package, and
// nothing of ours is kept in the user's browser cache or cookies.
constexpr DWORD kFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_PRAGMA_NOCACHE |
                         INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES |
                         INTERNET_FLAG_NO_UI;

bool QueryNumber(HINTERNET request, DWORD what, DWORD& number) {
    DWORD size = sizeof number, index = 0;
    return HttpQueryInfoA(request, what | HTTP_QUERY_FLAG_NUMBER, &number, &size, &index) != FALSE;
}

FetchStatus StatusOfAnswer(HINTERNET request, uint64_t limit) {
    DWORD status = 0;
    if (!QueryNumber(request, HTTP_QUERY_STATUS_CODE, status)) return FetchStatus::Unreachable;
    if (status == HTTP_STATUS_NOT_FOUND || status == 410) return FetchStatus::Missing;
    if (status != HTTP_STATUS_OK) return FetchStatus::Unreachable;
    // A server that announces more than allowed is not read at all.
    DWORD length = 0;
    if (QueryNumber(request, HTTP_QUERY_CONTENT_LENGTH, length) && length > limit)
        return FetchStatus::TooLarge;
    return FetchStatus::Fetched;
}

}  // namespace

WebMirrorAccess::WebMirrorAccess()
    : session_(InternetOpenA("Kestrone-Update/" KESTRONE_VERSION_TEXT, INTERNET_OPEN_TYPE_PRECONFIG,
                             nullptr, nullptr, 0)) {
    if (!session_) return;
    DWORD timeout = kTimeoutMs;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
                         INTERNET_OPTION_SEND_TIMEOUT}) {
        InternetSetOptionA(session_.get(), option, &timeout, sizeof timeout);
    }
}

FetchStatus WebMirrorAccess::Fetch(const Mirror& mirror, const FetchRequest& request,
                                   std::string& bytes) {
    if (!session_) return FetchStatus::Unreachable;
    std::string url = MirrorFileLocation(mirror, request.name);
    InternetHandle answer(InternetOpenUrlA(session_.get(), url.c_str(), nullptr, 0, kFlags, 0));
    if (!answer) return FetchStatus::Unreachable;
    if (FetchStatus status = StatusOfAnswer(answer.get(), request.limit);
        status != FetchStatus::Fetched) {
        return status;
    }
    BoundedDownload download(request.name, request.limit);
    char chunk[kChunkSize];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(answer.get(), chunk, sizeof chunk, &read))
            return FetchStatus::Unreachable;
        if (read == 0) break;
        if (!download.Append(chunk, read)) return FetchStatus::TooLarge;
        if (request.onChunk && !request.onChunk(download.Bytes().size()))
            return FetchStatus::Unreachable;
    }
    bytes = std::move(download.Bytes());
    return FetchStatus::Fetched;
}

}  // namespace kestrone::updater
