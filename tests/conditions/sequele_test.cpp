#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "conditions/condition_set.h"
#include "conditions/sequele.h"
#include "family_bytes.h"

namespace tessaline {
namespace {

using test::Bytes;
using test::Col;

// The measure as the algorithm reads, with plain vectors of window bytes.
TConteggio Riferimento(const Colonna& c, const TParametriSequela& p) {
    const int min = std::clamp(p.Campo.min, 1, 12);
    const int max = std::clamp(p.Campo.max, 1, 12);
    const int l = p.Lunghezza;
    if (l < 1 || l > 12) {
        return {};
    }
    const int pt = std::max(1, p.PassoTrovata);
    const int pn = std::max(1, p.PassoNonTrovata);
    auto window = [&](int b) {
        return std::vector<std::uint8_t>(c.s.begin() + (b - 1), c.s.begin() + (b - 1 + l));
    };
    if (p.Tipo == kGenerica || p.Tipo == kSpecchio) {
        struct Entry {
            std::vector<std::uint8_t> w;
            int count;
            std::vector<int> starts;
        };
        std::vector<Entry> table;
        const bool n = pt == l && pn == 1;
        int best = -1;
        int bestCount = 0;
        for (int b = min; b <= max - l + 1; b += n ? 1 : pt) {
            const auto w = window(b);
            auto it = std::find_if(table.begin(), table.end(), [&](const Entry& e) { return e.w == w; });
            if (it == table.end()) {
                table.push_back({w, 1, {b}});
                it = table.end() - 1;
            } else if (n && b < it->starts.back() + l) {
                continue;
            } else {
                ++it->count;
                it->starts.push_back(b);
            }
            if (it->count > bestCount) {
                bestCount = it->count;
                best = static_cast<int>(it - table.begin());
            }
        }
        if (table.empty()) {
            return {};
        }
        if (p.Tipo == kGenerica) {
            const Entry& e = table[static_cast<std::size_t>(best)];
            if (e.count == 1) {
                return {1, 0};
            }
            int chain = 1;
            int longest = 1;
            for (std::size_t i = 1; i < e.starts.size(); ++i) {
                chain = e.starts[i] == e.starts[i - 1] + l ? chain + 1 : 1;
                longest = std::max(longest, chain);
            }
            return {e.count, longest};
        }
        int pairs = 0;
        for (std::size_t i = 0; i < table.size(); ++i) {
            for (std::size_t j = i + 1; j < table.size(); ++j) {
                std::vector<std::uint8_t> rj(table[j].w.rbegin(), table[j].w.rend());
                std::vector<std::uint8_t> ri(table[i].w.rbegin(), table[i].w.rend());
                int k = 1;
                while (table[i].count > 0 && table[j].count > 0 && table[i].count >= k) {
                    if (rj == table[i].w && ri != table[i].w) {
                        ++pairs;
                        --table[i].count;
                        --table[j].count;
                    }
                    ++k;
                }
            }
        }
        return {pairs, 0};
    }
    int required = 0;
    switch (p.Tipo) {
    case kSequelaSchema:
        break;
    case kMonotermine:
        required = 1;
        break;
    case kBitermine:
        required = 2;
        break;
    case kTritermine:
        required = 3;
        break;
    case kQuadritermine:
        required = 4;
        break;
    default:
        return {};
    }
    TConteggio m;
    int streak = 0;
    for (int b = min; b <= max - l + 1;) {
        const auto w = window(b);
        bool match = false;
        if (p.Tipo == kSequelaSchema) {
            match = std::equal(w.begin(), w.end(), p.Schema.begin());
        } else {
            std::set<std::uint8_t> signs;
            for (const std::uint8_t s : w) {
                if (s == 1 || s == 2 || s == 4 || s == 8) {
                    signs.insert(s);
                }
            }
            match = static_cast<int>(signs.size()) == required;
        }
        if (match) {
            ++m.conta;
            m.serie = std::max(m.serie, ++streak);
            b += pt;
        } else {
            streak = 0;
            b += pn;
        }
    }
    return m;
}

TParametriSequela P(std::int32_t tipo, int l, int pt = 1, int pn = 1, TCampo campo = {1, 12}) {
    TParametriSequela p;
    p.Tipo = tipo;
    p.Lunghezza = l;
    p.PassoTrovata = pt;
    p.PassoNonTrovata = pn;
    p.Campo = campo;
    return p;
}

TParametriSequela Schema(const std::string& signs, int pt = 1, int pn = 1, TCampo campo = {1, 12}) {
    TParametriSequela p = P(kSequelaSchema, static_cast<int>(signs.size()), pt, pn, campo);
    for (std::size_t i = 0; i < signs.size(); ++i) {
        p.Schema[i] = ParseSigns(std::string(1, signs[i]));
    }
    return p;
}

TEST(Sequele, KindsStepsAndWindows) {
    struct Case {
        const char* what;
        const char* column;
        TParametriSequela p;
        TConteggio expected;
    };
    const Case cases[] = {
        {"pattern 11, steps 1", "111111111111", Schema("11"), {11, 11}},
        {"pattern 11, N steps", "111111111111", Schema("11", 2, 1), {6, 6}},
        {"pattern breaks the streak", "110111011111", Schema("11"), {7, 4}},
        {"pattern inside a field", "111111111111", Schema("11", 1, 1, {3, 6}), {3, 3}},
        {"one sign, L 3", "000111222MMM", P(kMonotermine, 3), {4, 1}},
        {"one sign, found step 3", "000111222MMM", P(kMonotermine, 3, 3, 1), {4, 4}},
        {"two signs, L 2", "001122MM0101", P(kBitermine, 2), {7, 4}},
        {"three signs, L 3", "012M01200000", P(kTritermine, 3), {6, 6}},
        {"four signs, L 4", "012M012M0000", P(kQuadritermine, 4), {6, 6}},
        {"window longer than the field", "000000000000", P(kMonotermine, 4, 1, 1, {3, 5}), {0, 0}},
        {"length 0 visits nothing", "000000000000", P(kMonotermine, 0), {0, 0}},
        {"unknown kind", "000000000000", P(9, 3), {0, 0}},
        {"generic, nothing repeats", "012M20M1M210", P(kGenerica, 3), {1, 0}},
        {"generic, twice apart", "012M2M012M21", P(kGenerica, 3, 3, 3), {2, 1}},
        {"generic, twice back to back", "012012M2M1M0", P(kGenerica, 3, 3, 3), {2, 2}},
        {"generic, overlaps counted", "111111111111", P(kGenerica, 2), {11, 1}},
        {"generic, N setting skips overlaps", "111111111111", P(kGenerica, 2, 2, 1), {6, 6}},
        {"generic, first to reach the top wins", "012M01MMMM12", P(kGenerica, 2, 2, 2), {2, 1}},
        {"mirror, no reverse", "000000000000", P(kSpecchio, 2), {0, 0}},
        {"mirror, one pair", "01M2M2M2M210", P(kSpecchio, 2, 10, 10), {1, 0}},
        {"mirror, palindromes never pair", "010010010010", P(kSpecchio, 3, 3, 3), {0, 0}},
    };
    for (const Case& k : cases) {
        const Colonna c = Col(k.column);
        EXPECT_EQ(MisuraSequela(c, k.p), k.expected) << k.what;
        EXPECT_EQ(Riferimento(c, k.p), k.expected) << k.what << " (reference)";
    }
}

TEST(Sequele, MirrorCountsCarryOver) {
    // Windows of L 2 at 1, 3, 5, 7, 9, 11: "01" twice, "10" once, "M2" once, "2M" twice.
    const Colonna c = Col("01 10 01 M2 2M 2M");
    // "01"/"10": k=1 pairs (1 left, 0 left) -> 1 pair; "M2"/"2M": 1 pair.
    EXPECT_EQ(MisuraSequela(c, P(kSpecchio, 2, 2, 2)), (TConteggio{2, 0}));
    EXPECT_EQ(Riferimento(c, P(kSpecchio, 2, 2, 2)), (TConteggio{2, 0}));
}

TEST(Sequele, MatchesTheReferenceOnRandomColumns) {
    std::mt19937 rng(2026);
    for (int i = 0; i < 20000; ++i) {
        Colonna c;
        const bool damaged = i % 10 == 0;
        for (int t = 0; t < 12; ++t) {
            c[t] = damaged && rng() % 4 == 0 ? static_cast<SignSet>(rng() % 16)
                                             : static_cast<SignSet>(1 << (rng() % 3));
        }
        TParametriSequela p;
        p.Tipo = static_cast<std::int32_t>(1 + rng() % 7);
        p.Lunghezza = static_cast<std::int32_t>(1 + rng() % 6);
        p.PassoTrovata = static_cast<std::int32_t>(rng() % 4);
        p.PassoNonTrovata = static_cast<std::int32_t>(1 + rng() % 3);
        if (rng() % 3 == 0) {
            p.PassoTrovata = p.Lunghezza;
            p.PassoNonTrovata = 1;
        }
        p.Campo.min = static_cast<int>(1 + rng() % 4);
        p.Campo.max = static_cast<int>(8 + rng() % 5);
        for (int k = 0; k < p.Lunghezza; ++k) {
            p.Schema[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(1 << (rng() % 3));
        }
        ASSERT_EQ(MisuraSequela(c, p), Riferimento(c, p))
            << "kind " << p.Tipo << " L " << p.Lunghezza << " steps " << p.PassoTrovata << ","
            << p.PassoNonTrovata << " column " << ColumnText(c);
    }
}

TEST(Sequele, PatternChecksAndStepButtons) {
    struct Case {
        std::array<std::uint8_t, 12> typed;
        const char* message; // nullptr: accepted
        int length;
    };
    const Case cases[] = {
        {{}, kMsgSequelaCorta, 0},        {{2}, kMsgSequelaCorta, 0}, {{2, 0, 2}, kMsgSequelaNonContigua, 0},
        {{0, 0, 0, 4, 8, 1}, nullptr, 3}, {{1, 2}, nullptr, 2},
    };
    for (const Case& k : cases) {
        TCondSequela s(nullptr);
        const auto err = s.ImpostaSchema(k.typed);
        if (k.message == nullptr) {
            EXPECT_FALSE(err.has_value());
            EXPECT_EQ(s.Lunghezza, k.length);
            // The signs now start at the first byte.
            std::array<std::uint8_t, 12> expected{};
            std::copy_if(k.typed.begin(), k.typed.end(), expected.begin(),
                         [](std::uint8_t b) { return b != 0; });
            EXPECT_EQ(s.Schema, expected);
        } else {
            ASSERT_TRUE(err.has_value());
            EXPECT_EQ(*err, k.message);
            EXPECT_EQ(s.Lunghezza, 0) << "a refused pattern changes nothing";
        }
    }

    TCondSequela s(nullptr);
    s.ImpostaTipo(kTritermine);
    EXPECT_EQ(s.Lunghezza, 3) << "raised to the kind's least";
    s.ImpostaLunghezza(2);
    EXPECT_EQ(s.Lunghezza, 3);
    s.ImpostaLunghezza(20);
    EXPECT_EQ(s.Lunghezza, 12);
    s.ImpostaLunghezza(5);
    s.ImpostaPassoN();
    EXPECT_EQ(s.PassoTrovata, 5);
    EXPECT_EQ(s.PassoNonTrovata, 1);
    s.ImpostaPasso(3);
    EXPECT_EQ(s.PassoTrovata, 3);
    EXPECT_EQ(s.PassoNonTrovata, 3);
    s.ImpostaPassoX(4, 2);
    EXPECT_EQ(s.PassoTrovata, 4);
    EXPECT_EQ(s.PassoNonTrovata, 2);
    s.Presenze().Imposta(true, 3, kAmmesso);
    s.Presenze().Imposta(false, 2, kAmmesso);
    s.ImpostaTipo(kSpecchio);
    EXPECT_FALSE(s.Presenze().Marcata(true)) << "a mirror item's streak is always 0: no marks kept";
    EXPECT_TRUE(s.Presenze().Marcata(false));

    TListaCondizioni list(kCodGruppoSequele, "Gruppo Sequele", nullptr);
    auto ok = std::make_unique<TCondSequela>(nullptr);
    ASSERT_FALSE(ok->ImpostaSchema({1, 1}).has_value());
    auto other = std::make_unique<TCondSequela>(nullptr);
    other->TipoSequela = kGenerica; // no pattern needed
    auto bad = std::make_unique<TCondSequela>(nullptr);
    bad->Schema = {1, 0, 1};
    list.Aggiungi(std::move(ok));
    list.Aggiungi(std::move(other));
    list.Aggiungi(std::move(bad));
    const auto err = ControllaSequele(list);
    ASSERT_TRUE(err.has_value());
    EXPECT_EQ(err->Item, 2u);
    EXPECT_EQ(err->Messaggio, kMsgSequelaNonContigua);
}

TEST(Sequele, CheckThroughTheSet) {
    TInsiemeCondizioni set;
    auto* list = set.SlotAs<TListaCondizioni>(kCodGruppoSequele);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Nome, "Gruppo Sequele");
    auto item = std::make_unique<TCondSequela>(&set);
    item->TipoSequela = kMonotermine;
    item->Lunghezza = 3;
    // Admit 4 presences, and a longest streak of 1 only.
    item->Presenze().Imposta(false, 4, kAmmesso);
    item->Presenze().Imposta(true, 1, kAmmesso);
    list->Aggiungi(std::move(item));
    set.Prepara();
    ASSERT_TRUE(list->Abilitata);
    EXPECT_TRUE(set.Accetta(Col("000111222MMM")));  // 4, streak 1
    EXPECT_FALSE(set.Accetta(Col("000011122MMM"))); // 000,000 overlap: windows 1,2 -> streak 2
    EXPECT_FALSE(set.Accetta(Col("012012012012"))); // 0 presences

    // Switched off: nothing restricts.
    list->Item(0).Attivato = false;
    set.Prepara();
    EXPECT_FALSE(list->Abilitata);
    EXPECT_TRUE(set.Accetta(Col("012012012012")));
}

TEST(Sequele, RecordBytesAndRoundTrip) {
    TCondSequela s(nullptr);
    s.TipoSequela = kGenerica;
    s.Lunghezza = 4;
    s.PassoTrovata = 4;
    s.PassoNonTrovata = 1;
    s.Schema = {1, 2, 4, 8};
    s.Attivato = false;
    s.Presenze().Imposta(false, 3, kAmmesso);
    s.Presenze().Imposta(true, 2, kRecupero, 7);
    s.Presenze().Pt.Link = 'C';
    s.Presenze().Cs.Tra = 12;
    s.Presenze().ImpostaCampo(2, 11);

    Bytes expected = {kCodSequela, 0};
    test::PutSezione(expected, 11, false, 'C', 0, {{3, 1, 0}});
    test::PutSezione(expected, 11, false, 'A', 12, {{2, 2, 7}});
    test::Put16(expected, 2);
    test::Put16(expected, 11);
    expected.insert(expected.end(), {1, 2, 4, 8, 0, 0, 0, 0, 0, 0, 0, 0});
    test::Put32(expected, 4);
    test::Put32(expected, 4);
    test::Put32(expected, 1);
    test::Put32(expected, kGenerica);
    ASSERT_EQ(expected.size(), 2 + TCondSequela::kDimensionePayload);
    const Bytes written = test::Written(s);
    EXPECT_EQ(written, expected);

    TByteReader r(std::span<const std::uint8_t>(written).subspan(1));
    TCondSequela back(nullptr);
    ASSERT_TRUE(back.Leggi(r));
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(test::Written(back), expected);
    EXPECT_EQ(back.TipoSequela, kGenerica);
    EXPECT_FALSE(back.Attivato);

    // Every cut fails and leaves the item as it was.
    for (std::size_t n = 1; n < written.size(); ++n) {
        TByteReader cut(std::span<const std::uint8_t>(written.data() + 1, n - 1));
        TCondSequela fresh(nullptr);
        EXPECT_FALSE(fresh.Leggi(cut)) << n;
        EXPECT_EQ(fresh.Lunghezza, 0);
        EXPECT_FALSE(fresh.Presenze().Marcata(false));
    }

    // Steps of 0 in a damaged record would never advance a window: they read as 1.
    Bytes damaged = expected;
    std::fill(damaged.end() - 12, damaged.end() - 4, 0);
    TByteReader rd(std::span<const std::uint8_t>(damaged).subspan(1));
    TCondSequela d(nullptr);
    ASSERT_TRUE(d.Leggi(rd));
    EXPECT_EQ(d.PassoTrovata, 1);
    EXPECT_EQ(d.PassoNonTrovata, 1);
}

TEST(Sequele, ListRecordEndsAtTheMarker) {
    TInsiemeCondizioni set;
    auto& list = *set.SlotAs<TListaCondizioni>(kCodGruppoSequele);
    for (int i = 0; i < 2; ++i) {
        auto item = std::make_unique<TCondSequela>(&set);
        item->TipoSequela = kMonotermine + i;
        item->Lunghezza = 3 + i;
        list.Aggiungi(std::move(item));
    }
    Bytes bytes = test::Written(list);
    ASSERT_EQ(bytes.size(), 2 + 2 * 102 + 1);
    EXPECT_EQ(bytes.back(), kFineLista);
    bytes.push_back(0xEE); // what follows the list is not read
    TInsiemeCondizioni other;
    auto& back = *other.SlotAs<TListaCondizioni>(kCodGruppoSequele);
    TByteReader r(std::span<const std::uint8_t>(bytes).subspan(1));
    ASSERT_TRUE(back.Leggi(r));
    EXPECT_EQ(r.Remaining(), 1u);
    ASSERT_EQ(back.Count(), 2u);
    EXPECT_EQ(dynamic_cast<TCondSequela&>(back.Item(1)).TipoSequela, kBitermine);
    EXPECT_EQ(dynamic_cast<TCondSequela&>(back.Item(1)).Lunghezza, 4);
}

} // namespace
} // namespace tessaline
