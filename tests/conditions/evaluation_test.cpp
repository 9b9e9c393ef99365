#include <gtest/gtest.h>

#include "conditions/condition_set.h"
#include "conditions/sequence_shape.h"
#include "conditions/sign_count.h"
#include "core/column_list.h"
#include "helpers.h"

namespace tessaline {
namespace {

using test::Col;

TCondNumeroSegni& Segni(TInsiemeCondizioni& set) {
    return *set.SlotAs<TCondNumeroSegni>(1);
}
TTabellaPunti& SegniTab(TInsiemeCondizioni& set, int sign) {
    return Segni(set).Tabella(static_cast<std::size_t>(sign));
}

// Marks values [lo, hi] of a section as admitted.
void Admit(TTabellaPunti& t, int lo, int hi, bool cons = false) {
    for (int v = lo; v <= hi; ++v) {
        t.Imposta(cons, v, kAmmesso);
    }
}

TEST(Evaluation, DefaultSetAcceptsEverything) {
    TInsiemeCondizioni set;
    set.Prepara();
    EXPECT_TRUE(set.Attive().empty());
    EXPECT_TRUE(set.Link().LettereUsate.empty());
    for (const char* c : {"000000000000", "0120M0120M01", "MMMMMMMMMMMM"}) {
        EXPECT_TRUE(set.Accetta(Col(c)));
    }
    // Switched on with no marks: not Abilitata, rejects nothing.
    EXPECT_TRUE(Segni(set).Attivato);
    EXPECT_FALSE(Segni(set).Abilitata);
}

TEST(Evaluation, SectionsRestrictOnlyWhatIsMarked) {
    TInsiemeCondizioni set;
    Admit(SegniTab(set, 0), 2, 3); // "Segni 0": two or three zeros, runs free
    set.Prepara();
    ASSERT_EQ(set.Attive().size(), 1u);
    const struct {
        const char* col;
        bool ok;
    } pointsOnly[] = {{"001111111111", true},  {"000111111111", true}, {"011111111111", false},
                      {"000011111111", false}, {"010101111111", true}, {"111111111111", false}};
    for (const auto& c : pointsOnly) {
        EXPECT_EQ(set.Accetta(Col(c.col)), c.ok) << c.col;
    }
    // Both sections: the count and the longest run must pass.
    Admit(SegniTab(set, 0), 1, 1, true);
    set.Prepara();
    EXPECT_FALSE(set.Accetta(Col("001111111111")));
    EXPECT_TRUE(set.Accetta(Col("010111111111")));
    EXPECT_TRUE(set.Accetta(Col("010101111111")));
    // Switched off: the marks stay but nothing is checked.
    Segni(set).Attivato = false;
    set.Prepara();
    EXPECT_TRUE(set.Attive().empty());
    EXPECT_TRUE(set.Accetta(Col("111111111111")));
}

TEST(Evaluation, RecoveryLevelsPerLetterAndColumn) {
    // Every sign's count of 3 or 4 is admitted only in recovery through letter A at the given
    // level; the other counts are admitted.
    auto build = [](TInsiemeCondizioni& set, int level) {
        for (int s = 0; s < 4; ++s) {
            TTabellaPunti& t = SegniTab(set, s);
            Admit(t, 0, 12);
            t.Imposta(false, 3, kRecupero, static_cast<std::uint8_t>(level));
            t.Imposta(false, 4, kRecupero, static_cast<std::uint8_t>(level));
        }
        set.Prepara();
    };
    const struct {
        int level;
        const char* col;
        int recoveries; // values in recovery in the column
        bool ok;
    } cases[] = {
        {1, "000111111111", 1, true},  // one count of 3
        {1, "000111222222", 2, false}, // two counts of 3: the second is refused
        {2, "000111222222", 2, true},  {2, "000111222MM1", 3, false}, {3, "000111222MM1", 3, true},
    };
    for (const auto& c : cases) {
        TInsiemeCondizioni set;
        build(set, c.level);
        EXPECT_EQ(set.Link().LettereUsate, "A");
        EXPECT_EQ(set.Link().SommaLivelli, c.level);
        EXPECT_EQ(set.Accetta(Col(c.col)), c.ok) << c.level << " " << c.col;
        EXPECT_EQ(set.Link().Lettera('A').Errori, c.recoveries) << c.level << " " << c.col;
        EXPECT_EQ(set.Link().Lettera('A').Contatore(c.level), c.recoveries);
        // The next column starts from zero: the same column gives the same answer again.
        EXPECT_EQ(set.Accetta(Col(c.col)), c.ok);
        EXPECT_TRUE(set.Accetta(Col("000111111111")));
    }
    // Levels of different letters do not share their counters.
    TInsiemeCondizioni set;
    build(set, 1);
    SegniTab(set, 1).Pt.Link = 'B';
    set.Prepara();
    EXPECT_EQ(set.Link().LettereUsate, "AB");
    EXPECT_TRUE(set.Accetta(Col("000111222222")));
    EXPECT_EQ(set.Link().Lettera('A').Errori, 1);
    EXPECT_EQ(set.Link().Lettera('B').Errori, 1);
}

TEST(Evaluation, ErrorTablesPerLetterAndInTotal) {
    auto build = [](TInsiemeCondizioni& set) {
        for (int s = 0; s < 4; ++s) {
            TTabellaPunti& t = SegniTab(set, s);
            Admit(t, 0, 12);
            t.Imposta(false, 3, kRecupero, 5);
        }
        SegniTab(set, 2).Pt.Link = 'C';
        SegniTab(set, 3).Pt.Link = 'C';
    };
    {
        // Letter A admits 0 or 1 errors: two granted recoveries through A reject the column.
        TInsiemeCondizioni set;
        build(set);
        Admit(set.Link().Lettera('A').ErroriAmmessi, 0, 1);
        set.Prepara();
        EXPECT_TRUE(set.Link().Abilitato);
        EXPECT_TRUE(set.Accetta(Col("000111111111")));
        EXPECT_FALSE(set.Accetta(Col("000111222222")));
        // Through C the letter table is empty: no limit but the levels.
        EXPECT_TRUE(set.Accetta(Col("001122222MMM")));
        EXPECT_EQ(set.Link().Lettera('A').StatErrori.Frequenza(2), 1);
    }
    {
        // The total admits at most 2 over all letters.
        TInsiemeCondizioni set;
        build(set);
        Admit(set.Link().ErroriTotali, 0, 2);
        set.Prepara();
        EXPECT_EQ(set.Link().LettereUsate, "AC");
        EXPECT_EQ(set.Link().SommaLivelli, 10);
        EXPECT_TRUE(set.Accetta(Col("000111222222")));  // A 2, C 0
        EXPECT_TRUE(set.Accetta(Col("000112222MMM")));  // A 1, C 1
        EXPECT_FALSE(set.Accetta(Col("000111222MMM"))); // A 2, C 2
        EXPECT_EQ(set.Link().StatTotale.Frequenza(4), 1);
    }
    {
        // A refused recovery still counts as an error: level 1 through A, errors allowed 0..1.
        TInsiemeCondizioni set;
        for (int s = 0; s < 2; ++s) {
            TTabellaPunti& t = SegniTab(set, s);
            Admit(t, 0, 12);
            t.Imposta(false, 3, kRecupero, 1);
        }
        set.RaccogliErrori = true;
        set.Prepara();
        EXPECT_FALSE(set.Accetta(Col("000111222222")));
        EXPECT_EQ(set.Link().Lettera('A').Errori, 2);
        EXPECT_EQ(set.Link().Lettera('A').Tentativi, 2);
        EXPECT_EQ(set.Link().Lettera('A').StatLivelli.Frequenza(1), 1);
    }
}

TEST(Evaluation, FirstRejectionStopsUnlessErrorsAreCollected) {
    TInsiemeCondizioni set;
    Admit(SegniTab(set, 1), 0, 5); // rejects twelve ones
    auto& pd = *set.SlotAs<TCondPariDispari>(2);
    pd.Tabella(0).Imposta(false, 1, kRecupero, 3); // "Pari": one even run only in recovery through B
    pd.Tabella(0).Pt.Link = 'B';
    auto& simm = *set.SlotAs<TCondSimmetrie>(4);
    Admit(simm.Tabella(2), 0, 3); // "Totali" at most 3: rejects twelve equal signs
    set.Prepara();
    ASSERT_EQ(set.Attive().size(), 3u);
    const Colonna ones = Col("111111111111");

    EXPECT_FALSE(set.Accetta(ones));
    EXPECT_TRUE(set.Errori.empty());
    EXPECT_EQ(set.Link().Lettera('B').Errori, 0); // slot 2 never ran

    set.RaccogliErrori = true;
    EXPECT_FALSE(set.Accetta(ones));
    ASSERT_EQ(set.Errori.size(), 2u);
    EXPECT_EQ(set.Errori[0].Condizione, set.Slot(1));
    EXPECT_EQ(set.Errori[1].Condizione, set.Slot(4));
    EXPECT_EQ(set.Link().Lettera('B').Errori, 1); // slot 2 ran, and accepted
}

TEST(Evaluation, ActiveListInSlotOrder) {
    TInsiemeCondizioni set;
    Admit(set.SlotAs<TCondInterruzioni>(5)->Tabella(0), 0, 11);
    Admit(set.SlotAs<TCondVortice>(3)->Tabella(1), 0, 12);
    Admit(SegniTab(set, 3), 0, 12);
    set.Prepara();
    ASSERT_EQ(set.Attive().size(), 3u);
    EXPECT_EQ(set.Attive()[0], set.Slot(1));
    EXPECT_EQ(set.Attive()[1], set.Slot(3));
    EXPECT_EQ(set.Attive()[2], set.Slot(5));
}

TEST(Evaluation, FamiliesCheckTheirOwnTables) {
    const struct {
        int slot;
        std::size_t table;
        int lo, hi;
        const char* in;
        const char* out;
    } cases[] = {
        {3, 0, 7, 7, "111111111111", "012M012M012M"},            // direct position 7 / 8
        {3, 2, 5, 5, "012M012M012M", "111111111111"},            // inverse position 5 / 6
        {3, 3, 5, 5, "012M012M012M", "111111111111"},            // inverse arms 5 / 11
        {2, 0, 2, 2, "0 0 1 2 2 2 M 0 0 1 1 1", "010101010101"}, // two even runs / none
        {4, 1, 6, 6, "012M21012M21", "012M2112M210"},            // inverse 6 / 0
        {5, 2, 6, 6, "010101010101", "111111111111"},            // runs of ones after team 1
    };
    for (const auto& c : cases) {
        TInsiemeCondizioni set;
        auto* cond = dynamic_cast<TCondTabelle*>(set.Slot(c.slot));
        ASSERT_NE(cond, nullptr);
        Admit(cond->Tabella(c.table), c.lo, c.hi);
        set.Prepara();
        EXPECT_TRUE(set.Accetta(Col(c.in))) << c.slot << " " << c.in;
        EXPECT_FALSE(set.Accetta(Col(c.out))) << c.slot << " " << c.out;
    }
}

TEST(Evaluation, ListsAndTheirItems) {
    TInsiemeCondizioni set;
    auto& group = *set.SlotAs<TListaCondizioni>(7);
    // Empty list: accepts, not in force.
    set.Prepara();
    EXPECT_FALSE(group.Abilitata);
    // Item 1: with exactly four zeros, the longest run of zeros is at most 2.
    auto item = std::make_unique<TCondConsecutivita>(&set);
    item->Selezione().Imposta(false, 4, kAmmesso);
    Admit(item->Ammessa(), 0, 2);
    group.Aggiungi(std::move(item));
    // Item 2: with five ones, at most 3 in a row.
    auto item2 = std::make_unique<TCondConsecutivita>(&set);
    item2->Segno = kSign1;
    item2->Selezione().Imposta(false, 5, kAmmesso);
    Admit(item2->Ammessa(), 0, 3);
    group.Aggiungi(std::move(item2));
    set.Prepara();
    EXPECT_TRUE(group.Abilitata);
    const struct {
        const char* col;
        bool ok;
    } cases[] = {
        {"000022222222", false}, // four zeros in a run of 4
        {"001002222222", true},  // four zeros, runs of 2
        {"000002222222", true},  // five zeros: item 1 does not apply
        {"011110102222", false}, // five ones, a run of 4
        {"011101102222", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(set.Accetta(Col(c.col)), c.ok) << c.col;
    }
    // Errors are listed through the items only for this family.
    set.RaccogliErrori = true;
    EXPECT_FALSE(set.Accetta(Col("000011112222")));
    ASSERT_EQ(set.Errori.size(), 1u);
    EXPECT_EQ(set.Errori[0].Condizione, &group.Item(0));
    set.RaccogliErrori = false;
    set.Errori.clear();

    // Items switched off one by one; all off: the list accepts everything and is not in force.
    group.Item(0).Attivato = false;
    set.Prepara();
    EXPECT_TRUE(set.Accetta(Col("000022222222")));
    EXPECT_FALSE(set.Accetta(Col("011110102222")));
    group.Item(1).Attivato = false;
    set.Prepara();
    EXPECT_FALSE(group.Abilitata);
    EXPECT_TRUE(set.Attive().empty());
    // The list's own switch turns its items off too, and gives them back afterwards.
    group.Item(0).Attivato = true;
    group.Item(1).Attivato = true;
    group.Attivato = false;
    set.Prepara();
    EXPECT_FALSE(group.Abilitata);
    EXPECT_TRUE(group.Item(0).Attivato);
    EXPECT_FALSE(group.Item(0).Abilitata);

    // Item with a selection but no admitted runs: not in force.
    TCondConsecutivita lone(&set);
    lone.Selezione().Imposta(false, 4, kAmmesso);
    EXPECT_FALSE(lone.AggiornaStato());
}

TEST(Evaluation, ResultsGroupListsTheListAndTheItem) {
    TInsiemeCondizioni set;
    auto& group = *set.SlotAs<TListaCondizioni>(14);
    auto item = std::make_unique<TCondRisultati>(&set);
    item->Esiti = {2, 0, 0, 0, 0, 0}; // a draw in match 1
    item->Tabella(0).Imposta(false, 1, kAmmesso);
    group.Aggiungi(std::move(item));
    // Results ticked but no points marked: not in force.
    auto idle = std::make_unique<TCondRisultati>(&set);
    idle->Esiti = {7, 7, 7, 7, 7, 7};
    group.Aggiungi(std::move(idle));
    set.Prepara();
    EXPECT_TRUE(group.Abilitata);
    EXPECT_FALSE(group.Item(1).Abilitata);
    EXPECT_TRUE(set.Accetta(Col("MM0120M0120M")));
    EXPECT_TRUE(set.Accetta(Col("00M0120M0120")));
    EXPECT_FALSE(set.Accetta(Col("10M0120M0120")));
    set.RaccogliErrori = true;
    EXPECT_FALSE(set.Accetta(Col("10M0120M0120")));
    ASSERT_EQ(set.Errori.size(), 2u);
    EXPECT_EQ(set.Errori[0].Condizione, &group.Item(0));
    EXPECT_EQ(set.Errori[1].Condizione, &group);
}

TEST(Evaluation, TitlesAndExamination) {
    TInsiemeCondizioni set;
    auto& group = *set.SlotAs<TListaCondizioni>(7);
    group.Aggiungi(std::make_unique<TCondConsecutivita>(&set));
    auto m = std::make_unique<TCondConsecutivita>(&set);
    m->Segno = kSignM;
    group.Aggiungi(std::move(m));
    set.ImpostaTitoli();
    EXPECT_EQ(set.Slot(1)->Titolo, "\\Numero Di Segni");
    EXPECT_EQ(set.Slot(6)->Titolo, "\\Ripetizioni");
    EXPECT_EQ(group.Titolo, "\\Gruppo Consecutività");
    EXPECT_EQ(group.Item(0).Titolo, "\\Gruppo Consecutività\\Consecutività Segno 0 001");
    EXPECT_EQ(group.Item(1).Titolo, "\\Gruppo Consecutività\\Consecutività Segno M 002");
    EXPECT_EQ(PosizioneTitolo(12), "012");
    EXPECT_EQ(PosizioneTitolo(1000), "1000");

    // Link mode: the recovery tables of a letter, their distinct levels summed once.
    SegniTab(set, 0).Imposta(false, 2, kRecupero, 3);
    SegniTab(set, 0).Imposta(false, 4, kRecupero, 3);
    SegniTab(set, 2).Imposta(true, 1, kRecupero, 4);
    auto& simm = *set.SlotAs<TCondSimmetrie>(4);
    simm.Tabella(1).Imposta(false, 0, kRecupero, 9);
    simm.Tabella(1).Pt.Link = 'D';
    auto& item = dynamic_cast<TCondConsecutivita&>(group.Item(1));
    item.Ammessa().Imposta(false, 2, kRecupero, 1);
    item.Selezione().Imposta(false, 2, kRecupero, 50); // the selection is never reported
    TEsameTraLink e(&set);
    e.Esamina(TModoEsame::Link, 'A', 0);
    ASSERT_EQ(e.Elementi().size(), 3u);
    EXPECT_EQ(e.Elementi()[0].Testo, "\\Numero Di Segni - Segni 0");
    EXPECT_EQ(e.Elementi()[0].Numero, 1);
    EXPECT_EQ(e.Elementi()[1].Testo, "\\Numero Di Segni - Segni 2 - Consecutività");
    EXPECT_EQ(e.Elementi()[2].Testo,
              "\\Gruppo Consecutività\\Consecutività Segno M 002 - Consecutività Ammessa");
    EXPECT_EQ(e.Elementi()[2].Numero, 7);
    EXPECT_EQ(e.Somma2(), 3 + 4 + 1);
    EXPECT_TRUE(e.Livello(3));
    EXPECT_FALSE(e.Livello(50));
    set.Prepara();
    EXPECT_EQ(set.Link().LettereUsate, "AD");
    EXPECT_EQ(set.Link().SommaLivelli, 8 + 9);
    // A switched-off slot is not examined.
    simm.Attivato = false;
    set.Prepara();
    EXPECT_EQ(set.Link().LettereUsate, "A");

    // Tra mode: smallest and largest marked value of each section in the group.
    TInsiemeCondizioni tra;
    Admit(SegniTab(tra, 0), 3, 5);
    SegniTab(tra, 0).Pt.Tra = 2;
    Admit(SegniTab(tra, 1), 1, 4, true);
    SegniTab(tra, 1).Cs.Tra = 2;
    SegniTab(tra, 2).Pt.Tra = 2; // unmarked: not counted
    TEsameTraLink t(&tra);
    t.Esamina(TModoEsame::Tra, 'A', 2);
    ASSERT_EQ(t.Elementi().size(), 2u);
    EXPECT_EQ(t.Elementi()[1].Testo, "\\Numero Di Segni - Segni 1 - Consecutività");
    EXPECT_EQ(t.Somma1(), 3 + 1);
    EXPECT_EQ(t.Somma2(), 5 + 4);
}

TEST(Evaluation, TraContributionsComeFirstAndPerColumn) {
    TInsiemeCondizioni set;
    Admit(SegniTab(set, 0), 0, 3);
    SegniTab(set, 0).Pt.Tra = 1;
    Admit(SegniTab(set, 1), 0, 12, true);
    SegniTab(set, 1).Cs.Tra = 1;
    SegniTab(set, 1).Pt.Tra = 30; // points not marked: no contribution
    auto& inter = *set.SlotAs<TCondInterruzioni>(5);
    Admit(inter.Tabella(0), 0, 11);
    inter.Tabella(0).Pt.Tra = 2;
    set.Prepara();
    set.ImpostaTraAbilitata(true); // what a "Punti Tra" in slot 15 would switch on
    // 3 zeros + ones' longest run 5; 6 interruptions.
    EXPECT_TRUE(set.Accetta(Col("0 0 1 1 1 1 1 2 0 1 2 M")));
    EXPECT_EQ(set.Somme()[1], 3 + 5);
    EXPECT_EQ(set.Somme()[2], 6);
    EXPECT_EQ(set.Somme()[30], 0);
    // A column rejected by "Segni 0" still made the contributions of the other three tables, but
    // never reached slot 5.
    EXPECT_FALSE(set.Accetta(Col("000011111111")));
    EXPECT_EQ(set.Somme()[1], 4 + 8);
    EXPECT_EQ(set.Somme()[2], 0);
    // Without the switch nothing is added.
    set.ImpostaTraAbilitata(false);
    set.SommeTra()[1] = 0;
    set.Accetta(Col("0 0 1 1 1 1 1 2 0 1 2 M"));
    EXPECT_EQ(set.Somme()[1], 0);
}

TEST(Evaluation, RipetizioniNeedsTwoContests) {
    T_Archivio archive;
    T_ImpostazioniRicerca search;
    TInsiemeCondizioni set;
    set.Collega(&archive, &search, nullptr);
    auto& rip = *set.SlotAs<TCondRipetizioni>(6);
    Admit(rip.Tabella(0), 0, 6); // at most six teams as in the last contest
    const Colonna last = Col("0120M0120M01");
    set.Prepara();
    EXPECT_FALSE(rip.Abilitata);
    EXPECT_TRUE(set.Accetta(last));
    T_Concorso c;
    c.ColonnaVincente = last;
    c.AggiornaCompleto();
    archive.Concorsi().push_back(c);
    set.Prepara();
    EXPECT_FALSE(rip.Abilitata);
    EXPECT_TRUE(rip.Verifica(last)); // never reads outside the list
    archive.Concorsi().insert(archive.Concorsi().begin(), c);
    archive.Concorsi().front().ColonnaVincente = Col("MMMMMMMMMMMM");
    set.Prepara();
    EXPECT_TRUE(rip.Abilitata);
    EXPECT_FALSE(set.Accetta(last));
    EXPECT_TRUE(set.Accetta(Col("0120M0MMM2MM")));
    std::array<TMisura, 2> m;
    rip.Misura(last, m, true);
    EXPECT_EQ(m[0], (TMisura{12, 12}));
    EXPECT_EQ(m[1], (TMisura{2, 1}));
    // The win search may ignore it.
    set.ModoArchivio = true;
    set.Prepara();
    EXPECT_FALSE(rip.Abilitata);
    search.IgnoraRipetizioni = 0;
    set.Prepara();
    EXPECT_TRUE(rip.Abilitata);
}

TEST(Evaluation, Statistics) {
    T_Archivio archive;
    T_ImpostazioniRicerca search;
    const char* cols[] = {"000000111111", "001111111111", "0000001111*1", "000111111111"};
    std::uint8_t n = 1;
    for (const char* c : cols) {
        T_Concorso k;
        k.Anno = 2024;
        k.Numero = n++;
        k.ColonnaVincente = Col(c);
        k.AggiornaCompleto();
        archive.Concorsi().push_back(k);
    }
    T_IntervalloConcorsi& range = search.Intervallo;
    ASSERT_TRUE(archive.IntervalloCompleto(range));
    TListaColonne memory;
    memory.Append(Col("0000001111 11"));
    Colonna two = Col("111111111111");
    two.s[11] = kSign0 | kSign1; // two single columns
    memory.Append(two);
    TInsiemeCondizioni set;
    set.Collega(&archive, &search, &memory);
    auto& segni = Segni(set);
    segni.StatisticaArchivio();
    // Zeros of the three complete contests: 6, 2, 3; the incomplete one is not examined.
    const T_FrequenzeRitardi& z = segni.Voce(0).Archivio;
    EXPECT_EQ(z.Eventi(), 3);
    EXPECT_EQ(z.Frequenza(6), 1);
    EXPECT_EQ(z.Frequenza(2), 1);
    EXPECT_EQ(z.Frequenza(3), 1);
    EXPECT_EQ(z.Ritardo(6), 2);
    EXPECT_EQ(z.Ritardo(3), 0);
    EXPECT_EQ(z.Ritardo(0), 3);
    // A narrower range: only contests 2..4.
    range.NumeroDa = 2;
    segni.StatisticaArchivio();
    EXPECT_EQ(segni.Voce(0).Archivio.Eventi(), 2);

    segni.StatisticaColonne();
    const T_FrequenzeRitardi& a = segni.Voce(0).Analisi;
    EXPECT_EQ(a.Eventi(), 3);
    EXPECT_EQ(a.Frequenza(6), 1);
    EXPECT_EQ(a.Frequenza(0), 1);
    EXPECT_EQ(a.Frequenza(1), 1);
    EXPECT_EQ(a.Ritardo(2), 0);

    // One column: always into the first object, into the second only when admitted.
    Admit(SegniTab(set, 0), 0, 2);
    segni.AzzeraStatistiche();
    segni.AggiornaStato();
    segni.StatisticaColonna(Col("000111111111"));
    segni.StatisticaColonna(Col("001111111111"));
    EXPECT_EQ(segni.Voce(0).Archivio.Eventi(), 2);
    EXPECT_EQ(segni.Voce(0).Analisi.Eventi(), 1);
    EXPECT_EQ(segni.Voce(0).Analisi.Frequenza(2), 1);

    // Ripetizioni over the archive: contest a against a-1 and a-2, from the third on.
    auto& rip = *set.SlotAs<TCondRipetizioni>(6);
    range.NumeroDa = 1;
    range.Filtra = 0;
    rip.StatisticaArchivio();
    EXPECT_EQ(rip.Voce(0).Archivio.Eventi(), 2);
    // Contest 3 against 2: teams 1, 2, 7..10 and 12 equal; contest 4 against 3: 1..3, 7..10, 12.
    EXPECT_EQ(rip.Voce(0).Archivio.Frequenza(7), 1);
    EXPECT_EQ(rip.Voce(0).Archivio.Frequenza(8), 1);
}

} // namespace
} // namespace tessaline
