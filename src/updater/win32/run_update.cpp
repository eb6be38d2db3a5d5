#include "run_update.h"

#include "tell_kestrone.h"
#include "update/definitions_in_use.h"
#include "web_mirror_access.h"

namespace kestrone::updater {

std::string UpdateRun::Message() const {
    return kestroneNote.empty() ? outcome.Message() : outcome.Message() + " " + kestroneNote;
}

UpdateRun RunUpdate(const std::string& packageFolder, UpdateProgress& progress) {
    update::InstallRequest request = MachineInstallRequest();
    UpdateRun run;
    if (!packageFolder.empty()) {
        run.outcome = UpdateFromFolder(request, packageFolder, progress);
    } else {
        WebMirrorAccess web;
        MirrorAccessByKind access(web);
        run.outcome = UpdateFromMirrors(request, ConfiguredMirrors(), access, progress);
    }
    RecordUpdateOutcome(run.outcome);
    if (run.outcome.result == UpdateResult::Installed) {
        progress.Line("Telling Kestrone");
        run.kestroneNote = DescribeTold(TellKestrone());
    }
    return run;
}

std::string InstalledDefinitionsText() {
    return update::DefinitionsVersionText(
        update::FindDefinitionsInUse(update::MachineChoiceRequest()));
}

}  // namespace kestrone::updater
