#include "scrutiny/plays.h"

#include <cstring>
#include <gtest/gtest.h>

#include <unistd.h>

#include "core/byte_sink.h"
#include "core/errors.h"
#include "core/paths.h"
#include "support/columns.h"
#include "support/test_home.h"

namespace tessaline {
namespace {

using Bytes = std::vector<unsigned char>;

using test::Col;

// Expected bytes written from the layout: little-endian fields, one after the other.
void PutI32(Bytes& b, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) {
        b.push_back(static_cast<unsigned char>(u >> (8 * i)));
    }
}
void PutF64(Bytes& b, double v) {
    std::uint64_t u = 0;
    std::memcpy(&u, &v, 8);
    for (int i = 0; i < 8; ++i) {
        b.push_back(static_cast<unsigned char>(u >> (8 * i)));
    }
}
void PutCol(Bytes& b, const Colonna& c) {
    b.insert(b.end(), c.s.begin(), c.s.end());
}

struct TSample {
    TArchivioGiocate archive{7};
    Bytes expected;
    TListaColonne sys1, sys2;
};

// Two coupons, one integral system, two reduced systems of 3 columns each.
void BuildSample(TSample& s) {
    const Colonna a = Col("0120M0120M01"), b = Col("111111111111"), z{};
    s.archive.AggiungiSchedina(a, z, z);
    s.archive.AggiungiSchedina(a, b, a);
    Colonna integral = Col("000000000000");
    integral[0] = integral[5] = kSign0 | kSign1;
    s.archive.AggiungiIntegrale(integral);
    for (const char* t : {"000000000000", "000000000001", "22222222222M"}) {
        s.sys1.Append(Col(t));
        s.sys2.Append(Col(t));
    }
    s.sys2[1][3] = kSign1 | kSign2; // a multi-sign column
    s.archive.AggiungiSistema(s.sys1, 2, 1, 0, 45000.0, 0.5);
    s.archive.AggiungiSistema(s.sys2, 0, 3, 1, 45001.0, 0.75);

    Bytes& e = s.expected;
    PutI32(e, 2);
    PutCol(e, a), PutCol(e, z), PutCol(e, z);
    PutCol(e, a), PutCol(e, b), PutCol(e, a);
    PutI32(e, 1);
    PutCol(e, integral);
    PutI32(e, 2);
    PutI32(e, 2), PutI32(e, 1), PutI32(e, 0), PutF64(e, 45000.0), PutF64(e, 0.5), PutI32(e, 3);
    for (const Colonna& c : s.sys1) {
        PutCol(e, c);
    }
    PutI32(e, 0), PutI32(e, 3), PutI32(e, 1), PutF64(e, 45001.0), PutF64(e, 0.75), PutI32(e, 3);
    for (const Colonna& c : s.sys2) {
        PutCol(e, c);
    }
}

TEST(PlaysFile, ExactBytesAndRoundTrip) {
    test::TTestHome home;
    TSample s;
    BuildSample(s);
    EXPECT_EQ(s.expected.size(), 12u + 36 * 2 + 12 * 1 + 2 * (32 + 12 * 3));
    ASSERT_TRUE(PrepareProgramDir(false));
    s.archive.SalvaArchivio();
    const auto path = home.Path() / "ArchivioGiocate" / "Concorso_7.dat";
    EXPECT_EQ(s.archive.NomeFile(), path);
    EXPECT_EQ(test::ReadBytes(path), s.expected);

    TArchivioGiocate back(7);
    back.CaricaArchivio();
    ASSERT_EQ(back.Schedine().size(), 2u);
    EXPECT_EQ(back.Schedine()[1].colonne[1], Col("111111111111"));
    ASSERT_EQ(back.Integrali().size(), 1u);
    ASSERT_EQ(back.Sistemi().size(), 2u);
    EXPECT_EQ(back.Sistemi()[1].colonne[1], s.sys2[1]);
    EXPECT_EQ(back.Sistemi()[1].triple, 3);
    EXPECT_EQ(back.Sistemi()[1].quadruple, 1);
    EXPECT_DOUBLE_EQ(back.Sistemi()[1].ora, 0.75);
    EXPECT_EQ(back.Serializza(), s.expected);

    // An empty archive is three zero counts.
    TArchivioGiocate empty(8);
    empty.SalvaArchivio();
    EXPECT_EQ(test::ReadBytes(empty.NomeFile()), Bytes(12, 0));
}

TEST(PlaysFile, DamagedFilesReadAsEmpty) {
    test::TTestHome home;
    ASSERT_TRUE(PrepareProgramDir(false));
    TSample s;
    BuildSample(s);
    const auto path = home.Path() / "ArchivioGiocate" / "Concorso_7.dat";
    const auto expectEmpty = [&](const Bytes& bytes, const std::string& what) {
        test::WriteBytes(path, bytes);
        TArchivioGiocate a(7);
        a.AggiungiSchedina({}, {}, {});
        a.CaricaArchivio();
        EXPECT_TRUE(a.Schedine().empty() && a.Integrali().empty() && a.Sistemi().empty()) << what;
    };
    for (std::size_t n = 0; n < s.expected.size(); ++n) {
        expectEmpty(Bytes(s.expected.begin(), s.expected.begin() + static_cast<std::ptrdiff_t>(n)),
                    "truncated to " + std::to_string(n));
    }
    // Impossible counts (coupons at 0, integral systems at 76, reduced systems at 92, the first
    // system's columns at 124): more records than the bytes left could hold, and negative counts.
    const std::pair<std::size_t, std::int32_t> counts[] = {
        {0, 0x7fffffff}, {0, -1}, {0, 3}, {76, 0x10000000}, {92, 1000000}, {92, -5}, {124, 9}, {124, -1}};
    for (const auto& [offset, value] : counts) {
        Bytes bad = s.expected;
        Bytes v;
        PutI32(v, value);
        std::copy(v.begin(), v.end(), bad.begin() + static_cast<std::ptrdiff_t>(offset));
        expectEmpty(bad, "count " + std::to_string(value) + " at " + std::to_string(offset));
    }
    // A missing file, too.
    std::filesystem::remove(path);
    TArchivioGiocate missing(7);
    missing.CaricaArchivio();
    EXPECT_TRUE(missing.Schedine().empty());
    EXPECT_EQ(missing.VolumeGioco(800.0), 0.0);
}

TEST(PlaysFile, FailedSaveKeepsTheOldFile) {
    test::TTestHome home;
    ASSERT_TRUE(PrepareProgramDir(false));
    TSample s;
    BuildSample(s);
    s.archive.SalvaArchivio();
    const auto folder = home.Path() / "ArchivioGiocate";
    TArchivioGiocate other(7);
    other.AggiungiIntegrale(Col("000000000000"));
    // A write that stops part-way (a full disk): the save fails and the previous file stays.
    bool raised = false;
    try {
        TScopedWriteFault fault(4);
        other.SalvaArchivio();
    } catch (const EInOutError&) {
        raised = true;
    }
    EXPECT_TRUE(raised);
    EXPECT_EQ(test::ReadBytes(folder / "Concorso_7.dat"), s.expected);
}

TEST(Plays, VolumeAndGlobalScrutiny) {
    const Colonna w = Col("000000000000");
    TArchivioGiocate a(3);
    a.AggiungiSchedina(w, {}, {}); // one column, two unused slots
    EXPECT_DOUBLE_EQ(a.VolumeGioco(800.0), 800.0);
    Colonna integral = w;
    integral[0] = integral[2] = kSign0 | kSign1; // two doubles
    a.AggiungiIntegrale(integral);
    TListaColonne sys;
    sys.Append(Col("000000000001"));
    Colonna triple = w;
    triple[11] = kSign0 | kSign1 | kSign2;
    sys.Append(triple);
    a.AggiungiSistema(sys, 0, 1, 0);
    TListaColonne sys2;
    sys2.Append(Col("111111111111"));
    a.AggiungiSistema(sys2, 0, 0, 0);
    EXPECT_DOUBLE_EQ(a.VolumeGioco(0.5), 0.5 * (1 + 4 + 1 + 3 + 1));
    EXPECT_GT(a.Sistemi()[0].data, 40000.0); // recorded now
    EXPECT_GE(a.Sistemi()[0].ora, 0.0);
    EXPECT_LT(a.Sistemi()[0].ora, 1.0);

    a.EseguiSpoglio(w);
    EXPECT_EQ(a.VinciteSchedine(), (std::array<std::int64_t, 7>{0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(a.VinciteIntegrali(), (std::array<std::int64_t, 7>{0, 0, 0, 0, 1, 2, 1}));
    EXPECT_EQ(a.Sistemi()[0].vincite, (std::array<std::int64_t, 7>{0, 0, 0, 0, 0, 3, 1}));
    EXPECT_EQ(a.Sistemi()[1].vincite, (std::array<std::int64_t, 7>{1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(a.VinciteSistemi(), (std::array<std::int64_t, 7>{1, 0, 0, 0, 0, 3, 1}));
    // A second scrutiny starts from zero.
    a.EseguiSpoglio(Col("111111111111"));
    EXPECT_EQ(a.VinciteSchedine(), (std::array<std::int64_t, 7>{1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(a.Sistemi()[1].vincite, (std::array<std::int64_t, 7>{0, 0, 0, 0, 0, 0, 1}));
}

TEST(Plays, DateAndTimeTexts) {
    const struct {
        double data, ora;
        const char* day;
        const char* time;
    } cases[] = {{1.0, 0.0, "31/12/1899", "00.00.00"},
                 {45000.0, 0.5, "15/03/2023", "12.00.00"},
                 {36526.0, 0.75 + 1.0 / 86400, "01/01/2000", "18.00.01"}};
    for (const auto& c : cases) {
        EXPECT_EQ(TestoData(c.data), c.day);
        EXPECT_EQ(TestoOra(c.ora), c.time);
    }
}

} // namespace
} // namespace tessaline
