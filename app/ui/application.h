#pragma once
// The application object: Italian for Qt's own dialogs, the icon, and the top-level handler that
// shows a failure's message instead of letting it leave the event loop.

#include <QApplication>
#include <functional>

namespace tessaline {

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* e) override;
    // Shows a failure as the program's default handler does (through the sink when one is set).
    static void MostraErrore(const QString& text);
    static inline std::function<void(const QString&)> errorSink;
};

// Loads Qt's Italian translation; false when it is not installed.
bool InstallItalian(QCoreApplication& app);

} // namespace tessaline
