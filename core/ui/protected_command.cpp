#include "core/ui/protected_command.h"

#include <exception>

#include <QDialog>

#include "core/errors.h"
#include "core/interfaces.h"
#include "core/ui/app_context.h"
#include "core/ui/form_saver.h"

namespace tessaline {

bool EseguiProtetto(UserPrompt& prompt, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& e) {
        prompt.ShowMessage(msg::kInformazione, e.what(), BtnOk);
    } catch (...) {
        prompt.ShowMessage(msg::kInformazione, msg::kRisorseEsaurite, BtnOk);
    }
    return false;
}

bool EseguiProtetto(UserPrompt* prompt, const std::function<void()>& command) {
    if (prompt != nullptr) {
        return EseguiProtetto(*prompt, command);
    }
    try {
        command();
        return true;
    } catch (...) {
        return false;
    }
}

void MostraDialogo(TAppContext& main, TFormSaver& saver, QDialog& dlg, bool remembered,
                   const std::function<void(QDialog&)>& primaDiMostrare) {
    main.RunAnimation(false);
    if (primaDiMostrare) {
        if (remembered) {
            saver.Ripristina(&dlg);
        }
        primaDiMostrare(dlg);
        if (remembered) {
            saver.Salva(&dlg);
        }
    } else if (remembered) {
        RunRemembered(saver, dlg);
    } else {
        dlg.exec();
    }
    main.RunAnimation(true);
}

} // namespace tessaline
