#include "update/net/package.h"

#include <archive.h>
#include <archive_entry.h>
#include <cstdio>
#include <sodium.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace tessaline {

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t kMaxPackage = std::uintmax_t{512} << 20;

bool ReadAll(const fs::path& path, std::vector<unsigned char>& out, std::uintmax_t limit) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec || size > limit) {
        return false;
    }
    std::FILE* f = std::fopen(path.string().c_str(), "rb");
    if (f == nullptr) {
        return false;
    }
    out.resize(static_cast<std::size_t>(size));
    const bool ok = std::fread(out.data(), 1, out.size(), f) == out.size();
    std::fclose(f);
    return ok;
}

} // namespace

const TChiavePubblica& ChiaveProgramma() {
    static const TChiavePubblica key = {0x0d, 0x08, 0x7c, 0x39, 0x5e, 0x3e, 0x06, 0x64, 0xcc, 0xd4, 0x4b,
                                        0xc7, 0x9b, 0x70, 0xf6, 0x5b, 0x72, 0x31, 0xa8, 0x49, 0x13, 0x77,
                                        0x20, 0xc0, 0x48, 0x52, 0xb3, 0x90, 0x2d, 0xb7, 0xc5, 0xda};
    return key;
}

bool TPacchettoFirmato::VerificaFirma(const fs::path& archive, const fs::path& signature) {
    if (sodium_init() < 0) {
        return false;
    }
    std::vector<unsigned char> data;
    std::vector<unsigned char> sig;
    if (!ReadAll(signature, sig, crypto_sign_BYTES) || sig.size() != crypto_sign_BYTES ||
        !ReadAll(archive, data, kMaxPackage)) {
        return false;
    }
    return crypto_sign_verify_detached(sig.data(), data.data(), data.size(), key_.data()) == 0;
}

bool TPacchettoFirmato::Estrai(const fs::path& archive, const std::string& entry, const fs::path& out) {
    struct archive* a = archive_read_new();
    archive_read_support_filter_all(a);
    archive_read_support_format_all(a);
    archive_read_support_format_raw(a);
    bool found = false;
    bool ok = false;
    if (archive_read_open_filename(a, archive.string().c_str(), 65536) == ARCHIVE_OK) {
        struct archive_entry* e = nullptr;
        while (archive_read_next_header(a, &e) == ARCHIVE_OK) {
            std::string name = archive_entry_pathname(e) != nullptr ? archive_entry_pathname(e) : "";
            if (name.rfind("./", 0) == 0) {
                name.erase(0, 2);
            }
            if (name != entry || archive_entry_filetype(e) != AE_IFREG) {
                continue;
            }
            found = true;
            std::FILE* f = std::fopen(out.string().c_str(), "wb");
            if (f == nullptr) {
                break;
            }
            ok = true;
            std::uintmax_t written = 0;
            char buffer[65536];
            for (;;) {
                const la_ssize_t n = archive_read_data(a, buffer, sizeof buffer);
                if (n == 0) {
                    break;
                }
                written += static_cast<std::uintmax_t>(n);
                if (n < 0 || written > kMaxPackage ||
                    std::fwrite(buffer, 1, static_cast<std::size_t>(n), f) != static_cast<std::size_t>(n)) {
                    ok = false;
                    break;
                }
            }
            ok = std::fclose(f) == 0 && ok && written > 0;
            break;
        }
    }
    archive_read_free(a);
    if (!found || !ok) {
        std::error_code ec;
        fs::remove(out, ec);
        return false;
    }
    return true;
}

fs::path ProgrammaSostituibile() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) {
        return {};
    }
    const fs::path folder = exe.parent_path();
    if (!fs::is_regular_file(folder / "portable", ec) || ::access(folder.c_str(), W_OK) != 0 ||
        ::access(exe.c_str(), W_OK) != 0) {
        return {};
    }
    return exe;
}

} // namespace tessaline
