// Every "Aiuto" a window offers has its page: the help contexts named in the windows' sources (help
// context constants and the numbers passed to the help calls) each have data/help/<n>.html, and every
// page the contents page links to exists.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
// GCC 12 sees std::function members of the regex automaton as maybe uninitialized at -O2 with the
// sanitizers (a false report inside the library).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <regex>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
#include <set>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(HelpPages, EveryContextAWindowUsesHasItsPage) {
    const fs::path root = TESSALINE_SOURCE_DIR;
    const fs::path help = root / "data" / "help";
    // kHelp... = 23, OpenHelp(23, ...), ApriGuida(23), OkAnnullaAiuto(this, 23).
    const std::regex uses(
        R"((?:kHelp\w*\s*=\s*|OpenHelp\(\s*|ApriGuida\(\s*|OkAnnullaAiuto\([^,()]+,\s*)(\d+))");
    std::set<int> contexts;
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const fs::path& p = entry.path();
        const std::string text = p.string();
        if (!entry.is_regular_file() || text.find("/ui/") == std::string::npos ||
            text.find("/tests/") != std::string::npos || text.find("/build") != std::string::npos ||
            (p.extension() != ".cpp" && p.extension() != ".h")) {
            continue;
        }
        const std::string source = Read(p);
        for (std::sregex_iterator it(source.begin(), source.end(), uses), end; it != end; ++it) {
            contexts.insert(std::stoi((*it)[1].str()));
            files.insert(p.filename().string());
        }
    }
    // The windows with an "Aiuto" known to need a page are among those found.
    for (const int known : {23, 24, 25, 42, 91, 92}) {
        EXPECT_TRUE(contexts.count(known) == 1) << "context " << known << " not found in the sources";
    }
    for (const int c : contexts) {
        const fs::path page = c == 0 ? help / "index.html" : help / (std::to_string(c) + ".html");
        EXPECT_TRUE(fs::is_regular_file(page)) << page;
        if (fs::is_regular_file(page)) {
            EXPECT_NE(Read(page).find("<h1>"), std::string::npos) << page;
        }
    }
    const std::string index = Read(help / "index.html");
    const std::regex link(R"(href="([^"#]+\.html))");
    for (std::sregex_iterator it(index.begin(), index.end(), link), end; it != end; ++it) {
        EXPECT_TRUE(fs::is_regular_file(help / (*it)[1].str())) << (*it)[1].str();
    }
}

} // namespace
