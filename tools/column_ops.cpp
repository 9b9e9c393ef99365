#include "tools/column_ops.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "core/column_list.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/paths.h"
#include "core/rounding.h"
#include "tools/column_index.h"

namespace tessaline {

const char* EtichettaPrimoFile(TOperazione op) {
    switch (op) {
    case TOperazione::CoperturaN1:
    case TOperazione::CoperturaN2:
        return "File del ridotto";
    case TOperazione::Disordinatore:
        return "File da disordinare";
    default:
        return "Primo file";
    }
}

const char* EtichettaSecondoFile(TOperazione op) {
    switch (op) {
    case TOperazione::CoperturaN1:
    case TOperazione::CoperturaN2:
        return "File delle colonne da coprire";
    case TOperazione::Disordinatore:
        return "";
    default:
        return "Secondo file";
    }
}

namespace {

constexpr std::size_t kBlockColumns = 1000;

// The gauge of the window: moved to the nearest integer of done / total * 100 when that is more
// than it shows.
class TGaugeOperazioni {
public:
    TGaugeOperazioni(TGaugeSink* sink, std::int64_t total) : sink_(sink), total_(total) {}
    void Avanza(std::int64_t done) {
        if (sink_ == nullptr || total_ <= 0) {
            return;
        }
        const auto p =
            static_cast<int>(RoundNearest(static_cast<double>(done) / static_cast<double>(total_) * 100.0));
        if (p > shown_) {
            shown_ = p;
            sink_->Gauge(p);
        }
    }
    void Imposta(int p) {
        shown_ = p;
        if (sink_ != nullptr) {
            sink_->Gauge(p);
        }
    }

private:
    TGaugeSink* sink_;
    std::int64_t total_;
    int shown_ = 0;
};

bool ResultInFirst(TOperazione op) {
    return op == TOperazione::Or || op == TOperazione::Xor;
}

} // namespace

TListaColonne CombinaListe(TOperazione op, TListaColonne& first, const Colonna* second, std::size_t count,
                           CancelProbe* cancel, bool& stopped) {
    TListaColonne result;
    stopped = false;
    TCombinatore combinatore(op, first);
    combinatore.Attesi(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && cancel != nullptr && cancel->Peek()) {
            stopped = true;
            combinatore.Chiudi();
            return result;
        }
        combinatore.Combina(second[i], result);
    }
    combinatore.Chiudi();
    return ResultInFirst(op) ? first : result;
}

TRisultatoOperazione EseguiOperazione(TOperazione op, const std::string& source1, const std::string& source2,
                                      const std::string& dest, CancelProbe* cancel, TGaugeSink* gauge) {
    TRisultatoOperazione r;
    TListaColonne first;
    TListaColonne result;
    if (!first.LoadFromFile(ResolveInFolder(source1, TFolder::Colonne), false, nullptr)) {
        r.esito = TEsitoOperazione::PrimoFileIlleggibile;
        return r;
    }
    const auto path2 = ResolveInFolder(source2, TFolder::Colonne);
    std::FILE* f = std::fopen(path2.c_str(), "rb");
    if (f == nullptr) {
        throw EInOutError(msg::kImpossibileOperazioniFiles);
    }
    std::error_code ec;
    const auto size = std::filesystem::file_size(path2, ec);
    if (ec) {
        std::fclose(f);
        throw EInOutError(msg::kImpossibileOperazioniFiles);
    }
    const auto total = static_cast<std::int64_t>(size / sizeof(Colonna));
    TGaugeOperazioni meter(gauge, total);
    std::vector<Colonna> buffer(kBlockColumns);
    TCombinatore combinatore(op, first);
    combinatore.Attesi(static_cast<std::size_t>(total));
    std::int64_t done = 0;
    bool stopped = false;
    while (done < total && !stopped) {
        const auto want = static_cast<std::size_t>(std::min<std::int64_t>(total - done, kBlockColumns));
        if (std::fread(buffer.data(), sizeof(Colonna), want, f) != want) {
            std::fclose(f);
            throw EInOutError(msg::kImpossibileOperazioniFiles);
        }
        MaskSigns(buffer.data(), want);
        for (std::size_t i = 0; i < want; ++i) {
            if (done > 0 && cancel != nullptr && cancel->Peek()) {
                stopped = true;
                break;
            }
            combinatore.Combina(buffer[i], result);
            ++done;
            if (done % 20 == 0) {
                meter.Avanza(done);
            }
        }
    }
    std::fclose(f);
    combinatore.Chiudi();
    if (stopped) {
        meter.Imposta(0);
        r.esito = TEsitoOperazione::Interrotto;
        return r;
    }
    meter.Imposta(100);
    const TListaColonne& out = ResultInFirst(op) ? first : result;
    const bool coverage = op == TOperazione::CoperturaN1 || op == TOperazione::CoperturaN2;
    const std::string prefix = coverage ? msg::kColonneScoperte : msg::kColonneOttenute;
    r.colonne = out.Count();
    if (out.Empty()) {
        r.messaggio = prefix + msg::kNessunFileCreato;
        return r;
    }
    const TSaveStatus saved = out.SaveToFile(ResolveInFolder(dest, TFolder::Colonne), cancel);
    if (saved == TSaveStatus::Cancelled) {
        r.esito = TEsitoOperazione::Interrotto;
        r.messaggio.clear();
        return r;
    }
    if (saved == TSaveStatus::Failed) {
        throw EInOutError(msg::kImpossibileOperazioniFiles);
    }
    r.fileScritto = true;
    r.messaggio = prefix + std::to_string(out.Count());
    return r;
}

std::uint64_t Estrai(std::mt19937_64& rng, std::uint64_t n) {
    const std::uint64_t range = n + 1; // n < 2^63 in practice
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % range;
    std::uint64_t x = rng();
    while (x >= limit) {
        x = rng();
    }
    return x % range;
}

std::uint64_t SemeDalOrologio() {
    return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

void DisordinaLista(TListaColonne& list, std::mt19937_64& rng) {
    const std::size_t n = list.Size();
    if (n == 0) {
        return;
    }
    std::vector<std::size_t> drawn(n);
    for (std::size_t k = 0; k < n; ++k) {
        drawn[k] = static_cast<std::size_t>(Estrai(rng, k));
    }
    // Insertions replayed backwards: column k takes the drawn[k]-th slot still free, counting from
    // the left, among the slots not taken by the columns inserted after it.
    std::vector<std::uint32_t> tree(n + 1, 0); // Fenwick tree of free slots
    for (std::size_t i = 1; i <= n; ++i) {
        tree[i] += 1;
        const std::size_t j = i + (i & (~i + 1));
        if (j <= n) {
            tree[j] += tree[i];
        }
    }
    std::size_t topBit = 1;
    while (topBit * 2 <= n) {
        topBit *= 2;
    }
    std::vector<Colonna> placed(n);
    for (std::size_t k = n; k-- > 0;) {
        std::size_t pos = 0;
        std::size_t want = drawn[k] + 1; // 1-based rank among free slots
        for (std::size_t step = topBit; step > 0; step /= 2) {
            if (pos + step <= n && tree[pos + step] < want) {
                pos += step;
                want -= tree[pos];
            }
        }
        // slot pos (0-based) is the one
        placed[pos] = list[k];
        for (std::size_t i = pos + 1; i <= n; i += i & (~i + 1)) {
            tree[i] -= 1;
        }
    }
    const std::size_t last = drawn[n - 1];
    std::rotate(placed.begin(), placed.begin() + 1, placed.begin() + static_cast<std::ptrdiff_t>(last) + 1);
    std::copy(placed.begin(), placed.end(), list.begin());
}

std::int64_t Disordina(const std::string& source, const std::string& dest, std::uint64_t seed,
                       TGaugeSink* gauge, CancelProbe* cancel) {
    TListaColonne list;
    if (!list.LoadFromFile(ResolveInFolder(source, TFolder::Colonne), false, nullptr)) {
        throw EInOutError(msg::kImpossibileOperazioniFile);
    }
    const auto n = static_cast<std::int64_t>(list.Size());
    TGaugeOperazioni meter(gauge, 2 * n);
    std::mt19937_64 rng(seed);
    DisordinaLista(list, rng);
    meter.Avanza(n);
    const TSaveStatus saved = list.SaveToFile(ResolveInFolder(dest, TFolder::Colonne), cancel);
    if (saved == TSaveStatus::Cancelled) {
        return -1;
    }
    if (saved == TSaveStatus::Failed) {
        throw EInOutError(msg::kImpossibileOperazioniFile);
    }
    meter.Avanza(2 * n);
    return n;
}

} // namespace tessaline
