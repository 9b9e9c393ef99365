#pragma once
// The coupon printing window driven by the betting-shop windows: a job with its receipt printed
// through "Stampa Schedine", and the orientation question of a batch ("Stampa schedine").

#include <functional>

#include "core/ui/receipt_hook.h"

class QPrinter;
class QWidget;

namespace tessaline {

class T_Sistema;
class UserPrompt;
class TFormStampaSchedine;

// Prints jobs through the printing window: shown modally when the job asks (primaDiMostrare, when
// given, runs instead of the modal loop), else printed at once. The columns per coupon of the job
// hold for the run only; the configuration is saved afterwards. stampante (may be null: the
// program's printer) gives the printer of each run.
TStampaCedolina StampaCedolinaConFinestra(T_Sistema& sys, UserPrompt& prompt, QWidget* parent,
                                          std::function<QPrinter*()> stampante = {},
                                          std::function<void(TFormStampaSchedine&)> primaDiMostrare = {});

// The orientation question "Stampa schedine"; true on "Stampa" (the choice becomes the default).
TConfermaStampa ConfermaStampaConFinestra(T_Sistema& sys, QWidget* parent);

} // namespace tessaline
