#pragma once
// The column editor ("Editor Colonnare - " and the file name): columns typed by hand in a grid of
// 15 visible columns and 12 teams, kept in a column file.

#include <QDialog>
#include <filesystem>
#include <functional>
#include <optional>

#include "tools/column_editor.h"

class QScrollBar;
class QTableWidget;
class QToolBar;
class QAction;

namespace tessaline {

class TAppContext;
class TFileChooser;

class TFormEditorColonnare : public QDialog {
    Q_OBJECT
public:
    TFormEditorColonnare(TAppContext& main, TFileChooser& files, QWidget* parent = nullptr);

    TEditorColonne& Modello() { return ed_; }
    bool Modificato() const { return modified_; }
    const std::filesystem::path& File() const { return file_; }
    int PrimaVisibile() const { return scroll_; }

    // A key typed on the current cell: '0', '1', '2', 'M', 'm', '\b' (backspace) or '\r' (Enter).
    void Tasto(char key);
    // The grid into the list, and the list into the grid.
    void Memorizza();
    void Mostra();
    // Selects team (0..11) of list column index, scrolling so that it is visible.
    void Seleziona(std::size_t index, int team);
    // The tool button with that hint.
    QAction* Comando(const QString& hint) const;

    // Verification; false (with the message and the cell selected) when a column is incomplete.
    bool Verifica();
    // "Le colonne non sono state salvate..." when modified: true when the command may go on.
    bool ChiediSalvataggio();
    // Closing: the save question first.
    void reject() override;

    void Azzera();
    void CaricaColonne();
    void InserisciFile();
    bool SalvaColonne();
    bool SalvaConNome();
    void InserisciColonna();
    void CancellaColonna();
    void SaltaAllaColonna();
    void SaltaAllaPrima();
    void SaltaAllUltima();
    void Ordina();
    void StampaSuSchedine();

    QTableWidget* Tabella;
    QScrollBar* ScrollBar;
    QToolBar* Comandi;

    // Asks the column number for "Salta alla Colonna" (1..max); 0 when cancelled. Tests replace it.
    std::function<int(int max)> chiediColonna;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Titolo();
    void Intestazioni();
    std::size_t IndiceCorrente() const;
    bool Scrivi(const std::filesystem::path& path);
    QString ScegliFile(const QString& title, bool save);
    // The columns of a file the user picks ("Carica le Colonne"); none when the dialog is cancelled.
    // Throws when the file does not read. scelto (may be null) receives the file's name.
    std::optional<TListaColonne> ScegliColonne(std::filesystem::path* scelto = nullptr);
    // Shows the columns now held from the top, as the named file, unmodified.
    void Ricomincia(const std::filesystem::path& file, bool defaultFile);

    TAppContext& main_;
    TFileChooser& files_;
    TEditorColonne ed_;
    int scroll_ = 0;
    bool modified_ = false;
    bool defaultFile_ = true;
    bool showing_ = false;
    std::filesystem::path file_;
};

} // namespace tessaline
