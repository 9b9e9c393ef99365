// The frame editor and the dialogs of values, sequences, filter columns and Punti Tra, driven as a
// user drives them: interval faults and the cell they point at, a frame built with the pop-up menu
// against the engine's frame, cut and paste, condition and frame files (also damaged ones), the
// automatic insertion of filter columns and the menu entries of the main window.

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "archive/contest_archive.h"
#include "conditions/condition_set.h"
#include "conditions/filter_columns.h"
#include "conditions/frame.h"
#include "conditions/points_between.h"
#include "conditions/sequele.h"
#include "conditions/sequence_shape.h"
#include "conditions/sign_count.h"
#include "conditions/ui/condition_commands.h"
#include "conditions/ui/frame_dialogs.h"
#include "conditions/ui/value_dialogs.h"
#include "core/column_list.h"
#include "core/enumerate.h"
#include "system/config_file.h"
#include "system/sistema.h"
#include "system/ui/system_commands.h"
#include "ui_support.h"

using namespace tessaline;
namespace fs = std::filesystem;

namespace {

const QString kExample = QStringLiteral(TESSALINE_SOURCE_DIR "/data/Sistemi/esempio1.svs");

std::vector<std::uint8_t> Bytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& p, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The names of the frame's items, in order.
std::vector<std::string> Nomi(const TCondQuadro& f) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < f.Count(); ++i) {
        out.push_back(f.Item(i).Nome);
    }
    return out;
}

// Sub-frames named Q1 .. Qn, easy to follow through cut, paste and files.
void Riempi(TCondQuadro& f, int n) {
    for (int i = 1; i <= n; ++i) {
        f.Aggiungi(std::make_unique<TCondQuadro>(f.Owner, "Q" + std::to_string(i)));
    }
}

void Ammetti(TTabellaPunti& t, int lo, int hi) {
    for (int v = lo; v <= hi; ++v) {
        t.Imposta(false, v, kAmmesso);
    }
}

void ClickBox(TGraphPt* g, bool cons, int v) {
    const QRect r = g->Striscia()->RettangoloBox(cons, v);
    QVERIFY2(!r.isNull(), "value not on show");
    QTest::mouseClick(g->Striscia(), Qt::LeftButton, {}, r.center());
}

} // namespace

class FrameEditorTest : public QObject {
    Q_OBJECT

private:
    test::TScriptedPrompt prompt_;
    test::TScriptedChooser chooser_;
    QTemporaryDir home_;

    TContestoDialoghi Contesto(const T_Sistema& sys) {
        TContestoDialoghi ctx;
        ctx.Schedina.Squadre = sys.dati.teamNames;
        ctx.Schedina.Previsione = sys.dati.Forecast;
        ctx.Schedina.Valori = sys.dati.TeamValues;
        ctx.Schedina.Percentuali = sys.dati.TeamPercentages;
        ctx.Prompt = &prompt_;
        return ctx;
    }

    // Runs act on the modal dialog that trigger opens.
    template <class D>
    static bool Modale(const std::function<void()>& trigger, const std::function<void(D&)>& act) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            if (auto* d = qobject_cast<D*>(QApplication::activeModalWidget())) {
                seen = true;
                act(*d);
                if (d->isVisible()) {
                    d->reject();
                }
            }
        });
        trigger();
        return seen;
    }

private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        test::PrepareHome(home_);
    }
    void init() {
        prompt_.Clear();
        chooser_.answers.clear();
    }

    // Each fault of the interval grids: its message in "Informazione", the page and the cell
    // focused, the dialog open and the condition untouched; good rows become the intervals.
    void intervalFaultsPointAtTheirCell() {
        struct TRiga {
            const char* nome;
            bool valori; // else "Percentuali"
            std::vector<std::pair<const char*, const char*>> ammessi;
            std::vector<std::pair<const char*, const char*>> recupero;
            const char* messaggio; // nullptr: accepted
            bool suRecupero;
            int colonna;
            int riga; // 0 "Min", 1 "Max"
            int conta;
        };
        const TRiga righe[] = {
            {"min not a number", true, {{"a", "5"}}, {}, kMsgErroreMinimo, false, 0, 0, 0},
            {"max not a number", true, {{"1", "5"}, {"7", "x"}}, {}, kMsgErroreMassimo, false, 1, 1, 0},
            {"values are whole", true, {{"1,5", "3"}}, {}, kMsgErroreMinimo, false, 0, 0, 0},
            {"percent may be real", false, {{"1,5", "3"}}, {}, nullptr, false, 0, 0, 1},
            {"min above max", true, {{"6", "5"}}, {}, kMsgMinimoSuperiore, false, 0, 0, 0},
            {"shared bound", true, {{"1", "5"}, {"5", "9"}}, {}, kMsgNonContigui, false, 1, 0, 0},
            {"recovery overlaps", true, {{"1", "5"}}, {{"3", "4"}}, kMsgNonContigui, true, 0, 0, 0},
            {"blank rows skipped",
             true,
             {{"1", "5"}, {"", ""}, {"6", "9"}},
             {{"10", "16777216"}},
             nullptr,
             false,
             0,
             0,
             3},
        };
        for (const TRiga& r : righe) {
            T_Sistema sys;
            const int slot = r.valori ? kCodGruppoValori : kCodGruppoPercentuali;
            auto& list = *sys.Insieme().SlotAs<TListaCondizioni>(slot);
            const std::vector<std::uint8_t> before = [&] {
                TByteWriter w;
                list.Scrivi(w);
                return w.Data();
            }();
            prompt_.Clear();
            TFormPVP d(list, Contesto(sys).Schedina, prompt_);
            d.show();
            d.AggiungiBtn->click();
            for (std::size_t i = 0; i < r.ammessi.size(); ++i) {
                d.Intervalli->Scrivi(TGrigliaIntervalli::Ammessi, static_cast<int>(i), 0,
                                     QString::fromUtf8(r.ammessi[i].first));
                d.Intervalli->Scrivi(TGrigliaIntervalli::Ammessi, static_cast<int>(i), 1,
                                     QString::fromUtf8(r.ammessi[i].second));
            }
            for (std::size_t i = 0; i < r.recupero.size(); ++i) {
                d.Intervalli->Scrivi(TGrigliaIntervalli::Recupero, static_cast<int>(i), 0,
                                     QString::fromUtf8(r.recupero[i].first));
                d.Intervalli->Scrivi(TGrigliaIntervalli::Recupero, static_cast<int>(i), 1,
                                     QString::fromUtf8(r.recupero[i].second));
                d.Intervalli->Scrivi(TGrigliaIntervalli::Recupero, static_cast<int>(i), 2,
                                     QStringLiteral("4"));
            }
            d.BtnOk->click();
            const QString what = QString::fromUtf8(r.nome);
            if (r.messaggio == nullptr) {
                QVERIFY2(prompt_.texts.empty(), qPrintable(what));
                QCOMPARE(d.result(), int(QDialog::Accepted));
                const auto& v = static_cast<const TCondGruppoValori&>(list.Item(0));
                QCOMPARE(int(v.Intervalli.Conta), r.conta);
                continue;
            }
            QCOMPARE(prompt_.texts.size(), std::size_t{1});
            QCOMPARE(prompt_.titles[0], std::string("Informazione"));
            QVERIFY2(prompt_.texts[0] == r.messaggio, qPrintable(what));
            QVERIFY2(d.isVisible(), qPrintable(what));
            QCOMPARE(d.Intervalli->currentIndex(), r.suRecupero ? 1 : 0);
            QTableWidget* t = r.suRecupero ? d.Intervalli->Recupero : d.Intervalli->Ammessi;
            QVERIFY2(t->currentColumn() == r.colonna, qPrintable(what));
            QVERIFY2(t->currentRow() == r.riga, qPrintable(what));
            // Nothing reached the system's condition.
            TByteWriter w;
            list.Scrivi(w);
            QVERIFY(w.Data() == before);
        }
        // Bounds outside the range of the chosen teams are refused.
        T_Sistema sys;
        sys.dati.Forecast[0] = kSign1 | kSign2;
        sys.dati.TeamValues[0] = {0, 10, 20, 0};
        prompt_.Clear();
        TFormPVP d(*sys.Insieme().SlotAs<TListaCondizioni>(kCodGruppoValori), Contesto(sys).Schedina,
                   prompt_);
        d.show();
        d.AggiungiBtn->click();
        d.Pannello->SetSelezionata(0, true);
        QCOMPARE(d.Limiti(), (TLimitiMisura{10, 20}));
        d.Intervalli->Scrivi(TGrigliaIntervalli::Ammessi, 0, 0, QStringLiteral("10"));
        d.Intervalli->Scrivi(TGrigliaIntervalli::Ammessi, 0, 1, QStringLiteral("21"));
        d.BtnOk->click();
        QCOMPARE(prompt_.texts, std::vector<std::string>{kMsgErroreMassimo});
    }

    // "Archivio" and "Analisi" check the grids first and want an interval; Punti Tra has no view.
    void viewsNeedValidIntervals() {
        T_Sistema sys;
        int aperte = 0;
        const auto prima = TFormCondizione::Vista();
        TFormCondizione::Vista() = [&](TFormCondizione&, bool) { ++aperte; };
        TFormPVP d(*sys.Insieme().SlotAs<TListaCondizioni>(kCodGruppoValori), Contesto(sys).Schedina,
                   prompt_);
        d.show();
        d.AggiungiBtn->click();
        d.BtnArchivio->click();
        QCOMPARE(prompt_.texts, std::vector<std::string>{"Non è stato impostato alcun intervallo"});
        d.Intervalli->Scrivi(TGrigliaIntervalli::Ammessi, 0, 0, QStringLiteral("x"));
        d.Intervalli->Scrivi(TGrigliaIntervalli::Ammessi, 0, 1, QStringLiteral("5"));
        prompt_.Clear();
        d.BtnAnalisi->click();
        QCOMPARE(prompt_.texts, std::vector<std::string>{kMsgErroreMinimo});
        QCOMPARE(aperte, 0);
        d.Intervalli->Scrivi(TGrigliaIntervalli::Ammessi, 0, 0, QStringLiteral("1"));
        prompt_.Clear();
        d.BtnAnalisi->click();
        QVERIFY(prompt_.texts.empty());
        QCOMPARE(aperte, 1);
        TFormPtTra tra(*sys.Insieme().SlotAs<TCondPuntiTra>(kCodPuntiTra), prompt_);
        QVERIFY(!tra.BtnArchivio->isEnabled() && !tra.BtnAnalisi->isEnabled());
        TFormCondizione::Vista() = prima;
    }

    // Three items added with the pop-up menu in "AND (Tutte)", then one of them "Disattivato":
    // over the example system's development the frame accepts exactly the columns the engine's
    // frame and the items themselves say.
    void frameBuiltInTheEditorMatchesTheEngine() {
        T_Sistema sys;
        QVERIFY(sys.Load(kExample.toStdString()));
        TInsiemeCondizioni& set = sys.Insieme();
        set.SlotAs<TCondQuadro>(kCodQuadro)->Svuota();
        auto marca = [](TCondizione& c, int k) {
            auto& t = dynamic_cast<TCondTabelle&>(c);
            switch (k) {
            case 0:
                Ammetti(t.Tabella(0), 2, 5); // Numero Di Segni: 2 to 5 zeros
                break;
            case 1:
                Ammetti(t.Tabella(0), 3, 7); // Pari e Dispari
                break;
            default:
                Ammetti(t.Tabella(0), 0, 2); // Simmetrie
                break;
            }
        };
        const char* const voci[3] = {"Numero Di Segni", "Pari e Dispari", "Simmetrie"};
        {
            TFormQuadro d(set, Contesto(sys), chooser_, nullptr);
            d.show();
            for (const char* v : voci) {
                QAction* a = d.AzioneNuova(QString::fromUtf8(v));
                QVERIFY(a != nullptr);
                a->trigger();
            }
            TCondQuadro& f = d.Modello().Corrente();
            QCOMPARE(f.Count(), std::size_t{3});
            for (int k = 0; k < 3; ++k) {
                marca(f.Item(static_cast<std::size_t>(k)), k);
            }
            d.Relazione[kRelOr]->click();
            d.Relazione[kRelAnd]->click();
            d.findChild<QPushButton*>(QStringLiteral("BtnOk"))->click();
        }
        // The engine's frame and its items, built apart.
        std::vector<std::unique_ptr<TCondizione>> items;
        TCondQuadro engine(&set);
        for (int k = 0; k < 3; ++k) {
            const std::uint8_t codes[3] = {kCodNumeroSegni, kCodPariDispari, kCodSimmetrie};
            items.push_back(CreaCondizione(codes[k], &set));
            marca(*items.back(), k);
            auto copy = CreaCondizione(codes[k], &set);
            marca(*copy, k);
            engine.Aggiungi(std::move(copy));
            items.back()->AggiornaStato();
        }
        engine.ImpostaRelazione(kRelAnd);
        auto confronta = [&](const std::function<bool(const Colonna&)>& atteso) {
            auto& editor = *set.SlotAs<TCondQuadro>(kCodQuadro);
            editor.AggiornaStato();
            engine.AggiornaStato();
            QVERIFY(editor.Abilitata);
            std::int64_t n = 0;
            std::int64_t accepted = 0;
            std::int64_t wrong = 0;
            EnumerateForecast(sys.dati.Forecast, TEnumMode::Develop, nullptr, [&](const Colonna& c) {
                const bool e = editor.Verifica(c);
                wrong += (e != engine.Verifica(c) || e != atteso(c)) ? 1 : 0;
                accepted += e ? 1 : 0;
                ++n;
            });
            QCOMPARE(wrong, std::int64_t{0});
            QVERIFY(accepted > 0 && accepted < n); // the frame does filter
        };
        confronta([&](const Colonna& c) {
            return items[0]->Verifica(c) && items[1]->Verifica(c) && items[2]->Verifica(c);
        });

        // Card 2 switched to "Disattivato": the frame then asks the other two.
        {
            TFormQuadro d(set, Contesto(sys), chooser_, nullptr);
            d.show();
            QCOMPARE(d.Cards[1]->Stato->text(), QStringLiteral("Attivato"));
            d.Cards[1]->Stato->click();
            QCOMPARE(d.Cards[1]->Stato->text(), QStringLiteral("Disattivato"));
            d.findChild<QPushButton*>(QStringLiteral("BtnOk"))->click();
        }
        engine.Item(1).Attivato = false;
        confronta([&](const Colonna& c) { return items[0]->Verifica(c) && items[2]->Verifica(c); });

        // "Annulla" puts back the frame byte for byte after any edit.
        const std::vector<std::uint8_t> before = RecordCondizione(*set.Slot(kCodQuadro));
        {
            TFormQuadro d(set, Contesto(sys), chooser_, nullptr);
            d.show();
            d.AzioneNuova(QStringLiteral("Sequele|Multiplo"))->trigger();
            d.Cards[0]->Selezione->setChecked(true);
            d.Azione(QStringLiteral("Elimina"))->trigger();
            d.BtnParticolari->click();
            QTest::keyClicks(d.NomeQuadro, QStringLiteral("x"));
            d.findChild<QPushButton*>(QStringLiteral("BtnAnnulla"))->click();
        }
        QVERIFY(RecordCondizione(*set.Slot(kCodQuadro)) == before);
    }

    // "Taglia" takes the marked items out in order; "Incolla" puts them back at the current
    // position; a paste that would reach 100 items says "Spazio Insufficiente !".
    void cutAndPasteKeepTheOrder() {
        T_Sistema sys;
        auto& f = *sys.Insieme().SlotAs<TCondQuadro>(kCodQuadro);
        Riempi(f, 10);
        TFormQuadro d(sys.Insieme(), Contesto(sys), chooser_, nullptr);
        d.show();
        d.Cards[1]->Selezione->setChecked(true);
        d.Cards[3]->Selezione->setChecked(true);
        d.Azione(QStringLiteral("Taglia"))->trigger();
        QCOMPARE(Nomi(f), (std::vector<std::string>{"Q1", "Q3", "Q5", "Q6", "Q7", "Q8", "Q9", "Q10"}));
        d.Scorrimento->setValue(0); // shows Q1 .. Q8: the paste goes after Q8
        d.Azione(QStringLiteral("Incolla"))->trigger();
        QCOMPARE(Nomi(f),
                 (std::vector<std::string>{"Q1", "Q3", "Q5", "Q6", "Q7", "Q8", "Q9", "Q2", "Q4", "Q10"}));
        d.Scorrimento->setValue(3);
        QCOMPARE(d.Cards[0]->Titolo->text(), QStringLiteral("04  Q6 (0)"));
        d.Azione(QStringLiteral("Incolla"))->trigger(); // after the last shown, the end
        QCOMPARE(f.Count(), std::size_t{12});
        QCOMPARE(f.Item(10).Nome, std::string("Q2"));
        QVERIFY(prompt_.texts.empty());

        Riempi(f, 86); // 98 items: two more would make 100
        d.Mostra();
        d.Azione(QStringLiteral("Incolla"))->trigger();
        QCOMPARE(prompt_.texts, std::vector<std::string>{"Spazio Insufficiente !"});
        QCOMPARE(f.Count(), std::size_t{98});
        prompt_.Clear();
    }

    // "Salva" writes the marked items; "Carica" inserts the file's records in file order after the
    // last shown item; a damaged file inserts nothing and says so.
    void conditionFilesInsertAtTheCurrentPosition() {
        T_Sistema sys;
        auto& f = *sys.Insieme().SlotAs<TCondQuadro>(kCodQuadro);
        Riempi(f, 10);
        f.Item(4).Selezionato = true;
        f.Item(1).Selezionato = true;
        const fs::path file = fs::path(home_.path().toStdString()) / "due.CND";
        TFormQuadro d(sys.Insieme(), Contesto(sys), chooser_, nullptr);
        d.show();
        chooser_.answers = {QString::fromStdString(file.string())};
        d.Azione(QStringLiteral("Salva"))->trigger();
        QCOMPARE(chooser_.asked.back().title, QStringLiteral("Salva le Condizioni"));
        QCOMPARE(chooser_.asked.back().filter, QStringLiteral("Files Condizioni (*.CND)|*.CND"));
        QVERIFY(fs::exists(file));

        d.Scorrimento->setValue(1); // Q2 .. Q8 on show
        chooser_.answers = {QString::fromStdString(file.string())};
        d.Azione(QStringLiteral("Carica"))->trigger();
        QCOMPARE(chooser_.asked.back().title, QStringLiteral("Carica le Condizioni"));
        QCOMPARE(Nomi(f), (std::vector<std::string>{"Q1", "Q2", "Q3", "Q4", "Q5", "Q6", "Q7", "Q8", "Q2",
                                                    "Q5", "Q9", "Q10"}));
        QVERIFY(prompt_.texts.empty());

        // Truncated, or a foreign byte in the middle: nothing is inserted.
        std::vector<std::uint8_t> bytes = Bytes(file);
        for (const auto& damaged : {std::vector<std::uint8_t>(bytes.begin(), bytes.end() - 3), [&] {
                                        auto b = bytes;
                                        b[b.size() / 2 + 1] = 0xEE;
                                        b[0] = 0xEE;
                                        return b;
                                    }()}) {
            Write(file, damaged);
            const std::vector<std::uint8_t> before = RecordCondizione(f);
            chooser_.answers = {QString::fromStdString(file.string())};
            d.Azione(QStringLiteral("Carica"))->trigger();
            QCOMPARE(prompt_.texts, std::vector<std::string>{"Impossibile Caricare Le Condizioni"});
            QVERIFY(RecordCondizione(f) == before);
            prompt_.Clear();
        }
    }

    // A frame saved, loaded into another system and saved again is the same file byte for byte;
    // loading over items asks first; a damaged frame file leaves the frame on show as it was.
    void frameFileRoundTrip() {
        const fs::path a = fs::path(home_.path().toStdString()) / "uno.QDR";
        const fs::path b = fs::path(home_.path().toStdString()) / "due.QDR";
        {
            T_Sistema sys;
            TFormQuadro d(sys.Insieme(), Contesto(sys), chooser_, nullptr);
            d.show();
            for (const char* v : {"Colonne Filtro|Singolo", "Valori|Multiplo", "Sequele|Singolo", "Vortice",
                                  "Risultati|Singolo", "Consecutività|Multiplo", "Gol Squadra|Singolo",
                                  "Percentuali|Singolo", "Quadro"}) {
                QAction* act = d.AzioneNuova(QString::fromUtf8(v));
                QVERIFY2(act != nullptr, v);
                act->trigger();
            }
            d.Scorrimento->setValue(d.Scorrimento->maximum());
            TCardCondizione* sub = nullptr;
            for (TCardCondizione* c : d.Cards) {
                sub = c->Titolo->text().contains(QStringLiteral("Sub Quadro")) ? c : sub;
            }
            QVERIFY(sub != nullptr);
            sub->Apri->click(); // into "Sub Quadro"
            QVERIFY(d.BtnPrecedente->isEnabled());
            d.AzioneNuova(QStringLiteral("Ripetizioni"))->trigger();
            d.BtnPrecedente->click();
            d.NomeQuadro->setText(d.NomeQuadro->text() + QStringLiteral(" è"));
            d.Relazione[kRelXor]->click();
            QVERIFY(Modale<TFormCommentoQuadro>([&] { d.Azione(QStringLiteral("Commento"))->trigger(); },
                                                [](TFormCommentoQuadro& c) {
                                                    c.Testo->setPlainText(
                                                        QStringLiteral("riga uno\nriga due"));
                                                    c.accept();
                                                }));
            QCOMPARE(d.Modello().Corrente().Commento, (std::vector<std::string>{"riga uno", "riga due"}));
            chooser_.answers = {QString::fromStdString(a.string())};
            d.BtnSalvaQuadro->click();
            QCOMPARE(chooser_.asked.back().name, QString::fromStdString(NomeQuadroNuovo().string()));
            QCOMPARE(chooser_.asked.back().folder, QString::fromStdString(CartellaQuadri().string()));
        }
        T_Sistema other;
        Riempi(*other.Insieme().SlotAs<TCondQuadro>(kCodQuadro), 2);
        TFormQuadro d(other.Insieme(), Contesto(other), chooser_, nullptr);
        d.show();
        // Refusing the question loads nothing.
        prompt_.answers = {BtnNo};
        chooser_.answers = {QString::fromStdString(a.string())};
        d.BtnCaricaQuadro->click();
        QCOMPARE(prompt_.texts,
                 std::vector<std::string>{
                     "Questa Operazione Eliminerà Il Contenuto Attuale Del quadro. Confermi ? "});
        QCOMPARE(d.Modello().Corrente().Count(), std::size_t{2});
        prompt_.Clear();
        prompt_.answers = {BtnSi};
        d.BtnCaricaQuadro->click();
        QCOMPARE(d.Modello().Corrente().Count(), std::size_t{9});
        QCOMPARE(d.NomeQuadro->text(), QStringLiteral("Quadro è"));
        chooser_.answers = {QString::fromStdString(b.string())};
        d.BtnSalvaQuadro->click();
        QVERIFY(Bytes(a) == Bytes(b));
        QVERIFY(Bytes(a).size() > 4289);

        // Damaged copies: truncated, wrong type byte, a huge comment length.
        const std::vector<std::uint8_t> good = Bytes(a);
        std::vector<std::vector<std::uint8_t>> damaged = {
            std::vector<std::uint8_t>(good.begin(), good.end() - 1), good, good};
        damaged[1][0] = 12;
        damaged[2][1 + TCondQuadro::kDimensioneFissa] = 0xFF;
        damaged[2][1 + TCondQuadro::kDimensioneFissa + 1] = 0xFF;
        damaged[2][1 + TCondQuadro::kDimensioneFissa + 2] = 0xFF;
        damaged[2][1 + TCondQuadro::kDimensioneFissa + 3] = 0x7F;
        for (const auto& bad : damaged) {
            Write(b, bad);
            const std::vector<std::uint8_t> before = RecordCondizione(d.Modello().Corrente());
            prompt_.Clear();
            prompt_.answers = {BtnSi};
            chooser_.answers = {QString::fromStdString(b.string())};
            d.BtnCaricaQuadro->click();
            QCOMPARE(prompt_.texts.back(), std::string("Impossibile Caricare Il Quadro"));
            QVERIFY(RecordCondizione(d.Modello().Corrente()) == before);
        }
        prompt_.Clear();
    }

    // "Inserimento Automatico": every complete contest of the range becomes a filter column with
    // the window's points and comparison; a column file gives one per column; an unreadable one
    // says so.
    void automaticInsertionAddsEveryCompleteContest() {
        T_Archivio archivio;
        for (int anno = 2022; anno <= 2024; ++anno) {
            for (int n = 1; n <= 5; ++n) {
                T_Concorso c;
                c.Anno = anno;
                c.Numero = static_cast<std::uint8_t>(n);
                for (int t = 0; t < kTeams; ++t) {
                    c.ColonnaVincente[t] = static_cast<SignSet>(1U << ((t * n + anno) % 4));
                }
                if (anno == 2023 && n == 2) {
                    c.ColonnaVincente[5] = 0; // result unknown
                }
                c.AggiornaCompleto();
                archivio.Concorsi().push_back(c);
            }
        }
        T_Sistema sys;
        auto& f = *sys.Insieme().SlotAs<TCondQuadro>(kCodQuadro);
        Riempi(f, 2);
        TFormQuadro d(sys.Insieme(), Contesto(sys), chooser_, &archivio);
        d.show();
        QVERIFY(
            Modale<TFormInsArc_File>([&] { d.Azione(QStringLiteral("Inserimento Automatico"))->trigger(); },
                                     [&](TFormInsArc_File& w) {
                                         // Proposed: from the season before the last, number 1.
                                         QCOMPARE(w.Da(), (TEstremoConcorso{2023, 1}));
                                         QCOMPARE(w.A(), (TEstremoConcorso{2024, 5}));
                                         QCOMPARE(w.AnnoInf1->text(), QStringLiteral("2023/"));
                                         QCOMPARE(w.AnnoSup1->minimum(), 2023);
                                         QCOMPARE(w.AnnoSup1->maximum(), 2025);
                                         // The first end moved past the last pulls it along.
                                         w.AnnoSup1->setValue(2025);
                                         w.Concorso1->setValue(7);
                                         QCOMPARE(w.A(), (TEstremoConcorso{2024, 7}));
                                         w.AnnoSup1->setValue(2023);
                                         w.Concorso1->setValue(4);
                                         w.AnnoSup2->setValue(2025);
                                         w.Concorso2->setValue(3);
                                         ClickBox(w.Punti, false, 5);
                                         w.Coppie->setChecked(true);
                                         w.accept();
                                     }));
        // 2022/4, 2022/5, 2023/1, 2023/3, 2023/4, 2023/5, 2024/1 .. 2024/3 (2023/2 is incomplete).
        std::vector<Colonna> attese;
        for (const T_Concorso& c : archivio.Concorsi()) {
            const bool dentro =
                (c.Anno == 2022 && c.Numero >= 4) || c.Anno == 2023 || (c.Anno == 2024 && c.Numero <= 3);
            if (dentro && c.Completo != 0) {
                attese.push_back(c.ColonnaVincente);
            }
        }
        QCOMPARE(attese.size(), std::size_t{9});
        QCOMPARE(f.Count(), std::size_t{11});
        for (std::size_t i = 0; i < attese.size(); ++i) {
            const auto& it = dynamic_cast<const TCondColonnaFiltro&>(f.Item(2 + i));
            QVERIFY(it.Filtro == attese[i]);
            QVERIFY(it.ConfrontoACoppie);
            QCOMPARE(it.Punti().Pt.Voci[5].Stato, kAmmesso);
            QCOMPARE(it.Punti().Pt.Voci[4].Stato, std::uint8_t{0});
        }

        // From a column file, and from one that cannot be read.
        TListaColonne lista;
        lista.Append(attese[0]);
        lista.Append(attese[1]);
        lista.Append(attese[2]);
        const fs::path col = fs::path(home_.path().toStdString()) / "COLONNE" / "tre.Col";
        QVERIFY(lista.SaveToFile(col));
        for (const bool leggibile : {true, false}) {
            const std::size_t n = f.Count();
            prompt_.Clear();
            chooser_.answers = {
                QString::fromStdString((leggibile ? col : col.parent_path() / "nessuno.Col").string())};
            Modale<TFormInsArc_File>([&] { d.Azione(QStringLiteral("Inserimento Automatico"))->trigger(); },
                                     [&](TFormInsArc_File& w) {
                                         w.RadioFile->setChecked(true);
                                         w.BtnSfoglia->click();
                                         w.accept();
                                     });
            QCOMPARE(chooser_.asked.back().title, QStringLiteral("Seleziona il File Colonnare"));
            QCOMPARE(f.Count(), n + (leggibile ? 3 : 0));
            QCOMPARE(prompt_.texts.size(), std::size_t{leggibile ? 0U : 1U});
        }
        QCOMPARE(prompt_.texts.back(), std::string("Errore durante la lettura del file colonnare"));
        prompt_.Clear();
    }

    // The menu entries and the tool button open their windows on the system's conditions; "Ok"
    // marks the system modified.
    void menuEntriesOpenTheirWindows() {
        T_Sistema sys;
        sys.dati.settings = DefaultSettings();
        TFormPrinc w(sys);
        w.SetPrompt(&prompt_);
        TComandi comandi(w, &chooser_);
        chooser_.answers = {kExample};
        comandi.Sistema().CaricaClick();
        sys.dati.sviluppo.AutoRecalc = 0; // no development window after "Ok"
        const std::pair<const char*, const char*> voci[] = {{"Percentuali1Click", "Percentuali"},
                                                            {"Valori1Click", "Valori"},
                                                            {"GolSquadra1Click", "Gol Squadra"},
                                                            {"Sequele1Click", "Sequele"},
                                                            {"ColonneFiltro1Click", "Colonne Filtro"},
                                                            {"PuntiTra1Click", "Punti Tra"},
                                                            {"Quadri1Click", "Quadro"},
                                                            {"SpeedQuadriClick", "Quadro"}};
        for (const auto& [handler, caption] : voci) {
            QAction* a = w.Azione(QLatin1String(handler));
            QVERIFY2(a != nullptr && a->isEnabled(), handler);
            sys.modified = false;
            QString seen;
            QTimer::singleShot(0, [&] {
                if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                    seen = d->windowTitle();
                    d->accept();
                    if (d->isVisible()) {
                        seen += QStringLiteral(" still open: ") +
                                QString::fromStdString(prompt_.texts.empty() ? "" : prompt_.texts.back());
                        d->reject();
                    }
                }
            });
            a->trigger();
            QCOMPARE(seen, QString::fromUtf8(caption));
            QVERIFY2(sys.modified, handler);
        }
    }
};

QTEST_MAIN(FrameEditorTest)
#include "frame_editor_test.moc"
