// The condition dialogs driven as a user drives them: the boxes of the points graph, "Ok" against
// the same tables set through the engine, "Annulla", "Azzera ", the menu check marks, the link
// dialog's limits, and a whole run from the main window's menu.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "conditions/condition_set.h"
#include "conditions/sequence_shape.h"
#include "conditions/sign_count.h"
#include "conditions/ui/condition_commands.h"
#include "conditions/ui/condition_dialogs.h"
#include "conditions/ui/link_dialog.h"
#include "develop/driver.h"
#include "develop/ui/develop_commands.h"
#include "develop/ui/develop_window.h"
#include "system/config_file.h"
#include "system/sistema.h"
#include "system/ui/system_commands.h"
#include "ui_support.h"

using namespace tessaline;
namespace fs = std::filesystem;

namespace {

const QString kExample = QStringLiteral(TESSALINE_SOURCE_DIR "/data/Sistemi/esempio1.svs");

void ClickBox(TGraphPt* g, bool cons, int v) {
    const QRect r = g->Striscia()->RettangoloBox(cons, v);
    QVERIFY2(!r.isNull(), "value not on show");
    QTest::mouseClick(g->Striscia(), Qt::LeftButton, {}, r.center());
}

void ClickLevel(TGraphPt* g, bool cons, int v, bool su) {
    QTest::mouseClick(g->Striscia(), Qt::LeftButton, {},
                      g->Striscia()->RettangoloLivello(cons, v, su).center());
}

// The dialog a family opens on the system's condition of its slot.
std::unique_ptr<TFormCondizione> Dialogo(T_Sistema& sys, int slot) {
    TCondizione* c = sys.Insieme().Slot(slot);
    if (const TDescrizioneDialogo* d = DescrizioneDialogo(static_cast<std::uint8_t>(slot))) {
        return std::make_unique<TFormCondTabelle>(*dynamic_cast<TCondTabelle*>(c), *d);
    }
    auto* l = dynamic_cast<TListaCondizioni*>(c);
    if (slot == kCodGruppoRisultati) {
        return std::make_unique<TFormRisultati>(*l, sys.dati.teamNames);
    }
    return std::make_unique<TFormConsecutivita>(*l);
}

// A family: its slot and menu entry, an edit made by clicks in its dialog, the same edit made on
// the engine's condition.
struct TCaso {
    const char* nome;
    int slot;
    const char* handler;
    std::function<void(TFormCondizione&)> clicks;
    std::function<void(TCondizione&)> engine;
};

void Ammetti(TTabellaPunti& t, std::initializer_list<int> values) {
    for (int v : values) {
        t.Imposta(false, v, kAmmesso);
    }
}

// Azzera, then the values of one table admitted (and the last one in recovery at level 2).
TCaso Tabella(const char* nome, int slot, const char* handler, int table, std::vector<int> values) {
    auto clicks = [table, values](TFormCondizione& d) {
        d.BtnAzzera->click();
        TGraphPt* g = static_cast<TFormCondTabelle&>(d).Grafico(table);
        for (int v : values) {
            ClickBox(g, false, v);
        }
        ClickBox(g, false, values.back());
        ClickLevel(g, false, values.back(), true);
    };
    auto engine = [table, values](TCondizione& c) {
        auto& t = static_cast<TCondTabelle&>(c);
        t.Azzera();
        for (int v : values) {
            t.Tabella(static_cast<std::size_t>(table)).Imposta(false, v, kAmmesso);
        }
        t.Tabella(static_cast<std::size_t>(table)).Imposta(false, values.back(), kRecupero, 2);
    };
    return {nome, slot, handler, clicks, engine};
}

std::vector<TCaso> Casi() {
    std::vector<TCaso> casi = {
        Tabella("Numero Di Segni", kCodNumeroSegni, "NumeroDiSegni1Click", 1, {4, 5, 6, 7}),
        Tabella("Pari e Dispari", kCodPariDispari, "PariEDispari1Click", 1, {2, 3, 4, 5}),
        Tabella("Vortice", kCodVortice, "Vortice1Click", 0, {5, 6, 7, 8, 9}),
        Tabella("Simmetrie", kCodSimmetrie, "Simmetrie1Click", 2, {0, 1, 2, 3}),
        Tabella("Interruzioni", kCodInterruzioni, "Interruzioni1Click", 0, {6, 7, 8, 9}),
        Tabella("Ripetizioni", kCodRipetizioni, "Ripetizioni1Click", 0, {0, 1, 2, 3}),
    };
    casi.push_back({"Risultati", kCodGruppoRisultati, "Risultati1Click",
                    [](TFormCondizione& d) {
                        auto& r = static_cast<TFormRisultati&>(d);
                        r.BtnAzzera->click();
                        r.AggiungiBtn->click();
                        r.Esiti[0][0]->click();
                        r.Esiti[0][1]->click();
                        r.Esiti[1][2]->click();
                        r.Esiti[2][1]->click();
                        ClickBox(r.Punti, false, 0);
                        ClickBox(r.Punti, false, 1);
                    },
                    [](TCondizione& c) {
                        auto& l = static_cast<TListaCondizioni&>(c);
                        for (std::size_t i = 0; i < l.Count(); ++i) {
                            static_cast<TCondTabelle&>(l.Item(i)).Azzera();
                        }
                        auto item = std::make_unique<TCondRisultati>(c.Owner);
                        item->Esiti = {3, 4, 2, 0, 0, 0};
                        Ammetti(item->Tabella(0), {0, 1});
                        l.Aggiungi(std::move(item));
                    }});
    casi.push_back({"Consecutività", kCodGruppoConsecutivita, "ConsecutivitaDifferenziata1Click",
                    [](TFormCondizione& d) {
                        auto& f = static_cast<TFormConsecutivita&>(d);
                        f.BtnAzzera->click();
                        f.AggiungiBtn->click();
                        f.Segni[1]->click();
                        for (int v : {3, 4, 5}) {
                            ClickBox(f.Selezione, false, v);
                        }
                        for (int v : {0, 1, 2}) {
                            ClickBox(f.Ammessa, false, v);
                        }
                    },
                    [](TCondizione& c) {
                        auto& l = static_cast<TListaCondizioni&>(c);
                        for (std::size_t i = 0; i < l.Count(); ++i) {
                            static_cast<TCondTabelle&>(l.Item(i)).Azzera();
                        }
                        auto item = std::make_unique<TCondConsecutivita>(c.Owner);
                        item->Segno = kSign1;
                        Ammetti(item->Selezione(), {3, 4, 5});
                        Ammetti(item->Ammessa(), {0, 1, 2});
                        l.Aggiungi(std::move(item));
                    }});
    return casi;
}

// Every table of a condition (and of its items) without marks.
bool Vuota(const TCondizione& c) {
    if (const auto* l = dynamic_cast<const TListaCondizioni*>(&c)) {
        for (std::size_t i = 0; i < l->Count(); ++i) {
            if (!Vuota(l->Item(i))) {
                return false;
            }
        }
        return true;
    }
    const auto& t = dynamic_cast<const TCondTabelle&>(c);
    for (std::size_t i = 0; i < t.NumTabelle(); ++i) {
        const TTabellaPunti& tab = t.Tabella(i);
        if (!tab.SameContent(TTabellaPunti(tab.N(), tab.HaCons()))) {
            return false;
        }
    }
    return true;
}

} // namespace

class TestConditionDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        test::PrepareHome(home_);
        // The demo archive, so that "Ripetizioni" has its two previous contests.
        QDir(home_.path()).mkpath(QStringLiteral("ARCHIVI"));
        fs::copy_file(TESSALINE_SOURCE_DIR "/data/ARCHIVI/archivio.tts",
                      (home_.path() + QStringLiteral("/ARCHIVI/archivio.tts")).toStdString());
    }

    // A box cycles 0 -> 1 -> 2 -> 0 (0 -> 1 -> 0 without recovery); levels stay within 1..99.
    void clicksCycleStatesAndLevels() {
        T_Sistema sys;
        struct TRiga {
            int slot;
            std::function<TGraphPt*(TFormCondizione&)> graph;
            bool rec;
        };
        auto tab = [](int t) {
            return [t](TFormCondizione& d) { return static_cast<TFormCondTabelle&>(d).Grafico(t); };
        };
        const std::vector<TRiga> righe = {
            {kCodNumeroSegni, tab(0), true},
            {kCodPariDispari, tab(0), true},
            {kCodVortice, tab(1), true},
            {kCodSimmetrie, tab(1), true},
            {kCodInterruzioni, tab(0), true},
            {kCodRipetizioni, tab(1), true},
            {kCodGruppoRisultati, [](TFormCondizione& d) { return static_cast<TFormRisultati&>(d).Punti; },
             true},
            {kCodGruppoConsecutivita,
             [](TFormCondizione& d) { return static_cast<TFormConsecutivita&>(d).Selezione; }, false},
        };
        for (const TRiga& r : righe) {
            const std::vector<std::uint8_t> before = RecordCondizione(*sys.Insieme().Slot(r.slot));
            std::unique_ptr<TFormCondizione> d = Dialogo(sys, r.slot);
            if (auto* l = dynamic_cast<TFormLista*>(d.get())) {
                l->AggiungiBtn->click();
            }
            d->show();
            TGraphPt* g = r.graph(*d);
            QVERIFY(g != nullptr);
            QSignalSpy changed(g, &TGraphPt::OnModificato);
            const int v = 4;
            ClickBox(g, false, v);
            QCOMPARE(g->Voce(false, v).Stato, kAmmesso);
            QVERIFY(g->Modificato);
            ClickBox(g, false, v);
            if (!r.rec) {
                QCOMPARE(g->Voce(false, v).Stato, kNonAmmesso);
                QCOMPARE(changed.count(), 2);
                continue;
            }
            QCOMPARE(g->Voce(false, v).Stato, kRecupero);
            QCOMPARE(g->Voce(false, v).Livello, std::uint8_t{1});
            ClickLevel(g, false, v, false);
            QCOMPARE(g->Voce(false, v).Livello, std::uint8_t{1});
            for (int i = 0; i < 120; ++i) {
                ClickLevel(g, false, v, true);
            }
            QCOMPARE(g->Voce(false, v).Livello, std::uint8_t{99});
            ClickLevel(g, false, v, false);
            QCOMPARE(g->Voce(false, v).Livello, std::uint8_t{98});
            // The keyboard: "+" raises, space cycles back to not admitted.
            g->Striscia()->setFocus();
            g->cursore = v;
            QTest::keyClick(g->Striscia(), Qt::Key_Plus);
            QCOMPARE(g->Voce(false, v).Livello, std::uint8_t{99});
            QTest::keyClick(g->Striscia(), Qt::Key_Space);
            QCOMPARE(g->Voce(false, v).Stato, kNonAmmesso);
            // Nothing reached the system's condition.
            d->BtnAnnulla->click();
            QCOMPARE(RecordCondizione(*sys.Insieme().Slot(r.slot)), before);
        }
    }

    // Per family: "Annulla" leaves the condition byte for byte; "Ok" and a development give the
    // columns of the engine with the same tables; the menu marks follow; "Azzera " empties.
    void dialogsAgainstTheEngine() {
        for (const TCaso& caso : Casi()) {
            T_Sistema sys;
            sys.dati.settings = DefaultSettings();
            TFormPrinc w(sys);
            w.SetPrompt(&prompt_);
            TComandi comandi(w, &chooser_);
            chooser_.answers = {kExample};
            comandi.Sistema().CaricaClick();
            const QString what = QString::fromUtf8(caso.nome);
            QAction* entry = w.Azione(QLatin1String(caso.handler));
            QVERIFY2(entry != nullptr && entry->isEnabled(), qPrintable(what));
            TCondizione& cond = *sys.Insieme().Slot(caso.slot);

            const std::vector<std::uint8_t> before = RecordCondizione(cond);
            sys.modified = false;
            RunDialog(entry, [&](TFormCondizione& d) {
                caso.clicks(d);
                d.BtnAnnulla->click();
            });
            QVERIFY2(RecordCondizione(cond) == before, qPrintable(what));
            QVERIFY(!sys.modified);

            RunDialog(entry, [&](TFormCondizione& d) {
                caso.clicks(d);
                d.BtnOk->click();
            });
            QVERIFY(sys.modified);
            QVERIFY2(Checked(w, entry), qPrintable(what));
            comandi.Sviluppo().CalcoloColonne1Click();
            comandi.Sviluppo().FinestraSviluppo()->BtnOk->click();

            T_Sistema ref;
            ref.dati.settings = DefaultSettings();
            QVERIFY(ref.Load(kExample.toStdString()));
            ref.Insieme().Collega(&w.Archivio(), &ref.dati.settings.ricerca, &ref.Colonne);
            const TDevelopResult plain = DevelopSystem(ref, {});
            caso.engine(*ref.Insieme().Slot(caso.slot));
            const TDevelopResult r = DevelopSystem(ref, {});
            QVERIFY2(r.accepted != plain.accepted, qPrintable(what)); // the edit filters differently
            // Both developments derived the flags that the records carry.
            QCOMPARE(RecordCondizione(cond), RecordCondizione(*ref.Insieme().Slot(caso.slot)));
            QCOMPARE(sys.Colonne.Count(), ref.Colonne.Count());
            for (int i = 0; i < ref.Colonne.Count(); ++i) {
                QVERIFY(sys.Colonne[static_cast<std::size_t>(i)] == ref.Colonne[static_cast<std::size_t>(i)]);
            }

            RunDialog(entry, [&](TFormCondizione& d) {
                d.RadioDisattivato->setChecked(true);
                d.BtnAzzera->click();
                QVERIFY(d.RadioAttivato->isChecked());
                d.BtnOk->click();
            });
            QVERIFY2(Vuota(cond), qPrintable(what));
            QVERIFY(cond.Attivato);
            QVERIFY2(!Checked(w, entry), qPrintable(what));
        }
    }

    // A letter's errors may not pass its level sum, the total not the sum over all letters.
    void linkRefusesTooManyErrors() {
        T_Sistema sys;
        auto& segni = *sys.Insieme().SlotAs<TCondNumeroSegni>(kCodNumeroSegni);
        segni.Tabella(0).Imposta(false, 3, kRecupero, 2); // letter A, levels {2}
        segni.Tabella(1).Imposta(false, 5, kRecupero, 1); // letter A, levels {1, 2}: sum 3
        segni.Tabella(2).Imposta(false, 1, kRecupero, 4);
        segni.Tabella(2).Pt.Link = 'C'; // letter C: sum 4, total 7
        struct TRiga {
            char letter;
            bool totale;
            int value;
            const char* message; // nullptr: accepted
        };
        const TRiga righe[] = {
            {'A', false, 4, "Il Numero Degli Errori Nella Link è Troppo Alto !"},
            {'A', false, 3, nullptr},
            {'B', false, 1, "Il Numero Degli Errori Nella Link è Troppo Alto !"},
            {'B', false, 0, nullptr},
            {'C', false, 4, nullptr},
            {'A', true, 8, "Il Numero Degli Errori Totali è Troppo Alto !"},
            {'A', true, 7, nullptr},
        };
        for (const TRiga& r : righe) {
            prompt_.Clear();
            TFormRec d(sys.Insieme(), prompt_);
            d.show();
            QCOMPARE(d.SommaLettera('A'), 3);
            QCOMPARE(d.SommaTotale(), 7);
            d.Lettere[static_cast<std::size_t>(r.letter - 'A')]->click();
            QCOMPARE(d.Lettera(), r.letter);
            if (r.letter == 'A') {
                QCOMPARE(d.ListaCondizioni->count(), 2);
                QCOMPARE(d.MaxLink->text(), QStringLiteral("Max 3"));
            }
            ClickBox(r.totale ? d.PtTutteLink : d.PtLink, false, r.value);
            d.BtnOk->click();
            if (r.message != nullptr) {
                QCOMPARE(prompt_.texts.size(), std::size_t{1});
                QCOMPARE(prompt_.titles[0], std::string("Informazione"));
                QCOMPARE(prompt_.texts[0], std::string(r.message));
                QVERIFY(d.isVisible()); // stays open
                QVERIFY(sys.Insieme().Link().Lettera(r.letter).ErroriAmmessi.SameContent(
                    TTabellaPunti(99, false)));
                continue;
            }
            QVERIFY(prompt_.texts.empty());
            QCOMPARE(d.result(), int(QDialog::Accepted));
            const TTabellaPunti& t = r.totale ? sys.Insieme().Link().ErroriTotali
                                              : sys.Insieme().Link().Lettera(r.letter).ErroriAmmessi;
            QCOMPARE(t.Pt.Voci[static_cast<std::size_t>(r.value)].Stato, kAmmesso);
            QVERIFY(sys.Insieme().Link().AggiornaStato());
            sys.Insieme().Link().Lettera(r.letter).ErroriAmmessi.Svuota();
            sys.Insieme().Link().ErroriTotali.Svuota();
        }
    }

    // The rejections of a run by level, by the letter's errors and by the total, in values and %.
    void analysisShowsTheLastRun() {
        T_Sistema sys;
        auto& segni = *sys.Insieme().SlotAs<TCondNumeroSegni>(kCodNumeroSegni);
        for (int v = 0; v <= 12; ++v) {
            segni.Tabella(0).Imposta(false, v, v <= 2 ? kAmmesso : kRecupero, 1); // level 1 for 3+ zeros
            segni.Tabella(1).Imposta(false, v, v <= 2 ? kAmmesso : kRecupero, 1); // and 3+ ones
        }
        sys.Insieme().Link().ErroriTotali.Imposta(false, 0, kAmmesso); // no recovery at all in total
        sys.Insieme().Prepara();
        Colonna c;
        int expected[2] = {0, 0}; // rejections: by level 1, by a total of 1
        for (int zeros = 0; zeros <= 12; ++zeros) {
            for (int t = 0; t < kTeams; ++t) {
                c[t] = t < zeros ? kSign0 : kSign1;
            }
            QVERIFY(!sys.Insieme().Accetta(c) || (zeros <= 2 && 12 - zeros <= 2));
            const bool both = zeros >= 3 && 12 - zeros >= 3;
            expected[0] += both ? 1 : 0; // two recoveries at level 1 through A: the second refused
            expected[1] += both ? 0 : 1;
        }
        TFormAnalisiRec a(sys.Insieme());
        QCOMPARE(a.windowTitle(), QStringLiteral("Analisi Delle Colonne Filtrate"));
        QCOMPARE(a.ListaLettere->count(), 1);
        QCOMPARE(a.TabLivelli->rowCount(), 1);
        QCOMPARE(a.TabLivelli->item(0, 0)->text(), QStringLiteral("1"));
        QCOMPARE(a.TabLivelli->item(0, 1)->text(), QString::number(expected[0]));
        QCOMPARE(a.TabTotale->item(1, 1)->text(), QString::number(expected[1]));
        a.RadioPerc->setChecked(true);
        QCOMPARE(a.TabLivelli->item(0, 1)->text(), QStringLiteral("100,00"));
        QVERIFY(!a.BtnStampa->isEnabled());
    }

    // From the main window's menu to fewer columns on the status line.
    void numeroDiSegniFromTheMenu() {
        T_Sistema sys;
        sys.dati.settings = DefaultSettings();
        TFormPrinc w(sys);
        w.SetPrompt(&prompt_);
        TComandi comandi(w, &chooser_);
        for (int t = 0; t < kTeams; ++t) {
            sys.dati.Forecast[t] = t < 6 ? (kSign0 | kSign1 | kSign2) : kSign1; // 729 columns
        }
        w.ImpostaTutto();
        comandi.Sviluppo().CalcoloColonne1Click();
        comandi.Sviluppo().FinestraSviluppo()->BtnOk->click();
        QVERIFY(w.PColonneF->text().startsWith(QStringLiteral("  Colonne Finali : 729 (")));

        QAction* entry = w.Azione(QStringLiteral("NumeroDiSegni1Click"));
        QCOMPARE(entry->text(), QStringLiteral("&Numero Di Segni"));
        QVERIFY(!Checked(w, entry));
        RunDialog(entry, [](TFormCondizione& d) {
            TGraphPt* segni1 = static_cast<TFormCondTabelle&>(d).Grafico(1);
            QCOMPARE(segni1->Titolo, QStringLiteral("Segni 1"));
            for (int v = 4; v <= 6; ++v) {
                ClickBox(segni1, false, v);
            }
            d.BtnOk->click();
        });
        QVERIFY(Checked(w, entry));
        comandi.Sviluppo().CalcoloColonne1Click();
        comandi.Sviluppo().FinestraSviluppo()->BtnOk->click();
        // Six fixed 1s: admitting 4..6 ones keeps the columns with no 1 among the first six teams.
        QVERIFY(w.PColonneF->text().startsWith(QStringLiteral("  Colonne Finali : 64 (")));
        QVERIFY(sys.modified);

        // "&Link" is checked once an error table is marked.
        QAction* link = w.Azione(QStringLiteral("Link1Click"));
        QVERIFY(link->isEnabled() && !Checked(w, link));
        sys.Insieme().Link().ErroriTotali.Imposta(false, 0, kAmmesso);
        QVERIFY(Checked(w, link));

        // Other windows open a condition's dialog by its slot.
        QString caption;
        QTimer::singleShot(0, [&] {
            if (QWidget* d = QApplication::activeModalWidget()) {
                caption = d->windowTitle();
                static_cast<QDialog*>(d)->reject();
            }
        });
        w.apriCondizione(kCodInterruzioni);
        QCOMPARE(caption, QStringLiteral("Interruzioni"));
    }

    // A label with a comma is drawn on two lines from the same x.
    void legendSplitsAtTheComma() {
        TLegenda l;
        l.SetLista({QStringLiteral("7"), QStringLiteral("10,5"), QStringLiteral("x")});
        l.SetStart(1);
        l.SetNumPoint(2);
        const auto pezzi = l.Pezzi();
        QCOMPARE(pezzi.size(), std::size_t{3});
        QCOMPARE(pezzi[0].testo, QStringLiteral("10"));
        QCOMPARE(pezzi[1].testo, QStringLiteral("5"));
        QCOMPARE(pezzi[1].pos.x(), pezzi[0].pos.x());
        QCOMPARE(pezzi[1].pos.y(), pezzi[0].pos.y() + l.fontMetrics().height());
        QCOMPARE(pezzi[0].pos.x() + l.fontMetrics().horizontalAdvance(QStringLiteral("10")) / 2, 40);
        QCOMPARE(pezzi[2].testo, QStringLiteral("x"));
        QCOMPARE(pezzi[2].pos.x() + l.fontMetrics().horizontalAdvance(QStringLiteral("x")) / 2, 70);
    }

private:
    // Triggers a menu entry and drives the modal dialog it opens.
    static void RunDialog(QAction* entry, const std::function<void(TFormCondizione&)>& act) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<TFormCondizione*>(QApplication::activeModalWidget());
            if (d != nullptr) {
                seen = true;
                act(*d);
                if (d->isVisible()) {
                    d->reject();
                }
            }
        });
        entry->trigger();
        QVERIFY(seen);
    }
    // The entry's check mark as the menu shows it when it opens.
    static bool Checked(TFormPrinc& w, QAction* entry) {
        for (QAction* a : w.menuBar()->actions()) {
            if (a->menu() != nullptr && a->text() == QStringLiteral("&Condizioni")) {
                emit a->menu()->aboutToShow();
            }
        }
        return entry->isChecked();
    }

    QTemporaryDir home_;
    test::TScriptedPrompt prompt_;
    test::TScriptedChooser chooser_;
};

QTEST_MAIN(TestConditionDialogs)
#include "condition_dialogs_test.moc"
