// tessaline-cli facing files and limits it did not choose: system files received from someone else,
// hostile and damaged data, a file-size limit, a memory limit, names with control characters, the
// configuration file. Every command ends, bad data fails with status 1 and an Italian message, and
// a malformed command line stays a usage error.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>

#include "conditions/filter_columns.h"
#include "core/column_list.h"
#include "core/paths.h"
#include "reference/sample_systems.h"
#include "support/test_home.h"
#include "system/config_file.h"
#include "system/sistema.h"

namespace fs = std::filesystem;

namespace tessaline {
namespace {

std::string Q(const fs::path& p) {
    return "'" + p.string() + "'";
}

// A folder outside the data folder, removed at the end.
class TOutside {
public:
    TOutside() {
        std::random_device rd;
        path_ =
            fs::temp_directory_path() / ("tessaline-outside-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(path_);
    }
    ~TOutside() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    TOutside(const TOutside&) = delete;
    TOutside& operator=(const TOutside&) = delete;
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

struct TRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the command line through the shell with a prefix (a folder to run in, a limit), capturing
// stdout and stderr. A run that would hang is stopped after a minute (status 124).
TRun RunShell(const fs::path& scratch, const std::string& prefix, const std::string& args) {
    const fs::path errFile = scratch / "stderr.txt";
    const std::string cmd = prefix + " timeout 60 '" + TESSALINE_CLI_PATH + "' " + args + " 2>" + Q(errFile);
    TRun r;
    std::FILE* p = popen(cmd.c_str(), "r");
    if (p == nullptr) {
        return r;
    }
    std::array<char, 4096> buf{};
    std::size_t n = 0;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) {
        r.out.append(buf.data(), n);
    }
    const int status = pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.err = test::ReadText(errFile);
    fs::remove(errFile);
    return r;
}

// A small system (three columns) with what the case stores in it, saved as a received file.
fs::path SaveSystem(const fs::path& file, const std::function<void(T_Sistema&)>& edit) {
    T_Sistema sys;
    sys.dati.Forecast[0] = kSign0 | kSign1 | kSign2;
    for (int t = 1; t < kTeams; ++t) {
        sys.dati.Forecast[t] = kSign1;
    }
    edit(sys);
    sys.fileName = file;
    EXPECT_TRUE(sys.Save());
    return file;
}

// The example system with what the case changes in it, saved as a received file.
fs::path SaveExampleSystem(const fs::path& file, const std::function<void(T_Sistema&)>& edit) {
    T_Sistema sys;
    test::BuildExampleSystem(sys);
    edit(sys);
    sys.fileName = file;
    EXPECT_TRUE(sys.Save());
    return file;
}

// A sign byte with bits beyond the four signs reads as its four sign bits: the guarantee calculation
// with every error mode ends and gives what the masked system gives.
TEST(CliHostile, SignBytesFromFilesAreMasked) {
    test::TTestHome home;
    const fs::path examined = home.Path() / "e.col";
    TListaColonne cols;
    for (const char* text : {"121012021221", "010201120101", "MMMMMMMMMMMM"}) {
        Colonna c;
        for (int t = 0; t < kTeams; ++t) {
            c[t] = ParseSigns(std::string(1, text[t]));
        }
        cols.Append(c);
    }
    ASSERT_TRUE(cols.SaveToFile(examined));
    // The examined columns once more, with a high bit set in every byte.
    const fs::path examinedHigh = home.Path() / "e-alto.col";
    auto high = test::ReadBytes(examined);
    for (auto& byte : high) {
        byte = static_cast<unsigned char>(byte | 0xF0);
    }
    test::WriteBytes(examinedHigh, high);

    struct TCase {
        const char* what;
        std::function<void(T_Sistema&, std::uint8_t)> set;
    };
    const TCase cases[] = {
        {"colonna filtro",
         [](T_Sistema& sys, std::uint8_t b) {
             auto& filtro = test::AddItem<TCondColonnaFiltro>(sys, kCodGruppoColFiltro);
             filtro.Filtro.s.fill(b);
         }},
        {"pronostico", [](T_Sistema& sys, std::uint8_t b) { sys.dati.Forecast[3] = b; }},
    };
    for (const auto& c : cases) {
        const fs::path hostile =
            SaveExampleSystem(home.Path() / "ff.svs", [&](T_Sistema& s) { c.set(s, 0xFF); });
        const fs::path masked =
            SaveExampleSystem(home.Path() / "0f.svs", [&](T_Sistema& s) { c.set(s, 0x0F); });
        const std::string tail = " --errors 0,1,2 --json";
        const auto got =
            test::RunCli("guarantee --examined " + Q(examinedHigh) + " --system " + Q(hostile) + tail);
        const auto want =
            test::RunCli("guarantee --examined " + Q(examined) + " --system " + Q(masked) + tail);
        EXPECT_EQ(want.status, 0) << c.what;
        EXPECT_EQ(got.status, want.status) << c.what;
        EXPECT_EQ(got.out, want.out) << c.what;
    }
    // A column file: two copies of the same column (copies are not joined).
    const fs::path colFile = home.Path() / "ff.col";
    test::WriteBytes(colFile, std::vector<unsigned char>(24, 0xFF));
    const auto merged = test::RunCli("merge " + Q(colFile) + " -o " + Q(home.Path() / "m.col") + " --json");
    EXPECT_EQ(merged.status, 0);
    EXPECT_EQ(test::ReadBytes(home.Path() / "m.col"), std::vector<unsigned char>(24, 0x0F));
}

// Data that cannot serve the command is a failure (1) with its message; a malformed option stays a
// usage error (2).
TEST(CliHostile, DataProblemsFailAndUsageErrorsStayUsage) {
    test::TTestHome home;
    const fs::path noColumns =
        SaveExampleSystem(home.Path() / "vuoto.svs", [](T_Sistema& s) { s.dati.Forecast[0] = 0; });
    const fs::path example = SaveExampleSystem(home.Path() / "es.svs", [](T_Sistema&) {});
    const fs::path in = home.Path() / "in.col";
    TListaColonne three;
    for (int i = 0; i < 3; ++i) {
        Colonna c;
        c.s.fill(kSign1);
        c[0] = static_cast<SignSet>(1 << i);
        three.Append(c);
    }
    ASSERT_TRUE(three.SaveToFile(in));
    const std::string order =
        "order --system " + Q(example) + " " + Q(in) + " -o " + Q(home.Path() / "o.col");
    const struct {
        std::string args;
        int status;
        const char* message; // in the JSON error, for status 1
    } cases[] = {
        {"guarantee --examined " + Q(in) + " --system " + Q(noColumns), 1,
         "Il pronostico del sistema non genera colonne."},
        {order + " --from 5", 1, "L'intervallo richiesto (5-3) va oltre le 3 colonne del file."},
        {order + " --from 2 --to 9", 1, "L'intervallo richiesto (2-9) va oltre le 3 colonne del file."},
        {order + " --from 2 --to 3", 0, nullptr},
        {order + " --from 0", 2, nullptr},
        {order + " --from due", 2, nullptr},
        {order + " --from 3 --to 2", 2, nullptr},
    };
    for (const auto& c : cases) {
        const auto r = test::RunCli(c.args + " --json");
        EXPECT_EQ(r.status, c.status) << c.args;
        if (c.message != nullptr) {
            EXPECT_EQ(r.out, std::string("{\"error\": \"") + c.message + "\"}\n") << c.args;
        }
    }
}

std::vector<std::string> FilesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
        names.push_back(fs::relative(e.path(), dir).string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(CliHostile, StoredPathsNeverLeaveTheDataFolder) {
    TOutside outside;
    test::TTestHome home;
    ASSERT_TRUE(PrepareProgramDir(false));
    const fs::path o = outside.Path();
    fs::create_directories(o / "victim");
    fs::create_directories(o / "a" / "b" / "dir");
    test::WriteBytes(o / "victim" / "target.txt", {'v', 'i', 'c', 't', 'i', 'm'});
    // Columns nobody asked for: all twelve teams on M.
    const std::vector<unsigned char> secret(24, kSignM);
    test::WriteBytes(o / "secret.col", secret);
    fs::create_directory_symlink(o / "victim", home.Path() / "Sistemi" / "esce");
    ASSERT_EQ(::mkfifo((home.Path() / "COLONNE" / "tubo.Col").c_str(), 0600), 0);
    const std::string victim = (o / "victim" / "target.txt").string();

    struct TCase {
        const char* what;
        bool source;        // stored as the source file, else as the destination
        std::string stored; // as the system file holds it
        int status;
        const char* message; // on stderr when status is 1
    };
    const TCase cases[] = {
        {"absolute destination", false, victim, 0, ""},
        {"destination up from the working folder", false, "../../victim/target.txt", 0, ""},
        {"destination through a folder and up", false, "dir/../../../victim/target.txt", 0, ""},
        {"destination with a NUL", false, victim + std::string(1, '\0') + ".Col", 0, ""},
        {"destination through a link out of the data folder", false, "Sistemi/esce/target.txt", 0, ""},
        {"absolute source", true, (o / "secret.col").string(), 1,
         "Impossibile Caricare il File di Combinazioni"},
        {"source up from the working folder", true, "../../secret.col", 1,
         "Impossibile Caricare il File di Combinazioni"},
        {"source that is a FIFO", true, "tubo.Col", 1, "Impossibile Caricare il File di Combinazioni"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path file = SaveSystem(home.Path() / "ricevuto.svs", [&](T_Sistema& sys) {
            if (c.source) {
                sys.dati.SourceForecast = 0;
                sys.dati.SourceFile = c.stored;
            } else {
                sys.dati.sviluppo.DestinationMemory = 0;
                sys.dati.sviluppo.DestinationFile = c.stored;
            }
        });
        const fs::path out = home.Path() / "uscita.col";
        fs::remove(out);
        const TRun r =
            RunShell(home.Path(), "cd " + Q(o / "a" / "b") + " &&", "develop " + Q(file) + " -o " + Q(out));
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(test::ReadText(o / "victim" / "target.txt"), "victim");
        EXPECT_EQ(FilesIn(o), (std::vector<std::string>{"a", "a/b", "a/b/dir", "secret.col", "victim",
                                                        "victim/target.txt"}));
        if (c.status == 0) {
            // The destination went to the column folder under its own file name.
            std::error_code ec;
            EXPECT_EQ(fs::file_size(home.Path() / "COLONNE" / "target.txt", ec), 36u);
            fs::remove(home.Path() / "COLONNE" / "target.txt");
        } else {
            EXPECT_EQ(r.err, std::string(c.message) + "\n");
            EXPECT_FALSE(fs::exists(out));
        }
    }
}

TEST(CliHostile, SettingsOutOfRangeFailTheLoad) {
    test::TTestHome home;
    ASSERT_TRUE(PrepareProgramDir(false));
    struct TCase {
        const char* what;
        std::function<void(TImpostazioniSviluppo&)> edit;
    };
    const TCase cases[] = {
        // With the optimised reduction a guarantee of 6 asked for 0 points: a reduction without end.
        {"guarantee 6",
         [](TImpostazioniSviluppo& s) {
             s.ReducedDevelopment = 1;
             s.OptimisedReduction = 1;
             s.Guarantee = 6;
         }},
        {"guarantee 255",
         [](TImpostazioniSviluppo& s) {
             s.ReducedDevelopment = 1;
             s.OptimisedReduction = 1;
             s.Guarantee = 255;
         }},
        {"minimum distance 0",
         [](TImpostazioniSviluppo& s) {
             s.ReducedDevelopment = 1;
             s.MinDistanceMode = 1;
             s.MinDistance = 0;
         }},
        {"passes 0", [](TImpostazioniSviluppo& s) { s.Passes = 0; }},
        {"reduced development 7", [](TImpostazioniSviluppo& s) { s.ReducedDevelopment = 7; }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path file =
            SaveSystem(home.Path() / "ricevuto.svs", [&](T_Sistema& sys) { c.edit(sys.dati.sviluppo); });
        for (const char* command : {"develop", "show"}) {
            const TRun r = RunShell(home.Path(), "", std::string(command) + " " + Q(file) + " --json");
            EXPECT_EQ(r.status, 1) << command;
            EXPECT_EQ(r.out, "{\"error\": \"Impossibile Caricare Il Sistema\"}\n") << command;
        }
    }
}

TEST(CliHostile, FileSizeLimitGivesTheWritersMessage) {
    test::TTestHome home;
    const fs::path dir = home.Path();
    // 729 columns: 8,748 bytes as columns, 10,206 as text, past a limit of two blocks.
    const std::string forecast = "'012 012 012 012 012 012 0 0 0 0 0 0'";
    ASSERT_EQ(RunShell(dir, "", "develop --forecast " + forecast + " -o " + Q(dir / "in.col")).status, 0);
    ASSERT_EQ(RunShell(dir, "", "txt export " + Q(dir / "in.col") + " -o " + Q(dir / "in.txt")).status, 0);
    const std::string in = Q(dir / "in.col");
    const std::string out = Q(dir / "old.out");
    // A system whose run writes its destination file, inside the data folder.
    const fs::path system = SaveSystem(dir / "dest.svs", [&](T_Sistema& sys) {
        for (int t = 0; t < 6; ++t) {
            sys.dati.Forecast[t] = kSign0 | kSign1 | kSign2;
        }
        sys.dati.sviluppo.DestinationMemory = 0;
        sys.dati.sviluppo.DestinationFile = (dir / "old.out").string();
    });
    struct TCase {
        std::string args;
        const char* message;
    };
    const TCase cases[] = {
        {"develop --forecast " + forecast + " -o " + out, "Errore Durante la Scrittura del File Colonnare"},
        {"develop " + Q(system), "Impossibile Salvare il file di Colonne"},
        {"txt export " + in + " -o " + out, "Errore Durante la Scrittura del file di testo"},
        {"txt import " + Q(dir / "in.txt") + " -o " + out, "Errore Durante la Scrittura del File Colonnare"},
        {"shuffle " + in + " -o " + out + " --seed 3", "Impossibile Effettuare le Operazioni sul File"},
        {"ops or " + in + " " + in + " -o " + out, "Impossibile Effettuare le Operazioni Sui File"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.args);
        test::WriteBytes(dir / "old.out", {'o', 'l', 'd'});
        const auto before = FilesIn(dir);
        for (const char* json : {"", " --json"}) {
            const TRun r = RunShell(dir, "ulimit -f 2;", c.args + json);
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(r.err, std::string(c.message) + "\n");
            if (*json != '\0') {
                EXPECT_EQ(r.out, "{\"error\": \"" + std::string(c.message) + "\"}\n");
            }
            EXPECT_EQ(test::ReadText(dir / "old.out"), "old");
            EXPECT_EQ(FilesIn(dir), before); // no temporary file left
        }
    }
}

TEST(CliHostile, AllocationFailureSaysMemoriaEsaurita) {
    test::TTestHome home;
    const fs::path dir = home.Path();
    // 3,145,728 columns (37.7 MB): XOR and the guarantee index need room in proportion to them.
    const std::string forecast = "'012M 012M 012M 012M 012M 012M 012M 012M 012M 012M 012 0'";
    ASSERT_EQ(RunShell(dir, "", "develop --forecast " + forecast + " -o " + Q(dir / "a.col")).status, 0);
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer's allocator refuses large blocks as a memory limit would.
    const std::string limit = "ASAN_OPTIONS=allocator_may_return_null=1:max_allocation_size_mb=4";
#else
    // Room to load the program with its Qt libraries (about 80 MB of address space), not for the work.
    const std::string limit = "ulimit -v 120000;";
#endif
    for (const std::string& args :
         {"ops xor " + Q(dir / "a.col") + " " + Q(dir / "a.col") + " -o " + Q(dir / "b.col"),
          "guarantee --examined " + Q(dir / "a.col") + " --compare " + Q(dir / "a.col")}) {
        SCOPED_TRACE(args);
        const TRun r = RunShell(dir, limit, args + " --json");
        EXPECT_EQ(r.status, 1);
        // The sanitizer's own warning lines ("==PID==...") are not the program's.
        std::string err;
        for (std::size_t at = 0; at < r.err.size();) {
            const std::size_t end = std::min(r.err.find('\n', at), r.err.size() - 1) + 1;
            if (r.err.compare(at, 2, "==") != 0) {
                err += r.err.substr(at, end - at);
            }
            at = end;
        }
        EXPECT_EQ(err, "Memoria Esaurita.\n");
        EXPECT_EQ(r.out, "{\"error\": \"Memoria Esaurita.\"}\n");
    }
}

TEST(CliHostile, ShowKeepsControlCharactersOffTheTerminal) {
    test::TTestHome home;
    const fs::path file = SaveSystem(home.Path() / "nomi.svs", [](T_Sistema& sys) {
        sys.dati.teamNames[0] = "\x1b[2JInter";
        sys.dati.teamNames[1] = "Mil\x7f"
                                "an";
        sys.comment = {"riga\rsovrascritta", "campanello\x07"};
        sys.participants = {"Anna\x1b]0;titolo\x07", "Bruno\xc2\x81"}; // U+0081 is a C1 control
        sys.ParticipantCount = 2;
    });
    const TRun text = RunShell(home.Path(), "", "show " + Q(file));
    ASSERT_EQ(text.status, 0) << text.err;
    for (std::size_t i = 0; i < text.out.size(); ++i) {
        const auto c = static_cast<unsigned char>(text.out[i]);
        ASSERT_TRUE(c >= 0x20 || c == '\n') << "byte " << int(c) << " at " << i;
        ASSERT_NE(c, 0x7F);
        if (c == 0xC2 && i + 1 < text.out.size()) {
            const auto next = static_cast<unsigned char>(text.out[i + 1]);
            ASSERT_FALSE(next >= 0x80 && next <= 0x9F) << "C1 control at " << i;
        }
    }
    EXPECT_NE(text.out.find("?[2JInter"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("  Bruno?\n"), std::string::npos) << text.out;
    // JSON keeps the names whole, escaped.
    const TRun json = RunShell(home.Path(), "", "show " + Q(file) + " --json");
    EXPECT_NE(json.out.find("\"\\u001b[2JInter\""), std::string::npos) << json.out;
}

TEST(CliHostile, EveryCommandUsesTheConfiguration) {
    test::TTestHome home;
    TProgramSettings s = DefaultSettings();
    s.costsInEuro = true;
    s.costEuro = 0.5;
    ASSERT_TRUE(WriteConfigFile(home.Path() / kConfigFileName, s));
    const fs::path file = SaveSystem(home.Path() / "s.svs", [](T_Sistema&) {});
    struct TCase {
        std::string args;
        std::string out;
    };
    const TCase cases[] = {
        {"develop --forecast '1 0 12 1 2 1 0 M 1 0 1 0' --json",
         R"({"total": 2, "accepted": 2, "final": 2, "cost": 1, "currency": "EUR", "out": null})"
         "\n"},
        {"develop " + Q(file) + " --json",
         R"({"total": 3, "accepted": 3, "final": 3, "cost": 1.5, "currency": "EUR", "out": null})"
         "\n"},
        {"develop " + Q(file),
         "Colonne Iniziali : 3\nColonne Accettate : 3\nColonne Finali : 3\nCosto : \xE2\x82\xAC 1,50\n"},
    };
    for (const TCase& c : cases) {
        const TRun r = RunShell(home.Path(), "", c.args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
    }
}

} // namespace
} // namespace tessaline
