#include "app/ui/screenshots_conditions.h"

#include <QApplication>
#include <QPixmap>
#include <QTabWidget>

#include "conditions/condition_set.h"
#include "conditions/sequence_shape.h"
#include "conditions/sign_count.h"
#include "conditions/ui/condition_dialogs.h"
#include "conditions/ui/link_dialog.h"
#include "core/interfaces.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

bool Save(QWidget* w, const QString& dir, const QString& name) {
    QApplication::processEvents();
    return w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// The dialog at its natural size and at 640 x 480, every page.
bool Shots(QDialog* d, const QString& dir, const QString& name) {
    bool ok = true;
    d->show();
    d->adjustSize();
    auto* pages = d->findChild<QTabWidget*>();
    const int n = pages != nullptr ? pages->count() : 1;
    for (int size = 0; size < 2; ++size) {
        if (size == 1) {
            d->resize(640, 480);
        }
        for (int p = 0; p < n; ++p) {
            if (pages != nullptr) {
                pages->setCurrentIndex(p);
            }
            const QString suffix = (n > 1 ? QStringLiteral("_%1").arg(p + 1) : QString()) +
                                   (size == 1 ? QStringLiteral("_640") : QString());
            ok = Save(d, dir, name + suffix) && ok;
        }
    }
    d->hide();
    return ok;
}

void Marks(TTabellaPunti& t, int lo, int hi, char link = 'A') {
    for (int v = lo; v <= hi && v <= t.N(); ++v) {
        t.Imposta(false, v, kAmmesso);
    }
    if (hi + 1 <= t.N()) {
        t.Imposta(false, hi + 1, kRecupero, 2);
    }
    if (t.HaCons()) {
        t.Imposta(true, 0, kAmmesso);
        t.Imposta(true, 1, kAmmesso);
        t.Imposta(true, 2, kRecupero, 12);
    }
    t.Pt.Link = link;
    t.Pt.Tra = 3;
}

void SampleConditions(T_Sistema& sys) {
    TInsiemeCondizioni& set = sys.Insieme();
    for (int slot = kCodNumeroSegni; slot <= kCodRipetizioni; ++slot) {
        if (auto* c = set.SlotAs<TCondTabelle>(slot)) {
            for (std::size_t i = 0; i < c->NumTabelle(); ++i) {
                Marks(c->Tabella(i), 1 + static_cast<int>(i), 3 + static_cast<int>(i),
                      i % 2 == 0 ? 'A' : 'B');
            }
        }
    }
    auto* ris = set.SlotAs<TListaCondizioni>(kCodGruppoRisultati);
    for (int k = 0; k < 2; ++k) {
        auto item = std::make_unique<TCondRisultati>(&set);
        item->Esiti = {1, 3, 2, 0, 4, 7};
        Marks(item->Tabella(0), 2 + k, 4);
        ris->Aggiungi(std::move(item));
    }
    auto* cons = set.SlotAs<TListaCondizioni>(kCodGruppoConsecutivita);
    auto item = std::make_unique<TCondConsecutivita>(&set);
    item->Segno = kSign1;
    item->Selezione().Imposta(false, 4, kAmmesso);
    item->Selezione().Imposta(false, 5, kAmmesso);
    Marks(item->Ammessa(), 0, 2, 'C');
    cons->Aggiungi(std::move(item));
    set.Link().Lettera('A').ErroriAmmessi.Imposta(false, 0, kAmmesso);
    set.Link().Lettera('A').ErroriAmmessi.Imposta(false, 1, kAmmesso);
    set.Link().ErroriTotali.Imposta(false, 2, kAmmesso);
    // Some rejections for the analysis window.
    set.Prepara();
    Colonna c;
    for (int i = 0; i < 4096; ++i) {
        for (int t = 0; t < kTeams; ++t) {
            c[t] = static_cast<SignSet>(1U << ((i >> t) & 1U ? (t % 4) : ((t + i) % 4)));
        }
        set.Accetta(c);
    }
}

} // namespace

bool SaveConditionScreenshots(T_Sistema& sys, const QString& dir) {
    SampleConditions(sys);
    TInsiemeCondizioni& set = sys.Insieme();
    bool ok = true;
    const char* const names[] = {"",          "numero_segni", "pari_dispari", "vortice",
                                 "simmetrie", "interruzioni", "ripetizioni"};
    for (int slot = kCodNumeroSegni; slot <= kCodRipetizioni; ++slot) {
        TFormCondTabelle d(*set.SlotAs<TCondTabelle>(slot),
                           *DescrizioneDialogo(static_cast<std::uint8_t>(slot)));
        ok = Shots(&d, dir, QLatin1String(names[slot])) && ok;
    }
    TFormRisultati ris(*set.SlotAs<TListaCondizioni>(kCodGruppoRisultati), sys.dati.teamNames);
    ok = Shots(&ris, dir, QStringLiteral("risultati")) && ok;
    TFormConsecutivita cons(*set.SlotAs<TListaCondizioni>(kCodGruppoConsecutivita));
    ok = Shots(&cons, dir, QStringLiteral("consecutivita")) && ok;
    TFixedAnswerPrompt prompt;
    TFormRec rec(set, prompt);
    ok = Shots(&rec, dir, QStringLiteral("recupero_condizioni")) && ok;
    TFormAnalisiRec an(set);
    ok = Shots(&an, dir, QStringLiteral("analisi_colonne_filtrate")) && ok;
    return ok;
}

} // namespace tessaline
