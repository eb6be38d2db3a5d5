// Help.chm beside the program, opened with the system's own reader of
// compiled help files (the InfoTech storage that the help viewer uses): the
// table of contents and every page it names can be read, decompressed.
#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <regex>
#include <set>
#include <string>

// The reader's class and interface; the interface begins with these methods.
// Declared outside any unnamed namespace: the compiler must not conclude that
// no object of it can exist (it is made by the system, not by this program).
const GUID kClsidITStorage = {
    0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const GUID kIidITStorage = {
    0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
struct IITStorage : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD,
                                                                   IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, WCHAR**, DWORD,
                                                     IStorage**) = 0;
};

namespace kestrone::test {
namespace {

// Build paths are host paths; Wine shows the host's root as drive Z:.
std::wstring HostPath(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return path;
}

class HelpFile : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        void* reader = nullptr;
        ASSERT_EQ(CoCreateInstance(kClsidITStorage, nullptr, CLSCTX_INPROC_SERVER, kIidITStorage,
                                   &reader),
                  S_OK);
        reader_ = static_cast<IITStorage*>(reader);
    }
    void TearDown() override {
        if (storage_) storage_->Release();
        if (reader_) reader_->Release();
        storage_ = nullptr;
        reader_ = nullptr;
        CoUninitialize();
    }
    bool Open(const std::wstring& path) {
        if (storage_) storage_->Release();
        storage_ = nullptr;
        return reader_->StgOpenStorage(path.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE,
                                       nullptr, 0, &storage_) == S_OK;
    }
    // A file of the help as the viewer reads it; empty when it cannot be opened.
    std::string Read(const std::string& name) {
        IStream* stream = nullptr;
        std::wstring wide(name.begin(), name.end());
        if (storage_->OpenStream(wide.c_str(), nullptr, STGM_READ, 0, &stream) != S_OK)
            return std::string();
        std::string content;
        char buffer[4096];
        ULONG got = 0;
        while (stream->Read(buffer, sizeof buffer, &got) == S_OK && got > 0)
            content.append(buffer, got);
        stream->Release();
        return content;
    }

    IITStorage* reader_ = nullptr;
    IStorage* storage_ = nullptr;
};

TEST_F(HelpFile, FoundBesideTheProgramAndReadByTheSystemsReader) {
    const std::wstring folder = HostPath(KESTRONE_TEST_BIN_DIR) + L"\\";
    ASSERT_NE(GetFileAttributesW((folder + L"Kestrone.exe").c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(Open(folder + L"Help.chm"));

    std::string contents = Read("toc.hhc");
    ASSERT_NE(contents.find("text/sitemap"), std::string::npos) << contents.substr(0, 200);
    const std::regex local("name=\"Local\" value=\"([^\"]+)\"");
    std::set<std::string> pages;
    for (std::sregex_iterator it(contents.begin(), contents.end(), local), end; it != end; ++it)
        pages.insert((*it)[1].str());
    for (const char* page : {"index.html", "scan.html", "threat-actions.html", "tips.html",
                             "data-files.html", "command-line.html", "after-infection.html"})
        EXPECT_TRUE(pages.count(page)) << page << " is not in the table of contents";
    for (const std::string& page : pages) {
        std::string html = Read(page);
        EXPECT_NE(html.find("<title>"), std::string::npos) << page << " cannot be read";
    }
    EXPECT_NE(Read("index.html").find("<title>What Kestrone does</title>"), std::string::npos);
}

TEST_F(HelpFile, AFileOfAnotherKindIsRefused) {
    const std::wstring folder = HostPath(KESTRONE_TEST_BIN_DIR) + L"\\";
    EXPECT_FALSE(Open(folder + L"Process.dat"));
    EXPECT_FALSE(Open(folder + L"NoSuchHelp.chm"));
}

}  // namespace
}  // namespace kestrone::test
