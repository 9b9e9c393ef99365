#include "core/ui/help.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "core/paths.h"
#include "core/ui/qt_text.h"

namespace tessaline {

namespace {

class THelpWindow : public QDialog {
public:
    THelpWindow() : QDialog(nullptr) {
        setObjectName(QStringLiteral("FormGuida"));
        setWindowTitle(QStringLiteral("Guida di Tessaline"));
        auto* lay = new QVBoxLayout(this);
        browser = new QTextBrowser(this);
        browser->setOpenLinks(true);
        lay->addWidget(browser);
        auto* row = new QHBoxLayout;
        auto* indice = new QPushButton(QStringLiteral("Sommario"), this);
        auto* indietro = new QPushButton(QStringLiteral("Indietro"), this);
        auto* chiudi = new QPushButton(QStringLiteral("Chiudi"), this);
        row->addWidget(indice);
        row->addWidget(indietro);
        row->addStretch();
        row->addWidget(chiudi);
        lay->addLayout(row);
        connect(indice, &QPushButton::clicked, this, [this] { Show(0); });
        connect(indietro, &QPushButton::clicked, browser, &QTextBrowser::backward);
        connect(chiudi, &QPushButton::clicked, this, &QDialog::close);
        resize(620, 520);
    }
    void Show(int context) {
        const QString path = HelpPagePath(context);
        if (path.isEmpty()) {
            browser->setHtml(QString::fromUtf8("<h2>Guida non disponibile</h2><p>La pagina di guida "
                                               "numero %1 non è stata trovata nella cartella "
                                               "dei dati del programma.</p>")
                                 .arg(context));
        } else {
            browser->setSource(QUrl::fromLocalFile(path));
        }
    }
    QTextBrowser* browser;
};

QPointer<THelpWindow> gHelp;

QString PageIn(const std::filesystem::path& dir, int context) {
    const QString name = context == 0 ? QStringLiteral("index.html") : QStringLiteral("%1.html").arg(context);
    const QString p = Q((dir / "help").string()) + QLatin1Char('/') + name;
    return QFileInfo::exists(p) ? p : QString();
}

} // namespace

QString HelpPagePath(int context) {
    QString p = PageIn(ProgramDir(), context);
    if (p.isEmpty() && !InstalledDataDir().empty()) {
        p = PageIn(InstalledDataDir(), context);
    }
    return p;
}

void OpenHelp(int context, QWidget* near) {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        // A modal dialog blocks other windows: the help opens over it, modal too.
        THelpWindow help;
        help.setParent(modal, Qt::Dialog);
        help.Show(context);
        help.exec();
        return;
    }
    if (!gHelp) {
        gHelp = new THelpWindow;
        gHelp->setAttribute(Qt::WA_DeleteOnClose);
    }
    gHelp->Show(context);
    if (near != nullptr && !gHelp->isVisible()) {
        gHelp->move(near->window()->geometry().center() - gHelp->rect().center());
    }
    gHelp->show();
    gHelp->raise();
    gHelp->activateWindow();
}

QDialogButtonBox* OkAnnullaAiuto(QDialog* dlg, int helpContext) {
    auto* box = new QDialogButtonBox(dlg);
    QPushButton* ok = box->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("BtnOk"));
    ok->setDefault(true);
    box->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("BtnAnnulla"));
    QPushButton* help = box->addButton(QStringLiteral("Aiuto"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("BtnAiuto"));
    QObject::connect(box, &QDialogButtonBox::accepted, dlg, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dlg, &QDialog::reject);
    QObject::connect(box, &QDialogButtonBox::helpRequested, dlg,
                     [dlg, helpContext] { OpenHelp(helpContext, dlg); });
    return box;
}

} // namespace tessaline
