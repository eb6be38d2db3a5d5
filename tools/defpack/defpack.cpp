// kestrone-defpack: writes the encrypted definitions file (kernel.dll) from its
// plain INI source, for whoever maintains the definitions.
//
// Format: the plaintext length as 8 bytes little-endian, then the plaintext
// encrypted with AES-128 in ECB mode under the key "wren" + 12 zero bytes; the
// last block is filled with zero bytes. The product only ever decrypts.
#include <openssl/evp.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr size_t kBlock = 16;

struct CipherContextDeleter {
    void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};
using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, CipherContextDeleter>;

// The plaintext padded to whole blocks. An empty plaintext still gets one fill
// block: a file holding only the length field is rejected by the decryptor.
std::string PadToBlocks(const std::string& plain) {
    size_t blocks = plain.empty() ? 1 : (plain.size() + kBlock - 1) / kBlock;
    std::string padded = plain;
    padded.resize(blocks * kBlock, '\0');
    return padded;
}

bool Encrypt(const std::string& padded, std::vector<unsigned char>& cipher) {
    unsigned char key[kBlock] = {'w', 'r', 'e', 'n'};
    CipherContext context(EVP_CIPHER_CTX_new());
    if (!context || EVP_EncryptInit_ex(context.get(), EVP_aes_128_ecb(), nullptr, key, nullptr) != 1) {
        return false;
    }
    EVP_CIPHER_CTX_set_padding(context.get(), 0);  // we fill the last block ourselves
    cipher.resize(padded.size() + kBlock);
    int written = 0, finalWritten = 0;
    if (EVP_EncryptUpdate(context.get(), cipher.data(), &written,
                          reinterpret_cast<const unsigned char*>(padded.data()),
                          static_cast<int>(padded.size())) != 1 ||
        EVP_EncryptFinal_ex(context.get(), cipher.data() + written, &finalWritten) != 1) {
        return false;
    }
    cipher.resize(static_cast<size_t>(written + finalWritten));
    return cipher.size() == padded.size();
}

std::string LengthField(uint64_t length) {
    std::string field(8, '\0');
    for (size_t i = 0; i < field.size(); ++i) field[i] = static_cast<char>((length >> (8 * i)) & 0xFF);
    return field;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kestrone-defpack <plain.ini> <out kernel.dll>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "kestrone-defpack: cannot read %s\n", argv[1]);
        return 1;
    }
    std::string plain((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad() || plain.size() > (1u << 30)) {
        std::fprintf(stderr, "kestrone-defpack: cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<unsigned char> cipher;
    if (!Encrypt(PadToBlocks(plain), cipher)) {
        std::fprintf(stderr, "kestrone-defpack: encryption failed\n");
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    std::string header = LengthField(plain.size());
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    out.write(reinterpret_cast<const char*>(cipher.data()), static_cast<std::streamsize>(cipher.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "kestrone-defpack: cannot write %s\n", argv[2]);
        std::remove(argv[2]);
        return 1;
    }
    return 0;
}
