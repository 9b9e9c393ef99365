#pragma once
// The help window: an Italian page for each help context number, from the data folder's "help".

#include <QString>

class QWidget;

namespace tessaline {

// The page of a context ("help/<n>.html"), or the contents page for 0.
QString HelpPagePath(int context);
// Opens (or raises) the help window on the context's page.
void OpenHelp(int context, QWidget* near = nullptr);

} // namespace tessaline
