// Both ends of a command that needs administrator rights. The tray instance
// asks through AdminRunner: in place when it holds the rights (or the system
// has no user account control), else through a short-lived elevated copy of
// the program; either way the result arrives at the same handler. The
// elevated copy's whole life is RunAdminInstance.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/admin_task.h"

namespace kestrone::app {

class AdminRunner {
  public:
    explicit AdminRunner(HWND form) : form_(form) {}

    // Whether commands that need the rights go through an elevated copy now
    // (their buttons then carry the shield).
    static bool Elevates();

    void Run(AdminTask task, const TextList& arguments);
    // WM_COPYDATA: true when it was an elevated copy's result (then handled).
    bool OnCopyData(const COPYDATASTRUCT* data);

    std::function<void(const AdminResult&)> onResult;
    std::function<void(const std::string&)> prompt;

  private:
    HWND form_;
};

// The elevated copy: the arguments after the program's path when they start
// with "-Admin". Returns the process's exit code (0 done, 1 failed, 2 not a
// command it accepts).
int RunAdminInstance(const std::vector<std::string>& arguments);

}  // namespace kestrone::app
