// The contract's hooks on the simulated machine.
#include "contract/contract.h"
#include "platform/sim/world.h"

namespace kestrone::contract {

namespace {
class SimHold : public FileHold {
public:
    explicit SimHold(std::string path) : path_(std::move(path)) { sim::TheWorld().Lock(path_); }
    ~SimHold() override { sim::TheWorld().Lock(path_, false); }

private:
    std::string path_;
};
}  // namespace

std::string MakeScratchFolder() {
    sim::World& world = sim::TheWorld();
    world.Reset();
    world.AddDrive('C', platform::kDriveFixed);
    world.AddDrive('E', platform::kDriveRemovable);
    world.AddFolder("C:\\scratch");
    return "C:\\scratch\\";
}

void RemoveScratchFolder(const std::string&) {}

std::unique_ptr<FileHold> HoldFile(const std::string& path) {
    return std::make_unique<SimHold>(path);
}

char RemovableDriveLetter() {
    sim::TheWorld().AddDrive('E', platform::kDriveRemovable);
    sim::TheWorld().AddDrive('C', platform::kDriveFixed);
    return 'E';
}

}  // namespace kestrone::contract
