#include "app/ui/screenshots_commands.h"
#include "app/ui/screenshot_support.h"

#include <QApplication>
#include <QPixmap>

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "core/interfaces.h"
#include "develop/ui/develop_commands.h"
#include "develop/ui/develop_window.h"
#include "develop/ui/recalc_panel.h"
#include "develop/ui/settings_dialog.h"
#include "system/sistema.h"
#include "system/ui/system_commands.h"
#include "system/ui/team_windows.h"

namespace tessaline {

namespace {

bool Shot(QWidget* w, const QString& dir, const QString& name) {
    w->show();
    QApplication::processEvents();
    const bool ok = w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    w->hide();
    return ok;
}

} // namespace

bool SaveCommandScreenshots(T_Sistema& sys, const QString& dir) {
    bool ok = true;
    TFixedAnswerPrompt prompt;
    TNoFiles files;
    TFormPrinc main(sys);
    main.SetPrompt(&prompt);
    TComandi comandi(main, &files);
    main.FormShow({});
    const char* names[kTeams] = {"Inter",    "Juventus", "Milan",   "Napoli", "Roma",       "Lazio",
                                 "Atalanta", "Torino",   "Bologna", "Genoa",  "Fiorentina", "Udinese"};
    for (int i = 0; i < kTeams; ++i) {
        sys.dati.teamNames[static_cast<std::size_t>(i)] = names[i];
        sys.dati.Forecast[i] = kSign1;
    }
    for (int t : {0, 2, 4, 6, 8, 10}) {
        sys.dati.Forecast[t] = ParseSigns("012");
    }
    sys.dati.teamNames[9].clear();
    sys.dati.teamNames[10].clear();
    sys.dati.sviluppo.PairMode = 0;
    sys.dati.sviluppo.IntegralBases = {};
    sys.ParticipantCount = 1;
    sys.dati.sviluppo.ReducedDevelopment = 1;
    sys.dati.sviluppo.MinDistanceMode = 1;
    sys.dati.sviluppo.MinDistance = 3;
    main.ImpostaTutto();
    main.resize(1000, 700);
    main.show();

    comandi.Sviluppo().CalcoloColonne1Click();
    if (TFrmSviluppo* f = comandi.Sviluppo().FinestraSviluppo()) {
        ok = Shot(f, dir, QStringLiteral("sviluppo_ridotto")) && ok;
        // As the improved reduction shows its search (figures of a large system).
        f->AggiornaRidOtt(16777216, 1093, false, 16777216);
        f->AggiornaMigliorata(1092, 1093, 40);
        ok = Shot(f, dir, QStringLiteral("sviluppo_migliorata")) && ok;
    }
    sys.dati.sviluppo.ReducedDevelopment = 0;
    comandi.Sviluppo().CalcoloColonne1Click();
    if (TFrmSviluppo* f = comandi.Sviluppo().FinestraSviluppo()) {
        ok = Shot(f, dir, QStringLiteral("sviluppo")) && ok;
    }

    TFrmImpSv imp(sys, prompt, files);
    imp.CheckRid->click();
    imp.RadioN1->click();
    imp.CheckOtt->click();
    imp.CheckMig->click();
    imp.CheckUsaRicalcolo->click();
    ok = Shot(&imp, dir, QStringLiteral("impostazioni_sviluppo")) && ok;

    sys.dati.sviluppo.AutoRecalc = 1;
    comandi.Sviluppo().Ricalcola();
    sys.dati.Forecast[1] = ParseSigns("01");
    main.ImpostaTutto();
    comandi.Sviluppo().Ricalcola();
    ok = Shot(comandi.Sviluppo().Pannello(), dir, QStringLiteral("ricalcolo")) && ok;
    // The panel as a run shows it: the gauge and "Annulla".
    comandi.Sviluppo().Pannello()->show();
    comandi.Sviluppo().Pannello()->InizioCalcolo();
    comandi.Sviluppo().Pannello()->AggiornaCond(16'777'216, 16'777'216, false, 8'388'608);
    ok = Shot(comandi.Sviluppo().Pannello(), dir, QStringLiteral("ricalcolo_in_corso")) && ok;
    comandi.Sviluppo().Pannello()->FineCalcolo();
    main.show();
    comandi.Sviluppo().Pannello()->show();
    QApplication::processEvents();
    ok = main.grab().save(dir + QStringLiteral("/main_ricalcolo.png")) && ok;
    comandi.Sviluppo().ChiudiPannello();

    TFormListaSquadre lista(prompt);
    ok = Shot(&lista, dir, QStringLiteral("lista_squadre")) && ok;
    TFormEditSquadra edit(QStringLiteral("Sampdoria"), prompt);
    ok = Shot(&edit, dir, QStringLiteral("editazione_squadra")) && ok;
    {
        TFormSelezioneSquadre sel(sys, lista.Liste(), main.EditSchedina->Partite);
        ok = Shot(&sel, dir, QStringLiteral("selezione_partite")) && ok;
        main.show();
        QApplication::processEvents();
        ok = main.EditSchedina->grab().save(dir + QStringLiteral("/selezione_slot.png")) && ok;
    }
    sys.ParticipantCount = 3;
    sys.participants = {"Anna", "Bruno", "Carla"};
    TFormSoci soci(sys, prompt);
    ok = Shot(&soci, dir, QStringLiteral("partecipanti")) && ok;
    sys.comment = {"Sistema della settimana,", "giocato in tre."};
    TFormCommento commento(sys);
    ok = Shot(&commento, dir, QStringLiteral("commento")) && ok;
    main.hide();
    sys.modified = false;
    return ok;
}

} // namespace tessaline
