#include "archive/ui/stats_commands.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <exception>

#include "archive/ui/analysis_windows.h"
#include "archive/ui/stats_windows.h"
#include "conditions/analysis_view.h"
#include "conditions/condition.h"
#include "conditions/condition_set.h"
#include "core/column_list.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/ui/app_context.h"
#include "core/ui/coupon_editor.h"
#include "core/ui/worker.h"
#include "system/config_file.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

std::int64_t ColonneSingole(const TListaColonne& l) {
    std::int64_t n = 0;
    for (const Colonna& c : l) {
        n += ColumnsCovered(c);
    }
    return n;
}

} // namespace

TComandiStatistica::TComandiStatistica(TAppContext& main, TStampante printer)
    : QObject(main.Finestra()), main_(main), printer_(std::move(printer)) {
    main.Collega(QStringLiteral("ImpostazioniDiRicerca1Click"), [this] { ImpostazioniDiRicerca1Click(); });
    main.Collega(QStringLiteral("AnalisiStatistica1Click"), [this] { AnalisiStatistica1Click(); });
    if (TEditSchedina* s = main.Schedina()) {
        connect(s->BtnArchivio, &QPushButton::clicked, this, [this] { StoriaSquadreClick(); });
        connect(s->BtnAnalisi, &QPushButton::clicked, this, [this] { AnalisiSegniClick(); });
    }
    main.apriVista = [this](const TCondizione& c, QWidget* near, bool analisi, bool inversa) {
        ApriVista(c, near, analisi, inversa);
    };
}

void TComandiStatistica::ImpostazioniDiRicerca1Click() {
    TProgramSettings& s = main_.Sistema().dati.settings;
    TFormImpRic form(
        s.ricerca, main_.Archivio(), [&s] { SalvaConfigurazione(s); }, main_.Finestra());
    try {
        form.exec();
    } catch (const std::exception& e) {
        main_.Prompt().ShowMessage(msg::kInformazione, e.what(), BtnOk);
    }
}

void TComandiStatistica::AnalisiStatistica1Click() {
    T_Sistema& sys = main_.Sistema();
    const bool sviluppato = !sys.Colonne.Empty();
    TFormStatistica form(sys.Insieme(), main_.Archivio(), sys.dati.settings.ricerca,
                         ColumnsCovered(sys.dati.Forecast), sviluppato ? ColonneSingole(sys.Colonne) : -1,
                         main_.Finestra());
    form.exec();
}

void TComandiStatistica::StoriaSquadreClick() {
    TFormProArc form(main_.Archivio(), main_.Sistema().dati.settings.ricerca, printer_, main_.Finestra());
    form.Prompt = &main_.Prompt();
    form.exec();
}

void TComandiStatistica::AnalisiSegniClick() {
    T_Sistema& sys = main_.Sistema();
    if (sys.Colonne.Empty()) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TFormProAna form(sys.Colonne, printer_, main_.Finestra());
    QApplication::restoreOverrideCursor();
    form.Prompt = &main_.Prompt();
    form.exec();
}

void TComandiStatistica::ApriVista(const TCondizione& cond, QWidget* near, bool analisi, bool inversa) {
    T_Sistema& sys = main_.Sistema();
    VistaAnalisi vista;
    bool ok = false;
    TCancelFlag cancel;
    bool annullato = false;
    {
        // Counting a large forecast takes a while: a small window with "Annulla" stands meanwhile.
        QProgressDialog attesa(QStringLiteral("Analisi in corso..."), QStringLiteral("Annulla"), 0, 0,
                               near != nullptr ? near : main_.Finestra());
        attesa.setObjectName(QStringLiteral("AttesaVista"));
        attesa.setWindowTitle(analisi ? QStringLiteral("Analisi") : QStringLiteral("Archivio"));
        attesa.setWindowModality(Qt::WindowModal);
        attesa.setMinimumDuration(300);
        attesa.setValue(0);
        connect(&attesa, &QProgressDialog::canceled, this, [&] {
            annullato = true;
            cancel.Request();
        });
        const TInputBlock block(&attesa);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        try {
            RunOnWorker([&] {
                ok = CostruisciVista(cond, sys.dati.Forecast, !sys.Colonne.Empty(), !analisi, vista,
                                     inversa ? TVarianteVista::Inversa : TVarianteVista::Diretta, &cancel);
            });
        } catch (const std::exception&) {
            ok = false;
        }
        QApplication::restoreOverrideCursor();
    }
    if (annullato) {
        return; // stopped with "Annulla"
    }
    if (!ok) {
        main_.Prompt().ShowMessage(msg::kInformazione, "Impossibile Completare lo Sviluppo.", BtnOk);
        return;
    }
    QWidget* parent = near != nullptr ? near : main_.Finestra();
    if (analisi) {
        TFormAnalisiCF form(std::move(vista), printer_, parent);
        form.Prompt = &main_.Prompt();
        form.exec();
    } else {
        TFormArchivio form(std::move(vista), printer_, parent);
        form.Prompt = &main_.Prompt();
        form.exec();
    }
}

} // namespace tessaline
