// The updater's decisions against simulated mirrors: what gets installed,
// what is refused with which words, that a refusal leaves the definitions as
// they were, and which files are fetched at all.
#include "updater/update_flow.h"

#include <gtest/gtest.h>

#include "machine_fixture.h"
#include "updater/mirror_access.h"

namespace kestrone::test {
namespace {

using namespace updater;
using update::Refusal;

// A web server holding packages by URL, sending its files in small chunks.
class SimulatedWeb : public MirrorAccess {
  public:
    void Publish(const std::string& base, const update::PackageBytes& package) {
        files[base + "manifest.txt"] = package.manifestText;
        files[base + "manifest.sig"] = package.manifestSignature;
        if (!package.newKey.empty()) files[base + "newkey"] = package.newKey;
        if (!package.newKey.empty()) files[base + "newkey.sig"] = package.newKeySignature;
        for (const auto& [name, bytes] : package.files) files[base + name] = bytes;
    }
    FetchStatus Fetch(const Mirror& mirror, const FetchRequest& request,
                      std::string& bytes) override {
        std::string url = MirrorFileLocation(mirror, request.name);
        asked.push_back(url);
        if (down.count(mirror.location)) return FetchStatus::Unreachable;
        auto found = files.find(url);
        if (found == files.end()) return FetchStatus::Missing;
        BoundedDownload download(request.name, request.limit);
        for (size_t at = 0; at < found->second.size(); at += 100) {
            std::string chunk = found->second.substr(at, 100);
            if (!download.Append(chunk.data(), chunk.size())) {
                kept += download.Bytes().size();
                return FetchStatus::TooLarge;
            }
            if (request.onChunk && !request.onChunk(download.Bytes().size()))
                return FetchStatus::Unreachable;
        }
        bytes = download.Bytes();
        kept += bytes.size();
        return FetchStatus::Fetched;
    }
    std::map<std::string, std::string> files;
    std::set<std::string> down;
    std::vector<std::string> asked;
    size_t kept = 0;
};

class RecordedProgress : public UpdateProgress {
  public:
    void Line(const std::string& text) override { lines.push_back(text); }
    bool StopRequested() override { return stop; }
    std::vector<std::string> lines;
    bool stop = false;
};

constexpr char kFirst[] = "http://first/defs/";
constexpr char kSecond[] = "https://second/defs/";

class UpdateFlow : public MachineTest {
  protected:
    void SetUp() override {
        MachineTest::SetUp();
        ASSERT_TRUE(InstallOnMachine({.version = 5}).Accepted());
        before = DefinitionsOnDisk();
    }
    UpdateOutcome Check(const std::string& mirrors = std::string(kFirst) + ";" + kSecond) {
        return UpdateFromMirrors(MachineInstallRequest(), ParseMirrorList(mirrors), web, progress);
    }
    bool Asked(const std::string& url) const {
        return std::find(web.asked.begin(), web.asked.end(), url) != web.asked.end();
    }
    SimulatedWeb web;
    RecordedProgress progress;
    std::map<std::string, std::string> before;
};

TEST_F(UpdateFlow, ANewerPackageIsInstalledAndUsedAtTheNextStart) {
    web.Publish(kFirst, MakePackage({.version = 6, .date = "2026-12-08"}));
    UpdateOutcome outcome = Check();
    EXPECT_EQ(outcome.result, UpdateResult::Installed) << outcome.Message();
    EXPECT_EQ(outcome.Message(), "Definitions version 6 of 2026-12-08 are installed.");
    EXPECT_EQ(LoadedThreatList(), "V6");
    EXPECT_FALSE(Asked(std::string(kSecond) + "manifest.txt"));  // done at the first mirror
}

// Each refusal: its words are the foundation's, and not a byte of the installed set changed.
TEST_F(UpdateFlow, RefusedPackagesLeaveTheDefinitionsAsTheyWere) {
    update::PackageBytes tampered = MakePackage({.version = 6});
    tampered.files["kernel.dll"][20] ^= 0x01;
    update::PackageBytes oversized = MakePackage({.version = 6});
    oversized.files["kernel.dll"] += std::string(300, 'x');
    struct Case {
        const char* what;
        update::PackageBytes package;
        Refusal refusal;
    } cases[] = {
        {"older", MakePackage({.version = 4}), Refusal::NotNewer},
        {"expired", MakePackage({.version = 6, .expires = "2026-12-09"}), Refusal::Expired},
        {"tampered definitions", tampered, Refusal::FileHashDiffers},
        {"signed by a stranger", MakePackage({.version = 6, .signer = 'b'}), Refusal::BadSignature},
        {"larger than announced", oversized, Refusal::DownloadTooLarge},
        {"for a newer Kestrone", MakePackage({.version = 6, .minProgram = "9.0"}),
         Refusal::ProgramTooOld},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        web.files.clear();
        web.Publish(kFirst, c.package);
        UpdateOutcome outcome = Check(kFirst);
        EXPECT_EQ(outcome.result, UpdateResult::Refused);
        EXPECT_EQ(outcome.verdict.refusal, c.refusal);
        EXPECT_EQ(outcome.Message(), outcome.verdict.Message());
        EXPECT_NE(outcome.Message().find("The definitions in use stay as they are."),
                  std::string::npos);
        EXPECT_EQ(DefinitionsOnDisk(), before);
        EXPECT_EQ(LoadedThreatList(), "V5");
    }
    // The announced size bounds what is kept of an oversized transfer.
    EXPECT_LE(web.kept, 64u * 1024u);
}

TEST_F(UpdateFlow, TheSameVersionIsAlreadyCurrentAndItsDefinitionsAreNotDownloaded) {
    web.Publish(kFirst, MakePackage({.version = 5}));
    UpdateOutcome outcome = Check(kFirst);
    EXPECT_EQ(outcome.result, UpdateResult::AlreadyCurrent);
    EXPECT_EQ(outcome.version, 5);
    EXPECT_FALSE(Asked(std::string(kFirst) + "kernel.dll"));
    EXPECT_EQ(DefinitionsOnDisk(), before);
}

TEST_F(UpdateFlow, ABadSignatureStopsBeforeTheDefinitionsAreFetched) {
    web.Publish(kFirst, MakePackage({.version = 6, .signer = 'b'}));
    Check(kFirst);
    EXPECT_FALSE(Asked(std::string(kFirst) + "kernel.dll"));
}

TEST_F(UpdateFlow, MirrorsAreTriedInTurnUntilOneInstalls) {
    struct Case {
        const char* what;
        bool firstDown, firstTampered;
    } cases[] = {{"first unreachable", true, false},
                 {"first serves a damaged package", false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        update::PackageBytes first = MakePackage({.version = 6});
        if (c.firstTampered) first.files["kernel.dll"][20] ^= 0x01;
        web.Publish(kFirst, first);
        web.Publish(kSecond, MakePackage({.version = 6}));
        if (c.firstDown) web.down.insert(kFirst);
        UpdateOutcome outcome = Check();
        EXPECT_EQ(outcome.result, UpdateResult::Installed);
        EXPECT_TRUE(Asked(std::string(kFirst) + "manifest.txt"));
        EXPECT_EQ(LoadedThreatList(), "V6");
        TearDown();
        web = SimulatedWeb();
    }
}

TEST_F(UpdateFlow, NoMirrorReachableIsSaidSoAndChangesNothing) {
    web.down.insert(kFirst);  // the second holds no package at all
    UpdateOutcome outcome = Check();
    EXPECT_EQ(outcome.result, UpdateResult::NoMirrorReachable);
    EXPECT_EQ(outcome.Message(),
              "No update mirror could be reached. The definitions in use stay as they are.");
    EXPECT_TRUE(Asked(std::string(kSecond) + "manifest.txt"));
    EXPECT_EQ(DefinitionsOnDisk(), before);
}

TEST_F(UpdateFlow, EntriesThatAreNoMirrorAreShownAsLeftOut) {
    Check("ftp://old/defs;" + std::string(kFirst));
    ASSERT_FALSE(progress.lines.empty());
    EXPECT_EQ(progress.lines[0], "Not a mirror, left out: ftp://old/defs");
}

TEST_F(UpdateFlow, AStoppedCheckInstallsNothing) {
    web.Publish(kFirst, MakePackage({.version = 6}));
    progress.stop = true;
    EXPECT_NE(Check().result, UpdateResult::Installed);
    EXPECT_EQ(DefinitionsOnDisk(), before);
}

// An install beats a refusal, a refusal beats "nothing newer", which beats silence.
TEST(UpdateOutcomeRanking, TheOutcomeThatSaysMostWins) {
    const UpdateResult order[] = {UpdateResult::NoMirrorReachable, UpdateResult::AlreadyCurrent,
                                  UpdateResult::Refused, UpdateResult::Installed};
    for (size_t lower = 0; lower < 4; ++lower) {
        for (size_t higher = lower + 1; higher < 4; ++higher) {
            UpdateOutcome a{order[lower], {}, 0, ""}, b{order[higher], {}, 0, ""};
            EXPECT_EQ(BetterOutcome(a, b).result, order[higher]);
            EXPECT_EQ(BetterOutcome(b, a).result, order[higher]);
        }
    }
}

// A package folder on a disk or share: the same rules, no web access at all.
class FolderUpdate : public UpdateFlow {
  protected:
    void PutPackage(const std::string& folder, const update::PackageBytes& package) {
        world().AddFile(folder + "manifest.txt", package.manifestText);
        world().AddFile(folder + "manifest.sig", package.manifestSignature);
        for (const auto& [name, bytes] : package.files) world().AddFile(folder + name, bytes);
    }
};

TEST_F(FolderUpdate, AFolderMirrorIsReadThroughTheFileSystem) {
    PutPackage("C:\\Share\\defs\\", MakePackage({.version = 7}));
    MirrorAccessByKind access(web);
    UpdateOutcome outcome = UpdateFromMirrors(MachineInstallRequest(),
                                              ParseMirrorList("C:\\Share\\defs"), access, progress);
    EXPECT_EQ(outcome.result, UpdateResult::Installed) << outcome.Message();
    EXPECT_TRUE(web.asked.empty());
    EXPECT_EQ(LoadedThreatList(), "V7");
}

TEST_F(FolderUpdate, AFolderMirrorsOversizedFileIsRefusedWithoutReadingIt) {
    update::PackageBytes package = MakePackage({.version = 7});
    package.files["kernel.dll"] += "tail";
    PutPackage("C:\\Share\\defs\\", package);
    MirrorAccessByKind access(web);
    UpdateOutcome outcome = UpdateFromMirrors(MachineInstallRequest(),
                                              ParseMirrorList("C:\\Share\\defs"), access, progress);
    EXPECT_EQ(outcome.verdict.refusal, Refusal::DownloadTooLarge);
    EXPECT_EQ(DefinitionsOnDisk(), before);
}

TEST_F(FolderUpdate, APickedPackageFolderIsJudgedLikeADownload) {
    struct Case {
        const char* what;
        update::PackageBytes package;
        UpdateResult result;
        const char* loaded;
    } cases[] = {
        {"newer", MakePackage({.version = 8}), UpdateResult::Installed, "V8"},
        {"the same", MakePackage({.version = 5}), UpdateResult::AlreadyCurrent, "V5"},
        {"expired", MakePackage({.version = 8, .expires = "2026-01-01"}), UpdateResult::Refused,
         "V5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        world().AddDrive('E',
                         platform::kDriveRemovable);  // a stick brought from a PC with a network
        PutPackage("E:\\Package\\", c.package);
        UpdateOutcome outcome = UpdateFromFolder(MachineInstallRequest(), "E:\\Package", progress);
        EXPECT_EQ(outcome.result, c.result) << outcome.Message();
        EXPECT_EQ(LoadedThreatList(), c.loaded);
        TearDown();
    }
}

}  // namespace
}  // namespace kestrone::test
