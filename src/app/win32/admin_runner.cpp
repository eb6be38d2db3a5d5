#include "admin_runner.h"

#include "core/record_keeping.h"
#include "core/refusal_report.h"
#include "platform/environment.h"
#include "platform/rights.h"

namespace kestrone::app {

bool AdminRunner::Elevates() { return CanOfferElevation(); }

void AdminRunner::Run(AdminTask task, const TextList& arguments) {
    AdminRequest request{task, arguments, reinterpret_cast<uintptr_t>(form_)};
    if (!Elevates()) {
        if (onResult) onResult(RunAdminTask(request));
        return;
    }
    switch (platform::StartElevated(reinterpret_cast<uintptr_t>(form_),
                                    platform::GetExecutablePath(), FormatAdminParameters(request))) {
        case platform::ElevatedStart::Started:
            return;  // the result comes back as WM_COPYDATA
        case platform::ElevatedStart::Declined:
            if (prompt) prompt(kElevationDeclinedMessage);
            return;
        case platform::ElevatedStart::Failed:
            if (prompt) prompt(kElevationFailedMessage);
            return;
    }
}

bool AdminRunner::OnCopyData(const COPYDATASTRUCT* data) {
    if (!data || data->dwData != kAdminResultTag) return false;
    std::string text(static_cast<const char*>(data->lpData), data->cbData);
    AdminResult result;
    if (ParseAdminResult(text, result) && onResult) onResult(result);
    return true;
}

int RunAdminInstance(const std::vector<std::string>& arguments) {
    AdminRequest request;
    if (!ParseAdminArguments(arguments, request)) return 2;
    AdminResult result;
    {
        // The same data places and records as the tray instance.
        RecordKeeping records;
        result = RunAdminTask(request);
    }
    HWND reply = reinterpret_cast<HWND>(request.replyWindow);
    if (IsWindow(reply)) {
        std::string text = FormatAdminResult(result);
        COPYDATASTRUCT data{kAdminResultTag, static_cast<DWORD>(text.size()), text.data()};
        DWORD_PTR ignored = 0;
        // A hung tray must not keep the elevated copy alive.
        SendMessageTimeoutA(reply, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                            SMTO_ABORTIFHUNG, 30000, &ignored);
    }
    return result.done ? 0 : 1;
}

}  // namespace kestrone::app
