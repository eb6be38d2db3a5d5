#include "core/decryption.h"

#include <algorithm>

#include "core/definitions.h"
#include "core/errors.h"
#include "core/path_macros.h"
#include "core/shell.h"
#include "update/definitions_in_use.h"

namespace kestrone {

namespace {

constexpr int64_t kBlock = static_cast<int64_t>(kAesBlockSize);
constexpr size_t kLengthFieldSize = 8;

// Shown (UTF-8) when an encrypted data file is not beside the executable,
// typically because the program was started from inside an archive.
constexpr char kMissingDataCaption[] = "\xE6\x8F\x90\xE7\xA4\xBA";  // "提示"
constexpr char kMissingDataText[] =
    "\xE6\x95\xB0\xE6\x8D\xAE\xE6\x96\x87\xE4\xBB\xB6\xE5\xB7\xB2\xE7\xBB\x8F\xE4\xB8\xA2"
    "\xE5\xA4\xB1\xEF\xBC\x8C\xE8\xAF\xB7\xE5\xB0\x86\xE8\xBD\xAF\xE4\xBB\xB6\xE8\xA7\xA3"
    "\xE5\x8E\x8B\xE5\x88\xB0\xE6\x96\x87\xE4\xBB\xB6\xE5\xA4\xB9\xE4\xB9\x8B\xE5\x90\x8E"
    "\xE5\x86\x8D\xE4\xBD\xBF\xE7\x94\xA8";  // "数据文件已经丢失，请将软件解压到文件夹之后再使用"

int64_t ReadLengthField(platform::FileStream& source) {
    uint8_t field[kLengthFieldSize];
    if (source.Read(field, sizeof field) != sizeof field) throw EStreamError("Stream read error");
    uint64_t value = 0;
    for (size_t i = kLengthFieldSize; i-- > 0;) value = (value << 8) | field[i];
    return static_cast<int64_t>(value);
}

platform::FileStream OpenOrThrow(const std::string& path, platform::FileStream::Mode mode) {
    platform::FileStream stream;
    std::string reason;
    if (!stream.Open(path, mode, &reason)) {
        const char* format = mode == platform::FileStream::Mode::Read ? "Cannot open file \"%s\". %s"
                                                                      : "Cannot create file \"%s\". %s";
        throw EFileError(Format(format, path.c_str(), reason.c_str()));
    }
    return stream;
}

}  // namespace

bool MakeDecryptionKey(const std::string& password, int keySizeSelector, std::string& key) {
    static constexpr size_t kKeyLengths[] = {16, 24, 32};
    if (keySizeSelector < kKeySize128 || keySizeSelector > kKeySize256) return false;
    key.assign(kKeyLengths[keySizeSelector], '\0');
    std::copy_n(password.begin(), std::min(key.size(), password.size()), key.begin());
    return true;
}

// The length field is trusted within reason: a copy shorter than what was
// decrypted cuts the fill of the last block, and a copy up to one block longer
// is extended with zero bytes, as the format has always allowed. A length beyond
// that cannot come from any packer; followed blindly it would let an 8-byte file
// fill the user's disk with zeros, so it is held at one block past the data.
// A negative length carries no usable size: the decrypted bytes are kept.
int64_t PlainCopyLength(int64_t declaredLength, int64_t decryptedBytes) {
    if (declaredLength < 0) return decryptedBytes;
    return std::min(declaredLength, decryptedBytes + kBlock);
}

void DecryptStreamECB(platform::FileStream& source, int64_t count,
                      const AesDecryptionSchedule& schedule, platform::FileStream& destination) {
    if (count != 0) {
        int64_t left = std::max<int64_t>(0, source.Size() - source.Position());
        count = std::min(count, left);
    } else {
        source.Seek(0);
        count = source.Size();
    }
    if (count == 0) return;
    if (count < 0 || count % kBlock != 0) throw EAESError("Invalid buffer size for decryption");

    AesBlock block;
    for (; count >= kBlock; count -= kBlock) {
        if (source.Read(block.data(), block.size()) != block.size()) {
            throw EStreamError("Stream read error");
        }
        schedule.DecryptBlock(block.data(), block.data());
        if (destination.Write(block.data(), block.size()) != block.size()) {
            throw EStreamError("Stream write error");
        }
    }
}

void DecryptFile(const std::string& source, const std::string& destination,
                 const std::string& password, int keySizeSelector) {
    platform::FileStream input = OpenOrThrow(source, platform::FileStream::Mode::Read);
    int64_t declaredLength = ReadLengthField(input);
    // A program kept in the temporary folder itself would otherwise replace its
    // own encrypted definitions by an empty file. Windows refuses the same way
    // when the source is held without sharing.
    if (SameText(source, destination)) {
        throw EFileError(Format("Cannot create file \"%s\". %s", destination.c_str(),
                                "The process cannot access the file because it is being used by "
                                "another process"));
    }
    platform::FileStream output = OpenOrThrow(destination, platform::FileStream::Mode::Create);

    std::string key;
    if (!MakeDecryptionKey(password, keySizeSelector, key)) return;
    AesDecryptionSchedule schedule(reinterpret_cast<const uint8_t*>(key.data()), key.size());
    DecryptStreamECB(input, input.Size() - static_cast<int64_t>(kLengthFieldSize), schedule, output);

    int64_t length = PlainCopyLength(declaredLength, output.Size());
    if (length != output.Size() && !output.SetSize(length)) throw EStreamError("Stream write error");
}

void DecryptDataFiles(const TextList& names) {
    for (const std::string& name : names) {
        // kernel.dll may come from an installed update (see update/definitions_in_use.h).
        std::string source = update::EncryptedDataFileSource(name);
        if (platform::FileExists(source)) {
            DecryptFile(source, GetTempDir() + name, kDataFilePassword, kKeySize128);
        } else {
            Shell().ShowSystemMessage(kMissingDataCaption, kMissingDataText);
            Shell().RequestQuit();
        }
    }
}

void DecryptDataFiles() { DecryptDataFiles(SplitList(kEncryptedDataFiles, ',')); }

}  // namespace kestrone
