#pragma once
// What a window or a command needs of the running program, without knowing the main window: the
// current system and archive, the questions, the menu, and the requests that other parts of the
// program answer ("document changed", "recalculate", "open condition dialog N", "print these
// columns"). The main window implements it.

#include <QString>
#include <QStringList>
#include <cstddef>
#include <functional>
#include <utility>

#include "core/column.h"

class QWidget;

namespace tessaline {

class T_Sistema;
class T_Archivio;
class TListaColonne;
class TEditSchedina;
class UserPrompt;
class TCondizione;

class TAppContext {
public:
    virtual ~TAppContext() = default;

    // The main window, parent of the program's dialogs.
    virtual QWidget* Finestra() = 0;
    // The current system (with the program settings); it outlives every window.
    virtual T_Sistema& Sistema() = 0;
    // The contest archive loaded at start.
    virtual T_Archivio& Archivio() = 0;
    // Where questions and messages go.
    virtual UserPrompt& Prompt() = 0;
    // The coupon editor of the main window.
    virtual TEditSchedina* Schedina() = 0;
    // The row of tool buttons under the menu (panels place themselves beside it).
    virtual QWidget* BarraComandi() = 0;

    // "Document changed": the whole window shown again from the system.
    virtual void ImpostaTutto() = 0;
    virtual void AggiornaStatusLine(bool prezzoCompleto = false) = 0;
    virtual void AggiornaAbilitazioni() = 0;
    // True when the caller may go on; asks about an unsaved system.
    virtual bool Conferma(bool conAnnulla) = 0;
    // The running-man animation of long jobs.
    virtual void RunAnimation(bool on) = 0;
    // Connects a command to its menu entry or tool button (by handler name) and makes it available.
    virtual void Collega(const QString& handler, std::function<void()> run) = 0;

    // Requests answered by the part of the program that provides them (empty until it does).
    // Saving the system ("Salva").
    std::function<void()> salvaSistema;
    // "Recalculate": the development run of automatic recalculation.
    std::function<void()> sviluppoAutomatico;
    // Automatic recalculation with the pair window's copy of the table.
    std::function<void(const PairTable&)> ricalcoloAccoppiate;
    // Saving the last coupon at closing.
    std::function<void()> salvaUltimaSchedina;
    // At showing: the system named on the command line, or the last coupon.
    std::function<void(const QStringList&)> caricaAllAvvio;
    // "Open condition dialog N" (the condition's slot in the set).
    std::function<void(int)> apriCondizione;
    // "Print these columns": the print window on a list of columns.
    std::function<void(const TListaColonne&)> stampaColonne;
    // The history window over the archive (analisi false) or the column-analysis window of a
    // condition as its dialog holds it; near is the dialog. inversa: the vortex's inverse view (the
    // dialog stands on its "Inverso" page).
    std::function<void(const TCondizione&, QWidget* near, bool analisi, bool inversa)> apriVista;
};

// Ties each menu handler named in entries to a method of the command object.
template <class C, std::size_t N>
void CollegaMetodi(TAppContext& main, C* commands,
                   const std::pair<const char*, void (C::*)()> (&entries)[N]) {
    for (const auto& [handler, method] : entries) {
        main.Collega(QLatin1String(handler), [commands, m = method] { (commands->*m)(); });
    }
}

} // namespace tessaline
