#pragma once
// Dialog memory: the entries of each remembered dialog, kept for the run only, one line per control
// "Name*Class*value".

#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

namespace tessaline {

struct TDataForm {
    QString nome; // the dialog's object name
    QStringList righe;
};

class TFormSaver {
public:
    // Remembers every named control of the dialog (replacing what was kept for it).
    void Salva(const QWidget* form);
    // Puts the remembered values back into the dialog's controls; unknown names are skipped.
    void Ripristina(QWidget* form) const;
    const QStringList* Righe(const QString& formName) const;

    // The line of one control, empty for a class that is not remembered.
    static QString Riga(const QWidget* control);
    // Applies one line to the control that it names among form's children.
    static void ApplicaRiga(QWidget* form, const QString& line);

private:
    std::vector<TDataForm> forms_;
};

// Create, restore, run modally, remember: the steps of every remembered dialog.
int RunRemembered(TFormSaver& saver, class QDialog& dialog);

} // namespace tessaline
