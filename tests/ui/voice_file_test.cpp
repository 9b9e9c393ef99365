// The voice file made by the build, measured with sox: fifteen one-second slots (the last 100 ms
// longer), speech in every slot and near-silence at every slot boundary; and the dictation's reader
// takes it whole.

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include "tools/dictation.h"
#include "tools/voice.h"

namespace {

QString Sox(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral("sox"), args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(p.readAllStandardError());
}

// The RMS amplitude (0 to 1) of the stretch from `from` seconds lasting `length` seconds.
double Rms(double from, double length) {
    const QString out =
        Sox({QStringLiteral(TESSALINE_VOICE_FILE), QStringLiteral("-n"), QStringLiteral("trim"),
             QString::number(from, 'f', 3), QString::number(length, 'f', 3), QStringLiteral("stat")});
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("RMS\\s+amplitude:\\s+([0-9.eE+-]+)")).match(out);
    return m.hasMatch() ? m.captured(1).toDouble() : -1.0;
}

QString Soxi(const char* option) {
    QProcess p;
    p.start(QStringLiteral("soxi"), {QLatin1String(option), QStringLiteral(TESSALINE_VOICE_FILE)});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

} // namespace

class TestVoiceFile : public QObject {
    Q_OBJECT
private slots:
    void slotsOfOneSecond() {
        const int rate = Soxi("-r").toInt();
        QVERIFY(rate >= 8000);
        QCOMPARE(Soxi("-c"), QStringLiteral("1"));
        // Fifteen seconds and the 100 ms more of the last slot, to the sample.
        QCOMPARE(Soxi("-s").toLongLong(), 15LL * rate + rate / 10);
    }

    void speechInEverySlotSilenceAtTheBoundaries() {
        for (int a = 1; a <= 15; ++a) {
            const tessaline::TTratto t = tessaline::TrattoSegno(static_cast<std::uint8_t>(a));
            const double rms = Rms(t.inizio / 1000.0, (t.fine - t.inizio) / 1000.0);
            QVERIFY2(rms > 0.02, qPrintable(QStringLiteral("slot %1: RMS %2").arg(a).arg(rms)));
        }
        // 40 ms on each side of every boundary, the file's start and its end.
        for (int k = 0; k <= 15; ++k) {
            const double at = k == 15 ? 15.1 : k;
            const double from = std::max(0.0, at - 0.04);
            const double length = (k == 0 || k == 15) ? 0.04 : 0.08;
            const double rms = Rms(from, length);
            QVERIFY2(rms >= 0.0 && rms < 0.003,
                     qPrintable(QStringLiteral("boundary %1: RMS %2").arg(k).arg(rms)));
        }
    }

    void readerTakesTheWholeFile() {
        const auto s = tessaline::CaricaWave(std::filesystem::path(TESSALINE_VOICE_FILE));
        QVERIFY(s.has_value());
        QCOMPARE(s->bitPerCampione, 16);
        const auto [from, to] = s->Byte(14000, 15100); // the last slot ends with the data
        QCOMPARE(to, s->dati.size());
        QCOMPARE(from, static_cast<std::size_t>(14 * s->frequenza * 2));
    }
};

QTEST_MAIN(TestVoiceFile)
#include "voice_file_test.moc"
