// "print coupons": the columns of a file onto coupons or as a listing, into a PDF of A4 pages with no
// margins, through the same canvas as the print window (Qt Gui, offscreen).

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fmt/format.h>

#include "cli/commands.h"
#include "core/column_list.h"
#include "core/cost.h"
#include "core/errors.h"
#include "core/paths.h"
#include "print/coupon_print.h"
#include "system/config_file.h"
#include "system/summary_print.h"
#include "system/system_file.h"

#ifdef TESSALINE_CLI_PRINT
#include <QDate>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

#include "print/ui/qt_canvas.h"
#endif

namespace tessaline::cli {

namespace {

inline constexpr const char* kNeedsFullBuild =
    "La stampa richiede la versione completa del programma (compilata con Qt).";

#ifdef TESSALINE_CLI_PRINT
// Coupons are marked at this resolution (dots per inch); the listing uses the report's 96.
constexpr int kPdfResolution = 600;
constexpr double kListingDpi = 96;

// The toolkit's own diagnostics are not the command's output.
void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

QGuiApplication& GuiApp() {
    qInstallMessageHandler(Quiet);
    static int argc = 1;
    static char name[] = "tessaline-cli";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
    return app;
}

TEsitoStampa PrintPdf(const std::string& out, std::span<const Colonna> columns, const TLavoroStampa& job,
                      const TContestoStampa& ctx, bool listing) {
    GuiApp();
    QSaveFile file(QString::fromStdString(out));
    if (!file.open(QIODevice::WriteOnly)) {
        throw EInOutError(listing ? msg::kImpossibileStampareTabulato : msg::kImpossibileStampareSchedine);
    }
    TEsitoStampa esito;
    {
        QPdfWriter pdf(&file);
        pdf.setCreator(QStringLiteral("Tessaline"));
        pdf.setTitle(QString::fromStdString(TitoloTabulato(job)));
        pdf.setResolution(kPdfResolution);
        pdf.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        TQtCanvas canvas(&pdf, listing ? kListingDpi : 0, true);
        try {
            esito = listing ? StampaSuTabulato(canvas, columns, job, ctx)
                            : StampaSuSchedine(canvas, columns, job, ctx);
        } catch (...) {
            canvas.Finish();
            file.cancelWriting();
            throw;
        }
        canvas.Finish();
        esito.pagine = canvas.Pages();
    }
    CheckInterrupted();
    if (esito.annullata) {
        file.cancelWriting();
        throw EInterrupted();
    }
    if (!file.commit()) {
        throw EInOutError(listing ? msg::kImpossibileStampareTabulato : msg::kImpossibileStampareSchedine);
    }
    return esito;
}

// The summary into one PDF: every copy and listing continue the same file as new pages.
TEsitoStampa PrintSummaryPdf(const std::string& out, T_Sistema& sys, const TOpzioniProspetto& o,
                             const TContestoStampa& ctx) {
    GuiApp();
    QSaveFile file(QString::fromStdString(out));
    if (!file.open(QIODevice::WriteOnly)) {
        throw EInOutError(msg::kImpossibileStampareProspetto);
    }
    TEsitoStampa esito;
    {
        QPdfWriter pdf(&file);
        pdf.setCreator(QStringLiteral("Tessaline"));
        pdf.setTitle(QString::fromUtf8(msg::kTitoloProspetto));
        pdf.setResolution(kPdfResolution);
        pdf.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        TQtCanvas canvas(&pdf, kListingDpi, true);
        try {
            esito = StampaProspetto(canvas, sys, o, ctx);
        } catch (...) {
            canvas.Finish();
            file.cancelWriting();
            throw;
        }
        canvas.Finish();
        esito.pagine = canvas.Pages();
    }
    if (!file.commit()) {
        throw EInOutError(msg::kImpossibileStampareProspetto);
    }
    return esito;
}

int RunPrintSummary(TArgs& args, const std::string& pdfPath, const std::vector<std::string>& pos,
                    const std::optional<std::string>& copies, bool listing) {
    if (pos.size() != 2) {
        throw EUsage("serve un file di sistema");
    }
    T_Sistema sys;
    sys.dati.settings = DefaultSettings();
    ReadConfigFile(ProgramDir() / kConfigFileName, sys.dati.settings);
    const std::filesystem::path path = std::filesystem::absolute(pos[1]);
    CaricaSistema(sys, path);
    const TProgramSettings& settings = sys.dati.settings;

    TOpzioniProspetto o;
    o.Tabulato = listing;
    if (copies) {
        o.Copie = static_cast<int>(ParseInt(*copies, 1, 100, "numero di copie"));
    } else {
        o.CopiaPerPartecipante = true;
    }
    o.TestoIniziali = TestoColonneIniziali(sys);
    o.TestoFinali = TestoColonneFinali(sys, false);
    o.Data = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")).toStdString();

    TContestoStampa ctx;
    ctx.taratura = settings.taratura;
    ctx.tabulato = settings.tabulato;
    ctx.costoColonna = settings.ColumnCost();
    ctx.euro = settings.costsInEuro;
    ctx.ricevitoria = settings.shopData;
    const TEsitoStampa esito = PrintSummaryPdf(pdfPath, sys, o, ctx);
    TJson json;
    json.BeginObject().Key("pages").Int(esito.pagine).EndObject();
    Emit(args, json, fmt::format("Prospetto del Sistema: {} pagine in {}", esito.pagine, pdfPath));
    return kExitOk;
}
#endif

} // namespace

int RunPrint(TArgs& args) {
#ifndef TESSALINE_CLI_PRINT
    (void)args;
    std::fprintf(stderr, "%s\n", kNeedsFullBuild);
    return kExitUsage;
#else
    const std::string pdfPath = args.RequiredOption("--pdf");
    const auto orientation = args.Option("--orientation");
    const auto perCoupon = args.Option("--per-coupon");
    const auto from = args.Option("--from");
    const auto to = args.Option("--to");
    const bool listing = args.Flag("--listing");
    const auto copies = args.Option("--copies");
    const std::vector<std::string> pos = args.Positionals();
    if (!pos.empty() && pos[0] == "summary") {
        if (orientation || perCoupon || from || to) {
            throw EUsage("il prospetto accetta soltanto --copies e --listing");
        }
        return RunPrintSummary(args, pdfPath, pos, copies, listing);
    }
    if (copies) {
        throw EUsage("--copies vale soltanto per il prospetto");
    }
    if (pos.empty() || pos[0] != "coupons") {
        throw EUsage("comando di stampa sconosciuto");
    }
    if (pos.size() != 2) {
        throw EUsage("serve un file di colonne");
    }
    if (orientation && *orientation != "horizontal" && *orientation != "vertical") {
        throw EUsage("orientamento non valido: " + *orientation);
    }
    if (from.has_value() != to.has_value()) {
        throw EUsage("--from e --to vanno indicati insieme");
    }
    TProgramSettings settings = DefaultSettings();
    ReadConfigFile(ProgramDir() / kConfigFileName, settings);

    TLavoroStampa job;
    job.Orientamento = orientation
                           ? (*orientation == "vertical" ? kVerticale : kOrizzontale)
                           : (settings.taratura.OrizzontalePredefinito != 0 ? kOrizzontale : kVerticale);
    job.ColonnePerSchedina = perCoupon ? static_cast<int>(ParseInt(*perCoupon, 1, 3, "colonne per schedina"))
                                       : std::clamp(settings.taratura.ColonnePerSchedina, 1, 3);
    long first = 1;
    long last = 0;
    if (from) {
        first = ParseInt(*from, 1, 1000000000L, "schedina iniziale");
        last = ParseInt(*to, 1, 1000000000L, "schedina finale");
    }
    job.NomeSistema = std::filesystem::path(pos[1]).stem().string();

    TListaColonne columns;
    if (!columns.LoadFromFile(pos[1], false, nullptr)) {
        throw EInOutError(msg::kImpossibileCaricareFileColonnare);
    }
    if (from && last < first) {
        throw EInOutError(msg::kNumeroSchedinaErrato);
    }
    const std::int32_t count = NumeroSchedine(columns.Size(), job.ColonnePerSchedina);
    TJson json;
    if (count == 0) {
        json.BeginObject().Key("coupons").Int(0).Key("pages").Int(0).EndObject();
        Emit(args, json, "Il file non contiene colonne: nessuna stampa.");
        return kExitOk;
    }
    // As the window's spin edits: the range stays within the coupons there are.
    job.Prima = static_cast<std::int32_t>(std::min<long>(first, count));
    job.Ultima = from ? static_cast<std::int32_t>(std::min<long>(last, count)) : count;

    TContestoStampa ctx;
    ctx.taratura = settings.taratura;
    ctx.tabulato = settings.tabulato;
    ctx.costoColonna = settings.ColumnCost();
    ctx.euro = settings.costsInEuro;
    ctx.ricevitoria = settings.shopData;
    ctx.annulla = &Interrupt();
    const TEsitoStampa esito = PrintPdf(pdfPath, columns.View(), job, ctx, listing);
    json.BeginObject().Key("coupons").Int(esito.schedine).Key("pages").Int(esito.pagine).EndObject();
    Emit(args, json,
         fmt::format("{}: {} schedine su {} pagine in {}", listing ? "Tabulato" : "Schedine", esito.schedine,
                     esito.pagine, pdfPath));
    return kExitOk;
#endif
}

} // namespace tessaline::cli
