#include "foundation/safe_write.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

#include "foundation/error.h"

namespace quenlo {

namespace {

Error cannot_create(const std::string& path, const std::string& reason) {
    return Error("Cannot create file \"" + path + "\". " + reason);
}

std::string temporary_name_beside(const std::string& path) {
    std::random_device entropy;
    std::string name = path + ".tmp";
    for (int i = 0; i < 8; ++i) name += "abcdefghijklmnopqrstuvwxyz0123456789"[entropy() % 36];
    return name;
}

}  // namespace

void write_file_safely(const std::string& path, std::string_view bytes) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_directory(path, ec)) throw cannot_create(path, std::strerror(EISDIR));

    std::string temporary;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(nullptr, &std::fclose);
    for (int attempt = 0; attempt < 16 && !file; ++attempt) {
        temporary = temporary_name_beside(path);
        file.reset(std::fopen(temporary.c_str(), "wbx"));  // x: never reuse an existing file
        if (!file && errno != EEXIST) throw cannot_create(path, std::strerror(errno));
    }
    if (!file) throw cannot_create(path, std::strerror(EEXIST));

    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    const int write_error = errno;
    const bool closed = std::fclose(file.release()) == 0;
    if (!written || !closed) {
        fs::remove(temporary, ec);
        throw cannot_create(path, std::strerror(written ? errno : write_error));
    }
    fs::rename(temporary, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw cannot_create(path, ec.message());
    }
}

}  // namespace quenlo
