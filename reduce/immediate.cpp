#include "reduce/immediate.h"

#include <cmath>

#include "core/atomic_file.h"
#include "core/binary_io.h"
#include "core/cost.h"

namespace tessaline {

std::vector<std::uint8_t> ScriviRidotto(const TRidotto& r) {
    TByteWriter w;
    w.Bytes(r.integrali.data(), r.integrali.size());
    for (int t = 0; t < kTeams; ++t) {
        w.U8(r.base[t]);
    }
    w.U8(r.garanziaCinque ? 1 : 0);
    w.PString(r.nome, kRidottoNomeBytes);
    return std::move(w.Data());
}

bool LeggiRidotto(std::span<const std::uint8_t> bytes, TRidotto& out) {
    TByteReader in(bytes);
    TRidotto r;
    if (!in.Bytes(r.integrali.data(), r.integrali.size())) {
        return false;
    }
    for (const std::uint8_t flag : r.integrali) {
        if (flag > 1) {
            return false;
        }
    }
    for (int t = 0; t < kTeams; ++t) {
        std::uint8_t sign = 0;
        if (!in.U8(sign) || sign > kAllSigns) {
            return false;
        }
        r.base[t] = sign;
    }
    std::uint8_t guarantee = 0;
    if (!in.U8(guarantee) || !in.PString(r.nome, kRidottoNomeBytes)) {
        return false;
    }
    r.garanziaCinque = guarantee != 0;
    out = std::move(r);
    return true;
}

bool SalvaRidotto(const std::filesystem::path& file, const TRidotto& r) {
    const auto bytes = ScriviRidotto(r);
    return SaveFileAtomic(file, bytes);
}

bool CaricaRidotto(const std::filesystem::path& file, TRidotto& out) {
    std::vector<std::uint8_t> bytes;
    // Nothing beyond the record is read; a file many times its size is not one.
    if (!ReadWholeFile(file, bytes, std::size_t{64} * 1024)) {
        return false;
    }
    return LeggiRidotto(bytes, out);
}

IntegralBases BasiIntegrali(const Colonna& base, const std::array<std::uint8_t, kTeams>& integrali) {
    IntegralBases bases{};
    for (int t = 0; t < kTeams; ++t) {
        const SignSet set = base[t];
        if (integrali[static_cast<std::size_t>(t)] != 0 && SignCount(set) > 1) {
            bases[static_cast<std::size_t>(t)] = static_cast<SignSet>(set & -set); // lowest bit first
        }
    }
    return bases;
}

double CostoColonna(double price, int doubles, int triples, int quadruples) {
    return price * std::pow(2.0, doubles) * std::pow(3.0, triples) * std::pow(4.0, quadruples);
}

std::string TestoCostoRidotto(std::int64_t columns, double price, bool euro) {
    return std::string(" ") + CurrencySign(euro) + " " +
           FormatAmount(static_cast<double>(columns) * price, euro) + "  Col. " + std::to_string(columns);
}

std::string RigaVarianti(int doubles, int triples, int quadruples) {
    return "Dp : " + std::to_string(doubles) + "  Tr : " + std::to_string(triples) +
           "  Qd : " + std::to_string(quadruples);
}

std::string RigaCosto(double amount, bool euro, bool conConcorso, std::int32_t concorso) {
    std::string line = std::string(CurrencySign(euro)) + " " + FormatAmount(amount, euro);
    if (conConcorso) {
        line += " Concorso N\xC2\xBA " + std::to_string(concorso);
    }
    return line;
}

} // namespace tessaline
