// Every saver of the program, made to fail part-way through its bytes: the save reports the
// failure, and the data folder stays exactly as it was (the previous file, no temporary file).
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "archive/contest_archive.h"
#include "conditions/condition_set.h"
#include "conditions/frame_editor.h"
#include "conditions/sign_count.h"
#include "core/byte_sink.h"
#include "core/column_list.h"
#include "core/errors.h"
#include "core/paths.h"
#include "reference/develop_fixtures.h"
#include "scrutiny/plays.h"
#include "support/test_home.h"
#include "system/config_file.h"
#include "system/coupon.h"
#include "system/sistema.h"
#include "system/system_file.h"
#include "system/team_lists.h"

namespace fs = std::filesystem;

namespace tessaline {
namespace {

using reference::Col;

// Every file under the folder with its bytes.
std::map<std::string, std::vector<unsigned char>> Snapshot(const fs::path& folder) {
    std::map<std::string, std::vector<unsigned char>> files;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        if (e.is_regular_file()) {
            files[fs::relative(e.path(), folder).string()] = test::ReadBytes(e.path());
        }
    }
    return files;
}

// A save counts as failed when it raises EInOutError or returns false.
bool Fails(const std::function<bool()>& save) {
    try {
        return !save();
    } catch (const EInOutError&) {
        return true;
    }
}

struct TSaver {
    const char* name;
    // Writes the first version of the file(s), then returns the save of a second, different one.
    std::function<std::function<bool()>(const fs::path& home)> prepare;
};

std::vector<TSaver> Savers() {
    return {
        {"column file",
         [](const fs::path& home) {
             TListaColonne a;
             a.Append(Col("012M012M012M"));
             EXPECT_TRUE(a.SaveToFile(home / "c.Col"));
             return std::function<bool()>([home] {
                 TListaColonne b;
                 for (int i = 0; i < 300; ++i) {
                     b.Append(Col("111111111111"));
                 }
                 return b.SaveToFile(home / "c.Col", nullptr) == TSaveStatus::Saved;
             });
         }},
        {"column text file",
         [](const fs::path& home) {
             TListaColonne a;
             a.Append(Col("012M012M012M"));
             EXPECT_TRUE(a.SaveText(home / "c.txt"));
             return std::function<bool()>([home] {
                 TListaColonne b;
                 b.Append(Col("000000000000"));
                 b.Append(Col("MMMMMMMMMMMM"));
                 return b.SaveText(home / "c.txt");
             });
         }},
        {"system file",
         [](const fs::path& home) {
             auto sys = std::make_shared<T_Sistema>();
             TFixedAnswerPrompt yes(true);
             EXPECT_TRUE(SalvaSistemaCome(*sys, home / "Sistemi" / "s.Svs", yes));
             return std::function<bool()>([sys] {
                 sys->dati.ContestNumber = 9;
                 SalvaSistema(*sys);
                 return true;
             });
         }},
        {"coupon",
         [](const fs::path& home) {
             T_Sistema sys;
             SalvaSchedina(sys, home / "a.Sch");
             return std::function<bool()>([home] {
                 T_Sistema other;
                 other.dati.ContestNumber = 12;
                 SalvaSchedina(other, home / "a.Sch");
                 return true;
             });
         }},
        {"configuration",
         [](const fs::path&) {
             TProgramSettings s = DefaultSettings();
             SalvaConfigurazione(s);
             return std::function<bool()>([s]() mutable {
                 s.costLire = 2000;
                 SalvaConfigurazione(s);
                 return true;
             });
         }},
        {"contest archive",
         [](const fs::path& home) {
             T_Archivio a;
             a.Concorsi().push_back(T_Concorso::Nuovo());
             a.Salva(home / "a.tts");
             return std::function<bool()>([home, a]() mutable {
                 a.Concorsi().push_back(T_Concorso::Nuovo());
                 a.Concorsi().back().Anno = 2001;
                 return a.Salva(home / "a.tts");
             });
         }},
        {"team lists",
         [](const fs::path&) {
             TListeSquadre l;
             l.Lista(TLega::A).Aggiungi("ALFA");
             l.Salva();
             return std::function<bool()>([l]() mutable {
                 l.Lista(TLega::A).Aggiungi("BETA CALCIO");
                 l.Lista(TLega::A).Aggiungi("DELTA SPORTIVA");
                 l.Lista(TLega::C2).Aggiungi("GAMMA");
                 l.Salva();
                 return true;
             });
         }},
        {"plays archive",
         [](const fs::path&) {
             TArchivioGiocate a(7);
             a.AggiungiSchedina(Col("000000000000"), {}, {});
             a.SalvaArchivio();
             return std::function<bool()>([a]() mutable {
                 a.AggiungiIntegrale(Col("111111111111"));
                 a.SalvaArchivio();
                 return true;
             });
         }},
        {"frame and condition files",
         [](const fs::path& home) {
             auto set = std::make_shared<TInsiemeCondizioni>();
             auto m = std::make_shared<TModelloQuadro>(*set);
             m->Corrente().Nome = "Primo";
             m->SalvaQuadro(home / "a.QDR");
             m->SalvaCondizioni(home / "a.CND");
             return std::function<bool()>([home, set, m] {
                 m->Corrente().Nome = "Secondo";
                 auto c = std::make_unique<TCondNumeroSegni>(set.get());
                 c->Tabella(0).Imposta(false, 1, kAmmesso);
                 m->Corrente().Aggiungi(std::move(c));
                 m->Corrente().Item(0).Selezionato = true; // "*.CND" holds the selected conditions
                 // Both must fail: the first failure must not hide the second saver.
                 const bool qdr = !Fails([&] {
                     m->SalvaQuadro(home / "a.QDR");
                     return true;
                 });
                 const bool cnd = !Fails([&] {
                     m->SalvaCondizioni(home / "a.CND");
                     return true;
                 });
                 return qdr || cnd;
             });
         }},
    };
}

TEST(FailedSaves, EverySaverKeepsThePreviousFilesAtEveryBreakPoint) {
    for (const TSaver& saver : Savers()) {
        for (const std::size_t limit : {std::size_t{0}, std::size_t{1}, std::size_t{5}, std::size_t{20}}) {
            SCOPED_TRACE(std::string(saver.name) + ", failing after " + std::to_string(limit) + " bytes");
            test::TTestHome home;
            ASSERT_TRUE(PrepareProgramDir(false));
            const std::function<bool()> save = saver.prepare(home.Path());
            const auto before = Snapshot(home.Path());
            {
                TScopedWriteFault fault(limit);
                EXPECT_TRUE(Fails(save));
            }
            EXPECT_EQ(Snapshot(home.Path()), before);
            // The same save goes through once the medium works again.
            EXPECT_FALSE(Fails(save));
            EXPECT_NE(Snapshot(home.Path()), before);
        }
    }
}

TEST(FailedSaves, FailingSinkPassesExactlyItsLimit) {
    std::vector<unsigned char> got;
    struct TVectorSink final : TByteSink {
        std::vector<unsigned char>& out;
        explicit TVectorSink(std::vector<unsigned char>& o) : out(o) {}
        bool Write(const void* d, std::size_t n) override {
            const auto* p = static_cast<const unsigned char*>(d);
            out.insert(out.end(), p, p + n);
            return true;
        }
    } inner(got);
    TFailAfterSink sink(inner, 5);
    const unsigned char bytes[] = {1, 2, 3, 4, 5, 6, 7};
    EXPECT_TRUE(sink.Write(bytes, 3));
    EXPECT_FALSE(sink.Write(bytes + 3, 4)); // two of these four fit
    EXPECT_FALSE(sink.Write(bytes, 1));
    EXPECT_TRUE(sink.Write(bytes, 0));
    EXPECT_EQ(got, std::vector<unsigned char>({1, 2, 3, 4, 5}));
}

} // namespace
} // namespace tessaline
