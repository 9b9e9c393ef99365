#pragma once
// Columns onto paper: marked into the boxes of the official coupons, up to three columns per
// coupon, with the coupon text and the receipt; or as a listing of framed coupon images.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/column.h"
#include "print/mm_printer.h"
#include "print/print_settings.h"

namespace tessaline {

class UserPrompt;
class CancelProbe;

namespace msg {
inline constexpr const char* kImpossibileStampareSchedine = "Impossibile Stampare le Schedine";
// What the print window shows for any failure of a printout.
inline constexpr const char* kStampaNonRiuscita = "Impossibile Stampare le schedine.";
inline constexpr const char* kImpossibileStampareTabulato = "Impossibile Stampare il Tabulato";
inline constexpr const char* kNumeroSchedinaErrato = "Il Numero della schedina iniziale o finale è errato.";
inline constexpr const char* kStampaInPausa = "Stampa Schedine In Pausa ( Ok per Continuare )";
inline constexpr const char* kTestoProva = "Nome Schedina Nº 1 L. 2.400";
} // namespace msg

// Orientation: calibration set 1 "Orizzontale", set 2 "Verticale".
inline constexpr int kOrizzontale = 1;
inline constexpr int kVerticale = 2;
// Fixed distance of the turned coupon (mm): the "Verticale" set counts across from it.
inline constexpr double kDistanzaVerticale = 102.0;

// One print job as the print window holds it.
struct TLavoroStampa {
    std::int32_t Prima = 1;  // first coupon, from 1
    std::int32_t Ultima = 1; // last coupon
    int Orientamento = kOrizzontale;
    int ColonnePerSchedina = 3; // 1 to 3
    bool ModoTest = false;      // the calibration window's test coupon
    bool ModoCedolina = false;  // a caller that supplies a receipt
    bool CostoFisso = false;    // the coupon text shows the coupon's cost only
    bool StampaCedolina = false;
    bool Pausa = false; // "Pausa tra due Schedine"
    std::array<std::string, 11> RigheCedolina{};
    std::array<Colonna, 3> ColonneCedolina{};
    // Outside ModoCedolina: the system document's name (coupon text and listing title); in
    // ModoCedolina the caller's system name (listing title).
    std::string NomeSistema;
};

// What the printouts take from the program settings, and whom they ask.
struct TContestoStampa {
    T_Taratura taratura;
    TImpTabulato tabulato;
    double costoColonna = 800; // the column cost in force
    bool euro = false;
    std::array<std::string, 4> ricevitoria{}; // heading, address, city, telephone
    UserPrompt* prompt = nullptr;             // the pause between coupons (no pause without it)
    CancelProbe* annulla = nullptr;           // looked at between coupons
};

struct TEsitoStampa {
    int schedine = 0; // coupons printed
    int pagine = 0;   // pages of the printout
    bool tutteStampate = false;
    bool annullata = false;
};

// ceiling(columns / per coupon); 0 without columns.
std::int32_t NumeroSchedine(std::size_t columns, int perCoupon);

// One coupon of the plan: its number and the list positions of its columns, slot by slot.
struct TSchedinaPiano {
    std::int32_t numero = 0;
    std::vector<std::size_t> colonne;
};
// Which columns go on which coupon from prima to ultima, with the early close of the last slot:
// when the column after the one due in the last slot is the list's last and stands for one simple
// column, the coupon closes and the two go together on the next one. The early close applies only
// to a slot after the first (with one column per coupon it would never place a column).
std::vector<TSchedinaPiano> PianoSchedine(std::span<const Colonna> columns, int perCoupon, std::int32_t prima,
                                          std::int32_t ultima);

struct TPuntoMm {
    double x = 0;
    double y = 0;
};
// Origin of slot j on the coupon in the given orientation.
TPuntoMm OrigineSlot(const T_TaraturaSet& c, int orientamento, int slot);
// Top-left corner and size (mm) of the box of team t (0-11) and sign k (0-3) at a slot origin.
struct TBoxMm {
    double x = 0;
    double y = 0;
    double w = 0;
    double h = 0;
};
TBoxMm BoxSegno(const T_TaraturaSet& c, int orientamento, TPuntoMm origin, int team, int sign);
// Marks every sign of the column with a black box; the brush goes back to white.
void MarcaColonna(TmmPrinter& p, const T_TaraturaSet& c, int orientamento, TPuntoMm origin,
                  const Colonna& col);

// The coupon text of coupon n costing cost.
std::string TestoSchedina(const TLavoroStampa& job, const TContestoStampa& ctx, std::int32_t n, double cost);

// Prints the coupons (and the receipt first when asked) on the canvas, one coupon per page (one per
// document with the pause). Throws EInOutError "Impossibile Stampare le Schedine" on a printer
// failure; a cancel between coupons ends the document and returns with annullata set.
TEsitoStampa StampaSuSchedine(TCanvas& canvas, std::span<const Colonna> columns, const TLavoroStampa& job,
                              const TContestoStampa& ctx);

// The listing of coupons prima to ultima as framed coupon images, pages numbered from primaPagina.
// Throws EInOutError "Impossibile Stampare il Tabulato" on a printer failure.
TEsitoStampa StampaSuTabulato(TCanvas& canvas, std::span<const Colonna> columns, const TLavoroStampa& job,
                              const TContestoStampa& ctx, std::int32_t primaPagina = 1);

// The title of the listing ("Stampa delle Colonne del Sistema " + name).
std::string TitoloTabulato(const TLavoroStampa& job);

} // namespace tessaline
