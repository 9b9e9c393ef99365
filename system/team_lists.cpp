#include "system/team_lists.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

#include "core/atomic_file.h"
#include "core/codepage.h"
#include "core/errors.h"
#include "core/paths.h"
#include "system/coupon.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

constexpr int kMaxPartecipanti = 100;

// Lower case of a Windows-1252 byte.
unsigned char Minuscola(unsigned char b) {
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) {
        return static_cast<unsigned char>(b + 32);
    }
    switch (b) {
    case 0x8A:
    case 0x8C:
    case 0x8E:
        return static_cast<unsigned char>(b + 16);
    case 0x9F:
        return 0xFF;
    default:
        return b;
    }
}

// Upper case of a Windows-1252 byte ("ß" and "ÿ" keep no single upper case but "Ÿ").
unsigned char Maiuscola(unsigned char b) {
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) {
        return static_cast<unsigned char>(b - 32);
    }
    switch (b) {
    case 0x9A:
    case 0x9C:
    case 0x9E:
        return static_cast<unsigned char>(b - 16);
    case 0xFF:
        return 0x9F;
    default:
        return b;
    }
}

// The letter without its accent, in lower case; some letters stand for two.
void Base(unsigned char b, std::string& out) {
    const unsigned char m = Minuscola(b);
    if (m < 0x80) {
        out.push_back(static_cast<char>(m));
        return;
    }
    const char* s = nullptr;
    if (m >= 0xE0 && m <= 0xE5) {
        s = "a";
    } else if (m == 0xE6) {
        s = "ae";
    } else if (m == 0xE7) {
        s = "c";
    } else if (m >= 0xE8 && m <= 0xEB) {
        s = "e";
    } else if (m >= 0xEC && m <= 0xEF) {
        s = "i";
    } else if (m == 0xF0) {
        s = "d";
    } else if (m == 0xF1) {
        s = "n";
    } else if ((m >= 0xF2 && m <= 0xF6) || m == 0xF8) {
        s = "o";
    } else if (m >= 0xF9 && m <= 0xFC) {
        s = "u";
    } else if (m == 0xFD || m == 0xFF) {
        s = "y";
    } else if (m == 0xFE) {
        s = "th";
    } else if (m == 0xDF) {
        s = "ss";
    } else if (m == 0x9A) {
        s = "s";
    } else if (m == 0x9C) {
        s = "oe";
    } else if (m == 0x9E) {
        s = "z";
    }
    if (s != nullptr) {
        out += s;
    } else {
        out.push_back(static_cast<char>(m));
    }
}

int ConfrontaByte(const std::string& a, const std::string& b) {
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::string Primaria(const std::string& cp) {
    std::string out;
    for (char ch : cp) {
        Base(static_cast<unsigned char>(ch), out);
    }
    return out;
}

std::string Secondaria(const std::string& cp) {
    std::string out;
    for (char ch : cp) {
        out.push_back(static_cast<char>(Minuscola(static_cast<unsigned char>(ch))));
    }
    return out;
}

// Lower case first: every letter becomes 0 when lower case, 1 otherwise.
std::string Terziaria(const std::string& cp) {
    std::string out;
    for (char ch : cp) {
        const auto b = static_cast<unsigned char>(ch);
        out.push_back(Minuscola(b) == b ? '0' : '1');
    }
    return out;
}

bool Vuoto(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char ch) { return ch == ' '; });
}

// Upper case, spaces removed.
std::string ChiaveCoupon(const std::string& utf8) {
    std::string out;
    for (char ch : Utf8ToCp1252(utf8)) {
        if (ch != ' ') {
            out.push_back(static_cast<char>(Maiuscola(static_cast<unsigned char>(ch))));
        }
    }
    return out;
}

} // namespace

const char* NomeLega(TLega lega) {
    switch (lega) {
    case TLega::A:
        return "A";
    case TLega::B:
        return "B";
    case TLega::C1:
        return "C1";
    case TLega::C2:
        return "C2";
    }
    return "";
}

std::filesystem::path FileLega(TLega lega) {
    return ProgramDir() / (std::string("Squadr") + NomeLega(lega) + ".Txt");
}

std::string MessaggioCaricaLista(TLega lega) {
    return std::string("Impossibile Caricare la Lista delle Squadre di Serie ") + NomeLega(lega);
}

std::string MessaggioSalvaLista(TLega lega) {
    return std::string("Impossibile Salvare la Lista delle Squadre di Serie ") + NomeLega(lega);
}

int ConfrontaNomi(std::string_view a, std::string_view b) {
    const std::string ca = Utf8ToCp1252(a);
    const std::string cb = Utf8ToCp1252(b);
    if (const int c = ConfrontaByte(Primaria(ca), Primaria(cb)); c != 0) {
        return c;
    }
    if (const int c = ConfrontaByte(Secondaria(ca), Secondaria(cb)); c != 0) {
        return c;
    }
    return ConfrontaByte(Terziaria(ca), Terziaria(cb));
}

bool StessoNome(std::string_view a, std::string_view b) {
    return Secondaria(Utf8ToCp1252(a)) == Secondaria(Utf8ToCp1252(b));
}

std::size_t TListaSquadre::Aggiungi(const std::string& name) {
    const auto it =
        std::lower_bound(nomi_.begin(), nomi_.end(), name,
                         [](const std::string& x, const std::string& y) { return ConfrontaNomi(x, y) < 0; });
    // The list holds no two names equal but for case, so such a name sits just before or at it.
    if (it != nomi_.end() && StessoNome(*it, name)) {
        return static_cast<std::size_t>(it - nomi_.begin());
    }
    if (it != nomi_.begin() && StessoNome(*(it - 1), name)) {
        return static_cast<std::size_t>(it - 1 - nomi_.begin());
    }
    return static_cast<std::size_t>(nomi_.insert(it, name) - nomi_.begin());
}

void TListaSquadre::Cancella(std::size_t index) {
    if (index < nomi_.size()) {
        nomi_.erase(nomi_.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

std::size_t TListaSquadre::Modifica(std::size_t index, const std::string& name) {
    Cancella(index);
    return Aggiungi(name);
}

void TListaSquadre::DaTesto(std::string_view bytes) {
    // A line ends at CR LF, at a bare LF or at a bare CR (blank lines are skipped anyway).
    std::vector<std::string> lette;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        const std::string_view line = bytes.substr(start, end - start);
        if (!Vuoto(line)) {
            lette.push_back(Cp1252ToUtf8(line));
        }
        start = end + 1;
    }
    // The same list as adding the names one by one (the first of names equal but for case stays),
    // sorted once: a long damaged file does not cost a shift of the list for every line.
    std::vector<std::size_t> ordine(lette.size());
    std::iota(ordine.begin(), ordine.end(), std::size_t{0});
    std::stable_sort(ordine.begin(), ordine.end(),
                     [&](std::size_t a, std::size_t b) { return ConfrontaNomi(lette[a], lette[b]) < 0; });
    nomi_.clear();
    std::size_t tenuto = 0; // file index of the last name kept
    for (std::size_t i : ordine) {
        if (!nomi_.empty() && StessoNome(nomi_.back(), lette[i])) {
            if (i < tenuto) {
                nomi_.back() = std::move(lette[i]);
                tenuto = i;
            }
            continue;
        }
        nomi_.push_back(std::move(lette[i]));
        tenuto = i;
    }
}

std::string TListaSquadre::Testo() const {
    std::string out;
    for (const std::string& name : nomi_) {
        out += Utf8ToCp1252(name);
        out += "\r\n";
    }
    return out;
}

void TListeSquadre::Carica() {
    for (TLega lega : kTutteLeLeghe) {
        std::vector<std::uint8_t> bytes;
        if (!ReadWholeFile(FileLega(lega), bytes, std::size_t{16} << 20)) {
            throw EInOutError(MessaggioCaricaLista(lega));
        }
        Lista(lega).DaTesto(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
}

void TListeSquadre::Salva() const {
    for (TLega lega : kTutteLeLeghe) {
        const std::string text = Lista(lega).Testo();
        const auto* p = reinterpret_cast<const std::uint8_t*>(text.data());
        if (!SaveFileAtomic(FileLega(lega), std::span<const std::uint8_t>(p, text.size()))) {
            throw EInOutError(MessaggioSalvaLista(lega));
        }
    }
}

std::optional<std::string> ValidaNomeSquadra(const std::string& name) {
    if (Vuoto(name)) {
        return std::string(msg::kNomeSquadraNonValido);
    }
    return std::nullopt;
}

std::optional<std::string> ApplicaPartecipanti(T_Sistema& sys, int numero, bool specificaNomi,
                                               const std::vector<std::string>& righe) {
    std::vector<std::string> nomi;
    for (const std::string& r : righe) {
        if (!Vuoto(r)) {
            nomi.push_back(r);
        }
    }
    numero = std::clamp(numero, 1, kMaxPartecipanti);
    if (specificaNomi && static_cast<int>(nomi.size()) != numero && numero != 1) {
        return std::string(msg::kNomiSociNonCorrispondono);
    }
    sys.participants.clear();
    if (specificaNomi) {
        sys.participants = std::move(nomi);
    }
    sys.ParticipantCount = numero;
    sys.participantNamesFlag = specificaNomi ? 1 : 0;
    sys.modified = true;
    return std::nullopt;
}

TSelezioneSquadre::TSelezioneSquadre(T_Sistema& sys) : sys_(sys) {
    for (int t = 0; t < kTeams; ++t) {
        if (Vuoto(sys.dati.teamNames[static_cast<std::size_t>(t)])) {
            slot_ = t;
            return;
        }
    }
    slot_ = 0;
}

void TSelezioneSquadre::Su() {
    slot_ = std::max(0, slot_ - 1);
}

void TSelezioneSquadre::Giu() {
    slot_ = std::min(kTeams - 1, slot_ + 1);
}

int TSelezioneSquadre::Righe(std::size_t entries) {
    return std::max(10, static_cast<int>((entries + 1) / 2));
}

bool TSelezioneSquadre::SulCoupon(const std::string& name) const {
    const std::string key = ChiaveCoupon(name);
    return std::any_of(sys_.dati.teamNames.begin(), sys_.dati.teamNames.end(),
                       [&](const std::string& t) { return !Vuoto(t) && ChiaveCoupon(t) == key; });
}

void TSelezioneSquadre::Scegli(const std::string& name) {
    if (name.empty()) {
        return;
    }
    sys_.dati.teamNames[static_cast<std::size_t>(slot_)] = TagliaNomeSquadra(name);
    sys_.modified = true;
    Giu();
}

} // namespace tessaline
