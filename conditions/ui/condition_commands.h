#pragma once
// The "&Condizioni" menu: each entry opens its family's dialog on the system's own condition, "&Link"
// opens "Recupero Condizioni"; an edit taken with "Ok" marks the system modified and recalculates.

#include <QObject>
#include <span>

namespace tessaline {

class TAppContext;

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
    explicit TComandiCondizioni(TAppContext& main);

    // Opens the dialog of a slot on the system's condition; true when it was closed with "Ok".
    // Slots without a dialog in this program open nothing.
    bool Apri(int slot);
    // "&Link": the dialog "Recupero Condizioni".
    bool Link1Click();
    // Whether a slot has a dialog.
    static bool HaDialogo(int slot);

private:
    // After "Ok": modified, recalculated, commands and status line refreshed.
    void Dopo();
    TAppContext& main_;
};

} // namespace tessaline
