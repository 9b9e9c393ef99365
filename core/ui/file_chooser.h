#pragma once
// The open and save dialogs of the commands, described by title, filter, default extension,
// starting folder and name, so that tests can answer them without a window.

#include <QString>
#include <QWidget>

namespace tessaline {

struct TFileDialogRequest {
    QString title;
    QString filter;           // "Description|*.Ext", as the commands list it
    QString defaultExtension; // without the dot; empty for none
    QString folder;           // starting folder
    QString name;             // starting name (empty for none)
    bool mustExist = false;   // open dialogs: the file must exist
    bool save = false;        // a save dialog (no overwrite question of its own)
};

// The save dialog of a column file: "Salva le Colonne", "*.Col", in the column folder.
TFileDialogRequest SalvaColonneRequest();

class TFileChooser {
public:
    virtual ~TFileChooser() = default;
    // The chosen file's full name, or an empty text when the dialog was cancelled.
    virtual QString Choose(const TFileDialogRequest& request) = 0;
};

// The toolkit's file dialog, parented to a window.
class TDialogFileChooser : public TFileChooser {
public:
    explicit TDialogFileChooser(QWidget* parent) : parent_(parent) {}
    QString Choose(const TFileDialogRequest& request) override;

    // "Sistemi    *.Svs|*.Svs" as the toolkit writes it: "Sistemi (*.Svs)".
    static QString NameFilter(const QString& filter);

private:
    QWidget* parent_;
};

} // namespace tessaline
