#pragma once
// The "&Condizioni" menu: each entry opens its family's dialog on the system's own condition, "&Link"
// opens "Recupero Condizioni"; an edit taken with "Ok" marks the system modified and recalculates.

#include <QObject>
#include <memory>
#include <span>

#include "core/ui/printing_hook.h"

namespace tessaline {

class TAppContext;
class TFileChooser;
struct TContestoDialoghi;

// A menu entry of a condition family and the slot of the set it opens.
struct TVoceCondizione {
    const char* handler;
    int slot;
};
// Every family of the menu in menu order ("&Link" is apart).
std::span<const TVoceCondizione> VociCondizioni();

class TComandiCondizioni : public QObject {
    Q_OBJECT
public:
    // files answers the frame editor's file dialogs (the toolkit's dialogs when null).
    explicit TComandiCondizioni(TAppContext& main, TFileChooser* files = nullptr);
    ~TComandiCondizioni() override;

    // Opens the dialog of a slot on the system's condition; true when it was closed with "Ok".
    // Slots without a dialog in this program open nothing.
    bool Apri(int slot);
    // "&Link": the dialog "Recupero Condizioni".
    bool Link1Click();
    // "Q&uadri" and the tool button "Quadri": the frame editor on slot 13.
    bool Quadri1Click();
    // Whether a slot has a dialog.
    static bool HaDialogo(int slot);
    // What the dialogs show of the current system's coupon, and where they ask.
    TContestoDialoghi Contesto();
    // The preview of the printouts of the link's analysis (none offered while empty).
    TAnteprima anteprima;

private:
    // After "Ok": modified, recalculated, commands and status line refreshed.
    void Dopo();
    TAppContext& main_;
    std::unique_ptr<TFileChooser> own_;
    TFileChooser* files_;
};

} // namespace tessaline
