#pragma once
// Long jobs on one worker thread behind a modal window: the job runs on its own thread while the
// user-interface thread keeps painting and taking "Annulla"; what the job reports or asks is handed
// to the user-interface thread.

#include <QObject>
#include <QPointer>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include "core/interfaces.h"
#include "core/progress.h"

namespace tessaline {

// Runs job on a worker thread and returns when it has ended, keeping the caller's event loop going
// meanwhile; an exception of the job is raised again here. Call it on the user-interface thread.
void RunOnWorker(const std::function<void()>& job);

// Keeps user input away from every window but one while it lives (the run's window; none when
// null): mouse, keys, wheel and closing reach only that window and the modal windows (questions).
class TInputBlock : public QObject {
public:
    explicit TInputBlock(QWidget* allowed);
    ~TInputBlock() override;
    TInputBlock(const TInputBlock&) = delete;
    TInputBlock& operator=(const TInputBlock&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> allowed_;
};

// Hands calls made on any thread to the user-interface thread, in order. Calls of one kind that
// pile up while the user-interface thread is busy are coalesced to the newest (kind 0 never is).
class TUiQueue {
public:
    explicit TUiQueue(QObject* context);
    ~TUiQueue(); // runs what is still queued
    TUiQueue(const TUiQueue&) = delete;
    TUiQueue& operator=(const TUiQueue&) = delete;

    void Post(int kind, std::function<void()> call);
    // Runs every queued call now (user-interface thread only).
    void Flush();

private:
    struct TState {
        std::mutex mutex;
        std::deque<std::pair<int, std::function<void()>>> calls;
        bool posted = false;
        bool closed = false;
    };
    static void Drain(const std::shared_ptr<TState>& state);
    QPointer<QObject> context_;
    std::shared_ptr<TState> state_;
};

// The development progress of a run on the worker, delivered to a window on the user-interface
// thread. Intermediate count reports are coalesced when the window falls behind; final reports,
// state texts and steps are always delivered, in order.
class TQueuedDevelopProgress final : public TDevelopProgress {
public:
    TQueuedDevelopProgress(QObject* context, TDevelopProgress& target) : queue_(context), target_(target) {}
    void Flush() { queue_.Flush(); }

    void AggiornaCond(std::int64_t t, std::int64_t a, bool f, std::int64_t e) override;
    void AggiornaCondRid(std::int64_t t, std::int64_t a, bool f, std::int64_t k, std::int64_t e) override;
    void AggiornaRidOtt(std::int64_t n, std::int64_t chosen, bool f, std::int64_t covered) override;
    void AggiornaMigliorata(std::int64_t current, std::int64_t best, int percent) override;
    void Stato(const std::string& text) override;
    void Inizio(bool recalculation, bool reducing) override;
    void EnumerazioneInterrotta() override;
    void CondizionamentoConcluso() override;
    void RiduzioneAvviata() override;
    void RiduzioneConclusa() override;
    void CalcoloTerminato(std::int64_t n, std::int64_t previous) override;

private:
    TUiQueue queue_;
    TDevelopProgress& target_;
};

// Questions asked on the worker go to the user-interface thread's prompt, and the worker waits for
// the answer; asked on the user-interface thread, they go straight through.
class TUiThreadPrompt final : public UserPrompt {
public:
    explicit TUiThreadPrompt(UserPrompt* inner) : inner_(inner) {}
    int ShowMessage(const std::string& title, const std::string& text, int buttons) override;

private:
    UserPrompt* inner_;
};

} // namespace tessaline
