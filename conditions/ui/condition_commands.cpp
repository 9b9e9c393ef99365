#include "conditions/ui/condition_commands.h"

#include <array>

#include "conditions/condition_set.h"
#include "conditions/ui/condition_dialogs.h"
#include "conditions/ui/frame_dialogs.h"
#include "conditions/ui/link_dialog.h"
#include "core/ui/app_context.h"
#include "core/ui/file_chooser.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

constexpr std::array<TVoceCondizione, 15> kVoci{
    {{"NumeroDiSegni1Click", kCodNumeroSegni},
     {"Risultati1Click", kCodGruppoRisultati},
     {"ConsecutivitaDifferenziata1Click", kCodGruppoConsecutivita},
     {"Interruzioni1Click", kCodInterruzioni},
     {"PariEDispari1Click", kCodPariDispari},
     {"Simmetrie1Click", kCodSimmetrie},
     {"Vortice1Click", kCodVortice},
     {"Ripetizioni1Click", kCodRipetizioni},
     {"Percentuali1Click", kCodGruppoPercentuali},
     {"Valori1Click", kCodGruppoValori},
     {"GolSquadra1Click", kCodGruppoPuntiSquadra},
     {"Sequele1Click", kCodGruppoSequele},
     {"ColonneFiltro1Click", kCodGruppoColFiltro},
     {"Quadri1Click", kCodQuadro},
     {"PuntiTra1Click", kCodPuntiTra}}};

} // namespace

std::span<const TVoceCondizione> VociCondizioni() {
    return kVoci;
}

bool TComandiCondizioni::HaDialogo(int slot) {
    return slot >= kCodNumeroSegni && slot <= kCodPuntiTra;
}

TComandiCondizioni::TComandiCondizioni(TAppContext& main, TFileChooser* files)
    : QObject(main.Finestra()), main_(main), files_(files) {
    if (files_ == nullptr) {
        own_ = std::make_unique<TDialogFileChooser>(main.Finestra());
        files_ = own_.get();
    }
    for (const TVoceCondizione& v : kVoci) {
        if (v.slot == kCodQuadro) {
            main.Collega(QLatin1String(v.handler), [this] { Quadri1Click(); });
        } else if (HaDialogo(v.slot)) {
            main.Collega(QLatin1String(v.handler), [this, s = v.slot] { Apri(s); });
        }
    }
    main.Collega(QStringLiteral("SpeedQuadriClick"), [this] { Quadri1Click(); });
    main.Collega(QStringLiteral("Link1Click"), [this] { Link1Click(); });
    main.apriCondizione = [this](int slot) { Apri(slot); };
}

TComandiCondizioni::~TComandiCondizioni() = default;

TContestoDialoghi TComandiCondizioni::Contesto() {
    T_Sistema& sys = main_.Sistema();
    TContestoDialoghi ctx;
    ctx.Schedina.Squadre = sys.dati.teamNames;
    ctx.Schedina.Previsione = sys.dati.Forecast;
    ctx.Schedina.Percentuali = sys.dati.TeamPercentages;
    ctx.Schedina.Valori = sys.dati.TeamValues;
    ctx.Prompt = &main_.Prompt();
    return ctx;
}

bool TComandiCondizioni::Apri(int slot) {
    if (slot == kCodQuadro) {
        return Quadri1Click();
    }
    T_Sistema& sys = main_.Sistema();
    TCondizione* c = sys.Insieme().Slot(slot);
    if (c == nullptr || !HaDialogo(slot)) {
        return false;
    }
    std::unique_ptr<QDialog> dlg = CreaDialogoCondizione(*c, Contesto(), main_.Finestra());
    if (dlg == nullptr || dlg->exec() != QDialog::Accepted) {
        return false;
    }
    Dopo();
    return true;
}

bool TComandiCondizioni::Quadri1Click() {
    TFormQuadro dlg(main_.Sistema().Insieme(), Contesto(), *files_, &main_.Archivio(), main_.Finestra());
    if (dlg.exec() != QDialog::Accepted) {
        return false;
    }
    Dopo();
    return true;
}

bool TComandiCondizioni::Link1Click() {
    TFormRec dlg(main_.Sistema().Insieme(), main_.Prompt(), main_.Finestra());
    dlg.anteprima = anteprima;
    if (dlg.exec() != QDialog::Accepted) {
        return false;
    }
    Dopo();
    return true;
}

void TComandiCondizioni::Dopo() {
    T_Sistema& sys = main_.Sistema();
    sys.modified = true;
    if (sys.dati.sviluppo.AutoRecalc != 0 && main_.sviluppoAutomatico) {
        main_.sviluppoAutomatico();
    }
    main_.AggiornaAbilitazioni();
    main_.AggiornaStatusLine();
}

} // namespace tessaline
