// The Internet update against a real FTP server on the loopback: every kind, its success and every
// way it can fail, with the data folder unchanged after each failure.

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <map>
#include <sodium.h>
#include <string>
#include <vector>

#include "support/test_home.h"
#include "update/ftp_server.h"
#include "update/net/ftp_curl.h"
#include "update/net/package.h"
#include "update/update.h"

namespace tessaline {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using TBytes = std::vector<unsigned char>;

void Put(const fs::path& p, const TBytes& bytes) {
    fs::create_directories(p.parent_path());
    test::WriteBytes(p, bytes);
}

TBytes Bytes(const std::string& s) {
    return TBytes(s.begin(), s.end());
}

// Every file under the data folder (the server's folder left out), by relative path.
std::map<std::string, TBytes> Snapshot(const fs::path& home) {
    std::map<std::string, TBytes> files;
    for (const auto& e : fs::recursive_directory_iterator(home)) {
        const std::string rel = fs::relative(e.path(), home).generic_string();
        if (rel.rfind("server", 0) == 0 || !e.is_regular_file()) {
            continue;
        }
        files[rel] = ReadBytes(e.path());
    }
    return files;
}

TBytes TarGz(const std::string& entry, const TBytes& content) {
    TBytes out(1 << 16);
    std::size_t used = 0;
    struct archive* a = archive_write_new();
    archive_write_set_format_pax_restricted(a);
    archive_write_add_filter_gzip(a);
    archive_write_open_memory(a, out.data(), out.size(), &used);
    struct archive_entry* e = archive_entry_new();
    archive_entry_set_pathname(e, entry.c_str());
    archive_entry_set_size(e, static_cast<la_int64_t>(content.size()));
    archive_entry_set_filetype(e, AE_IFREG);
    archive_entry_set_perm(e, 0755);
    archive_write_header(a, e);
    archive_write_data(a, content.data(), content.size());
    archive_entry_free(e);
    archive_write_close(a);
    archive_write_free(a);
    out.resize(used);
    return out;
}

struct TKeys {
    TChiavePubblica pub{};
    std::array<unsigned char, crypto_sign_SECRETKEYBYTES> secret{};
    TKeys() {
        EXPECT_GE(sodium_init(), 0);
        crypto_sign_keypair(pub.data(), secret.data());
    }
    TBytes Sign(const TBytes& data) const {
        TBytes sig(crypto_sign_BYTES);
        crypto_sign_detached(sig.data(), nullptr, data.data(), data.size(), secret.data());
        return sig;
    }
};

enum class TCaso {
    Riuscito,
    FileMancante,
    SenzaSezione,
    SenzaChiave,
    NessunServer,
    Stallo,
    Annulla,
    FirmaErrata
};

const char* Nome(TCaso c) {
    switch (c) {
    case TCaso::Riuscito:
        return "riuscito";
    case TCaso::FileMancante:
        return "file mancante";
    case TCaso::SenzaSezione:
        return "senza sezione";
    case TCaso::SenzaChiave:
        return "senza chiave";
    case TCaso::NessunServer:
        return "nessun server";
    case TCaso::Stallo:
        return "stallo";
    case TCaso::Annulla:
        return "annulla";
    case TCaso::FirmaErrata:
        return "firma errata";
    }
    return "";
}

// Looks at the passes and gauge; "Annulla" is pressed a few looks after the kind's first step.
class TRecorder final : public TUpdateView, public CancelProbe {
public:
    explicit TRecorder(bool annulla) : annulla_(annulla) {}
    void Passo(int i, int n) override {
        passi.push_back(std::to_string(i) + "/" + std::to_string(n));
        armed_ = true;
    }
    void Gauge(int percent) override { gauges.push_back(percent); }
    bool Peek() override { return annulla_ && armed_ && ++looks_ > 2; }
    bool Take() override { return Peek(); }
    std::vector<std::string> passi;
    std::vector<int> gauges;

private:
    bool annulla_;
    bool armed_ = false;
    int looks_ = 0;
};

const char* kRemoteFile[] = {"", "archivi/archivio.tts", "archivi/squadrc1.txt", "schedine/_tessaline.xsc",
                             "programma/tessaline2.arc"};

TEST(Aggiornamento, EveryKindSucceedsOrLeavesTheDataFolderAsItWas) {
    const TKeys keys;
    const TBytes archive(38, 7);
    const TBytes coupon(160, 3);
    const TBytes program = Bytes("#!/bin/sh\necho nuova\n");
    const TBytes package = TarGz("./tessaline", program);
    const std::array<std::string, 4> lists = {"Inter\r\nMilan\r\n", "Bari\r\n", "Lecco\r\n", "Gela\r\n"};
    const std::array<const char*, 4> listNames = {"SquadrA.Txt", "SquadrB.Txt", "SquadrC1.Txt",
                                                  "SquadrC2.Txt"};

    struct TRow {
        TTipoAggiornamento tipo;
        TCaso caso;
    };
    std::vector<TRow> rows;
    for (int k = 1; k <= 4; ++k) {
        for (TCaso c : {TCaso::Riuscito, TCaso::FileMancante, TCaso::SenzaSezione, TCaso::SenzaChiave,
                        TCaso::NessunServer, TCaso::Stallo, TCaso::Annulla}) {
            rows.push_back({static_cast<TTipoAggiornamento>(k), c});
        }
    }
    rows.push_back({TTipoAggiornamento::Programma, TCaso::FirmaErrata});

    for (const TRow& row : rows) {
        const int kind = static_cast<int>(row.tipo);
        SCOPED_TRACE(std::string("tipo ") + std::to_string(kind) + ", " + Nome(row.caso));
        test::TTestHome home;
        const fs::path dati = home.Path();
        // The data folder before the update.
        Put(dati / "ARCHIVI" / "archivio.tts", TBytes(19, 1));
        for (const char* n : listNames) {
            Put(dati / n, Bytes("Vecchia\r\n"));
        }
        fs::create_directories(dati / "Schedine");
        Put(dati / "prog" / "portable", {});
        Put(dati / "prog" / "tessaline", Bytes("vecchio"));
        const fs::path exe = dati / "prog" / "tessaline";

        // The server's folder.
        const fs::path root = dati / "server";
        Put(root / "archivi" / "archivio.tts", archive);
        for (std::size_t i = 0; i < 4; ++i) {
            static const char* remote[] = {"squadra.txt", "squadrb.txt", "squadrc1.txt", "squadrc2.txt"};
            Put(root / "archivi" / remote[i], Bytes(lists[i]));
        }
        Put(root / "schedine" / "_tessaline.xsc", coupon);
        Put(root / "programma" / "tessaline2.arc", package);
        TBytes sig = keys.Sign(package);
        if (row.caso == TCaso::FirmaErrata) {
            sig[10] ^= 1;
        }
        Put(root / "programma" / "tessaline2.arc.sig", sig);
        test::TFtpServer server(root);
        std::string info = "Parametri di aggiornamento\r\n[TESSALINE 1.5]\r\nHostName=10.0.0.1\r\n"
                           "[Tessaline 2.0]\r\nHostName=" +
                           server.Host() +
                           "\r\nArchiviDir=/Archivi\r\nSchedinaDir=Schedine\r\nExeDir=/Programma/\r\n";
        if (row.caso == TCaso::SenzaSezione) {
            info = "[Tessaline 3.0]\r\nHostName=" + server.Host() +
                   "\r\nArchiviDir=/archivi\r\nSchedinaDir=/schedine\r\nExeDir=/programma\r\n";
        } else if (row.caso == TCaso::SenzaChiave) {
            info = "[Tessaline 2.0]\r\nHostName=" + server.Host() +
                   "\r\nArchiviDir=/archivi\r\nExeDir=/programma\r\n";
        }
        Put(root / "dwninfo.txt", Bytes(info));
        if (row.caso == TCaso::FileMancante) {
            fs::remove(root / (kind == 4 ? "programma/tessaline2.arc.sig" : kRemoteFile[kind]));
            if (kind == 2) {
                fs::remove(root / "archivi/squadrc2.txt");
            }
        }
        if (row.caso == TCaso::Stallo || row.caso == TCaso::Annulla) {
            Put(root / (std::string(kRemoteFile[kind]) + ".stall"), {});
        }
        const auto before = Snapshot(dati);

        TFtpCurl ftp(5);
        TRecorder recorder(row.caso == TCaso::Annulla);
        TAggiornamento update(ftp, recorder, recorder);
        update.SetWatchdog(std::chrono::milliseconds(1500));
        TPacchettoFirmato pacchetto(keys.pub);
        update.SetProgramma(exe, &pacchetto);
        const std::string host =
            row.caso == TCaso::NessunServer ? "127.0.0.1:" + std::to_string(test::FreePort()) : server.Host();
        const TEsitoAggiornamento esito = update.Aggiorna(row.tipo, host);

        const auto after = Snapshot(dati);
        if (row.caso != TCaso::Riuscito) {
            EXPECT_FALSE(esito.riuscito);
            EXPECT_TRUE(esito.aggiornati.empty());
            EXPECT_TRUE(before == after) << "the data folder changed";
            EXPECT_EQ(esito.annullato, row.caso == TCaso::Annulla);
            EXPECT_EQ(update.WatchdogScattato(), row.caso == TCaso::Stallo);
            const char* expected = "";
            switch (row.caso) {
            case TCaso::FileMancante:
            case TCaso::Stallo:
                expected = msg::kTrasferimento;
                break;
            case TCaso::SenzaSezione:
            case TCaso::SenzaChiave:
                expected = msg::kParametriCollegamento;
                break;
            case TCaso::NessunServer:
                expected = msg::kCollegamento;
                break;
            case TCaso::FirmaErrata:
                expected = msg::kFirmaNonValida;
                break;
            default:
                break;
            }
            EXPECT_EQ(esito.messaggio, expected);
            continue;
        }
        ASSERT_TRUE(esito.riuscito) << esito.messaggio;
        // Only the kind's files changed, and nothing else was left behind.
        std::map<std::string, TBytes> expected = before;
        switch (row.tipo) {
        case TTipoAggiornamento::Archivi:
            expected["ARCHIVI/archivio.tts"] = archive;
            EXPECT_EQ(esito.messaggio, msg::kArchiviAggiornati);
            EXPECT_EQ(recorder.passi, std::vector<std::string>{"1/1"});
            break;
        case TTipoAggiornamento::Squadre:
            for (std::size_t i = 0; i < 4; ++i) {
                expected[listNames[i]] = Bytes(lists[i]);
            }
            EXPECT_EQ(esito.messaggio, msg::kSquadreAggiornate);
            EXPECT_EQ(recorder.passi, (std::vector<std::string>{"1/4", "2/4", "3/4", "4/4"}));
            break;
        case TTipoAggiornamento::Schedina:
            expected["Schedine/_tessaline.xsc"] = coupon;
            EXPECT_EQ(esito.messaggio, "");
            break;
        case TTipoAggiornamento::Programma:
            expected["prog/tessaline"] = program;
            EXPECT_EQ(esito.messaggio, msg::kProgrammaAggiornato);
            EXPECT_NE(fs::status(exe).permissions() & fs::perms::owner_exec, fs::perms::none);
            break;
        }
        EXPECT_TRUE(expected == after) << "files other than the kind's changed or were left behind";
        EXPECT_EQ(esito.aggiornati.size(), row.tipo == TTipoAggiornamento::Squadre ? 4u : 1u);
        ASSERT_FALSE(recorder.gauges.empty());
        EXPECT_EQ(recorder.gauges.back(), 100);
    }
}

TEST(Aggiornamento, ProgramUpdateNeedsAReplaceableInstallation) {
    test::TTestHome home;
    TFtpCurl ftp(5);
    TRecorder recorder(false);
    TAggiornamento update(ftp, recorder, recorder);
    TPacchettoFirmato pacchetto;
    update.SetProgramma({}, &pacchetto);
    // No connection is tried: the host does not even parse.
    const TEsitoAggiornamento esito = update.Aggiorna(TTipoAggiornamento::Programma, "non valido");
    EXPECT_FALSE(esito.riuscito);
    EXPECT_EQ(esito.messaggio, msg::kGestorePacchetti);
    EXPECT_TRUE(recorder.passi.empty());
}

TEST(Aggiornamento, ParameterFile) {
    struct TRow {
        const char* text;
        bool ok;
        TInternet expected;
    };
    const TRow rows[] = {
        // Keys in any case; values lower-cased; CR LF dropped.
        {"[TESSALINE "
         "2.0]\r\nHOSTNAME=Ftp.Esempio.IT:2121\r\nArchiviDir=/Arc\r\nSCHEDINADIR=/sch\r\nexedir=/Exe\r\n",
         true,
         {"ftp.esempio.it:2121", "/arc", "/sch", "/exe"}},
        // Only the running version's section counts; reading stops once all four are known.
        {"tessaline 1.0\nhostname=vecchio\ntessaline 2\nhostname=h\narchividir=a\nschedinadir=s\nexedir=e\n"
         "hostname=dopo\n",
         true,
         {"h", "a", "s", "e"}},
        // Keys before the section are ignored.
        {"hostname=h\narchividir=a\nschedinadir=s\nexedir=e\ntessaline 2.0\n", false, {}},
        {"tessaline 2.0\nhostname=h\narchividir=a\nschedinadir=s\n", false, {}},
        {"tessaline 2.0\nhostname=\narchividir=a\nschedinadir=s\nexedir=e", false, {}},
        {"", false, {}},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.text);
        TInternet p;
        EXPECT_EQ(LeggiParametri(row.text, '2', p), row.ok);
        if (row.ok) {
            EXPECT_EQ(p, row.expected);
        }
    }
}

TEST(Aggiornamento, GaugeAndHosts) {
    const struct {
        std::int64_t received, total;
        int percent;
    } gauges[] = {{0, 0, 0}, {5, 0, 0}, {0, 10, 0}, {1, 3, 33}, {2, 3, 66}, {3, 3, 100}, {999, 1000, 99}};
    for (const auto& g : gauges) {
        EXPECT_EQ(PercentualeGauge(g.received, g.total), g.percent) << g.received << "/" << g.total;
    }
    EXPECT_EQ(HostDaUrl("ftp://127.0.0.1:2121/"), "127.0.0.1:2121");
    EXPECT_EQ(HostDaUrl("ftp://aggiornamenti.tessaline.it"), "aggiornamenti.tessaline.it");
    for (const char* bad : {"http://h/", "ftp://", "ftp://h:0/", "ftp://h:99999/", "ftp://a b/", "ftp://h/x/",
                            "ftp://user@h/"}) {
        EXPECT_EQ(HostDaUrl(bad), "") << bad;
    }
}

} // namespace
} // namespace tessaline
