#include "core/ui/worker.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QThread>
#include <QWidget>
#include <exception>
#include <thread>

namespace tessaline {

void RunOnWorker(const std::function<void()>& job) {
    QEventLoop loop;
    std::exception_ptr error;
    std::thread worker([&] {
        try {
            job();
        } catch (...) {
            error = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    if (error) {
        std::rethrow_exception(error);
    }
}

TInputBlock::TInputBlock(QWidget* allowed) : allowed_(allowed) {
    qApp->installEventFilter(this);
}

TInputBlock::~TInputBlock() {
    qApp->removeEventFilter(this);
}

bool TInputBlock::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::Close: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr) {
            return false;
        }
        const QWidget* window = widget->window();
        // The run's window, and the questions it asks, take input.
        const bool allowed = allowed_ != nullptr && window == allowed_->window();
        return !allowed && window->windowModality() == Qt::NonModal && !window->isModal();
    }
    default:
        return false;
    }
}

TUiQueue::TUiQueue(QObject* context) : context_(context), state_(std::make_shared<TState>()) {}

TUiQueue::~TUiQueue() {
    Flush();
    std::lock_guard lock(state_->mutex);
    state_->closed = true;
}

void TUiQueue::Post(int kind, std::function<void()> call) {
    bool post = false;
    {
        std::lock_guard lock(state_->mutex);
        if (state_->closed) {
            return;
        }
        auto& calls = state_->calls;
        if (kind != 0 && !calls.empty() && calls.back().first == kind) {
            calls.back().second = std::move(call);
        } else {
            calls.emplace_back(kind, std::move(call));
        }
        post = !state_->posted;
        state_->posted = true;
    }
    if (post && context_ != nullptr) {
        std::shared_ptr<TState> state = state_;
        QMetaObject::invokeMethod(
            context_, [state] { Drain(state); }, Qt::QueuedConnection);
    }
}

void TUiQueue::Drain(const std::shared_ptr<TState>& state) {
    std::deque<std::pair<int, std::function<void()>>> calls;
    {
        std::lock_guard lock(state->mutex);
        if (state->closed) {
            return;
        }
        calls.swap(state->calls);
        state->posted = false;
    }
    for (auto& c : calls) {
        c.second();
    }
}

void TUiQueue::Flush() {
    Drain(state_);
}

namespace {
// Kinds of coalesced reports: an intermediate report of each count operation.
enum TKind : int { kOnce = 0, kCond = 1, kCondRid = 2, kRidOtt = 3, kMigliorata = 4 };
} // namespace

void TQueuedDevelopProgress::AggiornaCond(std::int64_t t, std::int64_t a, bool f, std::int64_t e) {
    queue_.Post(f ? kOnce : kCond, [this, t, a, f, e] { target_.AggiornaCond(t, a, f, e); });
}

void TQueuedDevelopProgress::AggiornaCondRid(std::int64_t t, std::int64_t a, bool f, std::int64_t k,
                                             std::int64_t e) {
    queue_.Post(f ? kOnce : kCondRid, [this, t, a, f, k, e] { target_.AggiornaCondRid(t, a, f, k, e); });
}

void TQueuedDevelopProgress::AggiornaRidOtt(std::int64_t n, std::int64_t chosen, bool f,
                                            std::int64_t covered) {
    queue_.Post(f ? kOnce : kRidOtt,
                [this, n, chosen, f, covered] { target_.AggiornaRidOtt(n, chosen, f, covered); });
}

void TQueuedDevelopProgress::AggiornaMigliorata(std::int64_t current, std::int64_t best, int percent) {
    queue_.Post(kMigliorata,
                [this, current, best, percent] { target_.AggiornaMigliorata(current, best, percent); });
}

void TQueuedDevelopProgress::Stato(const std::string& text) {
    queue_.Post(kOnce, [this, text] { target_.Stato(text); });
}

void TQueuedDevelopProgress::Inizio(bool recalculation, bool reducing) {
    queue_.Post(kOnce, [this, recalculation, reducing] { target_.Inizio(recalculation, reducing); });
}

void TQueuedDevelopProgress::EnumerazioneInterrotta() {
    queue_.Post(kOnce, [this] { target_.EnumerazioneInterrotta(); });
}

void TQueuedDevelopProgress::CondizionamentoConcluso() {
    queue_.Post(kOnce, [this] { target_.CondizionamentoConcluso(); });
}

void TQueuedDevelopProgress::RiduzioneAvviata() {
    queue_.Post(kOnce, [this] { target_.RiduzioneAvviata(); });
}

void TQueuedDevelopProgress::RiduzioneConclusa() {
    queue_.Post(kOnce, [this] { target_.RiduzioneConclusa(); });
}

void TQueuedDevelopProgress::CalcoloTerminato(std::int64_t n, std::int64_t previous) {
    queue_.Post(kOnce, [this, n, previous] { target_.CalcoloTerminato(n, previous); });
}

int TUiThreadPrompt::ShowMessage(const std::string& title, const std::string& text, int buttons) {
    if (inner_ == nullptr) {
        TFixedAnswerPrompt yes(true);
        return yes.ShowMessage(title, text, buttons);
    }
    if (QThread::currentThread() == qApp->thread()) {
        return inner_->ShowMessage(title, text, buttons);
    }
    int answer = 0;
    QMetaObject::invokeMethod(
        qApp, [&] { answer = inner_->ShowMessage(title, text, buttons); }, Qt::BlockingQueuedConnection);
    return answer;
}

} // namespace tessaline
