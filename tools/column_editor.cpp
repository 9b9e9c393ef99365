#include "tools/column_editor.h"

#include <algorithm>
#include <cctype>

#include "core/column_list.h"

namespace tessaline {

namespace {

SignSet SegnoDi(char c) {
    switch (c) {
    case '0':
        return kSign0;
    case '1':
        return kSign1;
    case '2':
        return kSign2;
    case 'M':
        return kSignM;
    default:
        return 0;
    }
}

} // namespace

SignSet MascheraCella(const std::string& text) {
    std::string t;
    for (char c : text) {
        if (c != ' ') {
            t += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    if (t.empty() || t.size() > 4) {
        return 0;
    }
    SignSet mask = 0;
    for (char c : t) {
        const SignSet s = SegnoDi(c);
        if (s == 0) {
            return 0;
        }
        mask = static_cast<SignSet>(mask | s);
    }
    return mask;
}

std::string TestoCella(SignSet mask) {
    return SignText(static_cast<SignSet>(mask & 0x0F));
}

std::optional<std::string> TastoCella(const std::string& text, char key) {
    if (key == '\b') {
        std::string t = text;
        if (!t.empty()) {
            t.pop_back();
        }
        return t;
    }
    if (key == 'm') {
        key = 'M';
    }
    if (SegnoDi(key) == 0 || text.find(key) != std::string::npos) {
        return std::nullopt;
    }
    return text + key;
}

bool ColonnaVuota(const Colonna& c) {
    return std::all_of(c.s.begin(), c.s.end(), [](SignSet s) { return s == 0; });
}

void TEditorColonne::Memorizza(std::size_t index, const std::array<SignSet, kTeams>& masks) {
    if (colonne.size() <= index) {
        colonne.resize(index + 1);
    }
    colonne[index].s = masks;
}

Colonna TEditorColonne::At(std::size_t index) const {
    return index < colonne.size() ? colonne[index] : Colonna{};
}

std::optional<TPosizione> TEditorColonne::Verifica() const {
    for (std::size_t i = 0; i < colonne.size(); ++i) {
        if (ColonnaVuota(colonne[i])) {
            continue;
        }
        for (int t = 0; t < kTeams; ++t) {
            if (colonne[i][t] == 0) {
                return TPosizione{i, t};
            }
        }
    }
    return std::nullopt;
}

void TEditorColonne::RimuoviVuote() {
    std::erase_if(colonne, ColonnaVuota);
}

void TEditorColonne::InserisciVuota(std::size_t index) {
    colonne.insert(colonne.begin() + static_cast<std::ptrdiff_t>(std::min(index, colonne.size())), Colonna{});
}

bool TEditorColonne::Cancella(std::size_t index) {
    if (index >= colonne.size()) {
        return false;
    }
    colonne.erase(colonne.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

void TEditorColonne::InserisciColonne(std::size_t index, const TListaColonne& list) {
    colonne.insert(colonne.begin() + static_cast<std::ptrdiff_t>(std::min(index, colonne.size())),
                   list.begin(), list.end());
}

void TEditorColonne::Ordina() {
    RimuoviVuote();
    // Selection by the smallest remaining column gives the ascending order; equal columns are
    // indistinguishable, so any sort gives the same list.
    std::sort(colonne.begin(), colonne.end(), [](const Colonna& a, const Colonna& b) { return a.s < b.s; });
}

TListaColonne TEditorColonne::NonVuote() const {
    TListaColonne out;
    for (const Colonna& c : colonne) {
        if (!ColonnaVuota(c)) {
            out.Append(c);
        }
    }
    return out;
}

} // namespace tessaline
