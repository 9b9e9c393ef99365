#pragma once
// A coupon on the screen: its number, up to three columns side by side and, in a fourth column,
// the winning column; the marked columns are shaded. Used by the winning-coupon viewer and the
// column tools.

#include <QWidget>
#include <array>

#include "core/column.h"

namespace tessaline {

class TQuattroColonne : public QWidget {
    Q_OBJECT
public:
    explicit TQuattroColonne(QWidget* parent = nullptr);

    // A sign byte with the bit 128 set is drawn highlighted.
    // The coupon: its number (shown as "Schedina Nº n"), its columns (count 0 to 3) and their marks.
    void Imposta(std::int32_t numero, const std::array<Colonna, 3>& colonne, int usate,
                 const std::array<std::uint8_t, 3>& segnate);
    // The winning column of the fourth slot; none when not set.
    void ImpostaVincente(const Colonna& vincente);
    void TogliVincente() {
        conVincente_ = false;
        update();
    }

    std::int32_t Numero() const { return numero_; }
    int Usate() const { return usate_; }
    const Colonna& ColonnaN(int k) const { return colonne_[static_cast<std::size_t>(k)]; }
    bool Segnata(int k) const { return segnate_[static_cast<std::size_t>(k)] != 0; }
    // The text of one cell: the signs of team `team` in column k (3 is the winning column).
    QString Cella(int k, int team) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    std::int32_t numero_ = 0;
    std::array<Colonna, 3> colonne_{};
    std::array<std::uint8_t, 3> segnate_{};
    int usate_ = 0;
    Colonna vincente_{};
    bool conVincente_ = false;
};

} // namespace tessaline
