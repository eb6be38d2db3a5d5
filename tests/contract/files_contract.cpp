// Files, folders and drives behave as the Win32 API does.
#include <algorithm>

#include "contract.h"
#include "platform/drives.h"
#include "platform/files.h"

namespace kestrone::contract {
namespace {

using namespace platform;

constexpr uint32_t kRhsd = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrDirectory;

std::vector<std::string> Names(const std::vector<FolderEntry>& entries) {
    std::vector<std::string> names;
    for (const FolderEntry& e : entries) names.push_back(e.name);
    std::sort(names.begin(), names.end());
    return names;
}

using FilesContract = PlatformContract;

TEST_F(FilesContract, ProtectedFilesDeleteOnlyOnceTheirAttributesAreCleared) {
    std::string path = dir + "guard.exe";
    ASSERT_TRUE(WriteTextFile(path, "x"));
    ASSERT_TRUE(SetAttributes(path, kAttrReadOnly | kAttrHidden | kAttrSystem));
    EXPECT_EQ(GetAttributes(path) & kRhsd, kAttrReadOnly | kAttrHidden | kAttrSystem);
    EXPECT_FALSE(RemoveFile(path));
    EXPECT_TRUE(FileExists(path));
    ASSERT_TRUE(SetAttributes(path, kAttrNormal));
    EXPECT_TRUE(RemoveFile(path));
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(GetAttributes(path), kInvalidAttributes);
}

TEST_F(FilesContract, ListingShowsEveryAttributeButNotDotEntries) {
    ASSERT_TRUE(WriteTextFile(dir + "a.exe", ""));
    ASSERT_TRUE(WriteTextFile(dir + "b.EXE", ""));
    ASSERT_TRUE(WriteTextFile(dir + "c.txt", ""));
    ASSERT_TRUE(SetAttributes(dir + "b.EXE", kAttrHidden | kAttrSystem));
    ASSERT_TRUE(MakeFolder(dir + "sub.exe"));
    EXPECT_EQ(Names(ListFolder(dir + "*.exe")), (std::vector<std::string>{"a.exe", "b.EXE", "sub.exe"}));
    EXPECT_EQ(Names(ListFolder(dir + "*.*")).size(), 4u);
    EXPECT_TRUE(ListFolder(dir + "*.zip").empty());
    EXPECT_TRUE(ListFolder(dir + "missing\\*.*").empty());
    for (const FolderEntry& e : ListFolder(dir + "sub.exe")) EXPECT_TRUE(e.IsFolder());
    EXPECT_TRUE(FolderExists(dir + "sub.exe"));
    EXPECT_FALSE(FileExists(dir + "sub.exe"));
}

TEST_F(FilesContract, AFolderFollowedByABackslashLosesOneTrailingDot) {
    ASSERT_TRUE(MakeFolder(dir + "Shield...\\"));
    EXPECT_EQ(Names(ListFolder(dir + "Shield*")), (std::vector<std::string>{"Shield.."}));
    // It is reached again only through the same spelling; "Shield.." alone
    // would lose both dots.
    EXPECT_TRUE(FolderExists(dir + "Shield...\\"));
    EXPECT_FALSE(FolderExists(dir + "Shield.."));
    EXPECT_TRUE(RemoveFolder(dir + "Shield...\\"));
}

TEST_F(FilesContract, StreamsCreateReadAndResize) {
    std::string path = dir + "s.bin";
    FileStream out;
    ASSERT_TRUE(out.Open(path, FileStream::Mode::Create));
    EXPECT_EQ(out.Write("abcdef", 6), 6u);
    EXPECT_TRUE(out.SetSize(10));  // extends with zero bytes
    EXPECT_EQ(out.Size(), 10);
    EXPECT_TRUE(out.SetSize(4));
    out.Close();
    FileStream in;
    ASSERT_TRUE(in.Open(path, FileStream::Mode::Read));
    char buffer[16] = {};
    EXPECT_EQ(in.Read(buffer, sizeof buffer), 4u);
    EXPECT_EQ(std::string(buffer, 4), "abcd");
    EXPECT_EQ(in.Read(buffer, sizeof buffer), 0u);
    std::string error;
    FileStream missing;
    EXPECT_FALSE(missing.Open(dir + "none.bin", FileStream::Mode::Read, &error));
    EXPECT_FALSE(error.empty());
}

TEST_F(FilesContract, AHeldFileCannotBeDeletedButCanBeScheduled) {
    std::string path = dir + "held.exe";
    ASSERT_TRUE(WriteTextFile(path, "running"));
    auto hold = HoldFile(path);
    EXPECT_FALSE(RemoveFile(path));
    EXPECT_TRUE(RemoveFileAtRestart(path));
    EXPECT_TRUE(FileExists(path));
}

TEST_F(FilesContract, CurrentFolderFollowsChanges) {
    std::string saved = GetCurrentFolder();
    ASSERT_TRUE(MakeFolder(dir + "cwd"));
    ASSERT_TRUE(SetCurrentFolder(dir + "cwd"));
    EXPECT_TRUE(FileExists(dir + "cwd\\..\\..\\" + "missing") == false);
    ASSERT_TRUE(WriteTextFile("relative.txt", "r"));
    EXPECT_TRUE(FileExists(dir + "cwd\\relative.txt"));
    ASSERT_TRUE(SetCurrentFolder(saved));
}

TEST(DrivesContract, DriveTypesByRoot) {
    char letter = RemovableDriveLetter();
    std::string root = std::string(1, letter) + ":\\";
    EXPECT_EQ(GetDriveKind(root), static_cast<unsigned>(kDriveRemovable));
    EXPECT_NE(GetLogicalDriveMask() & (1u << (letter - 'A')), 0u);
    EXPECT_EQ(GetDriveKind("C:\\"), static_cast<unsigned>(kDriveFixed));
    EXPECT_EQ(GetDriveKind("?"), static_cast<unsigned>(kDriveNoRootDir));
}

// Moving is how a worm's store of hidden files is emptied back into the root.
TEST_F(FilesContract, EntriesMoveWithWhatTheyHoldAndNeverReplace) {
    ASSERT_TRUE(MakeFolder(dir + "store"));
    ASSERT_TRUE(MakeFolder(dir + "store\\Photos"));
    ASSERT_TRUE(WriteTextFile(dir + "store\\Photos\\beach.jpg", "photo"));
    ASSERT_TRUE(WriteTextFile(dir + "store\\notes.txt", "older"));
    ASSERT_TRUE(WriteTextFile(dir + "notes.txt", "newer"));
    ASSERT_TRUE(SetAttributes(dir + "store\\Photos", kAttrHidden));

    EXPECT_TRUE(MoveEntry(dir + "store\\Photos", dir + "Photos"));
    EXPECT_TRUE(FileExists(dir + "Photos\\beach.jpg"));
    EXPECT_FALSE(FolderExists(dir + "store\\Photos"));
    EXPECT_EQ(GetAttributes(dir + "Photos") & kRhsd, kAttrHidden | kAttrDirectory);  // attributes travel along

    EXPECT_FALSE(MoveEntry(dir + "store\\notes.txt", dir + "notes.txt"));
    std::string text;
    ASSERT_TRUE(ReadWholeFile(dir + "notes.txt", text));
    EXPECT_EQ(text, "newer");
    EXPECT_TRUE(FileExists(dir + "store\\notes.txt"));

    EXPECT_FALSE(MoveEntry(dir + "missing", dir + "elsewhere"));
    EXPECT_FALSE(MoveEntry(dir + "Photos", dir + "Photos\\inside"));
    EXPECT_FALSE(MoveEntry(dir + "store\\notes.txt", dir + "no folder\\notes.txt"));
    {
        std::unique_ptr<FileHold> hold = HoldFile(dir + "store\\notes.txt");
        EXPECT_FALSE(MoveEntry(dir + "store\\notes.txt", dir + "moved.txt"));
    }
    EXPECT_TRUE(MoveEntry(dir + "store\\notes.txt", dir + "moved.txt"));
}

}  // namespace
}  // namespace kestrone::contract
