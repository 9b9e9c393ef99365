#pragma once
// The help window: an Italian page for each help context number, from the data folder's "help".

#include <QString>

class QDialog;
class QDialogButtonBox;
class QWidget;

namespace tessaline {

// The page of a context ("help/<n>.html"), or the contents page for 0.
QString HelpPagePath(int context);
// Opens (or raises) the help window on the context's page.
void OpenHelp(int context, QWidget* near = nullptr);
// Adds "Ok", "Annulla" and "Aiuto" (opening the given help context) to a dialog.
QDialogButtonBox* OkAnnullaAiuto(QDialog* dlg, int helpContext);

} // namespace tessaline
