#include "print/ui/receipt_print.h"

#include <exception>

#include "core/errors.h"
#include "print/ui/print_window.h"
#include "system/config_file.h"
#include "system/sistema.h"

namespace tessaline {

TStampaCedolina StampaCedolinaConFinestra(T_Sistema& sys, UserPrompt& prompt, QWidget* parent,
                                          std::function<QPrinter*()> stampante,
                                          std::function<void(TFormStampaSchedine&)> primaDiMostrare) {
    return [&sys, &prompt, parent, stampante = std::move(stampante),
            primaDiMostrare = std::move(primaDiMostrare)](const TLavoroCedolina& job) {
        auto& taratura = sys.dati.settings.taratura;
        const std::int32_t perCoupon = taratura.ColonnePerSchedina;
        if (job.colonnePerSchedina > 0) {
            taratura.ColonnePerSchedina = job.colonnePerSchedina;
        }
        bool all = false;
        try {
            TFormStampaSchedine dlg(sys, prompt, parent);
            dlg.Colonne = job.colonne;
            dlg.ModoCedolina = job.modoCedolina;
            dlg.CostoFisso = job.costoFisso;
            for (std::size_t i = 0; i < job.righe.size(); ++i) {
                dlg.RigheCedolina[i + 1] = job.righe[i];
            }
            dlg.ColonneCedolina[0] = job.colonnaCedolina;
            dlg.NomeCedolina = job.nome;
            if (stampante) {
                dlg.Stampante = stampante();
            }
            dlg.ImpostaTutto();
            dlg.StampaCed->setChecked(job.stampaCedolina);
            if (job.mostra) {
                if (primaDiMostrare) {
                    primaDiMostrare(dlg);
                } else {
                    dlg.exec();
                }
            } else {
                dlg.OKBtnClick(false);
            }
            all = dlg.TutteStampate;
        } catch (...) {
            taratura.ColonnePerSchedina = perCoupon;
            throw;
        }
        // A count fixed for the run is given back, and the configuration saved with it.
        if (job.colonnePerSchedina > 0) {
            taratura.ColonnePerSchedina = perCoupon;
            SalvaConfigurazione(sys.dati.settings);
        }
        return all;
    };
}

TConfermaStampa ConfermaStampaConFinestra(T_Sistema& sys, QWidget* parent) {
    return [&sys, parent] {
        TFormGeneraSchStampa dlg(sys.dati.settings, parent);
        return dlg.exec() == QDialog::Accepted;
    };
}

} // namespace tessaline
