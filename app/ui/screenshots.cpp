#include "app/ui/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

#include "app/ui/forecast_forms.h"
#include "app/ui/main_window.h"
#include "app/ui/screenshots_archive.h"
#include "app/ui/screenshots_commands.h"
#include "app/ui/screenshots_conditions.h"
#include "app/ui/screenshots_print.h"
#include "app/ui/screenshots_reduce.h"
#include "app/ui/screenshots_scrutiny.h"
#include "app/ui/screenshots_shop.h"
#include "app/ui/screenshots_stats.h"
#include "app/ui/screenshots_tools.h"
#include "app/ui/settings_forms.h"
#include "core/interfaces.h"
#include "core/ui/form_message.h"

namespace tessaline {

namespace {

bool Shot(QWidget* w, const QString& dir, const QString& name) {
    w->show();
    QApplication::processEvents();
    const bool ok = w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    w->hide();
    return ok;
}

void SampleSystem(T_Sistema& sys) {
    TDatiSistema& d = sys.dati;
    const char* names[kTeams] = {"Roma",   "Lazio", "Milan", "Inter",     "Juventus", "Torino",
                                 "Napoli", "Bari",  "Genoa", "Sampdoria", "Verona",   "Chievo"};
    const SignSet pro[kTeams] = {3, 2, 6, 1, 15, 2, 1, 7, 2, 4, 3, 1};
    for (int i = 0; i < kTeams; ++i) {
        d.teamNames[static_cast<std::size_t>(i)] = names[i];
        d.Forecast[i] = pro[i];
        d.TeamPercentages[static_cast<std::size_t>(i)] = {30, 40, 20, 10};
        d.TeamValues[static_cast<std::size_t>(i)] = {i + 1, 2 * i, 0, 5};
    }
    d.sviluppo.PairTable.p[0][1] = d.sviluppo.PairTable.p[0][5] = d.sviluppo.PairTable.p[1][0] = 1;
    d.ContestNumber = 23;
    d.sviluppo.IntegralBases[4] = kSign1;
    sys.ParticipantCount = 4;
    Colonna c;
    for (int i = 0; i < kTeams; ++i) {
        c[i] = kSign1;
    }
    for (int i = 0; i < 100; ++i) {
        sys.Colonne.Append(c);
    }
}

} // namespace

bool SaveScreenshots(T_Sistema& sys, const QString& dir) {
    TProgramSettings& settings = sys.dati.settings;
    QDir().mkpath(dir);
    bool ok = true;
    TFormPrinc main(sys);
    main.FormShow({});
    SampleSystem(sys);
    main.ImpostaTutto();
    main.AggiornaStatusLine();
    main.resize(1000, 700);
    ok = Shot(&main, dir, QStringLiteral("main")) && ok;
    main.show();
    QApplication::processEvents();
    ok = main.EditSchedina->grab().save(dir + QStringLiteral("/coupon_editor.png")) && ok;
    main.SpeedA->click();
    QApplication::processEvents();
    ok = main.EditSchedina->grab().save(dir + QStringLiteral("/coupon_editor_pairs.png")) && ok;
    main.resize(640, 480);
    QApplication::processEvents();
    ok = main.grab().save(dir + QStringLiteral("/main_small.png")) && ok;
    main.hide();

    TFormMessage m;
    m.Prepara(QStringLiteral("Informazione"),
              QString::fromUtf8("Il Sistema non è Stato Salvato. Vuoi Salvarlo ? "),
              BtnSi | BtnNo | BtnAnnulla);
    ok = Shot(&m, dir, QStringLiteral("message_si_no_annulla")) && ok;
    m.Prepara(QStringLiteral("Informazione"),
              QString::fromUtf8("Errore Di Lettura Sul File. Impossibile Leggere le Colonne. Il file scelto "
                                "non contiene colonne valide oppure è stato troncato durante la copia."),
              BtnOk);
    ok = Shot(&m, dir, QStringLiteral("message_ok")) && ok;

    TFrmImpostazioni imp(settings);
    ok = Shot(&imp, dir, QStringLiteral("impostazioni")) && ok;
    TFormDatiRicevitoria ric(settings);
    ok = Shot(&ric, dir, QStringLiteral("dati_ricevitoria")) && ok;
    TFormAccoppiate acc(sys.dati.sviluppo.PairTable, sys.dati.teamNames);
    ok = Shot(&acc, dir, QStringLiteral("accoppiate")) && ok;
    TFixedAnswerPrompt prompt;
    TFormPartiteIntegrali integ(sys, prompt);
    ok = Shot(&integ, dir, QStringLiteral("partite_integrali")) && ok;
    TFormIntro intro;
    ok = Shot(&intro, dir, QStringLiteral("intro")) && ok;
    TFormAbout about;
    ok = Shot(&about, dir, QStringLiteral("about")) && ok;
    ok = SaveCommandScreenshots(sys, dir) && ok;
    ok = SaveArchiveScreenshots(sys, dir) && ok;
    ok = SaveConditionScreenshots(sys, dir) && ok;
    ok = SavePrintScreenshots(sys, dir) && ok;
    ok = SaveScrutinyScreenshots(sys, dir) && ok;
    ok = SaveReduceScreenshots(dir) && ok;
    ok = SaveToolScreenshots(sys, dir) && ok;
    ok = SaveStatsScreenshots(sys, dir) && ok;
    ok = SaveShopScreenshots(sys, dir) && ok;
    return ok;
}

} // namespace tessaline
