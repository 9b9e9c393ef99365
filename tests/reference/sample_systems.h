#pragma once
// Systems built through the engine for the tests: one holding a condition of every family, and the
// example system installed with the program (data/Sistemi/esempio1.svs).

#include <memory>

#include "conditions/condition_set.h"
#include "conditions/filter_columns.h"
#include "conditions/frame.h"
#include "conditions/points_between.h"
#include "conditions/sequele.h"
#include "conditions/sequence_shape.h"
#include "conditions/sign_count.h"
#include "conditions/value_conditions.h"
#include "system/sistema.h"

namespace tessaline::test {

inline void AdmitRange(TTabellaPunti& t, int lo, int hi, bool cons = false) {
    for (int v = lo; v <= hi; ++v) {
        t.Imposta(cons, v, kAmmesso);
    }
}

inline TListaCondizioni& ListSlot(T_Sistema& sys, int slot) {
    return *sys.Insieme().SlotAs<TListaCondizioni>(slot);
}

template <class T> T& AddItem(T_Sistema& sys, int slot) {
    auto item = std::make_unique<T>(&sys.Insieme());
    T& ref = *item;
    ListSlot(sys, slot).Aggiungi(std::move(item));
    return ref;
}

// Coupon, forecast, values and percentages shared by both systems.
inline void SampleCoupon(T_Sistema& sys) {
    const char* names[kTeams] = {"Atalanta", "Bologna", "Cagliari", "Empoli", "Fiorentina", "Genoa",
                                 "Juventus", "Lazio",   "Milan",    "Napoli", "Roma",       "Torino"};
    for (int t = 0; t < kTeams; ++t) {
        sys.dati.teamNames[static_cast<std::size_t>(t)] = names[t];
    }
    sys.dati.ContestNumber = 27;
    // Four doubles and two triples on the home and away goals: 144 columns.
    const char* forecast[kTeams] = {"12", "01", "1", "012", "2", "1", "12M", "0", "12", "01", "2", "1"};
    for (int t = 0; t < kTeams; ++t) {
        sys.dati.Forecast[t] = ParseSigns(forecast[t]);
    }
    for (int t = 0; t < kTeams; ++t) {
        auto& p = sys.dati.TeamPercentages[static_cast<std::size_t>(t)];
        auto& v = sys.dati.TeamValues[static_cast<std::size_t>(t)];
        const int home = t % 2 == 0 ? 5 : 0;
        p = {22 - home, 38, 26 + home, 14};
        v = {1 + t % 3, 3, 2, 1 + (t + 1) % 2};
    }
}

// Every family in force: slots 1 to 15 and a frame holding a filter column, a sub-frame and a list.
inline void BuildRichSystem(T_Sistema& sys) {
    sys.NewSystem();
    SampleCoupon(sys);
    sys.dati.SourceForecast = 0;
    sys.dati.SourceFile = "Sorgente.Col";
    auto& dev = sys.dati.sviluppo;
    dev.DestinationFile = "Destinazione.Col";
    dev.AutoRecalc = 0;
    dev.RealCalculation = 0;
    dev.IntegralBases[6] = kSign2;
    dev.PairTable.p[2][5] = 1;
    dev.PairTable.p[5][15] = 1;
    dev.ReducedDevelopment = 1;
    dev.Guarantee = 5;
    dev.Passes = 3;
    sys.comment = {"Sistema di prova", "", "con l'accento: è"};
    sys.participants = {"Anna", "Bruno"};
    sys.ParticipantCount = 2;
    sys.participantNamesFlag = 1;
    TInsiemeCondizioni& set = sys.Insieme();

    AdmitRange(set.SlotAs<TCondNumeroSegni>(kCodNumeroSegni)->Tabella(1), 3, 8);
    set.SlotAs<TCondNumeroSegni>(kCodNumeroSegni)->Tabella(0).Imposta(false, 5, kRecupero, 2);
    AdmitRange(set.SlotAs<TCondPariDispari>(kCodPariDispari)->Tabella(0), 0, 4);
    AdmitRange(set.SlotAs<TCondVortice>(kCodVortice)->Tabella(1), 0, 10);
    AdmitRange(set.SlotAs<TCondSimmetrie>(kCodSimmetrie)->Tabella(2), 0, 9);
    AdmitRange(set.SlotAs<TCondInterruzioni>(kCodInterruzioni)->Tabella(0), 4, 11, false);
    set.SlotAs<TCondInterruzioni>(kCodInterruzioni)->Tabella(0).ImpostaCampo(2, 11);
    AdmitRange(set.SlotAs<TCondRipetizioni>(kCodRipetizioni)->Tabella(0), 0, 8);
    set.SlotAs<TCondRipetizioni>(kCodRipetizioni)->Attivato = false;

    auto& cons = AddItem<TCondConsecutivita>(sys, kCodGruppoConsecutivita);
    cons.Segno = kSign1;
    AdmitRange(cons.Selezione(), 2, 12);
    AdmitRange(cons.Ammessa(), 0, 3);
    auto& seq = AddItem<TCondSequela>(sys, kCodGruppoSequele);
    seq.TipoSequela = kBitermine;
    seq.ImpostaLunghezza(2);
    AdmitRange(seq.Presenze(), 0, 4);
    auto& gol = AddItem<TCondPuntiSquadra>(sys, kCodGruppoPuntiSquadra);
    gol.Squadre = {1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0};
    AdmitRange(gol.Gol(), 5, 12);
    gol.Gol().Pt.Tra = 1;
    auto& val = AddItem<TCondGruppoValori>(sys, kCodGruppoValori);
    val.Squadre.fill(1);
    val.Intervalli.Aggiungi(14, 30, kAmmesso);
    auto& perc = AddItem<TCondPercentuali>(sys, kCodGruppoPercentuali);
    perc.Squadre = {1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    perc.Intervalli.Aggiungi(0.5, 20.25, kAmmesso);
    perc.Intervalli.Aggiungi(20.25, 100, kRecupero, 1);
    auto& filtro = AddItem<TCondColonnaFiltro>(sys, kCodGruppoColFiltro);
    filtro.Filtro = sys.dati.Forecast;
    filtro.ConfrontoACoppie = false;
    AdmitRange(filtro.Punti(), 6, 12);
    auto& ris = AddItem<TCondRisultati>(sys, kCodGruppoRisultati);
    ris.Esiti = {1, 3, 2, 4, 1, 5};
    AdmitRange(ris.Tabella(0), 1, 6);

    TCondQuadro& frame = *set.SlotAs<TCondQuadro>(kCodQuadro);
    frame.Nome = "Quadro Prova";
    frame.Commento = {"tre filtri"};
    auto item = std::make_unique<TCondColonnaFiltro>(&set);
    item->Filtro = sys.dati.Forecast;
    AdmitRange(item->Punti(), 4, 6);
    frame.Aggiungi(std::move(item));
    auto sub = std::make_unique<TCondQuadro>(&set, "Sub Quadro");
    auto segni = std::make_unique<TCondNumeroSegni>(&set);
    AdmitRange(segni->Tabella(3), 0, 3);
    sub->Aggiungi(std::move(segni));
    sub->ImpostaRelazione(kRelNot);
    frame.Aggiungi(std::move(sub));
    auto lista = CreaCondizione(kCodGruppoRisultati, &set);
    frame.Aggiungi(std::move(lista));
    frame.ImpostaRelazione(kRelOr);

    auto& tra = *set.SlotAs<TCondPuntiTra>(kCodPuntiTra);
    tra.Gruppo(1).Aggiungi(5, 10, kAmmesso);
    tra.Gruppo(3).Aggiungi(0, 2, kAmmesso);

    set.Link().Lettera('A').ErroriAmmessi.Imposta(false, 0, kAmmesso);
    set.Link().Lettera('A').ErroriAmmessi.Imposta(false, 1, kAmmesso);
    set.Link().ErroriTotali.Imposta(false, 1, kAmmesso);

    sys.Colonne.Append(sys.dati.Forecast); // a multi-sign column expands when read back
    Colonna single;
    for (int t = 0; t < kTeams; ++t) {
        single[t] = kSign1;
    }
    sys.Colonne.Append(single);
}

// The example installed with the program: the coupon above, sign counts, interruptions and the
// coupon's values in force, a frame of two filter columns (either may hit), reduced development
// with guarantee 5 points.
inline void BuildExampleSystem(T_Sistema& sys) {
    sys.NewSystem();
    SampleCoupon(sys);
    sys.dati.teamNames[0] = "Inter";
    sys.dati.SourceFile = "DefSorg.Col";
    auto& dev = sys.dati.sviluppo;
    dev.DestinationFile = "DefDest.Col";
    dev.ReducedDevelopment = 1;
    dev.Guarantee = 5;
    sys.comment = {"Sistema di esempio: quattro doppie e due triple,", "ridotto a garanzia del 5."};
    TInsiemeCondizioni& set = sys.Insieme();

    // At most two teams with three goals or more, and from two to five with one goal.
    auto& segni = *set.SlotAs<TCondNumeroSegni>(kCodNumeroSegni);
    AdmitRange(segni.Tabella(3), 0, 2);
    AdmitRange(segni.Tabella(1), 2, 5);
    // Between four and ten changes of sign along the coupon.
    AdmitRange(set.SlotAs<TCondInterruzioni>(kCodInterruzioni)->Tabella(0), 4, 10);
    // The coupon's values of all twelve teams add up to 20 .. 28.
    auto& val = AddItem<TCondGruppoValori>(sys, kCodGruppoValori);
    val.Squadre.fill(1);
    val.Intervalli.Aggiungi(20, 28, kAmmesso);

    // The frame: the column meets at least four of six matches of one of two reference columns.
    TCondQuadro& frame = *set.SlotAs<TCondQuadro>(kCodQuadro);
    frame.Nome = "Quadro Di Esempio";
    frame.Commento = {"Almeno una delle due colonne filtro"};
    const char* filtri[2][kTeams] = {{"1", "0", "1", "1", "2", "1", "1", "0", "1", "0", "2", "1"},
                                     {"2", "1", "1", "2", "2", "1", "2", "0", "2", "1", "2", "1"}};
    for (const auto& f : filtri) {
        auto item = std::make_unique<TCondColonnaFiltro>(&set);
        for (int t = 0; t < kTeams; ++t) {
            item->Filtro[t] = ParseSigns(f[t]);
        }
        AdmitRange(item->Punti(), 4, 6);
        frame.Aggiungi(std::move(item));
    }
    frame.ImpostaRelazione(kRelOr);
    sys.modified = false;
}

} // namespace tessaline::test
