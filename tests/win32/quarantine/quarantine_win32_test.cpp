// The quarantine store on a real file system: a file of the removable drive
// E: sealed into a store in the temporary folder and restored with its
// attributes; a file held open without sharing is recorded without copy; the
// index is replaced in one step.
#include <gtest/gtest.h>
#include <windows.h>

#include "core/quarantine_store.h"
#include "platform/environment.h"
#include "platform/files.h"

namespace kestrone::test {
namespace {

class QuarantineOnDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        store_ = platform::GetTempFolder() + "kestrone-quarantine-test\\";
        Clear();
        ASSERT_TRUE(platform::MakeFolder(store_));
    }
    void TearDown() override { Clear(); }
    void Clear() {
        for (const auto& entry : platform::ListFolder(store_ + "*"))
            platform::RemoveFile(store_ + entry.name);
        platform::RemoveFolder(store_);
        for (const char* path : {kFile, kOpenFile}) {
            platform::SetAttributes(path, FILE_ATTRIBUTE_NORMAL);
            platform::RemoveFile(path);
        }
    }
    static constexpr char kFile[] = "E:\\kestrone-specimen.exe";
    static constexpr char kOpenFile[] = "E:\\kestrone-held.exe";
    std::string store_;
};

TEST_F(QuarantineOnDisk, SealsAndRestoresBytesAndAttributes) {
    const std::string program = std::string("MZ\x90\0\x03\0\0\0", 8) + "inert test program";
    ASSERT_TRUE(platform::WriteTextFile(kFile, program));
    ASSERT_TRUE(platform::SetAttributes(kFile, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    QuarantineStore store(store_);
    QuarantineEntry entry = store.Keep(kFile, "Drive clean", 1024 * 1024);
    ASSERT_TRUE(entry.kept) << entry.note;
    std::string sealed;
    ASSERT_TRUE(platform::ReadWholeFile(store.SealedPath(entry.number), sealed));
    EXPECT_EQ(sealed.find("inert test program"), std::string::npos);
    EXPECT_NE(sealed.substr(0, 2), "MZ");

    ASSERT_TRUE(platform::SetAttributes(kFile, FILE_ATTRIBUTE_NORMAL));
    ASSERT_TRUE(platform::RemoveFile(kFile));
    EXPECT_EQ(store.Restore(entry.number, false), RestoreOutcome::Restored);
    std::string restored;
    ASSERT_TRUE(platform::ReadWholeFile(kFile, restored));
    EXPECT_EQ(restored, program);
    EXPECT_EQ(platform::GetAttributes(kFile) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY),
              static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(store.Entries().empty());
    EXPECT_FALSE(platform::FileExists(store.SealedPath(entry.number)));
    EXPECT_FALSE(platform::FileExists(store.IndexPath() + ".new"));
}

TEST_F(QuarantineOnDisk, AReadOnlyFileInTheWayIsOnlyReplacedWhenAllowed) {
    ASSERT_TRUE(platform::WriteTextFile(kFile, "quarantined"));
    QuarantineStore store(store_);
    QuarantineEntry entry = store.Keep(kFile, "Full scan", 1024);
    ASSERT_TRUE(entry.kept);
    ASSERT_TRUE(platform::WriteTextFile(kFile, "the user's new file"));
    ASSERT_TRUE(platform::SetAttributes(kFile, FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(store.Restore(entry.number, false), RestoreOutcome::TargetExists);
    std::string content;
    ASSERT_TRUE(platform::ReadWholeFile(kFile, content));
    EXPECT_EQ(content, "the user's new file");
    EXPECT_EQ(store.Restore(entry.number, true), RestoreOutcome::Restored);
    ASSERT_TRUE(platform::ReadWholeFile(kFile, content));
    EXPECT_EQ(content, "quarantined");
}

TEST_F(QuarantineOnDisk, AFileHeldOpenWithoutSharingIsRecordedWithoutCopy) {
    ASSERT_TRUE(platform::WriteTextFile(kOpenFile, "held"));
    HANDLE held = CreateFileA(kOpenFile, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    QuarantineEntry entry = QuarantineStore(store_).Keep(kOpenFile, "Memory scan", 1024);
    CloseHandle(held);
    EXPECT_FALSE(entry.kept);
    EXPECT_EQ(entry.note, "No copy kept: the file could not be read.");
    ASSERT_EQ(QuarantineStore(store_).Entries().size(), 1u);
    EXPECT_EQ(QuarantineStore(store_).Entries()[0].originalPath, kOpenFile);
}

}  // namespace
}  // namespace kestrone::test
