// Shell requests on the simulated machine: recorded, never run.
#include "platform/shell_exec.h"

#include "platform/sim/process_table.h"

namespace kestrone::platform {

intptr_t ShellExecuteFile(uintptr_t ownerWindow, const std::string& verb, const std::string& file,
                          const std::string& parameters, const std::string& directory,
                          int showCommand) {
    sim::ShellRequest request;
    request.ownerWindow = ownerWindow;
    request.verb = verb;
    request.file = file;
    request.parameters = parameters;
    request.directory = directory;
    request.showCommand = showCommand;
    sim::TheShellLog().Record(request);
    return sim::TheShellLog().fail_ ? 2 : 42;  // ERROR_FILE_NOT_FOUND, or any value above 32
}

uint32_t RunCommandLine(const std::string& commandLine, int showCommand) {
    sim::ShellRequest request;
    request.commandLine = true;
    request.file = commandLine;
    request.showCommand = showCommand;
    sim::TheShellLog().Record(request);
    return sim::TheShellLog().fail_ ? 2 : 33;
}

}  // namespace kestrone::platform
