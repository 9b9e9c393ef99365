// Long jobs on the worker thread: what the job reports reaches the window on the user-interface
// thread in order (intermediate counts may be coalesced, nothing else), its questions are asked
// there, and its failure is raised to the caller.

#include <QApplication>
#include <QThread>
#include <QtTest>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/progress.h"
#include "core/ui/worker.h"

using namespace tessaline;

namespace {

// Records every call with the thread it came on.
class TRecorder : public TDevelopProgress {
public:
    void AggiornaCond(std::int64_t t, std::int64_t a, bool f, std::int64_t e) override {
        Note((f ? "C! " : "C ") + std::to_string(t) + " " + std::to_string(a) + " " + std::to_string(e));
    }
    void Stato(const std::string& text) override { Note("S " + text); }
    void EnumerazioneInterrotta() override { Note("X"); }
    void CalcoloTerminato(std::int64_t n, std::int64_t previous) override {
        Note("T " + std::to_string(n) + " " + std::to_string(previous));
    }
    std::vector<std::string> calls;
    bool offThread = false;

private:
    void Note(const std::string& s) {
        offThread = offThread || QThread::currentThread() != qApp->thread();
        calls.push_back(s);
    }
};

class TAnswer : public UserPrompt {
public:
    int ShowMessage(const std::string& title, const std::string&, int) override {
        onUiThread = QThread::currentThread() == qApp->thread();
        asked = title;
        return BtnNo;
    }
    bool onUiThread = false;
    std::string asked;
};

} // namespace

class TestWorker : public QObject {
    Q_OBJECT
private slots:
    void reportsArriveInOrderOnTheUserInterfaceThread() {
        QObject context;
        TRecorder window;
        std::vector<std::string> sent;
        {
            TQueuedDevelopProgress progress(&context, window);
            RunOnWorker([&] {
                for (int pass = 1; pass <= 3; ++pass) {
                    progress.Stato("passo " + std::to_string(pass));
                    sent.push_back("S passo " + std::to_string(pass));
                    for (int e = 1; e <= 20'000; ++e) {
                        progress.AggiornaCond(100, e / 2, false, e);
                    }
                    progress.AggiornaCond(100, 7, true, 100);
                    sent.push_back("C! 100 7 100");
                }
                progress.EnumerazioneInterrotta();
                sent.push_back("X");
                progress.CalcoloTerminato(7, 5);
                sent.push_back("T 7 5");
            });
            progress.Flush();
        }
        QVERIFY(!window.offThread);
        // Every state text, final report and step arrives, in order; between them only
        // intermediate reports, each pass's last one (the newest) never dropped.
        std::vector<std::string> kept;
        for (std::size_t i = 0; i < window.calls.size(); ++i) {
            const std::string& c = window.calls[i];
            if (c.rfind("C ", 0) == 0) {
                QVERIFY(i + 1 < window.calls.size());
                const std::string& next = window.calls[i + 1];
                QVERIFY(next.rfind("C ", 0) == 0 || next == "C! 100 7 100");
                if (next == "C! 100 7 100") {
                    QCOMPARE(c, std::string("C 100 10000 20000"));
                }
                continue;
            }
            kept.push_back(c);
        }
        QCOMPARE(kept, sent);
    }

    void questionsAreAskedOnTheUserInterfaceThread() {
        TAnswer answer;
        TUiThreadPrompt prompt(&answer);
        int got = 0;
        RunOnWorker([&] { got = prompt.ShowMessage("Informazione", "Continuare ?", BtnSi | BtnNo); });
        QCOMPARE(got, int{BtnNo});
        QVERIFY(answer.onUiThread);
        QCOMPARE(answer.asked, std::string("Informazione"));
    }

    void aFailureOfTheJobIsRaisedToTheCaller() {
        bool raised = false;
        try {
            RunOnWorker([] { throw std::runtime_error("Impossibile Salvare il file di Colonne"); });
        } catch (const std::runtime_error& e) {
            raised = std::string(e.what()) == "Impossibile Salvare il file di Colonne";
        }
        QVERIFY(raised);
    }
};

QTEST_MAIN(TestWorker)
#include "worker_test.moc"
