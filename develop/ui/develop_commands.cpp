#include "develop/ui/develop_commands.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <exception>
#include <filesystem>

#include "core/errors.h"
#include "core/paths.h"
#include "core/ui/app_context.h"
#include "core/ui/file_chooser.h"
#include "core/ui/protected_command.h"
#include "core/ui/qt_text.h"
#include "core/ui/worker.h"
#include "develop/driver.h"
#include "develop/estimate.h"
#include "develop/ui/develop_window.h"
#include "develop/ui/recalc_panel.h"
#include "develop/ui/settings_dialog.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

// The hourglass for the length of a scope.
class TWaitCursor {
public:
    TWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

QString ColumnFolder() {
    return Q(FolderPath(TFolder::Colonne).string());
}

} // namespace

TComandiSviluppo::TComandiSviluppo(TAppContext& main, TFileChooser& files)
    : QObject(main.Finestra()), main_(main), files_(files), last_(std::make_unique<TDevelopResult>()) {
    panel_ = new TFormRicalcoloAutomatico(main.Sistema(), main.Finestra());
    panel_->Posiziona(main.Finestra(), main.BarraComandi());
    panel_->aggiornaPrincipale = [this] { Aggiorna(); };
    main.Collega(QStringLiteral("CalcoloColonne1Click"), [this] { CalcoloColonne1Click(); });
    main.Collega(QStringLiteral("SpeedSviluppaClick"), [this] { CalcoloColonne1Click(); });
    main.Collega(QStringLiteral("ImpostazioneSvClick"), [this] { ImpostazioneSvClick(); });
    main.Collega(QStringLiteral("SalvasuDisco1Click"), [this] { SalvasuDisco1Click(); });
    main.Collega(QStringLiteral("EsportainASCII1Click"), [this] { EsportainASCII1Click(); });
    main.Collega(QStringLiteral("ImportadaASCII1Click"), [this] { ImportadaASCII1Click(); });
    main.sviluppoAutomatico = [this] { Ricalcola(); };
    main.ricalcoloAccoppiate = [this](const PairTable& t) { RicalcolaAccoppiate(t); };
}

TComandiSviluppo::~TComandiSviluppo() = default;

void TComandiSviluppo::Protetto(const std::function<void()>& command) {
    EseguiProtetto(main_.Prompt(), command);
    Aggiorna();
}

void TComandiSviluppo::Aggiorna() {
    main_.AggiornaAbilitazioni();
    main_.AggiornaStatusLine();
}

void TComandiSviluppo::CalcoloColonne1Click() {
    if (window_ != nullptr && window_->InCorso()) {
        return;
    }
    Protetto([this] {
        if (window_ == nullptr) {
            window_ = std::make_unique<TFrmSviluppo>(main_.Sistema(), main_.Finestra());
            window_->aggiornaPrincipale = [this] { Aggiorna(); };
        }
        *last_ = window_->Esegui(&main_.Prompt());
        previousCount_ = last_->previousCount;
    });
}

bool TComandiSviluppo::Ricalcola() {
    T_Sistema& sys = main_.Sistema();
    if (sys.dati.sviluppo.AutoRecalc != 1 || recalcRunning_) {
        return false;
    }
    if (!panel_->isVisible()) {
        panel_->Mostra();
    }
    recalcRunning_ = true;
    recalcStopped_ = false;
    Protetto([this, &sys] {
        TDevelopRequest request = TDevelopRequest::Of(sys);
        request.recalculation = true;
        request.previousCount = previousCount_;
        TQueuedDevelopProgress progress(panel_, *panel_);
        TUiThreadPrompt asked(&main_.Prompt());
        TRecalcHooks hooks;
        hooks.progress = &progress;
        hooks.prompt = &asked;
        hooks.cancel = &panel_->Cancel();
        hooks.previousCount = previousCount_;
        TRecalcOutcome outcome;
        main_.RunAnimation(false);
        panel_->InizioCalcolo();
        try {
            // Only the panel takes input while the run goes on: nothing may change the system.
            TInputBlock block(panel_);
            RunOnWorker([&] { outcome = RunRecalculation(request, hooks); });
        } catch (...) {
            progress.Flush();
            panel_->FineCalcolo();
            main_.RunAnimation(true);
            throw;
        }
        progress.Flush();
        panel_->FineCalcolo();
        previousCount_ = outcome.previousCount;
        recalcStopped_ = outcome.stopped;
        ApplyRecalculation(sys, std::move(outcome));
        main_.RunAnimation(true);
    });
    recalcRunning_ = false;
    return true;
}

void TComandiSviluppo::RicalcolaAccoppiate(const PairTable& table) {
    T_Sistema& sys = main_.Sistema();
    if (sys.dati.sviluppo.AutoRecalc != 1 || PairColumnsCovered(table) < 1) {
        return;
    }
    const PairTable kept = sys.dati.sviluppo.PairTable;
    sys.dati.sviluppo.PairTable = table;
    Ricalcola(); // failures are shown inside
    sys.dati.sviluppo.PairTable = kept;
}

void TComandiSviluppo::DopoCaricamento() {
    if (main_.Sistema().dati.sviluppo.AutoRecalc == 1) {
        panel_->Mostra();
        Ricalcola();
    } else {
        ChiudiPannello();
    }
}

void TComandiSviluppo::ChiudiPannello() {
    panel_->hide();
}

void TComandiSviluppo::ImpostazioneSvClick() {
    Protetto([this] {
        TFrmImpSv dlg(main_.Sistema(), main_.Prompt(), files_, main_.Finestra());
        dlg.aggiornaPrincipale = [this] { Aggiorna(); };
        if (dlg.exec() != QDialog::Accepted) {
            return;
        }
        if (main_.Sistema().dati.sviluppo.AutoRecalc == 1) {
            panel_->Mostra();
            Ricalcola();
        } else {
            ChiudiPannello();
        }
    });
}

void TComandiSviluppo::SalvaColonne(bool testo) {
    TFileDialogRequest request;
    request.title = QStringLiteral("Salva le Colonne");
    request.defaultExtension = testo ? QStringLiteral("Txt") : QStringLiteral("Col");
    request.filter = testo ? QStringLiteral("Txt file|*.Txt") : QStringLiteral("Col file|*.Col");
    request.folder = ColumnFolder();
    request.save = true;
    const QString file = files_.Choose(request);
    if (file.isEmpty()) {
        return;
    }
    const std::filesystem::path path = S(file);
    std::error_code ec;
    if (std::filesystem::exists(path, ec) &&
        main_.Prompt().ShowMessage(msg::kConferma, msg::kFileGiaPresente, BtnSi | BtnNo) != BtnSi) {
        return;
    }
    TWaitCursor wait;
    const TListaColonne& list = main_.Sistema().Colonne;
    bool saved = false;
    {
        // Written on the worker thread: the windows keep painting, and take no input meanwhile.
        TInputBlock block(nullptr);
        RunOnWorker([&] { saved = testo ? list.SaveText(path) : list.SaveToFile(path); });
    }
    if (!saved) {
        throw EInOutError(testo ? msg::kErroreScritturaTesto : msg::kErroreScritturaColonnare);
    }
}

void TComandiSviluppo::SalvasuDisco1Click() {
    Protetto([this] { SalvaColonne(false); });
}

void TComandiSviluppo::EsportainASCII1Click() {
    Protetto([this] { SalvaColonne(true); });
}

void TComandiSviluppo::ImportadaASCII1Click() {
    Protetto([this] {
        TFileDialogRequest request;
        request.title = QStringLiteral("Carica le Colonne");
        request.defaultExtension = QStringLiteral("Txt");
        request.filter = QStringLiteral("Txt file|*.Txt");
        request.folder = ColumnFolder();
        request.mustExist = true;
        const QString file = files_.Choose(request);
        if (file.isEmpty()) {
            return;
        }
        T_Sistema& sys = main_.Sistema();
        try {
            TWaitCursor wait;
            TUiThreadPrompt asked(&main_.Prompt());
            bool read = false;
            {
                TInputBlock block(nullptr);
                RunOnWorker([&] { read = sys.Colonne.LoadText(S(file), &asked); });
            }
            if (!read) {
                sys.Colonne.Clear();
                main_.Prompt().ShowMessage(msg::kInformazione, msg::kErroreLetturaTesto, BtnOk);
            }
            main_.ImpostaTutto();
        } catch (const EInOutError&) {
            throw;
        } catch (const std::exception&) {
            sys.Colonne.Clear();
            throw EInOutError(msg::kErroreLetturaTestoInatteso);
        }
    });
}

} // namespace tessaline
