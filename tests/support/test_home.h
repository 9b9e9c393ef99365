#pragma once
// Every test runs with TESSALINE_HOME pointing at a fresh temporary folder of its own.

#include <filesystem>
#include <string>
#include <vector>

namespace tessaline::test {

// Creates a fresh folder, points TESSALINE_HOME at it for the scope, removes it at the end.
class TTestHome {
public:
    TTestHome();
    ~TTestHome();
    TTestHome(const TTestHome&) = delete;
    TTestHome& operator=(const TTestHome&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

std::vector<unsigned char> ReadBytes(const std::filesystem::path& p);
void WriteBytes(const std::filesystem::path& p, const std::vector<unsigned char>& bytes);
std::string ReadText(const std::filesystem::path& p);

// Runs tessaline-cli with the arguments (shell-quoted by the caller), capturing stdout.
struct TCliResult {
    int status = -1;
    std::string out;
};
TCliResult RunCli(const std::string& arguments);

} // namespace tessaline::test
