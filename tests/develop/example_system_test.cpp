// The example system installed with the program (data/Sistemi/esempio1.svs) is made here through
// the engine and its Save. Run with TESSALINE_WRITE_EXAMPLE_SYSTEM=1 to rewrite the file after
// changing the builder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "develop/driver.h"
#include "reference/sample_systems.h"
#include "support/test_home.h"
#include "system/system_file.h"

namespace fs = std::filesystem;

namespace tessaline {
namespace {

const fs::path kExample = fs::path(TESSALINE_SOURCE_DIR) / "data" / "Sistemi" / "esempio1.svs";

TEST(ExampleSystem, InstalledFileComesFromTheBuilder) {
    test::TTestHome home;
    T_Sistema sys;
    test::BuildExampleSystem(sys);
    if (std::getenv("TESSALINE_WRITE_EXAMPLE_SYSTEM") != nullptr) {
        sys.fileName = kExample;
        ASSERT_TRUE(sys.Save());
    }
    const auto bytes = sys.ScriviFile();
    EXPECT_EQ(test::ReadBytes(kExample), std::vector<unsigned char>(bytes.begin(), bytes.end()));
}

TEST(ExampleSystem, DevelopsWithItsOwnSettings) {
    test::TTestHome home;
    T_Sistema sys;
    CaricaSistema(sys, kExample);
    EXPECT_EQ(ColumnsCovered(sys.dati.Forecast), 144);
    const TDevelopResult r = DevelopSystem(sys, {});
    EXPECT_EQ(r.total, 144);
    EXPECT_GT(r.accepted, 0);
    EXPECT_LT(r.accepted, 144);
    EXPECT_GT(sys.Colonne.Count(), 0);
    EXPECT_LT(sys.Colonne.Count(), r.accepted); // reduced

    // Every column left passes the conditions, one by one.
    TInsiemeCondizioni& set = sys.Insieme();
    set.Prepara();
    for (const Colonna& c : sys.Colonne) {
        ExpandColumn(c, [&](const Colonna& single) { EXPECT_TRUE(set.Accetta(single)); });
    }
    // The conditions really restrict: without them more columns are accepted.
    T_Sistema free;
    CaricaSistema(free, kExample);
    free.dati.sviluppo.UseConditions = 0;
    EXPECT_EQ(DevelopSystem(free, {}).accepted, 144);
}

} // namespace
} // namespace tessaline
