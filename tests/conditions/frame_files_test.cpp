// The frame record, "*.QDR" and "*.CND" files: exact bytes, insertion order, damaged input.

#include <gtest/gtest.h>

#include "conditions/condition_set.h"
#include "conditions/frame.h"
#include "conditions/frame_editor.h"
#include "conditions/sign_count.h"
#include "core/errors.h"
#include "helpers.h"
#include "support/test_home.h"

namespace fs = std::filesystem;

namespace tessaline {
namespace {

void AppendI32(std::vector<std::uint8_t>& b, std::int32_t v) {
    for (int i = 0; i < 4; ++i) {
        b.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
    }
}

void AppendName(std::vector<std::uint8_t>& b, const std::string& cp1252, std::size_t width) {
    b.push_back(static_cast<std::uint8_t>(cp1252.size()));
    b.insert(b.end(), cp1252.begin(), cp1252.end());
    b.insert(b.end(), width - 1 - cp1252.size(), 0);
}

// "Numero Di Segni" record: code 1, Attivato, four N = 12 tables; "Segni 0" admits zeros.
std::vector<std::uint8_t> SegniBytes(int zeros, bool attivato, bool attiva) {
    std::vector<std::uint8_t> b = {kCodNumeroSegni, static_cast<std::uint8_t>(attivato ? 1 : 0)};
    test::TSectionSpec pt;
    pt.attiva = attiva ? 1 : 0;
    pt.entries = {{zeros, {kAmmesso, 0}}};
    const auto t0 = test::TableBytes(12, pt, {});
    b.insert(b.end(), t0.begin(), t0.end());
    for (int i = 0; i < 3; ++i) {
        const auto t = test::EmptyTableBytes(12);
        b.insert(b.end(), t.begin(), t.end());
    }
    return b;
}

std::unique_ptr<TCondNumeroSegni> Segni(TInsiemeCondizioni& set, int zeros) {
    auto c = std::make_unique<TCondNumeroSegni>(&set);
    c->Tabella(0).Imposta(false, zeros, kAmmesso);
    return c;
}

TEST(FrameRecord, ExactBytes) {
    TInsiemeCondizioni set;
    TCondQuadro f(&set, "Quadro è");
    f.Commento = {"riga uno", ""};
    f.Aggiungi(Segni(set, 3));
    f.Item(0).Attivato = false;
    f.Aggiungi(std::make_unique<TCondQuadro>(&set, "Sub Quadro"));
    f.ImpostaRelazione(kRelOr);
    f.Attivato = false;

    std::vector<std::uint8_t> expected = {kCodQuadro};
    AppendName(expected, "Quadro \xE8", 256);
    expected.push_back(1);      // Preset
    expected.push_back(kRelOr); // Relazione
    expected.push_back(0);      // Attivato
    test::TSectionSpec pt;      // OR over two items: 1 and 2; Attiva as last derived (never yet)
    pt.entries = {{1, {kAmmesso, 0}}, {2, {kAmmesso, 0}}};
    const auto table = test::TableBytes(kMaxVociQuadro, pt, {});
    ASSERT_EQ(table.size(), 4024u);
    expected.insert(expected.end(), table.begin(), table.end());
    AppendI32(expected, 8);
    expected.insert(expected.end(), {'r', 'i', 'g', 'a', ' ', 'u', 'n', 'o'});
    AppendI32(expected, 0);
    AppendI32(expected, -1);
    const auto item = SegniBytes(3, false, false);
    expected.insert(expected.end(), item.begin(), item.end());
    // The empty sub-frame: AND over no items admits 0.
    expected.push_back(kCodQuadro);
    AppendName(expected, "Sub Quadro", 256);
    expected.insert(expected.end(), {1, kRelAnd, 1});
    test::TSectionSpec zero;
    zero.entries = {{0, {kAmmesso, 0}}};
    const auto subTable = test::TableBytes(kMaxVociQuadro, zero, {});
    expected.insert(expected.end(), subTable.begin(), subTable.end());
    AppendI32(expected, -1);
    expected.push_back(100);
    expected.push_back(100);

    TByteWriter w;
    ASSERT_TRUE(f.Scrivi(w));
    EXPECT_EQ(w.Data(), expected);
    EXPECT_EQ(TCondQuadro::kDimensioneFissa, 4283u);
    EXPECT_EQ(1 + TCondQuadro::kDimensioneFissa + 4 + 1, 4289u); // an empty frame without comment

    // Read back through the factory: the same bytes again.
    TByteReader r(expected);
    std::uint8_t code = 0;
    ASSERT_TRUE(r.U8(code));
    auto back = CreaCondizione(code, &set);
    ASSERT_NE(back, nullptr);
    ASSERT_TRUE(back->Leggi(r));
    EXPECT_TRUE(r.AtEnd());
    TByteWriter again;
    back->Scrivi(again);
    EXPECT_EQ(again.Data(), expected);
    const auto& q = dynamic_cast<TCondQuadro&>(*back);
    EXPECT_EQ(q.Nome, "Quadro è");
    EXPECT_EQ(q.Commento, f.Commento);
    EXPECT_FALSE(q.Attivato);
    EXPECT_EQ(q.Relazione, kRelOr);
    ASSERT_EQ(q.Count(), 2u);
    EXPECT_FALSE(q.Item(0).Attivato);
}

TEST(FrameRecord, DamagedRecordsFailAndLeaveTheFrame) {
    TInsiemeCondizioni set;
    TCondQuadro f(&set);
    f.Commento = {"nota"};
    f.Aggiungi(Segni(set, 2));
    auto sub = std::make_unique<TCondQuadro>(&set, "Sub Quadro");
    sub->Aggiungi(Segni(set, 4));
    f.Aggiungi(std::move(sub));
    TByteWriter w;
    f.Scrivi(w);
    const std::vector<std::uint8_t>& bytes = w.Data();

    for (std::size_t n = 1; n < bytes.size(); ++n) {
        TCondQuadro target(&set, "Intatto");
        TByteReader r(std::span<const std::uint8_t>(bytes.data() + 1, n - 1));
        EXPECT_FALSE(target.Leggi(r)) << n;
        EXPECT_EQ(target.Nome, "Intatto");
        EXPECT_EQ(target.Count(), 0u);
    }
    // Garbage in fields that have few meanings.
    struct Corruption {
        std::size_t offset;
        std::uint8_t value;
    } corruptions[] = {
        {1 + 256 + 1, 4},                              // relation past NOT
        {1 + TCondQuadro::kDimensioneFissa + 12, 77},  // unknown item code
        {1 + TCondQuadro::kDimensioneFissa + 3, 0x80}, // negative comment length
        {1 + TCondQuadro::kDimensioneFissa + 2, 0x7F}, // comment past the end
    };
    for (const Corruption& c : corruptions) {
        std::vector<std::uint8_t> bad = bytes;
        bad[c.offset] = c.value;
        TCondQuadro target(&set, "Intatto");
        TByteReader r(std::span<const std::uint8_t>(bad.data() + 1, bad.size() - 1));
        EXPECT_FALSE(target.Leggi(r)) << c.offset;
        EXPECT_EQ(target.Nome, "Intatto");
    }
}

// A frame holding a frame holding ... depth frames in all.
std::vector<std::uint8_t> NestedFrames(int depth) {
    TInsiemeCondizioni set;
    auto inner = std::make_unique<TCondQuadro>(&set);
    for (int d = 1; d < depth; ++d) {
        auto outer = std::make_unique<TCondQuadro>(&set);
        outer->Aggiungi(std::move(inner));
        inner = std::move(outer);
    }
    TByteWriter w;
    inner->Scrivi(w);
    return w.Data();
}

TEST(FrameRecord, NestingDepthIsBounded) {
    for (const auto& [depth, ok] : {std::pair{64, true}, std::pair{65, false}}) {
        TInsiemeCondizioni set;
        const auto bytes = NestedFrames(depth);
        TByteReader r(std::span<const std::uint8_t>(bytes.data() + 1, bytes.size() - 1));
        TCondQuadro f(&set);
        EXPECT_EQ(f.Leggi(r), ok) << depth;
    }
    // Lists nest under the same bound: 7, 1, 7, 1, ... never reaches an end byte in a sane depth.
    std::vector<std::uint8_t> lists;
    for (int i = 0; i < 100000; ++i) {
        lists.push_back(kCodGruppoConsecutivita);
        lists.push_back(1);
    }
    TInsiemeCondizioni set;
    TByteReader r(std::span<const std::uint8_t>(lists.data() + 1, lists.size() - 1));
    EXPECT_FALSE(set.Slot(kCodGruppoConsecutivita)->Leggi(r));
}

TEST(FrameFiles, QdrSavesAndLoadsIntoSlot13) {
    test::TTestHome home;
    TInsiemeCondizioni set;
    TModelloQuadro m(set);
    m.Corrente().Nome = "Mio Quadro";
    m.Corrente().Aggiungi(Segni(set, 1));
    const fs::path file = home.Path() / "a.QDR";
    m.SalvaQuadro(file);
    TByteWriter w;
    m.Corrente().Scrivi(w);
    EXPECT_EQ(test::ReadBytes(file), std::vector<unsigned char>(w.Data().begin(), w.Data().end()));

    TInsiemeCondizioni other;
    TModelloQuadro m2(other);
    m2.Corrente().Aggiungi(Segni(other, 5));
    EXPECT_TRUE(m2.ChiedeConfermaCarica());
    m2.CaricaQuadro(file);
    EXPECT_EQ(other.SlotAs<TCondQuadro>(kCodQuadro)->Nome, "Mio Quadro");
    EXPECT_EQ(&m2.Corrente(), other.SlotAs<TCondQuadro>(kCodQuadro));
    EXPECT_EQ(m2.Corrente().Count(), 1u);

    // A record of another code, or a cut file: the message, slot 13 untouched.
    for (std::vector<unsigned char> bad : {std::vector<unsigned char>{1, 1}, test::ReadBytes(file)}) {
        if (bad.size() > 2) {
            bad.resize(bad.size() - 1);
        }
        test::WriteBytes(file, bad);
        try {
            m2.CaricaQuadro(file);
            FAIL();
        } catch (const EInOutError& e) {
            EXPECT_STREQ(e.what(), "Impossibile Caricare Il Quadro");
        }
        EXPECT_EQ(m2.Corrente().Nome, "Mio Quadro");
    }
    try {
        m.SalvaQuadro(home.Path() / "nope" / "a.QDR");
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Salvare Il Quadro");
    }
    EXPECT_EQ(NomeQuadroNuovo(), home.Path() / "QUADRI" / "SenzaNom.QDR");
}

TEST(FrameFiles, CndWritesSelectedAndInsertsInFileOrder) {
    test::TTestHome home;
    TInsiemeCondizioni set;
    TModelloQuadro m(set);
    TCondQuadro& f = m.Corrente();
    for (int z = 0; z < 4; ++z) {
        f.Aggiungi(Segni(set, z));
    }
    f.Item(1).Selezionato = true;
    f.Item(3).Selezionato = true;
    const fs::path file = home.Path() / "c.CND";
    m.SalvaCondizioni(file);
    std::vector<std::uint8_t> expected = SegniBytes(1, true, false);
    const auto second = SegniBytes(3, true, false);
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(test::ReadBytes(file), std::vector<unsigned char>(expected.begin(), expected.end()));

    // A frame shorter than the cards: at the end. Zero counts stand for the items.
    auto zerosOf = [](const TCondQuadro& q) {
        std::vector<int> z;
        for (std::size_t i = 0; i < q.Count(); ++i) {
            const auto& t = dynamic_cast<const TCondNumeroSegni&>(q.Item(i)).Tabella(0);
            for (int v = 0; v <= 12; ++v) {
                if (t.Pt.Voci[static_cast<std::size_t>(v)].Stato == kAmmesso) {
                    z.push_back(v);
                }
            }
        }
        return z;
    };
    EXPECT_EQ(m.CaricaCondizioni(file), 2u);
    EXPECT_EQ(zerosOf(f), (std::vector<int>{0, 1, 2, 3, 1, 3}));
    EXPECT_EQ(f.Accettate.Pt.Voci[6].Stato, kAmmesso); // AND derived again over six items

    // Longer: after the seventh shown card (Primo 2: cards 2..8, insertion at 9).
    for (int z = 4; z < 10; ++z) {
        f.Aggiungi(Segni(set, z));
    }
    m.Scorri(2);
    EXPECT_EQ(m.CaricaCondizioni(file), 2u);
    EXPECT_EQ(zerosOf(f), (std::vector<int>{0, 1, 2, 3, 1, 3, 4, 5, 6, 1, 3, 7, 8, 9}));

    // A damaged file inserts nothing.
    auto bad = test::ReadBytes(file);
    bad.pop_back();
    test::WriteBytes(file, bad);
    try {
        m.CaricaCondizioni(file);
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Caricare Le Condizioni");
    }
    EXPECT_EQ(f.Count(), 14u);
    try {
        m.SalvaCondizioni(home.Path() / "nope" / "c.CND");
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Salvare le Condizioni");
    }
    // An empty file is a valid file with no conditions.
    test::WriteBytes(file, {});
    EXPECT_EQ(m.CaricaCondizioni(file), 0u);
}

// Reading stops at what the frame can take: a file of 100,000 records fills the frame's 999 places
// and the records past them (a damaged one included) are never read; a frame file or a condition
// file holding more conditions than kMaxCondizioniFile in all fails instead of filling the memory.
TEST(FrameFiles, LimitsApplyWhileReading) {
    test::TTestHome home;
    TInsiemeCondizioni set;
    const auto record = SegniBytes(1, true, false);
    std::vector<unsigned char> many;
    for (int i = 0; i < 100000; ++i) {
        many.insert(many.end(), record.begin(), record.end());
    }
    many.push_back(200); // no condition has this code
    const fs::path cnd = home.Path() / "tante.CND";
    test::WriteBytes(cnd, many);
    TCondQuadro frame(&set);
    frame.Aggiungi(Segni(set, 0));
    EXPECT_EQ(CaricaCondizioni(cnd, frame, 0), 998u);
    EXPECT_EQ(frame.Count(), 999u);
    EXPECT_EQ(CaricaCondizioni(cnd, frame, 0), 0u); // full: nothing is read

    // Frames of 999 items each inside one another: past the limit the whole read fails.
    struct TCase {
        int frames;
        bool ok;
    };
    for (const TCase c : {TCase{4, true}, TCase{5, false}}) {
        auto tree = std::make_unique<TCondQuadro>(&set);
        for (int f = 0; f < c.frames; ++f) {
            auto outer = std::make_unique<TCondQuadro>(&set);
            const int items = f == 0 ? 999 : 998;
            for (int i = 0; i < items; ++i) {
                outer->Aggiungi(Segni(set, 1));
            }
            if (f > 0) {
                outer->Aggiungi(std::move(tree));
            }
            tree = std::move(outer);
        }
        TByteWriter w;
        tree->Scrivi(w);
        const fs::path qdr = home.Path() / "grande.QDR";
        test::WriteBytes(qdr, std::vector<unsigned char>(w.Data().begin(), w.Data().end()));
        TCondQuadro back(&set);
        EXPECT_EQ(LeggiFileQuadro(qdr, back), c.ok) << c.frames;
        // The same records as a condition file into an empty frame: one record, the outer frame.
        const fs::path asCnd = home.Path() / "grande.CND";
        test::WriteBytes(asCnd, std::vector<unsigned char>(w.Data().begin(), w.Data().end()));
        TCondQuadro target(&set);
        if (c.ok) {
            EXPECT_EQ(CaricaCondizioni(asCnd, target, 0), 1u);
        } else {
            EXPECT_THROW(CaricaCondizioni(asCnd, target, 0), EInOutError);
        }
    }
}

} // namespace
} // namespace tessaline
