#pragma once
// The windows of the match-pair forecast ("Pronostico per Accoppiate") and of the integral teams
// ("Squadre a Sviluppo Integrale").

#include <QDialog>
#include <QLabel>
#include <QTableWidget>
#include <array>
#include <functional>
#include <string>

#include "app/main_state.h"
#include "core/ui/sign_edits.h"

namespace tessaline {

class UserPrompt;

class TFormAccoppiate : public QDialog {
    Q_OBJECT
public:
    TFormAccoppiate(const PairTable& table, const std::array<std::string, kTeams>& teams,
                    QWidget* parent = nullptr);
    static constexpr int kHelpContext = 109;

    // The window's copy of the table (OK hands it to the caller).
    const PairTable& Tabella() const { return copy_; }
    void Toggle(int match, int pair);
    void TutteClick();
    void AzzeraClick();
    QTableWidget* Grid;
    QTableWidget* Gridsq;
    QTableWidget* GridNum;
    QLabel* LabelColonne;
    // Automatic recalculation with the window's copy (when the system asks for it).
    std::function<void(const PairTable&)> ricalcolo;

private:
    void Aggiorna();
    PairTable copy_;
};

class TFormPartiteIntegrali : public QDialog {
    Q_OBJECT
public:
    TFormPartiteIntegrali(T_Sistema& sys, UserPrompt& prompt, QWidget* parent = nullptr);
    static constexpr int kHelpContext = 103;

    TPannelloSc* Pannello;
    QLabel* LabelPS;
    TEditSegno* Base(int team) const { return basi_[static_cast<std::size_t>(team)]; }
    void accept() override;

private:
    void Aggiorna();
    T_Sistema& sys_;
    UserPrompt& prompt_;
    std::array<TEditSegno*, kTeams> basi_{};
};

} // namespace tessaline
