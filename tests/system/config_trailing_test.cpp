// The trailing block of tagged records after the 731-byte configuration record.

#include <gtest/gtest.h>

#include "core/binary_io.h"
#include "system/config_file.h"

namespace tessaline {
namespace {

std::vector<std::uint8_t> Record(const char* tag, const std::string& payload) {
    TByteWriter w;
    w.Bytes(tag, 4);
    w.U16(static_cast<std::uint16_t>(payload.size()));
    w.Bytes(payload.data(), payload.size());
    return w.Data();
}

TEST(ConfigTrailingBlock, UpdateHostLayoutAndTolerantReading) {
    TProgramSettings s = DefaultSettings();
    const std::vector<std::uint8_t> base = ConfigBytes(s);
    ASSERT_EQ(base.size(), kConfigSize + 11); // the improved-reduction record; the default host writes none

    s.updateHost = "127.0.0.1:2121";
    std::vector<std::uint8_t> expected = base;
    const auto host = Record("HOST", "127.0.0.1:2121");
    expected.insert(expected.end(), host.begin(), host.end());
    EXPECT_EQ(ConfigBytes(s), expected);

    const auto unknown = Record("XTRA", std::string("\x00\x01\x02", 3));
    struct TRow {
        const char* what;
        std::vector<std::vector<std::uint8_t>> records;
        std::size_t cut; // bytes dropped from the end
        std::string host;
    } rows[] = {
        {"no block", {}, 0, kDefaultUpdateHost},
        {"host", {host}, 0, "127.0.0.1:2121"},
        {"unknown record skipped", {unknown, host}, 0, "127.0.0.1:2121"},
        {"truncated record", {host}, 3, kDefaultUpdateHost},
        {"blank host", {Record("HOST", "a b")}, 0, kDefaultUpdateHost},
        {"empty host", {Record("HOST", "")}, 0, kDefaultUpdateHost},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.what);
        std::vector<std::uint8_t> bytes = base;
        for (const auto& r : row.records) {
            bytes.insert(bytes.end(), r.begin(), r.end());
        }
        bytes.resize(bytes.size() - row.cut);
        TProgramSettings read = DefaultSettings();
        read.updateHost = "altro";
        ASSERT_TRUE(ParseConfig(bytes, read));
        EXPECT_EQ(read.updateHost, row.host);
        // The 731-byte record reads the same with or without the block.
        TProgramSettings plain = DefaultSettings();
        ASSERT_TRUE(ParseConfig(std::span(bytes).first(kConfigSize), plain));
        read.updateHost = plain.updateHost;
        EXPECT_EQ(read, plain);
    }
}

} // namespace
} // namespace tessaline
