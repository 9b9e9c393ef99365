#include "app/ui/screenshots_stats.h"

#include <QApplication>
#include <QPixmap>

#include "app/ui/main_window.h"
#include "archive/demo_archive.h"
#include "archive/ui/analysis_windows.h"
#include "archive/ui/stats_windows.h"
#include "conditions/analysis_view.h"
#include "conditions/condition_set.h"
#include "conditions/sign_count.h"
#include "core/column_list.h"
#include "core/interfaces.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

bool Shot(QWidget* w, const QString& dir, const QString& name, QSize size = {}) {
    w->show();
    QApplication::processEvents();
    if (size.isValid()) {
        w->resize(size);
    }
    QApplication::processEvents();
    const bool ok = w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    w->hide();
    return ok;
}

bool Both(QWidget* w, const QString& dir, const QString& name) {
    const bool a = Shot(w, dir, name);
    return Shot(w, dir, name + QStringLiteral("_640"), QSize(640, 480)) && a;
}

} // namespace

bool SaveStatsScreenshots(T_Sistema& sys, const QString& dir) {
    bool ok = true;
    TFixedAnswerPrompt prompt;
    TFormPrinc main(sys);
    main.SetPrompt(&prompt);
    T_Archivio& archivio = main.Archivio();
    archivio = ArchivioDimostrativo();
    T_ImpostazioniRicerca ricerca;
    archivio.IntervalloCompleto(ricerca.Intervallo);
    ricerca.Categoria1 = 0;
    ricerca.Categoria123 = 1;
    {
        TFormImpRic form(ricerca, archivio, {});
        ok = Both(&form, dir, QStringLiteral("impostazioni_ricerca")) && ok;
    }
    {
        TFormProArc form(archivio, ricerca, {});
        ok = Both(&form, dir, QStringLiteral("storia_squadre")) && ok;
    }

    // A forecast of 2 triples and 4 doubles, two sign-count conditions, part of it in memory.
    T_Sistema locale;
    Colonna previsione;
    previsione.s.fill(2);
    previsione.s[0] = previsione.s[1] = 7;
    for (std::size_t t = 2; t < 6; ++t) {
        previsione.s[t] = 3;
    }
    locale.dati.Forecast = previsione;
    TInsiemeCondizioni& set = locale.Insieme();
    set.Collega(&archivio, &ricerca, &locale.Colonne);
    auto* segni = set.SlotAs<TCondNumeroSegni>(1);
    for (int v = 1; v <= 4; ++v) {
        segni->Tabella(0).Imposta(false, v, kAmmesso);
    }
    segni->Tabella(1).Imposta(false, 6, kRecupero, 2);
    for (int v = 7; v <= 11; ++v) {
        segni->Tabella(1).Imposta(false, v, kAmmesso);
    }
    set.Prepara();
    std::int64_t tenute = 0;
    ExpandColumn(previsione, [&](const Colonna& c) {
        if (set.Accetta(c)) {
            locale.Colonne.Append(c);
            ++tenute;
        }
    });
    {
        TFormStatistica form(set, archivio, ricerca, ColumnsCovered(previsione), tenute);
        form.show();
        form.AnalisiArchivioClick();
        ok = Both(&form, dir, QStringLiteral("analisi_statistica")) && ok;
        form.MostraCategoria(2);
        ok = Shot(&form, dir, QStringLiteral("analisi_statistica_3")) && ok;
    }
    VistaAnalisi vista;
    CostruisciVista(*segni, previsione, true, false, vista);
    {
        TFormArchivio form(vista, {});
        ok = Both(&form, dir, QStringLiteral("storia_misura")) && ok;
        form.CheckPerc->setChecked(true);
        form.RadioCons->setChecked(true);
        ok = Shot(&form, dir, QStringLiteral("storia_misura_perc_cons")) && ok;
        form.RadioTabella->setChecked(true);
        ok = Shot(&form, dir, QStringLiteral("storia_misura_tabella")) && ok;
        form.Pagine->setCurrentIndex(1);
        ok = Shot(&form, dir, QStringLiteral("storia_misura_ritardi")) && ok;
    }
    {
        TFormAnalisiCF form(vista, {});
        ok = Both(&form, dir, QStringLiteral("analisi_colonnare")) && ok;
        form.ScegliMisura(1);
        form.CheckZoom->setChecked(true);
        ok = Shot(&form, dir, QStringLiteral("analisi_colonnare_zoom")) && ok;
        form.RadioTabella->setChecked(true);
        ok = Shot(&form, dir, QStringLiteral("analisi_colonnare_tabella")) && ok;
    }
    {
        VistaAnalisi nonSviluppata;
        CostruisciVista(*segni, previsione, false, false, nonSviluppata);
        TFormAnalisiCF form(nonSviluppata, {});
        ok = Shot(&form, dir, QStringLiteral("analisi_colonnare_non_sviluppata")) && ok;
    }
    {
        TFormProAna form(locale.Colonne, {});
        ok = Both(&form, dir, QStringLiteral("analisi_segni")) && ok;
    }
    return ok;
}

} // namespace tessaline
