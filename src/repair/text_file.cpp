#include "repair/text_file.h"

#include "core/errors.h"
#include "core/text.h"
#include "platform/files.h"

namespace kestrone {

void RewriteTextFile(const std::string& path, const std::string& text) {
    platform::FileStream file;
    std::string reason;
    if (!file.Open(path, platform::FileStream::Mode::Create, &reason)) {
        throw EFileError(Format("Cannot create file \"%s\". %s", path.c_str(), reason.c_str()));
    }
    if (file.Write(text.data(), text.size()) != text.size()) {
        throw EStreamError("Stream write error");
    }
}

}  // namespace kestrone
