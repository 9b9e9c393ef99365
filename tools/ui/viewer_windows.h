#pragma once
// The column viewer (four coupons and a scroll bar) and the voice dictation of coupons
// ("Dettatura Schedine"), with the player that says the signs from the voice file.

#include <QBuffer>
#include <QDialog>
#include <QObject>
#include <array>
#include <memory>

#include "tools/dictation.h"
#include "tools/voice.h"

class QAudioSink;
class QCheckBox;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSpinBox;
class QTimer;

namespace tessaline {

class TListaColonne;
class TQuattroColonne;

namespace msg {
inline constexpr const char* kImpossibileFileVocale = "Impossibile Caricare il File Vocale";
} // namespace msg

// Says stretches of the voice file through the sound output. The file is read whole when the
// player is made; a missing or unreadable file raises EInOutError "Impossibile Caricare il File
// Vocale".
class TLettoreQt : public QObject, public TLettoreVocale {
    Q_OBJECT
public:
    explicit TLettoreQt(QObject* parent = nullptr);
    ~TLettoreQt() override;
    void Pausa() override;
    void ImpostaTratto(const TTratto& t) override { tratto_ = t; }
    void Suona() override;
    void Chiudi();

private:
    TSuonoPcm suono_;
    TTratto tratto_;
    QAudioSink* sink_ = nullptr;
    QBuffer buffer_;
};

class TFormVisCol : public QDialog {
    Q_OBJECT
public:
    TFormVisCol(const TListaColonne& columns, QWidget* parent = nullptr);

    const std::vector<TSchedinaVin>& Schedine() const { return schedine_; }
    // The four displays from scroll position p.
    void Mostra(int p);

    std::array<TQuattroColonne*, 4> QuattroColonne{};
    QScrollBar* ScrollBar;

private:
    std::vector<TSchedinaVin> schedine_;
};

class TFormDettSche : public QDialog {
    Q_OBJECT
public:
    // player says the signs (the window does not own it; it must outlive the window).
    TFormDettSche(const TListaColonne& columns, TLettoreVocale& player, QWidget* parent = nullptr);

    TDettatura& Dettatura() { return dett_; }
    void PlayClick();
    void PausaClick();
    void StopClick();
    // One tick of the timer.
    void Tick();
    // The display from the dictation's state.
    void MostraSchedina();

    TQuattroColonne* Schedina;
    QSpinBox* SpinMin;
    QSpinBox* SpinMax;
    QSpinBox* SpinPausa;
    QRadioButton* RadioRighe;
    QRadioButton* RadioColonne;
    QCheckBox* CheckPausa;
    QPushButton* BtnPlay;
    QPushButton* BtnPausa;
    QPushButton* BtnStop;
    QTimer* Timer;

    // Runs when the window closes (the command closes its player there).
    std::function<void()> allaChiusura;

protected:
    void done(int r) override;

private:
    void Pulsanti();

    TDettatura dett_;
    TLettoreVocale& player_;
    bool updating_ = false;
};

} // namespace tessaline
