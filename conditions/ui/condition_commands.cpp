#include "conditions/ui/condition_commands.h"

#include <array>

#include "conditions/condition_set.h"
#include "conditions/ui/condition_dialogs.h"
#include "conditions/ui/link_dialog.h"
#include "core/ui/app_context.h"
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
    return DescrizioneDialogo(static_cast<std::uint8_t>(slot)) != nullptr || slot == kCodGruppoRisultati ||
           slot == kCodGruppoConsecutivita;
}

TComandiCondizioni::TComandiCondizioni(TAppContext& main) : QObject(main.Finestra()), main_(main) {
    for (const TVoceCondizione& v : kVoci) {
        if (HaDialogo(v.slot)) {
            main.Collega(QLatin1String(v.handler), [this, s = v.slot] { Apri(s); });
        }
    }
    main.Collega(QStringLiteral("Link1Click"), [this] { Link1Click(); });
    main.apriCondizione = [this](int slot) { Apri(slot); };
}

bool TComandiCondizioni::Apri(int slot) {
    T_Sistema& sys = main_.Sistema();
    TCondizione* c = sys.Insieme().Slot(slot);
    if (c == nullptr || !HaDialogo(slot)) {
        return false;
    }
    std::unique_ptr<TFormCondizione> dlg;
    if (const TDescrizioneDialogo* d = DescrizioneDialogo(static_cast<std::uint8_t>(slot))) {
        auto* t = dynamic_cast<TCondTabelle*>(c);
        if (t == nullptr) {
            return false;
        }
        dlg = std::make_unique<TFormCondTabelle>(*t, *d, main_.Finestra());
    } else if (auto* l = dynamic_cast<TListaCondizioni*>(c); l != nullptr && slot == kCodGruppoRisultati) {
        dlg = std::make_unique<TFormRisultati>(*l, sys.dati.teamNames, main_.Finestra());
    } else if (l != nullptr) {
        dlg = std::make_unique<TFormConsecutivita>(*l, main_.Finestra());
    } else {
        return false;
    }
    if (dlg->exec() != QDialog::Accepted) {
        return false;
    }
    Dopo();
    return true;
}

bool TComandiCondizioni::Link1Click() {
    TFormRec dlg(main_.Sistema().Insieme(), main_.Prompt(), main_.Finestra());
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
