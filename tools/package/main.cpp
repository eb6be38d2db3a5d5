// kestrone-package: makes a signed definitions package for Kestrone's updater,
// for whoever publishes the definitions. The package format is described in
// src/update/manifest.h; this tool writes it with the same code the product
// reads it with.
//
//   kestrone-package build --out <folder> --key <publisher.pem> --version <n>
//       --date <YYYY-MM-DD> --expires <YYYY-MM-DD> --min-program <x.y.z.w>
//       (--definitions <plain.ini> [--packer <kestrone-defpack>] | --kernel <kernel.dll>)
//       [--new-key <next.pem> [--sign-with-new-key]]
//   kestrone-package public-key <key.pem> [<out.blob>]
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "common/host_files.h"
#include "keys.h"
#include "update/manifest.h"

namespace {

using namespace kestrone;
using Options = std::map<std::string, std::string>;

int Fail(const std::string& message) {
    std::fprintf(stderr, "kestrone-package: %s\n", message.c_str());
    return 1;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: kestrone-package build --out <folder> --key <publisher.pem> --version <n>\n"
                 "           --date <YYYY-MM-DD> --expires <YYYY-MM-DD> --min-program <x.y.z.w>\n"
                 "           (--definitions <plain.ini> [--packer <kestrone-defpack>] | --kernel <kernel.dll>)\n"
                 "           [--new-key <next.pem> [--sign-with-new-key]]\n"
                 "       kestrone-package public-key <key.pem> [<out.blob>]\n");
    return 2;
}

bool ParseOptions(int argc, char** argv, int first, Options& options) {
    for (int i = first; i < argc; ++i) {
        std::string name = argv[i];
        if (name.rfind("--", 0) != 0) return false;
        if (name == "--sign-with-new-key") {
            options[name] = "yes";
        } else if (i + 1 < argc) {
            options[name] = argv[++i];
        } else {
            return false;
        }
    }
    return true;
}

// The definitions packer encrypts; we only run it (no shell, no quoting).
bool RunPacker(const std::string& packer, const std::string& plain, const std::string& packed) {
    pid_t child = fork();
    if (child == 0) {
        execl(packer.c_str(), packer.c_str(), plain.c_str(), packed.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string DefaultPacker(const char* self) {
    return (std::filesystem::path(self).parent_path() / ".." / "defpack" / "kestrone-defpack").string();
}

bool MakeKernel(const Options& options, const char* self, const std::string& out, std::string& kernel,
                std::string& problem) {
    std::string target = out + "/" + update::kDefinitionsName;
    if (options.count("--kernel")) {
        if (!tools::ReadHostFile(options.at("--kernel"), kernel)) problem = "cannot read " + options.at("--kernel");
        return problem.empty() && tools::WriteHostFile(target, kernel);
    }
    if (!options.count("--definitions")) {
        problem = "give --definitions or --kernel";
        return false;
    }
    std::string packer = options.count("--packer") ? options.at("--packer") : DefaultPacker(self);
    if (!RunPacker(packer, options.at("--definitions"), target) || !tools::ReadHostFile(target, kernel)) {
        problem = "the definitions packer (" + packer + ") failed";
        return false;
    }
    return true;
}

// The manifest text, read back with the product's own parser before anything
// is signed: a package the product would refuse is never published.
bool MakeManifest(const Options& options, const std::string& kernel, std::string& text, std::string& problem) {
    update::Manifest manifest;
    try {
        manifest.version = std::stoll(options.at("--version"));
        manifest.date = options.at("--date");
        manifest.expires = options.at("--expires");
        manifest.minProgram = options.at("--min-program");
    } catch (const std::exception&) {
        problem = "--version, --date, --expires and --min-program are all needed";
        return false;
    }
    manifest.files.push_back({update::kDefinitionsName, kernel.size(), tools::Sha256Hex(kernel)});
    text = update::FormatManifest(manifest);
    update::Manifest check;
    if (!update::ParseManifest(text, check, problem)) return false;
    return true;
}

bool WriteSigned(const std::string& path, const std::string& bytes, EVP_PKEY* key, const std::string& sigPath) {
    std::string signature = tools::SignBytes(key, bytes);
    return !signature.empty() && tools::WriteHostFile(path, bytes) && tools::WriteHostFile(sigPath, signature);
}

int Build(const Options& options, const char* self) {
    std::string problem;
    if (!options.count("--out") || !options.count("--key")) return Usage();
    const std::string out = options.at("--out");
    tools::PemKey key = tools::ReadPemKey(options.at("--key"), false, problem);
    if (!key) return Fail(problem);
    tools::PemKey next;
    if (options.count("--new-key") && !(next = tools::ReadPemKey(options.at("--new-key"), true, problem))) {
        return Fail(problem);
    }
    std::error_code error;
    std::filesystem::create_directories(out, error);
    std::string kernel, manifest;
    if (!MakeKernel(options, self, out, kernel, problem)) return Fail(problem.empty() ? "cannot write " + out : problem);
    if (!MakeManifest(options, kernel, manifest, problem)) return Fail("the manifest would be refused: " + problem);
    std::filesystem::remove(out + "/" + update::kNewKeyName, error);
    std::filesystem::remove(out + "/" + update::kNewKeySignatureName, error);
    if (next && !WriteSigned(out + "/" + update::kNewKeyName, tools::PublicKeyBlob(next.get()), key.get(),
                             out + "/" + update::kNewKeySignatureName)) {
        return Fail("cannot write the new key");
    }
    // A private next key may sign the rollover package itself; older
    // programs learn the key from newkey in the same package.
    EVP_PKEY* signer = options.count("--sign-with-new-key") ? next.get() : key.get();
    if (!signer) return Fail("--sign-with-new-key needs --new-key");
    if (!WriteSigned(out + "/" + update::kManifestName, manifest, signer, out + "/" + update::kManifestSignatureName)) {
        return Fail("cannot sign with this key, or cannot write " + out);
    }
    return 0;
}

int PublicKey(int argc, char** argv) {
    std::string problem;
    tools::PemKey key = tools::ReadPemKey(argv[2], true, problem);
    if (!key) return Fail(problem);
    std::string blob = tools::PublicKeyBlob(key.get());
    if (argc == 4) return tools::WriteHostFile(argv[3], blob) ? 0 : Fail(std::string("cannot write ") + argv[3]);
    // The lines for src/update/publisher_key.cpp.
    for (size_t i = 0; i < blob.size(); i += 24) {
        std::printf("        \"");
        for (size_t j = i; j < blob.size() && j < i + 24; ++j) std::printf("\\x%02x", static_cast<unsigned char>(blob[j]));
        std::printf("\"\n");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "public-key" && (argc == 3 || argc == 4)) return PublicKey(argc, argv);
    Options options;
    if (command == "build" && ParseOptions(argc, argv, 2, options)) return Build(options, argv[0]);
    return Usage();
}
