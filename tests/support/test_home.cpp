#include "support/test_home.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace tessaline::test {

TTestHome::TTestHome() {
    std::random_device rd;
    path_ = fs::temp_directory_path() / ("tessaline-test-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(path_);
    setenv("TESSALINE_HOME", path_.c_str(), 1);
}

TTestHome::~TTestHome() {
    std::error_code ec;
    fs::remove_all(path_, ec);
    unsetenv("TESSALINE_HOME");
}

std::vector<unsigned char> ReadBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& p, const std::vector<unsigned char>& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TCliResult RunCli(const std::string& arguments) {
    TCliResult r;
    const std::string cmd = std::string("'") + TESSALINE_CLI_PATH + "' " + arguments + " 2>/dev/null";
    std::FILE* p = popen(cmd.c_str(), "r");
    if (p == nullptr) {
        return r;
    }
    std::array<char, 4096> buf{};
    std::size_t n = 0;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) {
        r.out.append(buf.data(), n);
    }
    const int status = pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

} // namespace tessaline::test
