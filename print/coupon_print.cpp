#include "print/coupon_print.h"

#include <algorithm>
#include <cmath>

#include "core/cost.h"
#include "core/errors.h"
#include "core/interfaces.h"

namespace tessaline {

namespace {

bool Vuota(const Colonna& c) {
    return std::all_of(c.s.begin(), c.s.end(), [](SignSet s) { return s == 0; });
}

bool Bianca(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char ch) { return ch == ' ' || ch == '\t'; });
}

const T_TaraturaSet& Set(const TContestoStampa& ctx, int orientamento) {
    return ctx.taratura.set[orientamento == kVerticale ? 1 : 0];
}

int PerSchedina(const TLavoroStampa& job) {
    return std::clamp(job.ColonnePerSchedina, 1, 3);
}

void Check(bool ok) {
    if (!ok) {
        throw EPrinterError("errore della stampante");
    }
}

TFontDesc CourierBold(double size) {
    return TFontDesc{"Courier New", size, kFontBold};
}

void StampaCedolina(TmmPrinter& p, const TLavoroStampa& job, const TContestoStampa& ctx) {
    TCanvas& canvas = p.Canvas();
    const T_TaraturaSet& c = Set(ctx, job.Orientamento);
    const bool oriz = job.Orientamento != kVerticale;
    const double sy = c.DistanzaSegniVert + c.AQuadratini;
    for (int i = 0; i < 3; ++i) {
        const Colonna& col = job.ColonneCedolina[static_cast<std::size_t>(i)];
        if (!Vuota(col)) {
            MarcaColonna(p, c, job.Orientamento, OrigineSlot(c, job.Orientamento, i), col);
        }
    }
    canvas.SetFont(CourierBold(16));
    const bool base = !Vuota(job.ColonneCedolina[2]);
    if (oriz) {
        const double y = c.YPrimaCol - 3 * sy - 1.5;
        p.Scrivi("PRO", c.XPrimaCol, y);
        if (base) {
            p.Scrivi("BASE", c.XPrimaCol + 2 * c.DistanzaColonne, y);
        }
    } else {
        const double x = kDistanzaVerticale - c.YPrimaCol + 3 * sy;
        p.ScriviRuotato("PRO", 60, x, c.XPrimaCol, false);
        if (base) {
            p.ScriviRuotato("BASE", 60, x, c.XPrimaCol + 2 * c.DistanzaColonne, false);
        }
    }
    std::array<std::string, 11> righe = job.RigheCedolina;
    for (std::size_t j = 7; j < righe.size(); ++j) {
        righe[j].clear();
    }
    std::size_t next = 7;
    for (const std::string& s : ctx.ricevitoria) {
        if (!Bianca(s) && next < righe.size()) {
            righe[next++] = s;
        }
    }
    const double h = p.AltezzaTesto("TTTT");
    const double base0 = 3 * c.DistanzaColonne + c.XPrimaCol + 6;
    const double band = 11 * sy;
    for (std::size_t j = 0; j < righe.size(); ++j) {
        if (righe[j].empty()) {
            continue;
        }
        double s = 0;
        if (j >= 7) {
            s = -0.5 * h - 1 - static_cast<double>(j - 7);
        }
        const double o = static_cast<double>(j) * h + base0 + s;
        if (oriz) {
            p.ScriviRuotato(righe[j], 60, o, c.YPrimaCol + band + 2, true);
        } else {
            p.Scrivi(righe[j], kDistanzaVerticale - c.YPrimaCol - band, o);
        }
    }
    TFontDesc f = canvas.Font();
    f.size = 10;
    canvas.SetFont(f);
    Check(canvas.NewPage());
}

} // namespace

std::int32_t NumeroSchedine(std::size_t columns, int perCoupon) {
    const std::size_t per = static_cast<std::size_t>(std::clamp(perCoupon, 1, 3));
    return static_cast<std::int32_t>((columns + per - 1) / per);
}

std::vector<TSchedinaPiano> PianoSchedine(std::span<const Colonna> columns, int perCoupon, std::int32_t prima,
                                          std::int32_t ultima) {
    std::vector<TSchedinaPiano> plan;
    const int per = std::clamp(perCoupon, 1, 3);
    const std::size_t n = columns.size();
    std::size_t idx = static_cast<std::size_t>(std::max(prima - 1, 0)) * static_cast<std::size_t>(per);
    for (std::int32_t num = prima; idx < n && num <= ultima; ++num) {
        TSchedinaPiano coupon;
        coupon.numero = num;
        for (int j = 0; j < per && idx < n; ++j) {
            if (j == per - 1 && j > 0 && idx + 1 == n - 1 && ColumnsCovered(columns[idx + 1]) == 1) {
                break; // early close: the current column opens the next coupon with the last one
            }
            coupon.colonne.push_back(idx++);
        }
        plan.push_back(std::move(coupon));
    }
    return plan;
}

TPuntoMm OrigineSlot(const T_TaraturaSet& c, int orientamento, int slot) {
    if (orientamento == kVerticale) {
        return {kDistanzaVerticale - c.YPrimaCol, c.XPrimaCol + slot * c.DistanzaColonne};
    }
    return {c.XPrimaCol + slot * c.DistanzaColonne, c.YPrimaCol};
}

TBoxMm BoxSegno(const T_TaraturaSet& c, int orientamento, TPuntoMm o, int team, int sign) {
    const double sx = c.DistanzaSegniOriz + c.LQuadratini;
    const double sy = c.DistanzaSegniVert + c.AQuadratini;
    if (orientamento == kVerticale) {
        return {o.x - team * sy, o.y + sign * sx, c.AQuadratini, c.LQuadratini};
    }
    return {o.x + sign * sx, o.y + team * sy, c.LQuadratini, c.AQuadratini};
}

void MarcaColonna(TmmPrinter& p, const T_TaraturaSet& c, int orientamento, TPuntoMm origin,
                  const Colonna& col) {
    p.Canvas().SetBrush(kBlack);
    for (int t = 0; t < kTeams; ++t) {
        for (int k = 0; k < 4; ++k) {
            if (((col[t] >> k) & 1) != 0) {
                const TBoxMm b = BoxSegno(c, orientamento, origin, t, k);
                p.Rettangolo(b.x, b.y, b.x + b.w, b.y + b.h);
            }
        }
    }
    p.Canvas().SetBrush(kWhite);
}

std::string TestoSchedina(const TLavoroStampa& job, const TContestoStampa& ctx, std::int32_t n, double cost) {
    if (job.ModoTest) {
        return msg::kTestoProva;
    }
    const std::string amount = std::string(CurrencySign(ctx.euro)) + " " + FormatAmount(cost, ctx.euro);
    if (job.CostoFisso) {
        return "Costo della schedina " + amount;
    }
    std::string text = "Schedina Nº " + std::to_string(n) + "  " + amount;
    if (!job.ModoCedolina) {
        text = job.NomeSistema + " " + text;
    }
    return text;
}

TEsitoStampa StampaSuSchedine(TCanvas& canvas, std::span<const Colonna> columns, const TLavoroStampa& job,
                              const TContestoStampa& ctx) {
    TEsitoStampa esito;
    const std::int32_t count = NumeroSchedine(columns.size(), job.ColonnePerSchedina);
    esito.tutteStampate = job.Prima == 1 && job.Ultima == count;
    const T_TaraturaSet& c = Set(ctx, job.Orientamento);
    try {
        TmmPrinter p(canvas);
        p.InizioStampa();
        esito.pagine = 1;
        canvas.SetPen(kBlack, 1);
        canvas.SetBrush(kWhite);
        if (job.ModoCedolina && job.StampaCedolina) {
            StampaCedolina(p, job, ctx);
            ++esito.pagine;
        }
        const std::vector<TSchedinaPiano> plan =
            PianoSchedine(columns, PerSchedina(job), job.Prima, job.Ultima);
        for (std::size_t i = 0; i < plan.size(); ++i) {
            const TSchedinaPiano& coupon = plan[i];
            double cost = 0;
            for (std::size_t j = 0; j < coupon.colonne.size(); ++j) {
                const Colonna& col = columns[coupon.colonne[j]];
                if (Vuota(col) && !job.ModoTest) {
                    continue;
                }
                MarcaColonna(p, c, job.Orientamento, OrigineSlot(c, job.Orientamento, static_cast<int>(j)),
                             col);
                if (!Vuota(col)) {
                    cost += static_cast<double>(ColumnsCovered(col)) * ctx.costoColonna;
                }
            }
            if (ctx.taratura.StampaScritta != 0) {
                canvas.SetFont(CourierBold(10));
                const std::string text = TestoSchedina(job, ctx, coupon.numero, cost);
                if (job.Orientamento == kVerticale) {
                    p.Scrivi(text, kDistanzaVerticale - c.ScrittaY, c.ScrittaX);
                } else {
                    p.ScriviRuotato(text, 36, c.ScrittaX, c.ScrittaY, true);
                }
            }
            ++esito.schedine;
            if (i + 1 == plan.size()) {
                break;
            }
            if (ctx.annulla != nullptr && ctx.annulla->Peek()) {
                esito.annullata = true;
                break;
            }
            if (job.Pausa && ctx.prompt != nullptr) {
                Check(canvas.EndDoc());
                ctx.prompt->ShowMessage(msg::kInformazione, msg::kStampaInPausa, BtnOk);
                Check(canvas.BeginDoc());
            } else {
                Check(canvas.NewPage());
            }
            ++esito.pagine;
        }
        Check(canvas.EndDoc());
    } catch (const EPrinterError&) {
        throw EInOutError(msg::kImpossibileStampareSchedine);
    }
    if (esito.annullata) {
        esito.tutteStampate = false;
    }
    return esito;
}

std::string TitoloTabulato(const TLavoroStampa& job) {
    return "Stampa delle Colonne del Sistema " + job.NomeSistema;
}

TEsitoStampa StampaSuTabulato(TCanvas& canvas, std::span<const Colonna> columns, const TLavoroStampa& job,
                              const TContestoStampa& ctx, std::int32_t primaPagina) {
    TEsitoStampa esito;
    const int per = PerSchedina(job);
    // The report's units: dots, with XFactor and YFactor dots per tenth of a millimetre.
    const double xFactor = canvas.DpiX() / 254.0;
    const double yFactor = canvas.DpiY() / 254.0;
    const int pageW = canvas.PageWidth();
    const int pageH = canvas.PageHeight();
    std::int32_t page = primaPagina;
    const TFontDesc listing{ctx.tabulato.FontName, static_cast<double>(ctx.tabulato.FontSize),
                            ctx.tabulato.FontStyle};
    auto footer = [&] {
        canvas.SetFont(FontTabulato10());
        const std::string text = "Pagina Nº " + std::to_string(page);
        const int y = static_cast<int>(std::lround(pageH - canvas.TextHeight("Pagina Nº ") - 3));
        canvas.TextOut((pageW - canvas.TextWidth(text)) / 2, y, text);
        canvas.SetFont(listing);
    };
    try {
        Check(canvas.BeginDoc());
        esito.pagine = 1;
        canvas.SetPen(kBlack, 1);
        canvas.SetBrush(kWhite);
        canvas.SetFont(FontTabulato10());
        const std::string title = TitoloTabulato(job);
        canvas.TextOut((pageW - canvas.TextWidth(title)) / 2, 3, title);

        canvas.SetFont(listing);
        const int w = canvas.TextWidth("012M");
        const int colStep = w + w / 3;
        const int hgt = canvas.TextHeight("012M");
        const int rowStep = hgt + hgt / 5;
        // A box is at least as wide as its widest title, so that titles of neighbouring boxes never
        // run into each other nor off the page (one column of "012M" is narrower than "Sched. Nº 1").
        const std::string widest = (per == 3 ? "Schedina Nº " : "Sched. Nº ") + std::to_string(job.Ultima);
        const int boxW =
            std::max(static_cast<int>(std::lround(per * colStep * 1.06)), canvas.TextWidth(widest) + w / 3);
        const int boxH = static_cast<int>(std::lround(12 * rowStep * 1.06));
        const int headH = static_cast<int>(std::lround(canvas.TextHeight("Sch. Nº") * 1.3));
        const int gapX = static_cast<int>(std::lround(ctx.tabulato.SpaziaturaOriz * xFactor * 10));
        const int gapY = static_cast<int>(std::lround(ctx.tabulato.SpaziaturaVert * yFactor * 10));
        const int offX = (boxW + w / 3 - per * colStep) / 2;
        const int offY = (boxH + hgt / 5 - 12 * rowStep) / 2;

        const std::size_t n = columns.size();
        std::size_t idx =
            static_cast<std::size_t>(std::max(job.Prima - 1, 0)) * static_cast<std::size_t>(per);
        int x = 2;
        int y = 40;
        for (std::int32_t num = job.Prima; idx < n && num <= job.Ultima; ++num) {
            canvas.SetPen(kBlack, 2);
            canvas.MoveTo(x, y);
            canvas.LineTo(x + boxW, y);
            canvas.LineTo(x + boxW, y + headH + boxH);
            canvas.LineTo(x, y + headH + boxH);
            canvas.LineTo(x, y);
            canvas.MoveTo(x, y + headH);
            canvas.LineTo(x + boxW - 1, y + headH);
            const std::string head = (per == 3 ? "Schedina Nº " : "Sched. Nº ") + std::to_string(num);
            canvas.TextOut(x + (boxW - canvas.TextWidth(head)) / 2, y + (headH - canvas.TextHeight(head)) / 2,
                           head);
            for (int k = 1; k <= per && idx < n; ++k, ++idx) {
                const Colonna& col = columns[idx];
                for (int t = 0; t < kTeams; ++t) {
                    const std::string signs = SignText(col[t]);
                    if (!signs.empty()) {
                        canvas.TextOut(x + offX + (k - 1) * colStep, y + headH + offY + t * rowStep, signs);
                    }
                }
            }
            for (int r = 2; r <= 10; r += 2) {
                const int ry = y + headH + r * rowStep + offY - 1;
                canvas.MoveTo(x, ry);
                canvas.LineTo(x + boxW - 2, ry);
            }
            ++esito.schedine;
            x += boxW + gapX;
            if (x + boxW > pageW) {
                y += boxH + headH + gapY;
                x = 2;
                if (y + boxH + headH > pageH - 10 && num != job.Ultima && idx < n) {
                    footer();
                    ++page;
                    Check(canvas.NewPage());
                    ++esito.pagine;
                    canvas.SetFont(listing);
                    x = 2;
                    y = 10;
                }
            }
            if (ctx.annulla != nullptr && ctx.annulla->Peek()) {
                esito.annullata = true;
                break;
            }
        }
        footer();
        Check(canvas.EndDoc());
    } catch (const EPrinterError&) {
        throw EInOutError(msg::kImpossibileStampareTabulato);
    }
    return esito;
}

} // namespace tessaline
