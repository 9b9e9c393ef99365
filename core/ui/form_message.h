#pragma once
// The program's message window: a title, a word-wrapped text beside a picture, and the buttons
// Si, Ok, No, Annulla spread with equal gaps. Every question of the program goes through it.

#include <QDialog>
#include <QPixmap>
#include <QPushButton>
#include <QStringList>

#include "core/interfaces.h"

namespace tessaline {

class TFormMessage : public QDialog, public UserPrompt {
    Q_OBJECT
public:
    explicit TFormMessage(QWidget* parent = nullptr);

    // Shows the window modally; returns the pressed button's bit, 0 when closed otherwise.
    int ShowMessage(const std::string& title, const std::string& text, int buttons) override;
    int ShowMessage(const QString& title, const QString& text, int buttons);

    // Prepares the window as ShowMessage does, without running it (tests, screenshots).
    void Prepara(const QString& title, const QString& text, int buttons);
    QPushButton* Button(TButton b) const;
    // The text lines as painted, and where the first one starts.
    const QStringList& Lines() const { return lines_; }
    int TextLeft() const;
    static constexpr int kButtonWidth = 88;
    static constexpr int kWidth = 420;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void Layout();
    QPushButton* btnSi_;
    QPushButton* btnOk_;
    QPushButton* btnNo_;
    QPushButton* btnAnnulla_;
    QPixmap picture_;
    QString text_;
    QStringList lines_;
    int result_ = 0;
};

// Splits text at single spaces and fills lines whose right end stays within maxRight when drawn
// from left; widthOf measures a piece of text.
template <class Measure> QStringList WrapWords(const QString& text, int left, int maxRight, Measure widthOf) {
    QStringList lines;
    QString line;
    int x = left;
    const QStringList words = text.split(QLatin1Char(' '));
    for (int i = 0; i < words.size(); ++i) {
        const QString piece = words[i] + (i + 1 < words.size() ? QStringLiteral(" ") : QString());
        const int w = widthOf(words[i]);
        if (!line.isEmpty() && x + w > maxRight) {
            lines << line;
            line.clear();
            x = left;
        }
        line += piece;
        x += widthOf(piece);
    }
    if (!line.isEmpty()) {
        lines << line;
    }
    return lines;
}

} // namespace tessaline
