#include "system/ui/system_commands.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

#include "core/errors.h"
#include "core/interfaces.h"
#include "core/paths.h"
#include "core/ui/app_context.h"
#include "core/ui/coupon_editor.h"
#include "core/ui/file_chooser.h"
#include "core/ui/help.h"
#include "core/ui/protected_command.h"
#include "core/ui/qt_text.h"
#include "system/coupon.h"
#include "system/sistema.h"
#include "system/system_file.h"
#include "system/team_lists.h"
#include "system/ui/team_windows.h"

namespace tessaline {

namespace {

QString Righe(const std::vector<std::string>& lines) {
    QStringList l;
    for (const std::string& s : lines) {
        l << Q(s);
    }
    return l.join(QLatin1Char('\n'));
}

std::vector<std::string> Righe(const QPlainTextEdit* memo) {
    std::vector<std::string> out;
    const QString text = memo->toPlainText();
    if (text.isEmpty()) {
        return out;
    }
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        out.push_back(S(line));
    }
    return out;
}

TFileDialogRequest SpecSistema(const T_Sistema& sys) {
    TFileDialogRequest request;
    const QFileInfo current(Q(sys.fileName.string()));
    request.folder = current.absolutePath();
    request.name = current.fileName();
    return request;
}

TFileDialogRequest SpecSchedina(const QString& title, bool save) {
    TFileDialogRequest request;
    request.title = title;
    request.defaultExtension = QStringLiteral("Xsc");
    request.filter = QStringLiteral("File di Schedina (*.Xsc)|*.Xsc");
    request.folder = Q(CartellaSchedine().string());
    request.mustExist = !save;
    request.save = save;
    return request;
}

} // namespace

// ---- Commento

TFormCommento::TFormCommento(T_Sistema& sys, QWidget* parent) : QDialog(parent), sys_(sys) {
    setObjectName(QStringLiteral("FormCommento"));
    setWindowTitle(QStringLiteral("Commento"));
    Memo = new QPlainTextEdit(Righe(sys.comment), this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setMinimumSize(420, 240);
    auto* box = new QDialogButtonBox(this);
    box->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    box->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(Memo);
    lay->addWidget(box);
}

void TFormCommento::accept() {
    std::vector<std::string> lines = Righe(Memo);
    if (lines != sys_.comment) {
        sys_.comment = std::move(lines);
        sys_.modified = true;
    }
    QDialog::accept();
}

// ---- Partecipanti

TFormSoci::TFormSoci(T_Sistema& sys, UserPrompt& prompt, QWidget* parent)
    : QDialog(parent), sys_(sys), prompt_(prompt) {
    setObjectName(QStringLiteral("FormSoci"));
    setWindowTitle(QStringLiteral("Partecipanti"));
    SpinNumero = new QSpinBox(this);
    SpinNumero->setObjectName(QStringLiteral("SpinNumero"));
    SpinNumero->setRange(1, 100);
    SpinNumero->setValue(std::clamp(sys.ParticipantCount, 1, 100));
    CheckNomi = new QCheckBox(QStringLiteral("Specifica i nomi dei partecipanti"), this);
    CheckNomi->setObjectName(QStringLiteral("CheckNomi"));
    CheckNomi->setChecked(sys.participantNamesFlag != 0);
    MemoNomi = new QPlainTextEdit(this);
    MemoNomi->setObjectName(QStringLiteral("MemoNomi"));
    MemoNomi->setMinimumSize(300, 180);
    if (sys.participantNamesFlag != 0) {
        MemoNomi->setPlainText(Righe(sys.participants));
    }
    auto* labelNumero = new QLabel(QStringLiteral("Numero dei Partecipanti al Sistema"), this);
    labelNumero->setBuddy(SpinNumero);
    auto* labelNomi = new QLabel(QStringLiteral("Nomi dei Partecipanti "), this);
    labelNomi->setBuddy(MemoNomi);
    auto* top = new QHBoxLayout;
    top->addWidget(labelNumero);
    top->addWidget(SpinNumero);
    top->addStretch(1);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addWidget(CheckNomi);
    lay->addWidget(labelNomi);
    lay->addWidget(MemoNomi);
    lay->addWidget(OkAnnullaAiuto(this, kHelpContext));
}

void TFormSoci::accept() {
    if (const auto error =
            ApplicaPartecipanti(sys_, SpinNumero->value(), CheckNomi->isChecked(), Righe(MemoNomi))) {
        prompt_.ShowMessage(msg::kInformazione, *error, BtnOk);
        return;
    }
    QDialog::accept();
}

// ---- the commands

TComandiSistema::TComandiSistema(TAppContext& main, TFileChooser& files)
    : QObject(main.Finestra()), main_(main), files_(files) {
    const std::pair<const char*, void (TComandiSistema::*)()> entries[] = {
        {"New1Click", &TComandiSistema::New1Click},
        {"SpeedNuovoClick", &TComandiSistema::New1Click},
        {"CaricaClick", &TComandiSistema::CaricaClick},
        {"SpeedCaricaClick", &TComandiSistema::CaricaClick},
        {"Save1Click", &TComandiSistema::Save1Click},
        {"SpeedSalvaClick", &TComandiSistema::Save1Click},
        {"SalvaComeClick", &TComandiSistema::SalvaComeClick},
        {"CancellaClick", &TComandiSistema::CancellaClick},
        {"CommentoClick", &TComandiSistema::CommentoClick},
        {"Soci1Click", &TComandiSistema::Soci1Click},
        {"CaricaSchedina1Click", &TComandiSistema::CaricaSchedina1Click},
        {"SalvaSchedina1Click", &TComandiSistema::SalvaSchedina1Click},
        {"ListaSquadre1Click", &TComandiSistema::ListaSquadre1Click}};
    CollegaMetodi(main, this, entries);
    if (auto* squadre = main.Finestra()->findChild<QPushButton*>(QStringLiteral("BtnCarica"))) {
        squadre->setEnabled(true);
        connect(squadre, &QPushButton::clicked, this, &TComandiSistema::SquadreClick);
    }
    main.salvaSistema = [this] { Salva(); };
    main.salvaUltimaSchedina = [this] { SalvaSchedina(main_.Sistema(), UltimaSchedina()); };
    main.caricaAllAvvio = [this](const QStringList& args) { Avvio(args); };
}

void TComandiSistema::Protetto(const std::function<void()>& command) {
    EseguiProtetto(main_.Prompt(), command);
    main_.AggiornaAbilitazioni();
    main_.AggiornaStatusLine();
}

void TComandiSistema::New1Click() {
    Protetto([this] {
        if (!main_.Conferma(true)) {
            return;
        }
        T_Sistema& sys = main_.Sistema();
        sys.NewSystem();
        if (dopoNuovo) {
            dopoNuovo();
        }
        main_.ImpostaTutto();
        sys.modified = false;
    });
}

void TComandiSistema::Carica(const QString& file) {
    T_Sistema& sys = main_.Sistema();
    CaricaSistema(sys, S(file));
    main_.ImpostaTutto();
    sys.modified = false;
    if (dopoCaricamento) {
        dopoCaricamento();
    }
}

void TComandiSistema::CaricaClick() {
    Protetto([this] {
        if (!main_.Conferma(true)) {
            return;
        }
        TFileDialogRequest request = SpecSistema(main_.Sistema());
        request.title = QStringLiteral("Caricare Il Sistema");
        request.filter = QStringLiteral("Sistemi    *.Svs|*.Svs");
        request.mustExist = true;
        const QString file = files_.Choose(request);
        if (!file.isEmpty()) {
            Carica(file);
        }
    });
}

void TComandiSistema::Salva() {
    T_Sistema& sys = main_.Sistema();
    if (SalvaChiedeNome(sys)) {
        SalvaCome();
        return;
    }
    SalvaSistema(sys);
}

void TComandiSistema::SalvaCome() {
    T_Sistema& sys = main_.Sistema();
    TFileDialogRequest request = SpecSistema(sys);
    request.title = QStringLiteral("Salva Il Sistema");
    request.filter = QStringLiteral("Sistemi|*.Svs");
    request.defaultExtension = QStringLiteral("Svs");
    request.save = true;
    const QString file = files_.Choose(request);
    if (file.isEmpty()) {
        return;
    }
    if (SalvaSistemaCome(sys, S(file), main_.Prompt())) {
        main_.ImpostaTutto();
        sys.modified = false;
        sys.untitled = false;
    }
}

void TComandiSistema::Save1Click() {
    Protetto([this] { Salva(); });
}

void TComandiSistema::SalvaComeClick() {
    Protetto([this] { SalvaCome(); });
}

void TComandiSistema::CancellaClick() {
    Protetto([this] {
        TFileDialogRequest request;
        request.title = QStringLiteral("Cancella Il Sistema");
        request.filter = QStringLiteral("Sistemi    *.Svs|*.Svs");
        request.folder = Q(FolderPath(TFolder::Sistemi).string());
        const QString file = files_.Choose(request);
        if (!file.isEmpty()) {
            CancellaSistema(S(file), main_.Prompt());
        }
    });
}

void TComandiSistema::CommentoClick() {
    TFormCommento dlg(main_.Sistema(), main_.Finestra());
    dlg.exec();
}

void TComandiSistema::Soci1Click() {
    Protetto([this] {
        TFormSoci dlg(main_.Sistema(), main_.Prompt(), main_.Finestra());
        dlg.exec();
    });
}

void TComandiSistema::CaricaSchedina1Click() {
    Protetto([this] {
        const QString file = files_.Choose(SpecSchedina(QStringLiteral("Carica la Schedina"), false));
        if (!file.isEmpty()) {
            CaricaSchedina(main_.Sistema(), S(file));
            main_.ImpostaTutto();
        }
    });
}

void TComandiSistema::SalvaSchedina1Click() {
    Protetto([this] {
        const QString file = files_.Choose(SpecSchedina(QStringLiteral("Salva la Schedina"), true));
        if (!file.isEmpty()) {
            SalvaSchedina(main_.Sistema(), S(file));
        }
    });
}

void TComandiSistema::ListaSquadre1Click() {
    Protetto([this] {
        std::unique_ptr<TFormListaSquadre> dlg;
        try {
            dlg = std::make_unique<TFormListaSquadre>(main_.Prompt(), main_.Finestra());
        } catch (const std::bad_alloc&) {
            throw EInOutError(msg::kMemoriaListeSquadre);
        }
        dlg->exec();
    });
}

void TComandiSistema::SquadreClick() {
    Protetto([this] {
        TListeSquadre liste;
        CaricaListe(liste);
        TFormSelezioneSquadre dlg(main_.Sistema(), liste, main_.Schedina()->Partite, main_.Finestra());
        dlg.exec();
    });
}

void TComandiSistema::Avvio(const QStringList& args) {
    T_Sistema& sys = main_.Sistema();
    if (args.size() == 1) {
        // The system named on the command line becomes, and stays, the current system.
        try {
            CaricaSistema(sys, S(args.constFirst()));
            if (sys.dati.sviluppo.AutoRecalc == 1 && dopoCaricamento) {
                QTimer::singleShot(0, this, [this] { dopoCaricamento(); });
            }
        } catch (const std::exception& e) {
            QTimer::singleShot(0, this, [this, text = std::string(e.what())] {
                main_.Prompt().ShowMessage(msg::kInformazione, text, BtnOk);
            });
        }
        return;
    }
    if (sys.dati.settings.reloadLastCoupon) {
        try {
            CaricaSchedina(sys, UltimaSchedina());
        } catch (...) {
            // the last coupon is a convenience: failures are silent
        }
    }
}

} // namespace tessaline
