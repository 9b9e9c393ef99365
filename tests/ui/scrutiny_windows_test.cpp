// The scrutiny, plays, historical and guarantee windows: enabling and counts of "Spoglio", the
// winning-coupon viewer, the guarantee modes and "Interrompi", the contest arrows, the historical
// "Salva" rule, "Annulla" and the spreadsheet export, and the bad column file of the commands.

#include <QChartView>
#include <QPrinter>
#include <QProcess>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <numeric>
#include <sstream>

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "archive/contest_archive.h"
#include "core/column_list.h"
#include "core/enumerate.h"
#include "core/ui/quattro_colonne.h"
#include "core/ui/sign_edits.h"
#include "print/ui/printer.h"
#include "reduce/ui/guarantee_window.h"
#include "scrutiny/plays.h"
#include "scrutiny/ui/historical_window.h"
#include "scrutiny/ui/plays_windows.h"
#include "scrutiny/ui/scrutiny_commands.h"
#include "scrutiny/ui/scrutiny_windows.h"
#include "system/sistema.h"
#include "tests/reference/sample_systems.h"
#include "ui_support.h"

using namespace tessaline;
namespace fs = std::filesystem;

namespace {

// Twelve groups of signs separated by blanks ("01 1 2 ...") or twelve single letters.
Colonna Col(const std::string& text) {
    Colonna c;
    if (text.find(' ') == std::string::npos) {
        for (int t = 0; t < kTeams; ++t) {
            c[t] = ParseSigns(text.substr(static_cast<std::size_t>(t), 1));
        }
        return c;
    }
    std::istringstream in(text);
    std::string group;
    for (int t = 0; t < kTeams && in >> group; ++t) {
        c[t] = ParseSigns(group);
    }
    return c;
}

// Straightforward counts: every single column of every entry, by points.
std::array<std::int64_t, 7> RefCounts(const std::vector<Colonna>& set, const Colonna& w) {
    std::array<std::int64_t, 7> out{};
    for (const Colonna& c : set) {
        std::vector<Colonna> singles{Colonna{}};
        for (int t = 0; t < kTeams; ++t) {
            std::vector<Colonna> next;
            for (const Colonna& s : singles) {
                for (int b = 0; b < 4; ++b) {
                    if ((c[t] >> b) & 1) {
                        Colonna n = s;
                        n[t] = static_cast<SignSet>(1 << b);
                        next.push_back(n);
                    }
                }
            }
            singles = std::move(next);
        }
        for (const Colonna& s : singles) {
            int points = 0;
            for (int m = 0; m < 6; ++m) {
                points += (s[2 * m] == w[2 * m] && s[2 * m + 1] == w[2 * m + 1]) ? 1 : 0;
            }
            ++out[static_cast<std::size_t>(points)];
        }
    }
    return out;
}

TListaColonne List(const std::vector<Colonna>& cols) {
    TListaColonne l;
    for (const Colonna& c : cols) {
        l.Append(c);
    }
    return l;
}

T_Concorso Contest(std::int32_t anno, int numero, const Colonna& w) {
    T_Concorso c;
    c.Anno = anno;
    c.Numero = static_cast<std::uint8_t>(numero);
    c.ColonnaVincente = w;
    c.AggiornaCompleto();
    return c;
}

QByteArray Unzip(const QString& file, const QString& member) {
    QProcess p;
    p.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, member});
    p.waitForFinished(30000);
    return p.readAllStandardOutput();
}

const char* kW = "102100M12110";

// The printer hook of the windows, writing a PDF file; the text read back with pdftotext.
TStampante PdfStampante(const QString& file) {
    return [file](const std::function<void(TCanvas&)>& draw) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        StampaSu(&printer, kDpiTabulato, [&](TCanvas& canvas) {
            draw(canvas);
            return TEsitoStampa{};
        });
    };
}

QString PdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestScrutinyWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        test::PrepareHome(home_);
        QDir(home_.path()).mkpath(QStringLiteral("ArchivioGiocate"));
    }

    void init() {
        sys_ = std::make_unique<T_Sistema>();
        main_ = std::make_unique<TFormPrinc>(*sys_);
        main_->SetPrompt(&prompt_);
        prompt_.Clear();
        sys_->dati.sviluppo.UseConditions = 0;
        sys_->dati.SourceForecast = 1;
        sys_->dati.Forecast = Col("01 0 2 1 0 0 M 1 2 1 1 0");
    }

    void cleanup() {
        main_.reset();
        sys_.reset();
    }

    void scrutinyEnablingAndCounts() {
        const struct {
            const char* name;
            std::vector<std::string> set;
            std::string winning; // blanks for an empty team
            bool valid;
            bool forecastError;
        } cases[] = {
            {"incomplete", {kW}, "1021 0M12110", false, false},
            {"equal column", {kW, "002100M12110", "112100M12110"}, kW, true, false},
            {"both teams of a match", {"012100M12110", "102100M12111"}, kW, true, false},
            {"doubles everywhere", {"01 01 01 01 01 01 01 01 01 01 01 01", kW}, "012100M12110", true, true},
            {"outside the forecast", {kW}, "2021000M2110", true, true},
        };
        for (const auto& c : cases) {
            std::vector<Colonna> set;
            for (const auto& s : c.set) {
                set.push_back(Col(s));
            }
            auto loaded = std::make_unique<TSpoglio>();
            loaded->CaricaDaMemoria(List(set), false);
            TFormSpoglio w(*main_, std::move(loaded));
            w.show();
            Colonna win;
            for (int t = 0; t < kTeams; ++t) {
                win[t] = c.winning[static_cast<std::size_t>(t)] == ' '
                             ? 0
                             : ParseSigns(c.winning.substr(static_cast<std::size_t>(t), 1));
            }
            w.EditColonna->SetColonna(win);
            w.EditColonnaModificato();
            QCOMPARE(w.Valida(), c.valid);
            QCOMPARE(w.VisualizzaBtn->isEnabled(), c.valid);
            QCOMPARE(w.ScrollBar1->isEnabled(), c.valid);
            QCOMPARE(w.Grafico->isVisible(), c.valid);
            if (!c.valid) {
                QCOMPARE(w.ListBoxCond->count(), 0);
                continue;
            }
            const auto ref = RefCounts(set, win);
            QVERIFY2(w.Barre() == ref, c.name);
            QCOMPARE(w.MassimoAsse(), *std::max_element(ref.begin(), ref.end()) * 11 / 10);
            QCOMPARE(w.Panel1Cat->text(), QString::number(ref[6]));
            QCOMPARE(w.Panel2Cat->text(), QString::number(ref[5]));
            QCOMPARE(w.Panel3Cat->text(), QString::number(ref[4]));
            QCOMPARE(w.ListBoxCond->count(), c.forecastError ? 1 : 0);
            if (c.forecastError) {
                QCOMPARE(w.ListBoxCond->item(0)->text(), QStringLiteral("Pronostico"));
                w.ScrollBar1->setValue(3);
                QCOMPARE(w.ListBoxCond->item(0)->text(), QStringLiteral("onostico"));
            }
        }
        // A column of doubles on every team counts its 4096 single columns.
        auto loaded = std::make_unique<TSpoglio>();
        loaded->CaricaDaMemoria(List({Col("01 01 01 01 01 01 01 01 01 01 01 01")}), false);
        TFormSpoglio w(*main_, std::move(loaded));
        w.EditColonna->SetColonna(Col("010101010101"));
        w.EditColonnaModificato();
        const auto bars = w.Barre();
        QCOMPARE(std::accumulate(bars.begin(), bars.end(), std::int64_t{0}), std::int64_t{4096});
    }

    void brokenConditionOpensItsDialog() {
        test::BuildRichSystem(*sys_);
        sys_->dati.sviluppo.UseConditions = 1;
        sys_->dati.SourceForecast = 1;
        std::vector<int> opened;
        main_->apriCondizione = [&](int slot) { opened.push_back(slot); };
        auto loaded = std::make_unique<TSpoglio>();
        loaded->CaricaDaMemoria(List({Col(kW)}), false);
        TFormSpoglio w(*main_, std::move(loaded));
        w.EditColonna->SetColonna(Col("MMMMMMMMMMMM"));
        w.EditColonnaModificato();
        QVERIFY(w.ListBoxCond->count() > 1);
        QCOMPARE(w.ListBoxCond->item(0)->text(), QStringLiteral("Pronostico"));
        QCOMPARE(static_cast<int>(w.SlotErrori().size()), w.ListBoxCond->count());
        QCOMPARE(w.SlotErrori()[0], -1);
        for (int row = 0; row < w.ListBoxCond->count(); ++row) {
            opened.clear();
            emit w.ListBoxCond->itemDoubleClicked(w.ListBoxCond->item(row));
            const int slot = w.SlotErrori()[static_cast<std::size_t>(row)];
            if (row == 0) {
                QVERIFY(opened.empty());
                continue;
            }
            QVERIFY2(slot >= 1 && slot <= kSlots, qPrintable(w.ListBoxCond->item(row)->text()));
            QCOMPARE(opened, std::vector<int>{slot});
            QVERIFY(sys_->Insieme().Slot(slot) != nullptr);
        }
    }

    void viewerButtonsAndCoupons() {
        const Colonna w = Col(kW);
        const Colonna five = Col("002100M12110");
        const struct {
            const char* name;
            std::vector<Colonna> set;
            int press; // -1: as opened
            int pressed;
            std::vector<bool> enabled;
            std::vector<int> numbers;
            std::vector<int> held;
            std::vector<std::vector<int>> marks;
        } cases[] = {
            {"seven columns, three coupons",
             {w, w, w, w, w, w, w},
             -1,
             6,
             {false, false, false, false, false, false, true},
             {1, 2, 3},
             {3, 3, 1},
             {{1, 1, 1}, {1, 1, 1}, {1, 0, 0}}},
            {"highest pressed first",
             {five, w, five, five, five, five, five},
             -1,
             6,
             {false, false, false, false, false, true, true},
             {1},
             {3},
             {{0, 1, 0}}},
            {"another button",
             {five, w, five, five, five, five, five},
             5,
             5,
             {false, false, false, false, false, true, true},
             {1, 2, 3},
             {3, 3, 1},
             {{1, 0, 1}, {1, 1, 1}, {1, 0, 0}}},
            {"no win",
             {Col("222222222222")},
             -1,
             0,
             {true, false, false, false, false, false, false},
             {1},
             {1},
             {{1, 0, 0}}},
        };
        for (const auto& c : cases) {
            TSpoglio s;
            s.CaricaDaMemoria(List(c.set), false);
            TSistemaSpoglio none;
            s.Esegui(w, none);
            TFormVisVin v(s);
            v.show();
            if (c.press >= 0) {
                v.S[static_cast<std::size_t>(c.press)]->click();
            }
            QCOMPARE(v.Premuto(), c.pressed);
            QVERIFY(v.S[static_cast<std::size_t>(c.pressed)]->isChecked());
            for (std::size_t i = 0; i < 7; ++i) {
                QCOMPARE(v.S[i]->isEnabled(), c.enabled[i]);
            }
            QCOMPARE(v.Elenco().size(), c.numbers.size());
            QCOMPARE(v.ScrollBar->maximum(), 0);
            for (std::size_t k = 0; k < 4; ++k) {
                TQuattroColonne* q = v.Schedine[k];
                QCOMPARE(q->isVisible(), k < c.numbers.size());
                if (k >= c.numbers.size()) {
                    continue;
                }
                QCOMPARE(q->Numero(), c.numbers[k]);
                QCOMPARE(q->Usate(), c.held[k]);
                for (int j = 0; j < q->Usate(); ++j) {
                    QCOMPARE(q->Segnata(j), c.marks[k][static_cast<std::size_t>(j)] != 0);
                }
                QCOMPARE(q->Cella(3, 6), QStringLiteral("M"));
                QCOMPARE(q->Cella(q->Usate(), 0), q->Usate() < 3 ? QString() : QStringLiteral("1"));
            }
        }
        // Twenty-one columns make seven coupons: the bar scrolls over three positions.
        TSpoglio s;
        s.CaricaDaMemoria(List(std::vector<Colonna>(21, w)), false);
        TSistemaSpoglio none;
        s.Esegui(w, none);
        TFormVisVin v(s);
        v.show();
        QCOMPARE(v.ScrollBar->maximum(), 3);
        v.ScrollBar->setValue(3);
        QCOMPARE(v.Schedine[0]->Numero(), 4);
        QCOMPARE(v.Schedine[3]->Numero(), 7);
    }

    void guaranteeModesAndInterrompi() {
        test::TScriptedChooser chooser;
        TRisultatiGaranzie results;
        // On show: memory and forecast availability decide the radio buttons.
        const struct {
            bool columns;
            bool forecast;
        } shows[] = {{true, true}, {false, true}, {true, false}, {false, false}};
        for (const auto& s : shows) {
            sys_->Colonne.Clear();
            if (s.columns) {
                sys_->Colonne.Append(Col(kW));
            }
            sys_->dati.Forecast = s.forecast ? Col(kW) : Pronostico{};
            TFrmCalcGaranzie g(*main_, chooser, results);
            g.show();
            QCOMPARE(g.RadioEMem->isEnabled(), s.columns);
            QCOMPARE(g.RadioEMem->isChecked(), s.columns);
            QCOMPARE(g.RadioEFile->isChecked(), !s.columns);
            QCOMPARE(g.EditE->isEnabled(), !s.columns);
            QCOMPARE(g.RadioCPro->isEnabled(), s.forecast);
            QCOMPARE(g.RadioCFile->isChecked(), !s.forecast);
            QCOMPARE(g.GruppoErrori->isEnabled(), s.forecast);
            QCOMPARE(g.BtnCalcola->isEnabled(), true);
            QCOMPARE(g.Grid->rowCount(), 11);
        }
        // The rules after clicks.
        sys_->Colonne.Clear();
        sys_->Colonne.Append(Col(kW));
        sys_->dati.Forecast = Col(kW);
        const struct {
            const char* clicks;
            bool cond, c0, c1, c2, s0, s1, s2, calcola;
        } rules[] = {
            {"", true, true, false, false, true, false, false, true},
            {"1", false, true, true, false, true, true, false, true},
            {"0", true, false, false, false, false, false, false, false},
            {"02", false, false, false, true, false, false, true, true},
            {"012", false, false, true, true, false, true, true, true},
            {"1F", true, true, false, false, true, false, false, true}, // comparison file: errors cleared
        };
        for (const auto& r : rules) {
            TFrmCalcGaranzie g(*main_, chooser, results);
            g.show();
            for (const char* k = r.clicks; *k != 0; ++k) {
                switch (*k) {
                case '0':
                    g.Check0err->click();
                    break;
                case '1':
                    g.Check1Err->click();
                    break;
                case '2':
                    g.Check2Err->click();
                    break;
                case 'F':
                    g.RadioCFile->click();
                    break;
                }
            }
            QCOMPARE(g.CheckApplicaCond->isEnabled(), r.cond);
            QCOMPARE(g.Check0err->isChecked(), r.c0);
            QCOMPARE(g.Check1Err->isChecked(), r.c1);
            QCOMPARE(g.Check2Err->isChecked(), r.c2);
            QCOMPARE(g.Speed0->isEnabled(), r.s0);
            QCOMPARE(g.Speed1->isEnabled(), r.s1);
            QCOMPARE(g.Speed2->isEnabled(), r.s2);
            QCOMPARE(g.BtnCalcola->isEnabled(), r.calcola);
        }
        // A forecast of single signs against itself: one pattern at 100 %, mode 6 shown.
        {
            TFrmCalcGaranzie g(*main_, chooser, results);
            g.show();
            g.Check1Err->click();
            g.BtnCalcolaClick();
            QCOMPARE(g.UltimoEsito(), TEsitoGaranzie::Ok);
            QCOMPARE(g.ModoMostrato(), 6);
            QCOMPARE(g.Grid->item(1, 0)->text().trimmed(), QStringLiteral("1"));
            QCOMPARE(g.Grid->item(1, 3)->text().trimmed(), QStringLiteral("100,000"));
            QVERIFY(results.Calcolata(5));
            g.Speed1->click();
            QCOMPARE(g.ModoMostrato(), 5);
            QCOMPARE(g.Grid->item(1, 0)->text().trimmed(), QStringLiteral("0")); // no 6 with one error
        }
        // "Interrompi" during a run: nothing is kept, the table is cleared, the buttons come back.
        sys_->dati.Forecast = Col("012 012 012 1 0 0 1 M 2 1 1 0");
        sys_->Colonne.Clear();
        EnumerateForecast(sys_->dati.Forecast, TEnumMode::Develop, nullptr,
                          [&](const Colonna& c) { sys_->Colonne.Append(c); });
        {
            TFrmCalcGaranzie g(*main_, chooser, results);
            g.show();
            g.Check2Err->click();
            int looks = 0;
            bool wasRunning = false;
            g.duranteIlCalcolo = [&] {
                if (++looks == 50) {
                    wasRunning = g.InCorso() && g.CancelBtn->isEnabled() && !g.BtnCalcola->isEnabled();
                    g.CancelBtn->click();
                }
            };
            g.BtnCalcolaClick();
            QVERIFY(wasRunning);
            QCOMPARE(g.UltimoEsito(), TEsitoGaranzie::Annullato);
            for (int mode : {6, 5, 4}) {
                QVERIFY(results.Lista(mode).empty());
            }
            QCOMPARE(g.Grid->rowCount(), 11);
            QVERIFY(g.Grid->item(0, 0)->text().isEmpty());
            QVERIFY(g.BtnCalcola->isEnabled());
            QVERIFY(!g.CancelBtn->isEnabled());
        }
    }

    void playsContestArrows() {
        // Contest 2 holds one coupon; the others have no file.
        TArchivioGiocate two(2);
        two.AggiungiSchedina(Col(kW), Colonna{}, Colonna{});
        two.SalvaArchivio();
        const struct {
            int start;
            const char* clicks; // L left, R right
            int expected;
        } cases[] = {{1, "L", 1}, {1, "LLR", 2}, {99, "R", 99}, {98, "RRRL", 98}, {3, "LL", 1}, {50, "", 50}};
        for (const auto& c : cases) {
            sys_->dati.ContestNumber = c.start;
            TFormVisGiocate g(*main_, nullptr);
            g.show();
            for (const char* k = c.clicks; *k != 0; ++k) {
                (*k == 'L' ? g.SinistraBtn : g.DestraBtn)->click();
            }
            QCOMPARE(g.Numero(), c.expected);
            QCOMPARE(g.PanelNumero->text(), QString::number(c.expected));
            QCOMPARE(g.TabellaGenerale->item(0, 1)->text().trimmed(),
                     c.expected == 2 ? QStringLiteral("1") : QStringLiteral("0"));
            QCOMPARE(g.TabellaGenerale->item(3, 1)->text().trimmed(),
                     c.expected == 2 ? QStringLiteral("£ 800") : QStringLiteral("£ 0"));
        }
        // The global scrutiny of contest 2 counts the coupon's column.
        sys_->dati.ContestNumber = 2;
        TFormVisGiocate g(*main_, nullptr);
        g.show();
        TFormSpoglioGlobale sg(*main_, g.Archivio());
        sg.EditColonna->SetColonna(Col(kW));
        sg.EditColonnaModificato();
        QCOMPARE(sg.TabGenvinc->item(0, 2)->text(), QStringLiteral("1"));
        QCOMPARE(sg.TabGenvinc->item(3, 2)->text(), QStringLiteral("1"));
    }

    void printouts() {
        // The plays of contest 4: one coupon and 50 reduced systems (two pages of systems).
        TArchivioGiocate plays(4);
        plays.AggiungiSchedina(Col(kW), Colonna{}, Colonna{});
        for (int k = 0; k < 50; ++k) {
            plays.AggiungiSistema(List({Col(kW), Col("002100M12110")}), k, 0, 0, 46000.0, 0.5);
        }
        plays.SalvaArchivio();
        sys_->dati.ContestNumber = 4;
        TFormVisGiocate g(*main_, nullptr);
        g.show();
        const QString pdf = home_.filePath(QStringLiteral("giocate.pdf"));
        g.stampante = PdfStampante(pdf);
        g.BtnStampa->click();
        QString text = PdfText(pdf);
        QVERIFY2(text.contains(QString::fromUtf8("Riepilogo delle giocate del concorso Nº 4")),
                 qPrintable(text));
        QVERIFY(text.contains(QString::fromUtf8("Elenco dei sistemi ridotti giocati nel concorso Nº 4")));
        QVERIFY(text.contains(QStringLiteral("Sistemi Ridotti")));
        QVERIFY(text.contains(QStringLiteral("49"))); // the last system's doubles, on the second page
        QCOMPARE(text.count(QStringLiteral("Elenco dei sistemi ridotti")), 2);
        // The global scrutiny's printout.
        TFormSpoglioGlobale sg(*main_, g.Archivio());
        sg.stampante = g.stampante;
        sg.EditColonna->SetColonna(Col(kW));
        sg.EditColonnaModificato();
        sg.BtnStampa->click();
        text = PdfText(pdf);
        QVERIFY(text.contains(QString::fromUtf8("Riepilogo delle vincite del concorso Nº 4")));
        QVERIFY(text.contains(
            QString::fromUtf8("Elenco delle vincite dei sistemi ridotti giocati nel concorso Nº 4")));
        QVERIFY(text.contains(QStringLiteral("Totale Vincite")));
        // The guarantee table of the mode shown.
        sys_->Colonne.Clear();
        sys_->Colonne.Append(Col(kW));
        sys_->dati.Forecast = Col(kW);
        test::TScriptedChooser chooser;
        TRisultatiGaranzie results;
        TFrmCalcGaranzie gar(*main_, chooser, results);
        gar.show();
        gar.Check1Err->click();
        gar.BtnCalcolaClick();
        gar.Speed1->click();
        gar.stampante = PdfStampante(pdf);
        gar.BtnStampa->click();
        text = PdfText(pdf);
        QVERIFY(
            text.contains(QStringLiteral("Stampa delle garanzie del sistema con un errore sul pronostico")));
        QVERIFY(text.contains(QStringLiteral("100,000")));
    }

    void historicalSalvaAnnullaEsporta() {
        // Three contests; the set scores: c1 6 in the first, c2 5 in the second, c3 2 in the third,
        // and 0 elsewhere.
        T_Archivio& archive = main_->Archivio();
        archive.Concorsi() = {Contest(2024, 1, Col("000000000000")), Contest(2024, 2, Col("111111111111")),
                              Contest(2024, 3, Col("222222222222"))};
        T_IntervalloConcorsi& range = sys_->dati.settings.ricerca.Intervallo;
        range.AnnoDa = 2024;
        range.NumeroDa = 1;
        range.AnnoA = 2024;
        range.NumeroA = 3;
        range.Tipi = 1;
        const std::vector<Colonna> set = {Col("000000000000"), Col("011111111111"), Col("MMMMMMMM2222")};
        test::TScriptedChooser chooser;
        const QString out = home_.filePath(QStringLiteral("COLONNE/scelte.Col"));
        const struct {
            std::vector<int> points;
            std::vector<std::size_t> saved; // indexes into set; empty with the message
        } cases[] = {{{}, {}}, {{6}, {0}}, {{5}, {1}}, {{6, 5}, {0, 1}}, {{2}, {2}}, {{4, 3}, {}}};
        for (const auto& c : cases) {
            auto loaded = std::make_unique<TSpoglioStorico>();
            loaded->CaricaDaMemoria(List(set));
            TFormSpoglioStorico h(*main_, chooser, std::move(loaded));
            QVERIFY(h.Elabora());
            QCOMPARE(h.GridConc->rowCount(), 3);
            QCOMPARE(h.LabelRisultati->text(),
                     QStringLiteral("Risultati del confronto con le 3 colonne dell'archivio"));
            for (int p : c.points) {
                h.Punti[static_cast<std::size_t>(p)]->click();
            }
            prompt_.Clear();
            chooser.asked.clear();
            QFile::remove(out);
            chooser.answers = {out};
            h.BtnSalva->click();
            if (c.points.empty()) {
                QCOMPARE(prompt_.texts.size(), std::size_t{1});
                QCOMPARE(QString::fromStdString(prompt_.texts[0]),
                         QStringLiteral("E' necessario selezionare almeno un punteggio."));
                QVERIFY(chooser.asked.empty());
                QVERIFY(!QFile::exists(out));
                continue;
            }
            QCOMPARE(chooser.asked.size(), std::size_t{1});
            QCOMPARE(chooser.asked[0].title, QStringLiteral("Salva le Colonne"));
            TListaColonne written;
            QVERIFY(written.LoadFromFile(fs::path(out.toStdString()), false, nullptr) || c.saved.empty());
            QCOMPARE(written.Size(), c.saved.size());
            for (std::size_t i = 0; i < c.saved.size(); ++i) {
                QVERIFY(written[i] == set[c.saved[i]]);
            }
        }
        // "Annulla" in the progress window stops the walk.
        {
            auto loaded = std::make_unique<TSpoglioStorico>();
            loaded->CaricaDaMemoria(List(set));
            TFormSpoglioStorico h(*main_, chooser, std::move(loaded));
            h.primaDellaAnalisi = [](TFrmAnalProgress& p) { p.BtnAnnulla->click(); };
            QVERIFY(!h.Elabora());
            QVERIFY(!h.Elaborato());
            QCOMPARE(h.GridConc->rowCount(), 0);
        }
        // "&Esporta": an XLSX file whose sheets a reader finds.
        auto loaded = std::make_unique<TSpoglioStorico>();
        loaded->CaricaDaMemoria(List(set));
        TFormSpoglioStorico h(*main_, chooser, std::move(loaded));
        QVERIFY(h.Elabora());
        const QString xlsx = home_.filePath(QStringLiteral("storico.xlsx"));
        chooser.answers = {xlsx};
        h.BtnEsporta->click();
        QVERIFY(QFile::exists(xlsx));
        const QByteArray book = Unzip(xlsx, QStringLiteral("xl/workbook.xml"));
        QVERIFY(book.contains("name=\"Concorsi\""));
        QVERIFY(book.contains("name=\"Riepilogo\""));
        const QByteArray strings = Unzip(xlsx, QStringLiteral("xl/sharedStrings.xml"));
        QVERIFY(strings.contains("Calcio"));
        QVERIFY(strings.contains("Rit. Max"));
        // Sheet 1, row 2: the first contest, 1 column with 6 points and 2 with 0 ("Num." 1, "Anno" 2024).
        const QByteArray contests = Unzip(xlsx, QStringLiteral("xl/worksheets/sheet1.xml"));
        QVERIFY(contests.contains("<c r=\"A2\"><v>1</v></c><c r=\"B2\"><v>2024</v></c>"));
        QVERIFY(contests.contains("<c r=\"D2\"><v>1</v></c>"));
        QVERIFY(contests.contains("<c r=\"J2\"><v>2</v></c>"));
        // Sheet 2: the 6-point row's total of 1.
        const QByteArray summary = Unzip(xlsx, QStringLiteral("xl/worksheets/sheet2.xml"));
        QVERIFY(summary.contains("<c r=\"B8\"><v>1</v></c>"));
    }

    void commandsRefuseABadColumnFile() {
        test::TScriptedChooser chooser;
        TComandi comandi(*main_, &chooser);
        int shown = 0;
        comandi.Spoglio().primaDiMostrare = [&](QDialog&) { ++shown; };
        const QString folder = home_.filePath(QStringLiteral("COLONNE/cartella.Col"));
        QDir().mkpath(folder);
        const QString empty = home_.filePath(QStringLiteral("COLONNE/vuoto.Col"));
        QFile f(empty);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        const struct {
            QString file;
            void (TComandiSpoglio::*command)();
            const char* message; // nullptr: none
        } cases[] = {
            {folder, &TComandiSpoglio::DaFile1Click, "Impossibile Caricare Il File Colonnare"},
            {folder, &TComandiSpoglio::DaFile7Click, "Impossibile Caricare Il File Colonnare"},
            {empty, &TComandiSpoglio::DaFile1Click, nullptr},
            {empty, &TComandiSpoglio::DaFile7Click, nullptr},
        };
        for (const auto& c : cases) {
            prompt_.Clear();
            chooser.answers = {c.file};
            (comandi.Spoglio().*c.command)();
            QCOMPARE(shown, 0);
            QCOMPARE(prompt_.texts.size(), std::size_t{c.message != nullptr ? 1u : 0u});
            if (c.message != nullptr) {
                QCOMPARE(QString::fromStdString(prompt_.texts[0]), QString::fromUtf8(c.message));
            }
            QCOMPARE(chooser.asked.back().title, QStringLiteral("Seleziona il File Colonnare"));
        }
        // From memory the window opens on the store's columns.
        sys_->Colonne.Append(Col(kW));
        comandi.Spoglio().primaDiMostrare = [&](QDialog& d) {
            ++shown;
            auto* w = qobject_cast<TFormSpoglio*>(&d);
            QVERIFY(w != nullptr);
            QCOMPARE(w->Spoglio().Insieme().Size(), std::size_t{1});
        };
        comandi.Spoglio().SpoglioDaMemoria1Click();
        QCOMPARE(shown, 1);
    }

private:
    QTemporaryDir home_;
    test::TScriptedPrompt prompt_;
    std::unique_ptr<T_Sistema> sys_;
    std::unique_ptr<TFormPrinc> main_;
};

QTEST_MAIN(TestScrutinyWindows)
#include "scrutiny_windows_test.moc"
