#include "app/ui/screenshots_conditions.h"

#include <QApplication>
#include <QPixmap>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTabWidget>
#include <memory>

#include "conditions/condition_set.h"
#include "conditions/filter_columns.h"
#include "conditions/frame_tools.h"
#include "conditions/link_analysis_print.h"
#include "conditions/points_between.h"
#include "conditions/sequele.h"
#include "conditions/sequence_shape.h"
#include "conditions/sign_count.h"
#include "conditions/ui/condition_dialogs.h"
#include "conditions/ui/frame_dialogs.h"
#include "conditions/ui/link_dialog.h"
#include "conditions/value_conditions.h"
#include "core/interfaces.h"
#include "core/ui/file_chooser.h"
#include "print/ui/preview.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

bool Save(QWidget* w, const QString& dir, const QString& name) {
    QApplication::processEvents();
    return w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// The dialog at its natural size and at 640 x 480, every page.
bool Shots(QDialog* d, const QString& dir, const QString& name) {
    bool ok = true;
    d->show();
    d->adjustSize();
    auto* pages = d->findChild<QTabWidget*>();
    const int n = pages != nullptr ? pages->count() : 1;
    for (int size = 0; size < 2; ++size) {
        if (size == 1) {
            d->resize(640, 480);
        }
        for (int p = 0; p < n; ++p) {
            if (pages != nullptr) {
                pages->setCurrentIndex(p);
            }
            const QString suffix = (n > 1 ? QStringLiteral("_%1").arg(p + 1) : QString()) +
                                   (size == 1 ? QStringLiteral("_640") : QString());
            ok = Save(d, dir, name + suffix) && ok;
        }
    }
    d->hide();
    return ok;
}

void Marks(TTabellaPunti& t, int lo, int hi, char link = 'A') {
    for (int v = lo; v <= hi && v <= t.N(); ++v) {
        t.Imposta(false, v, kAmmesso);
    }
    if (hi + 1 <= t.N()) {
        t.Imposta(false, hi + 1, kRecupero, 2);
    }
    if (t.HaCons()) {
        t.Imposta(true, 0, kAmmesso);
        t.Imposta(true, 1, kAmmesso);
        t.Imposta(true, 2, kRecupero, 12);
    }
    t.Pt.Link = link;
    t.Pt.Tra = 3;
}

void SampleConditions(T_Sistema& sys) {
    TInsiemeCondizioni& set = sys.Insieme();
    for (int slot = kCodNumeroSegni; slot <= kCodRipetizioni; ++slot) {
        if (auto* c = set.SlotAs<TCondTabelle>(slot)) {
            for (std::size_t i = 0; i < c->NumTabelle(); ++i) {
                Marks(c->Tabella(i), 1 + static_cast<int>(i), 3 + static_cast<int>(i),
                      i % 2 == 0 ? 'A' : 'B');
            }
        }
    }
    auto* ris = set.SlotAs<TListaCondizioni>(kCodGruppoRisultati);
    for (int k = 0; k < 2; ++k) {
        auto item = std::make_unique<TCondRisultati>(&set);
        item->Esiti = {1, 3, 2, 0, 4, 7};
        Marks(item->Tabella(0), 2 + k, 4);
        ris->Aggiungi(std::move(item));
    }
    auto* cons = set.SlotAs<TListaCondizioni>(kCodGruppoConsecutivita);
    auto item = std::make_unique<TCondConsecutivita>(&set);
    item->Segno = kSign1;
    item->Selezione().Imposta(false, 4, kAmmesso);
    item->Selezione().Imposta(false, 5, kAmmesso);
    Marks(item->Ammessa(), 0, 2, 'C');
    cons->Aggiungi(std::move(item));
    // Values, percentages, goals, sequences, filter columns, Punti Tra and a frame.
    for (int lista : {kCodGruppoValori, kCodGruppoPercentuali}) {
        auto v = std::make_unique<TCondGruppoValori>(&set);
        if (lista == kCodGruppoPercentuali) {
            v = std::make_unique<TCondPercentuali>(&set);
        }
        v->Squadre = {1, 0, 1, 1, 0, 0, 0, 0, 1, 0, 0, 0};
        RicostruisciIntervalli({{"1", "12"}, {"16777216", "16777300"}}, {{"13", "15", 7}}, false, {},
                               v->Intervalli);
        set.SlotAs<TListaCondizioni>(lista)->Aggiungi(std::move(v));
    }
    auto gol = std::make_unique<TCondPuntiSquadra>(&set);
    gol->Squadre = {1, 1, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0};
    Marks(gol->Gol(), 2, 6);
    gol->Gol().Pt.Tra = 1;
    set.SlotAs<TListaCondizioni>(kCodGruppoPuntiSquadra)->Aggiungi(std::move(gol));
    auto seq = std::make_unique<TCondSequela>(&set);
    seq->ImpostaSchema({kSign1, kSign1, kSign0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    Marks(seq->Presenze(), 0, 3);
    seq->Presenze().Pt.Tra = 1;
    set.SlotAs<TListaCondizioni>(kCodGruppoSequele)->Aggiungi(std::move(seq));
    auto filtro = std::make_unique<TCondColonnaFiltro>(&set);
    filtro->Filtro = Colonna{{kSign1, 3, kSign2, kSignM, 6, kSign0, kSign1, 15, kSign2, kSign0, 9, kSign1}};
    Marks(filtro->Punti(), 4, 7);
    set.SlotAs<TListaCondizioni>(kCodGruppoColFiltro)->Aggiungi(std::move(filtro));
    RicostruisciIntervalli({{"3", "9"}}, {{"10", "12", 2}}, true, {},
                           set.SlotAs<TCondPuntiTra>(kCodPuntiTra)->Gruppo(1));
    auto* quadro = set.SlotAs<TCondQuadro>(kCodQuadro);
    quadro->Nome = "Quadro Principale";
    for (int i = 0; i < 4; ++i) {
        auto f = std::make_unique<TCondColonnaFiltro>(&set);
        f->Filtro = Colonna{{kSign1, kSign0, kSign2, kSign1, kSign1, kSign0, kSign2, kSign2, kSign1, kSign0,
                             kSign1, static_cast<SignSet>(1U << (i % 4))}};
        Marks(f->Punti(), 3 + i, 8);
        quadro->Aggiungi(std::move(f));
    }
    quadro->Aggiungi(CreaCondizione(kCodNumeroSegni, &set));
    auto sub = std::make_unique<TCondQuadro>(&set, "Sub Quadro");
    sub->Aggiungi(CreaCondizione(kCodVortice, &set));
    quadro->Aggiungi(std::move(sub));
    quadro->Aggiungi(CreaCondizione(kCodGruppoSequele, &set));
    quadro->Aggiungi(CreaCondizione(kCodPercentuali, &set));
    quadro->Commento = {"Colonne filtro degli ultimi concorsi"};
    set.Link().Lettera('A').ErroriAmmessi.Imposta(false, 0, kAmmesso);
    set.Link().Lettera('A').ErroriAmmessi.Imposta(false, 1, kAmmesso);
    set.Link().ErroriTotali.Imposta(false, 2, kAmmesso);
    // Some rejections for the analysis window.
    set.Prepara();
    Colonna c;
    for (int i = 0; i < 4096; ++i) {
        for (int t = 0; t < kTeams; ++t) {
            c[t] = static_cast<SignSet>(1U << ((i >> t) & 1U ? (t % 4) : ((t + i) % 4)));
        }
        set.Accetta(c);
    }
}

} // namespace

bool SaveConditionScreenshots(T_Sistema& sys, const QString& dir) {
    SampleConditions(sys);
    TInsiemeCondizioni& set = sys.Insieme();
    bool ok = true;
    const char* const names[] = {"",          "numero_segni", "pari_dispari", "vortice",
                                 "simmetrie", "interruzioni", "ripetizioni"};
    for (int slot = kCodNumeroSegni; slot <= kCodRipetizioni; ++slot) {
        TFormCondTabelle d(*set.SlotAs<TCondTabelle>(slot),
                           *DescrizioneDialogo(static_cast<std::uint8_t>(slot)));
        ok = Shots(&d, dir, QLatin1String(names[slot])) && ok;
    }
    TFormRisultati ris(*set.SlotAs<TListaCondizioni>(kCodGruppoRisultati), sys.dati.teamNames);
    ok = Shots(&ris, dir, QStringLiteral("risultati")) && ok;
    TFormConsecutivita cons(*set.SlotAs<TListaCondizioni>(kCodGruppoConsecutivita));
    ok = Shots(&cons, dir, QStringLiteral("consecutivita")) && ok;
    TFixedAnswerPrompt prompt;
    TFormRec rec(set, prompt);
    ok = Shots(&rec, dir, QStringLiteral("recupero_condizioni")) && ok;
    if (set.Link().StatTotale.Eventi() == 0) {
        // The sample run refused nothing through the link: some rejections to look at.
        const int counts[] = {1834, 402, 97, 12, 3};
        for (std::size_t v = 0; v < std::size(counts); ++v) {
            for (int k = 0; k < counts[v]; ++k) {
                set.Link().StatTotale.Aggiungi(static_cast<int>(v), 0, false);
                set.Link().Lettera(k % 3 == 0 ? 'C' : 'A').StatErrori.Aggiungi(static_cast<int>(v), 0, false);
                if (v > 0) {
                    set.Link()
                        .Lettera(k % 2 == 0 ? 'A' : 'B')
                        .StatLivelli.Aggiungi(static_cast<int>(v), 0, false);
                }
            }
        }
    }
    TFormAnalisiRec an(set);
    // Its printout: the preview, and the tables printed into a PDF file.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(dir + QStringLiteral("/analisi_colonne_filtrate.pdf"));
    std::unique_ptr<QPrintPreviewDialog> preview;
    an.ImpostaAnteprima(
        [&](QWidget* parent, const QString& titolo, const std::function<void(TCanvas&)>& draw) {
            preview.reset(CreaAnteprima(parent, titolo, prompt, draw, &printer));
        });
    ok = Shots(&an, dir, QStringLiteral("analisi_colonne_filtrate")) && ok;
    an.StampaClick();
    if (preview != nullptr) {
        preview->resize(640, 480);
        preview->show();
        ok = Save(preview.get(), dir, QStringLiteral("anteprima_analisi_colonne_filtrate")) && ok;
        Q_EMIT preview->paintRequested(&printer);
        preview->hide();
    }

    TContestoDialoghi ctx;
    ctx.Schedina.Squadre = sys.dati.teamNames;
    ctx.Schedina.Previsione = sys.dati.Forecast;
    ctx.Schedina.Percentuali = sys.dati.TeamPercentages;
    ctx.Schedina.Valori = sys.dati.TeamValues;
    ctx.Prompt = &prompt;
    const std::pair<int, const char*> liste[] = {
        {kCodGruppoPuntiSquadra, "gol_squadra"}, {kCodGruppoValori, "valori"},
        {kCodGruppoPercentuali, "percentuali"},  {kCodGruppoSequele, "sequele"},
        {kCodGruppoColFiltro, "colonne_filtro"}, {kCodPuntiTra, "punti_tra"}};
    for (const auto& [slot, name] : liste) {
        std::unique_ptr<QDialog> d = CreaDialogoCondizione(*set.Slot(slot), ctx, nullptr);
        ok = d != nullptr && Shots(d.get(), dir, QLatin1String(name)) && ok;
    }
    TDialogFileChooser files(nullptr);
    TFormQuadro quadro(set, ctx, files, nullptr);
    ok = Shots(&quadro, dir, QStringLiteral("quadro")) && ok;
    quadro.Modello().Corrente().ImpostaPreset(false);
    quadro.Mostra();
    ok = Shots(&quadro, dir, QStringLiteral("quadro_particolari")) && ok;
    quadro.reject();
    TFormAlbero albero(quadro.Modello());
    ok = Shots(&albero, dir, QStringLiteral("albero_condizioni")) && ok;
    std::vector<std::string> commento = {"Colonne filtro degli ultimi concorsi", "seconda riga"};
    TFormCommentoQuadro comm(commento);
    ok = Shots(&comm, dir, QStringLiteral("commento_quadro")) && ok;
    T_Archivio archivio;
    for (int anno = 2023; anno <= 2025; ++anno) {
        for (int n = 1; n <= 30; ++n) {
            T_Concorso c;
            c.Anno = anno;
            c.Numero = static_cast<std::uint8_t>(n);
            for (int t = 0; t < kTeams; ++t) {
                c.ColonnaVincente[t] = static_cast<SignSet>(1U << ((t + n) % 4));
            }
            c.AggiornaCompleto();
            archivio.Concorsi().push_back(c);
        }
    }
    TFormInsArc_File ins(&archivio, files, prompt);
    ok = Shots(&ins, dir, QStringLiteral("inserimento_colonne_filtro")) && ok;
    return ok;
}

} // namespace tessaline
