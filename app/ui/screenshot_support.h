#pragma once
// What the screenshot files share: a window rendered to a PNG, and a file chooser that chooses nothing.

#include <QApplication>
#include <QSize>
#include <QString>
#include <QWidget>

#include "core/ui/file_chooser.h"

namespace tessaline {

// Shows the window (resized to size when given), saves it as DIR/NAME.png and hides it again.
inline bool SalvaSchermata(QWidget* w, const QString& dir, const QString& name, QSize size = {}) {
    w->show();
    QApplication::processEvents();
    if (size.isValid()) {
        w->resize(size);
        QApplication::processEvents();
    }
    const bool ok = w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    w->hide();
    return ok;
}

class TNoFiles : public TFileChooser {
public:
    QString Choose(const TFileDialogRequest&) override { return {}; }
};

} // namespace tessaline
