#include "core/ui/form_saver.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

#include "core/ui/sign_edits.h"

namespace tessaline {

namespace {

QString Line(const QWidget* w, const char* cls, const QString& value) {
    return w->objectName() + QLatin1Char('*') + QLatin1String(cls) + QLatin1Char('*') + value;
}

QString Bit(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

QString TFormSaver::Riga(const QWidget* w) {
    if (w->objectName().isEmpty()) {
        return {};
    }
    if (const auto* c = qobject_cast<const TEditColonna*>(w)) {
        QString v;
        const Colonna col = c->GetColonna();
        for (int i = 0; i < kTeams; ++i) {
            v += QChar(QLatin1Char('A').unicode() + col[i]);
        }
        return Line(w, "TEditColonna", v);
    }
    if (qobject_cast<const TEditSegno*>(w) != nullptr &&
        qobject_cast<const TEditColonna*>(w->parentWidget())) {
        return {}; // the fields of a column editor are kept with the column
    }
    if (const auto* c = qobject_cast<const QComboBox*>(w)) {
        return Line(w, "TComboBox", QString::number(c->currentIndex()));
    }
    if (const auto* c = qobject_cast<const QCheckBox*>(w)) {
        return Line(w, "TCheckbox", Bit(c->isChecked()));
    }
    if (const auto* c = qobject_cast<const QRadioButton*>(w)) {
        return Line(w, "TRadioButton", Bit(c->isChecked()));
    }
    if (const auto* c = qobject_cast<const QToolButton*>(w); c != nullptr && c->isCheckable()) {
        return Line(w, "TSpeedButton", Bit(c->isChecked()));
    }
    if (const auto* c = qobject_cast<const QSpinBox*>(w)) {
        return Line(w, "TSpinEdit", QString::number(c->value()));
    }
    if (const auto* c = qobject_cast<const QLineEdit*>(w)) {
        if (qobject_cast<const QAbstractSpinBox*>(w->parentWidget()) != nullptr) {
            return {};
        }
        return Line(w, "TEdit", c->text());
    }
    if (const auto* c = qobject_cast<const QLabel*>(w); c != nullptr && c->frameShape() != QFrame::NoFrame) {
        return Line(w, "TPanel", c->text());
    }
    return {};
}

void TFormSaver::ApplicaRiga(QWidget* form, const QString& line) {
    const qsizetype a = line.indexOf(QLatin1Char('*'));
    const qsizetype b = a < 0 ? -1 : line.indexOf(QLatin1Char('*'), a + 1);
    if (a <= 0 || b < 0) {
        return;
    }
    const QString name = line.left(a);
    const QString cls = line.mid(a + 1, b - a - 1);
    const QString value = line.mid(b + 1);
    const bool last1 = line.endsWith(QLatin1Char('1'));
    QWidget* w = form->findChild<QWidget*>(name);
    if (w == nullptr) {
        return;
    }
    if (cls == QLatin1String("TEditColonna")) {
        if (auto* c = qobject_cast<TEditColonna*>(w); c != nullptr && value.size() == kTeams) {
            Colonna col;
            for (int i = 0; i < kTeams; ++i) {
                col[i] = static_cast<SignSet>((value[i].unicode() - QLatin1Char('A').unicode()) & kAllSigns);
            }
            c->SetColonna(col);
        }
    } else if (cls == QLatin1String("TComboBox")) {
        if (auto* c = qobject_cast<QComboBox*>(w)) {
            c->setCurrentIndex(value.toInt());
        }
    } else if (cls == QLatin1String("TCheckbox")) {
        if (auto* c = qobject_cast<QCheckBox*>(w)) {
            c->setChecked(last1);
        }
    } else if (cls == QLatin1String("TRadioButton")) {
        if (auto* c = qobject_cast<QRadioButton*>(w); c != nullptr && last1) {
            c->setChecked(true);
        }
    } else if (cls == QLatin1String("TSpeedButton")) {
        if (auto* c = qobject_cast<QToolButton*>(w)) {
            c->setChecked(last1);
        }
    } else if (cls == QLatin1String("TSpinEdit")) {
        if (auto* c = qobject_cast<QSpinBox*>(w)) {
            bool ok = false;
            const int v = value.toInt(&ok);
            if (ok) {
                c->setValue(v);
            }
        }
    } else if (cls == QLatin1String("TEdit")) {
        if (auto* c = qobject_cast<QLineEdit*>(w)) {
            c->setText(value);
        }
    } else if (cls == QLatin1String("TPanel")) {
        if (auto* c = qobject_cast<QLabel*>(w)) {
            c->setText(value);
        }
    }
}

void TFormSaver::Salva(const QWidget* form) {
    QStringList lines;
    for (const QWidget* w : form->findChildren<QWidget*>()) {
        const QString line = Riga(w);
        if (!line.isEmpty()) {
            lines << line;
        }
    }
    for (TDataForm& f : forms_) {
        if (f.nome == form->objectName()) {
            f.righe = lines;
            return;
        }
    }
    forms_.push_back({form->objectName(), lines});
}

void TFormSaver::Ripristina(QWidget* form) const {
    if (const QStringList* lines = Righe(form->objectName())) {
        for (const QString& line : *lines) {
            ApplicaRiga(form, line);
        }
    }
}

const QStringList* TFormSaver::Righe(const QString& formName) const {
    for (const TDataForm& f : forms_) {
        if (f.nome == formName) {
            return &f.righe;
        }
    }
    return nullptr;
}

int RunRemembered(TFormSaver& saver, QDialog& dialog) {
    saver.Ripristina(&dialog);
    const int r = dialog.exec();
    saver.Salva(&dialog);
    return r;
}

} // namespace tessaline
