// Frames: relations, items that do not take part, nesting, hidden member errors, the preset table,
// the editor's operations, the link dialog's checks.

#include <gtest/gtest.h>

#include "conditions/condition_set.h"
#include "conditions/filter_columns.h"
#include "conditions/frame.h"
#include "conditions/frame_editor.h"
#include "conditions/link_checks.h"
#include "conditions/sign_count.h"
#include "core/column_list.h"
#include "helpers.h"

namespace tessaline {
namespace {

using test::Col;

// "Numero Di Segni" admitting the counts lo..hi of the sign 0.
std::unique_ptr<TCondNumeroSegni> Zeros(TInsiemeCondizioni& set, int lo, int hi) {
    auto c = std::make_unique<TCondNumeroSegni>(&set);
    for (int v = lo; v <= hi; ++v) {
        c->Tabella(0).Imposta(false, v, kAmmesso);
    }
    return c;
}

// A column with z zeros first, then ones.
Colonna WithZeros(int z) {
    Colonna c;
    for (int t = 0; t < kTeams; ++t) {
        c[t] = t < z ? kSign0 : kSign1;
    }
    return c;
}

// Items accepting zeros in 0..6, 5..10 and exactly 6.
TCondQuadro& ThreeItemFrame(TInsiemeCondizioni& set) {
    auto f = std::make_unique<TCondQuadro>(&set);
    f->Aggiungi(Zeros(set, 0, 6));
    f->Aggiungi(Zeros(set, 5, 10));
    f->Aggiungi(Zeros(set, 6, 6));
    set.ImpostaSlot(kCodQuadro, std::move(f));
    return *set.SlotAs<TCondQuadro>(kCodQuadro);
}

TEST(Frame, RelationsOverTheItemsAnswers) {
    // zeros: items accepting  -> 0: 1 | 4: 1 | 5: 2 | 6: 3 | 8: 1 | 12: 0
    const int zeros[] = {0, 4, 5, 6, 8, 12};
    const struct {
        std::uint8_t rel;
        std::vector<int> accepted;
    } cases[] = {
        {kRelAnd, {6}},
        {kRelOr, {0, 4, 5, 6, 8}},
        {kRelXor, {0, 4, 8}},
        {kRelNot, {12}},
    };
    for (const auto& c : cases) {
        TInsiemeCondizioni set;
        TCondQuadro& f = ThreeItemFrame(set);
        f.ImpostaRelazione(c.rel);
        set.Prepara();
        ASSERT_EQ(set.Attive().size(), 1u);
        for (int z : zeros) {
            const bool expected = std::find(c.accepted.begin(), c.accepted.end(), z) != c.accepted.end();
            EXPECT_EQ(set.Accetta(WithZeros(z)), expected) << SiglaRelazione(c.rel) << " zeros " << z;
        }
    }
}

TEST(Frame, ItemsSwitchedOffCountAsAccepted) {
    TInsiemeCondizioni set;
    TCondQuadro& f = ThreeItemFrame(set);
    f.Item(2).Attivato = false; // "exactly 6" no longer takes part
    set.Prepara();
    for (int z = 0; z <= 12; ++z) {
        EXPECT_EQ(set.Accetta(WithZeros(z)), z == 5 || z == 6) << z;
    }
    // The measure counts it: for 12 zeros only the item switched off "accepts".
    EXPECT_EQ(f.Misura(WithZeros(12), false), (TMisura{1, 1}));
    EXPECT_EQ(f.Misura(WithZeros(6), false), (TMisura{3, 3}));
}

TEST(Frame, XorOverItemsAllOffNeverAcceptsAndIsNotAbilitata) {
    TInsiemeCondizioni set;
    TCondQuadro& f = ThreeItemFrame(set);
    f.ImpostaRelazione(kRelXor);
    for (std::size_t i = 0; i < f.Count(); ++i) {
        f.Item(i).Attivato = false;
    }
    set.Prepara();
    EXPECT_FALSE(f.Abilitata);
    EXPECT_TRUE(set.Attive().empty());
    for (int z = 0; z <= 12; ++z) {
        EXPECT_FALSE(f.Verifica(WithZeros(z))) << z; // every item counts: 3, never 1
        EXPECT_TRUE(set.Accetta(WithZeros(z))) << z; // and the set does not ask the frame
    }
}

TEST(Frame, FrameInsideFrameIsOneItem) {
    TInsiemeCondizioni set;
    auto sub = std::make_unique<TCondQuadro>(&set, "Sub Quadro");
    sub->Aggiungi(Zeros(set, 0, 2));
    sub->Aggiungi(Zeros(set, 10, 12));
    sub->ImpostaRelazione(kRelOr);
    auto f = std::make_unique<TCondQuadro>(&set);
    f->Aggiungi(std::move(sub));
    f->Aggiungi(Zeros(set, 1, 11));
    set.ImpostaSlot(kCodQuadro, std::move(f));
    TCondQuadro& top = *set.SlotAs<TCondQuadro>(kCodQuadro);
    // AND over two items: the table admits exactly 2.
    EXPECT_EQ(top.Accettate.Pt.Voci[2].Stato, kAmmesso);
    EXPECT_EQ(top.Accettate.Pt.Voci[3].Stato, kNonAmmesso);
    set.Prepara();
    EXPECT_EQ(top.Misura(WithZeros(1), false), (TMisura{2, 2}));
    EXPECT_EQ(top.Misura(WithZeros(5), false), (TMisura{1, 1}));
    for (int z = 0; z <= 12; ++z) {
        EXPECT_EQ(set.Accetta(WithZeros(z)), z == 1 || z == 2 || z == 10 || z == 11) << z;
    }
}

TEST(Frame, FilterColumnItemsDecide) {
    // Frames are mostly made of filter columns: a filter item must reject inside a frame.
    TInsiemeCondizioni set;
    auto f = std::make_unique<TCondQuadro>(&set);
    auto filtro = std::make_unique<TCondColonnaFiltro>(&set);
    filtro->ConfrontoACoppie = false;
    filtro->Filtro.s.fill(kSign0);
    for (int v = 3; v <= 9; ++v) {
        filtro->Punti().Imposta(false, v, kAmmesso);
    }
    f->Aggiungi(std::move(filtro));
    set.ImpostaSlot(kCodQuadro, std::move(f));
    set.Prepara();
    for (int z = 0; z <= 12; ++z) {
        EXPECT_EQ(set.Accetta(WithZeros(z)), z >= 3 && z <= 9) << z;
    }
}

TEST(Frame, AndOfFiltersDecidesLikeTheirList) {
    // The same three filters in an "AND (Tutte)" frame and in "Gruppo Col. Filtro": one answer.
    TInsiemeCondizioni inFrame;
    TInsiemeCondizioni inList;
    const SignSet sets[3] = {kSign0 | kSign1, kSign2 | kSignM, kSign1 | kSign2};
    for (int k = 0; k < 3; ++k) {
        for (TInsiemeCondizioni* set : {&inFrame, &inList}) {
            auto f = std::make_unique<TCondColonnaFiltro>(set);
            f->ConfrontoACoppie = k == 2;
            f->Filtro.s.fill(sets[k]);
            for (int v = k == 2 ? 1 : 3; v <= (k == 2 ? 6 : 9); ++v) {
                f->Punti().Imposta(false, v, kAmmesso);
            }
            if (set == &inFrame) {
                set->SlotAs<TCondQuadro>(kCodQuadro)->Aggiungi(std::move(f));
            } else {
                set->SlotAs<TListaCondizioni>(kCodGruppoColFiltro)->Aggiungi(std::move(f));
            }
        }
    }
    inFrame.Prepara();
    inList.Prepara();
    std::uint32_t state = 99;
    int accepted = 0;
    for (int n = 0; n < 3000; ++n) {
        Colonna c;
        for (int t = 0; t < kTeams; ++t) {
            state = state * 1664525u + 1013904223u;
            c[t] = static_cast<SignSet>(1 << ((state >> 20) & 3));
        }
        const bool a = inFrame.Accetta(c);
        ASSERT_EQ(a, inList.Accetta(c)) << ColumnText(c);
        accepted += a ? 1 : 0;
    }
    EXPECT_GT(accepted, 0);
    EXPECT_LT(accepted, 3000);
}

TEST(Frame, StreakOfAcceptedItems) {
    TInsiemeCondizioni set;
    TCondQuadro f(&set);
    f.Aggiungi(Zeros(set, 3, 3));
    f.Aggiungi(Zeros(set, 0, 0)); // rejects 3 zeros
    f.Aggiungi(Zeros(set, 3, 3));
    f.Aggiungi(Zeros(set, 2, 4));
    f.Aggiungi(Zeros(set, 9, 9)); // rejects
    f.AggiornaStato();
    EXPECT_EQ(f.Misura(WithZeros(3), false), (TMisura{3, 2}));
    // Consecutiveness marks decide on the streak.
    f.ImpostaPreset(false);
    f.Accettate.Svuota();
    f.Accettate.Imposta(true, 2, kAmmesso);
    f.AggiornaStato();
    EXPECT_TRUE(f.Verifica(WithZeros(3)));
    EXPECT_FALSE(f.Verifica(WithZeros(9))); // accepted 3 with no break in items 3..5: streak 3
}

TEST(Frame, AcceptingFrameHidesItsMembersErrors) {
    TInsiemeCondizioni set;
    TCondQuadro& f = ThreeItemFrame(set);
    f.ImpostaRelazione(kRelOr);
    set.Prepara();
    set.RaccogliErrori = true;

    set.Errori.clear();
    EXPECT_TRUE(set.Accetta(WithZeros(0))); // items 2 and 3 reject, the frame accepts
    EXPECT_TRUE(set.Errori.empty());

    set.Errori.clear();
    EXPECT_FALSE(set.Accetta(WithZeros(12))); // every item rejects
    ASSERT_EQ(set.Errori.size(), 4u);
    EXPECT_EQ(set.Errori[0].Condizione, &f.Item(0));
    EXPECT_EQ(set.Errori[1].Condizione, &f.Item(1));
    EXPECT_EQ(set.Errori[2].Condizione, &f.Item(2));
    EXPECT_EQ(set.Errori[3].Condizione, &f);
}

TEST(Frame, PresetTableFollowsTheItems) {
    TInsiemeCondizioni set;
    TCondQuadro f(&set);
    auto admitted = [&] {
        std::vector<int> v;
        for (int i = 0; i <= kMaxVociQuadro; ++i) {
            if (f.Accettate.Pt.Voci[static_cast<std::size_t>(i)].Stato != kNonAmmesso) {
                v.push_back(i);
            }
        }
        return v;
    };
    for (int i = 0; i < 3; ++i) {
        f.Aggiungi(Zeros(set, 0, 0));
    }
    EXPECT_EQ(admitted(), (std::vector<int>{3}));
    f.ImpostaRelazione(kRelOr);
    EXPECT_EQ(admitted(), (std::vector<int>{1, 2, 3}));
    f.Elimina(0);
    EXPECT_EQ(admitted(), (std::vector<int>{1, 2}));
    f.ImpostaRelazione(kRelXor);
    EXPECT_EQ(admitted(), (std::vector<int>{1}));
    f.ImpostaRelazione(kRelNot);
    EXPECT_EQ(admitted(), (std::vector<int>{0}));
    // "Particolari": the table is the user's and stays as it is when items change.
    f.ImpostaPreset(false);
    f.Accettate.Imposta(false, 7, kAmmesso);
    f.Aggiungi(Zeros(set, 0, 0));
    EXPECT_EQ(admitted(), (std::vector<int>{0, 7}));
    f.ImpostaPreset(true);
    EXPECT_EQ(admitted(), (std::vector<int>{0}));
    EXPECT_EQ(f.Accettate.Pt.Link, 'A');
    EXPECT_FALSE(f.Accettate.Marcata(true));

    // At most 999 items.
    while (f.Count() < static_cast<std::size_t>(kMaxVociQuadro)) {
        ASSERT_TRUE(f.Aggiungi(std::make_unique<TCondQuadro>(&set)));
    }
    EXPECT_FALSE(f.Aggiungi(Zeros(set, 0, 0)));
    EXPECT_EQ(f.Count(), 999u);
}

TEST(Frame, StatisticsRecordTheMeasure) {
    TInsiemeCondizioni set;
    TCondQuadro& f = ThreeItemFrame(set); // AND: admits 3
    set.Prepara();
    for (int z : {6, 0, 4, 6, 12}) {
        f.StatisticaColonna(WithZeros(z));
    }
    EXPECT_EQ(f.StatArchivio.Frequenza(3), 2);
    EXPECT_EQ(f.StatArchivio.Frequenza(1), 2);
    EXPECT_EQ(f.StatArchivio.Frequenza(0), 1);
    EXPECT_EQ(f.StatAnalisi.Frequenza(3), 2); // only what the table admits
    EXPECT_EQ(f.StatAnalisi.Frequenza(1), 0);

    // Over the columns in memory, expanded.
    TListaColonne cols;
    Colonna multi = WithZeros(6);
    multi[0] = kSign0 | kSign1; // 6 or 5 zeros
    cols.Append(multi);
    set.Collega(nullptr, nullptr, &cols);
    f.StatisticaColonne();
    EXPECT_EQ(f.StatAnalisi.Frequenza(3), 1);
    EXPECT_EQ(f.StatAnalisi.Frequenza(2), 1);
}

TEST(Frame, TitlesNumberTheItems) {
    TInsiemeCondizioni set;
    TCondQuadro& f = ThreeItemFrame(set);
    auto sub = std::make_unique<TCondQuadro>(&set, "Sub Quadro");
    sub->Aggiungi(Zeros(set, 0, 0));
    f.Aggiungi(std::move(sub));
    set.ImpostaTitoli();
    EXPECT_EQ(f.Titolo, "\\Quadro");
    EXPECT_EQ(f.Item(0).Titolo, "\\Quadro\\Numero Di Segni 001");
    EXPECT_EQ(f.Item(3).Titolo, "\\Quadro\\Sub Quadro 004");
    EXPECT_EQ(dynamic_cast<TCondQuadro&>(f.Item(3)).Item(0).Titolo,
              "\\Quadro\\Sub Quadro 004\\Numero Di Segni 001");
    // A list inside the frame: its items carry the list's position too.
    auto lista = CreaCondizione(kCodGruppoRisultati, &set);
    dynamic_cast<TListaCondizioni&>(*lista).Aggiungi(CreaCondizione(kCodRisultati, &set));
    f.Aggiungi(std::move(lista));
    set.ImpostaTitoli();
    EXPECT_EQ(dynamic_cast<TListaCondizioni&>(f.Item(4)).Item(0).Titolo,
              "\\Quadro\\Gruppo Risultati 005\\Risultati 001");
}

TEST(FrameEditor, NewCutCopyPasteDelete) {
    TInsiemeCondizioni set;
    TModelloQuadro m(set);
    const auto& voci = VociNuova();
    ASSERT_EQ(voci.size(), 14u);
    EXPECT_STREQ(voci.front().Caption, "Colonne Filtro");
    EXPECT_STREQ(voci.back().Caption, "Quadro");
    for (const TVoceNuova& v : voci) {
        ASSERT_TRUE(m.Nuova(v, false, 999)) << v.Caption;
        if (v.Multiplo != 0) {
            ASSERT_TRUE(m.Nuova(v, true, 999)) << v.Caption;
        }
    }
    TCondQuadro& f = m.Corrente();
    ASSERT_EQ(f.Count(), 14u + 7u);
    EXPECT_EQ(f.Item(0).Tipo, kCodColonnaFiltro);
    EXPECT_EQ(f.Item(1).Tipo, kCodGruppoColFiltro);
    EXPECT_EQ(dynamic_cast<TListaCondizioni&>(f.Item(1)).Count(), 1u);
    EXPECT_EQ(f.Item(f.Count() - 1).Nome, "Sub Quadro");

    // Into the sub-frame and back.
    ASSERT_TRUE(m.Entra(f.Count() - 1));
    EXPECT_EQ(m.Livello(), 1u);
    ASSERT_TRUE(m.Nuova(voci[1], false, 0));
    EXPECT_EQ(m.Corrente().Count(), 1u);
    EXPECT_FALSE(m.Entra(0)); // not a frame
    ASSERT_TRUE(m.Precedente());
    EXPECT_FALSE(m.Precedente());

    // Copy items 0 and 2, paste them after the shown cards (7 from Primo 0).
    f.Item(0).Selezionato = true;
    f.Item(2).Selezionato = true;
    m.Copia();
    EXPECT_EQ(m.Appunti(), 2u);
    const std::uint8_t t0 = f.Item(0).Tipo;
    const std::uint8_t t2 = f.Item(2).Tipo;
    const std::uint8_t t7 = f.Item(7).Tipo;
    EXPECT_EQ(m.Incolla(), std::nullopt);
    ASSERT_EQ(f.Count(), 23u);
    EXPECT_EQ(f.Item(7).Tipo, t0);
    EXPECT_EQ(f.Item(8).Tipo, t2);
    EXPECT_EQ(f.Item(9).Tipo, t7);
    EXPECT_FALSE(f.Item(7).Selezionato);

    // Cut removes the selected; the clipboard keeps them.
    m.Taglia();
    EXPECT_EQ(f.Count(), 21u);
    EXPECT_EQ(m.Appunti(), 2u);
    m.Scorri(1000);
    EXPECT_EQ(m.PosizioneCorrente(), 21u); // past the end: appended
    f.Item(3).Selezionato = true;
    m.Elimina();
    EXPECT_EQ(f.Count(), 20u);
}

TEST(FrameEditor, PasteOnlyBelowOneHundredItems) {
    TInsiemeCondizioni set;
    TModelloQuadro m(set);
    TCondQuadro& f = m.Corrente();
    for (int i = 0; i < 98; ++i) {
        f.Aggiungi(Zeros(set, 0, 0));
    }
    f.Item(0).Selezionato = true;
    f.Item(1).Selezionato = true;
    m.Copia();
    EXPECT_EQ(m.Incolla(), std::optional<std::string>("Spazio Insufficiente !")); // 98 + 2 = 100
    EXPECT_EQ(f.Count(), 98u);
    f.Item(1).Selezionato = false;
    m.Copia();
    EXPECT_EQ(m.Incolla(), std::nullopt); // 99 items
    EXPECT_EQ(f.Count(), 99u);
    EXPECT_EQ(m.Incolla(), std::optional<std::string>("Spazio Insufficiente !"));
    EXPECT_EQ(f.Count(), 99u);
}

TEST(LinkChecks, ErrorTablesBoundedByLevelSums) {
    TInsiemeCondizioni set;
    TCondNumeroSegni& segni = *set.SlotAs<TCondNumeroSegni>(kCodNumeroSegni);
    segni.Tabella(0).Imposta(false, 3, kRecupero, 1);
    segni.Tabella(0).Imposta(false, 4, kRecupero, 3);
    segni.Tabella(0).Imposta(false, 5, kRecupero, 3); // level 3 counted once
    segni.Tabella(1).Pt.Link = 'B';
    segni.Tabella(1).Imposta(false, 2, kRecupero, 2);

    const TEsameLettera a = EsaminaLettera(set, 'A');
    EXPECT_EQ(a.SommaLivelli, 4);
    ASSERT_EQ(a.Elementi.size(), 1u);
    EXPECT_EQ(EsaminaLettera(set, 'B').SommaLivelli, 2);
    EXPECT_TRUE(EsaminaLettera(set, 'C').Elementi.empty());

    EXPECT_EQ(ControllaLink(set), std::nullopt);
    TLink& link = set.Link();
    link.Lettera('A').ErroriAmmessi.Imposta(false, 4, kAmmesso);
    EXPECT_EQ(ControllaLink(set), std::nullopt);
    link.Lettera('A').ErroriAmmessi.Imposta(false, 5, kAmmesso);
    EXPECT_EQ(ControllaLink(set),
              std::optional<std::string>("Il Numero Degli Errori Nella Link è Troppo Alto !"));
    link.Lettera('A').ErroriAmmessi.Imposta(false, 5, kNonAmmesso);
    link.Lettera('C').ErroriAmmessi.Imposta(false, 1, kAmmesso); // a letter nobody uses: sum 0
    EXPECT_EQ(ControllaLink(set),
              std::optional<std::string>("Il Numero Degli Errori Nella Link è Troppo Alto !"));
    link.Lettera('C').ErroriAmmessi.Imposta(false, 1, kNonAmmesso);
    link.ErroriTotali.Imposta(false, 6, kAmmesso);
    EXPECT_EQ(ControllaLink(set), std::nullopt);
    link.ErroriTotali.Imposta(false, 7, kAmmesso);
    EXPECT_EQ(ControllaLink(set),
              std::optional<std::string>("Il Numero Degli Errori Totali è Troppo Alto !"));
}

} // namespace
} // namespace tessaline
