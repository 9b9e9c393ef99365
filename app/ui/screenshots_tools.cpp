#include "app/ui/screenshots_tools.h"
#include "app/ui/screenshot_support.h"

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>

#include "app/ui/main_window.h"
#include "core/column_list.h"
#include "core/interfaces.h"
#include "core/ui/file_chooser.h"
#include "system/sistema.h"
#include "tools/ui/column_editor_window.h"
#include "tools/ui/column_tool_windows.h"
#include "tools/ui/viewer_windows.h"

namespace tessaline {

namespace {

class TSilentPlayer : public TLettoreVocale {
public:
    void Pausa() override {}
    void ImpostaTratto(const TTratto&) override {}
    void Suona() override {}
};

} // namespace

bool SaveToolScreenshots(T_Sistema& sys, const QString& dir) {
    bool ok = true;
    TFixedAnswerPrompt prompt;
    TFormPrinc main(sys);
    main.SetPrompt(&prompt);
    TNoFiles files;
    const QSize small(640, 480);
    // Eleven sample columns with a few doubles; the percentages of the sample favour sign 1.
    TListaColonne columns;
    for (int i = 0; i < 11; ++i) {
        Colonna c;
        for (int t = 0; t < kTeams; ++t) {
            c[t] = static_cast<SignSet>(1 << ((i + t * 3) % 4));
        }
        if (i % 4 == 1) {
            c[i % kTeams] = static_cast<SignSet>(kSign0 | kSign2);
        }
        columns.Append(c);
    }
    for (auto& team : sys.dati.TeamPercentages) {
        team = {30, 40, 20, 10};
    }

    TFormOperazioni ops(main, files);
    ops.Source1->setText(QStringLiteral("Ridotto.col"));
    ops.Source2->setText(QStringLiteral("Sviluppo.col"));
    ops.RadioN1->setChecked(true);
    ops.Gauge->setValue(64);
    ok = SalvaSchermata(&ops, dir, QStringLiteral("operazioni")) && ok;
    ops.RadioDisord->setChecked(true);
    ok = SalvaSchermata(&ops, dir, QStringLiteral("operazioni_disordinatore")) && ok;
    ok = SalvaSchermata(&ops, dir, QStringLiteral("operazioni_small"), small) && ok;

    TListaColonne toSort = columns;
    TFormOrdinamento ord(main, files, toSort);
    ord.SpinMin->setValue(3);
    ord.SpinMax->setValue(9);
    ok = SalvaSchermata(&ord, dir, QStringLiteral("ordinamento")) && ok;
    ok = SalvaSchermata(&ord, dir, QStringLiteral("ordinamento_small"), small) && ok;

    TFormVisCol vis(columns);
    ok = SalvaSchermata(&vis, dir, QStringLiteral("visualizza_colonne")) && ok;
    ok = SalvaSchermata(&vis, dir, QStringLiteral("visualizza_colonne_small"), small) && ok;

    TSilentPlayer player;
    TFormDettSche dett(columns, player);
    dett.RadioRighe->setChecked(true);
    dett.PlayClick();
    for (int i = 0; i < 4; ++i) {
        dett.Tick();
    }
    dett.PausaClick();
    ok = SalvaSchermata(&dett, dir, QStringLiteral("dettatura")) && ok;
    ok = SalvaSchermata(&dett, dir, QStringLiteral("dettatura_small"), small) && ok;
    dett.StopClick();

    TFormEditorColonnare ed(main, files);
    ed.Modello().colonne.assign(columns.begin(), columns.end());
    ed.Mostra();
    ed.Tabella->setCurrentCell(4, 2);
    ok = SalvaSchermata(&ed, dir, QStringLiteral("editor_colonnare")) && ok;
    ok = SalvaSchermata(&ed, dir, QStringLiteral("editor_colonnare_small"), small) && ok;
    return ok;
}

} // namespace tessaline
