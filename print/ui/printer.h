#pragma once
// The printer of the run ("Imposta Stampante" chooses it and the choice is kept until the program
// ends) and the printouts on it.

#include <functional>

#include "print/coupon_print.h"

class QPrinter;
class QWidget;

namespace tessaline {

struct TProgramSettings;

// The printer every printout uses.
QPrinter& ProgramPrinter();
// The toolkit's printer dialog on the program's printer; the choice stays for the run.
void ImpostaStampante(QWidget* parent);

// The settings a printout takes from the program settings.
TContestoStampa ContestoStampa(const TProgramSettings& settings);

// The report's resolution for the listing (dots per inch).
inline constexpr double kDpiTabulato = 96;

// Runs draw on a canvas over printer (the program's when null) at logicalDpi (0: the printer's own);
// returns what draw returned. A printer that cannot begin raises what draw raises for it.
TEsitoStampa StampaSu(QPrinter* printer, double logicalDpi,
                      const std::function<TEsitoStampa(TCanvas&)>& draw);

} // namespace tessaline
