#include "app/ui/screenshots_scrutiny.h"
#include "app/ui/screenshot_support.h"

#include <QApplication>
#include <QPixmap>
#include <memory>

#include "app/ui/main_window.h"
#include "archive/demo_archive.h"
#include "core/enumerate.h"
#include "core/interfaces.h"
#include "core/ui/file_chooser.h"
#include "core/ui/sign_edits.h"
#include "reduce/ui/guarantee_window.h"
#include "scrutiny/plays.h"
#include "scrutiny/ui/historical_window.h"
#include "scrutiny/ui/plays_windows.h"
#include "scrutiny/ui/scrutiny_windows.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

Colonna Vincente() {
    Colonna w;
    const SignSet signs[kTeams] = {kSign1, kSign0, kSign2, kSign1, kSign0, kSign0,
                                   kSign1, kSignM, kSign2, kSign1, kSign1, kSign0};
    for (int t = 0; t < kTeams; ++t) {
        w[t] = signs[t];
    }
    return w;
}

} // namespace

bool SaveScrutinyScreenshots(T_Sistema& sys, const QString& dir) {
    bool ok = true;
    TFixedAnswerPrompt prompt;
    TFormPrinc main(sys);
    main.SetPrompt(&prompt);
    main.Archivio() = ArchivioDimostrativo();
    TNoFiles files;
    const QSize small(640, 480);
    // The sample: a forecast with doubles on the first five teams, its columns in memory.
    const Colonna w = Vincente();
    Pronostico f;
    for (int t = 0; t < kTeams; ++t) {
        f[t] = w[t];
    }
    for (int t = 0; t < 5; ++t) {
        f[t] = static_cast<SignSet>(w[t] | (w[t] == kSign0 ? kSign1 : kSign0));
    }
    sys.dati.Forecast = f;
    sys.dati.sviluppo.PairMode = 0;
    sys.Colonne.Clear();
    EnumerateForecast(f, TEnumMode::Develop, nullptr, [&](const Colonna& c) { sys.Colonne.Append(c); });
    {
        TRisultatiGaranzie results;
        TFrmCalcGaranzie g(main, files, results);
        g.show();
        QApplication::processEvents();
        g.Check1Err->setChecked(true);
        g.BtnCalcolaClick();
        ok = SalvaSchermata(&g, dir, QStringLiteral("garanzie")) && ok;
        g.Speed1->click();
        ok = SalvaSchermata(&g, dir, QStringLiteral("garanzie_640"), small) && ok;
    }
    {
        auto set = std::make_unique<TSpoglio>();
        set->CaricaDaMemoria(sys.Colonne, false);
        TFormSpoglio s(main, std::move(set));
        ok = SalvaSchermata(&s, dir, QStringLiteral("spoglio_vuoto")) && ok;
        s.EditColonna->SetColonna(w);
        s.EditColonnaModificato();
        ok = SalvaSchermata(&s, dir, QStringLiteral("spoglio")) && ok;
        ok = SalvaSchermata(&s, dir, QStringLiteral("spoglio_640"), small) && ok;
        TFormVisVin v(s.Spoglio());
        v.SClick(5);
        ok = SalvaSchermata(&v, dir, QStringLiteral("schedine_vincenti")) && ok;
        ok = SalvaSchermata(&v, dir, QStringLiteral("schedine_vincenti_640"), small) && ok;
    }
    {
        // Plays of contest 1: coupons, an integral system and ten reduced systems.
        TArchivioGiocate plays(1);
        plays.AggiungiSchedina(w, sys.Colonne[3], Colonna{});
        plays.AggiungiIntegrale(f);
        for (int k = 0; k < 10; ++k) {
            plays.AggiungiSistema(sys.Colonne, 5, 0, 0);
        }
        plays.SalvaArchivio();
        sys.dati.ContestNumber = 1;
        TFormVisGiocate g(main, nullptr);
        ok = SalvaSchermata(&g, dir, QStringLiteral("riepilogo_giocate")) && ok;
        ok = SalvaSchermata(&g, dir, QStringLiteral("riepilogo_giocate_640"), small) && ok;
        TFormSpoglioGlobale sg(main, g.Archivio());
        sg.EditColonna->SetColonna(w);
        sg.EditColonnaModificato();
        ok = SalvaSchermata(&sg, dir, QStringLiteral("spoglio_globale")) && ok;
        ok = SalvaSchermata(&sg, dir, QStringLiteral("spoglio_globale_640"), small) && ok;
    }
    {
        auto set = std::make_unique<TSpoglioStorico>();
        set->CaricaDaMemoria(sys.Colonne);
        TFormSpoglioStorico h(main, files, std::move(set));
        h.Elabora();
        ok = SalvaSchermata(&h, dir, QStringLiteral("spoglio_storico")) && ok;
        ok = SalvaSchermata(&h, dir, QStringLiteral("spoglio_storico_640"), small) && ok;
        TFrmAnalProgress p;
        p.Gauge(40);
        ok = SalvaSchermata(&p, dir, QStringLiteral("analisi_progress")) && ok;
    }
    return ok;
}

} // namespace tessaline
