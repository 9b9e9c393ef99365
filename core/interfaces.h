#pragma once
// What the engine asks of whoever drives it: a user to answer questions, a way to report progress,
// and a cheap probe for the "Annulla" button.

#include <atomic>
#include <string>

namespace tessaline {

// Button bits of the message window; also its results. 0 is the result of closing the window.
enum TButton : int { BtnOk = 1, BtnSi = 2, BtnNo = 4, BtnAnnulla = 8 };

class UserPrompt {
public:
    virtual ~UserPrompt() = default;
    // Shows the message with the buttons whose bits are set; returns the pressed button or 0.
    virtual int ShowMessage(const std::string& title, const std::string& text, int buttons) = 0;
};

// Answers every question with a fixed policy and keeps what was asked (for the CLI and tests).
class TFixedAnswerPrompt : public UserPrompt {
public:
    // answerYes: "Si" when offered (else "Ok"); otherwise "No" when offered (else "Ok").
    explicit TFixedAnswerPrompt(bool answerYes = true) : answerYes_(answerYes) {}
    int ShowMessage(const std::string& title, const std::string& text, int buttons) override;
    int Count() const { return count_; }
    const std::string& LastTitle() const { return lastTitle_; }
    const std::string& LastText() const { return lastText_; }

private:
    bool answerYes_;
    int count_ = 0;
    std::string lastTitle_;
    std::string lastText_;
};

// The "Annulla" look-up. Peek looks at a pending press without removing it; Take removes it.
// Both must be cheap: they run inside the hot loops.
class CancelProbe {
public:
    virtual ~CancelProbe() = default;
    virtual bool Peek() = 0;
    virtual bool Take() = 0;
};

// A press held in an atomic flag; Request may come from another thread or a signal handler.
class TCancelFlag : public CancelProbe {
public:
    void Request() { pending_.store(true, std::memory_order_relaxed); }
    void Reset() { pending_.store(false, std::memory_order_relaxed); }
    bool Peek() override { return pending_.load(std::memory_order_relaxed); }
    bool Take() override { return pending_.exchange(false, std::memory_order_relaxed); }

private:
    std::atomic<bool> pending_{false};
};

// The progress window of merges and file operations ("TFormProgress"): caption, a label, a gauge.
class TProgressSink {
public:
    virtual ~TProgressSink() = default;
    virtual void Begin(const std::string& caption) = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    // Step, name and percent as handed by the operation; see TProgressModel for what is shown.
    virtual void Aggiorna(int step, const std::string& name, double percent) = 0;
    virtual void End() = 0;
};

// What the progress window shows, kept apart from any toolkit: the label changes with the step,
// the gauge moves to the truncated percent when that differs from its position and is more than 4
// above it, 0, or 100.
class TProgressModel {
public:
    void Reset() {
        lastStep_ = -1;
        gauge_ = 0;
        label_.clear();
    }
    // Returns true when the label or the gauge changed.
    bool Aggiorna(int step, const std::string& name, double percent);
    const std::string& Label() const { return label_; }
    int Gauge() const { return gauge_; }

private:
    int lastStep_ = -1;
    int gauge_ = 0;
    std::string label_;
};

} // namespace tessaline
