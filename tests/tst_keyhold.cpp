// Telling a held key's repeats from new presses, from the events as X delivers them: repeats
// marked by Qt or not, in release/press pairs or presses alone, handled while the key is still
// down or only after it was let go.
#include "keyhold.h"

#include <QtTest>

namespace {

// One event: 'P' press or 'R' release, 'm' when marked as a repeat, the server time, and what
// the key's real state is when it is handled: 'd' down, 'u' up, '?' unknown.
struct Ev {
    char kind;
    bool marked;
    unsigned long time;
    char held;
};

QString run(const QList<Ev> &events)
{
    KeyHold keys;
    QStringList out;
    for (const Ev &e : events) {
        const std::optional<bool> held = e.held == '?' ? std::nullopt : std::optional<bool>(e.held == 'd');
        if (e.kind == 'P') {
            switch (keys.press(Qt::Key_Return, e.marked, e.time, held)) {
            case KeyHold::Press::First: out << "first"; break;
            case KeyHold::Press::Repeat: out << "repeat"; break;
            case KeyHold::Press::Drop: out << "drop"; break;
            }
        } else {
            out << (keys.release(Qt::Key_Return, e.marked, e.time, held) == KeyHold::Release::Real ? "up" : "-");
        }
    }
    return out.join(' ');
}

}  // namespace

class TestKeyHold : public QObject
{
    Q_OBJECT
private slots:
    void sequences_data();
    void sequences();
};

void TestKeyHold::sequences_data()
{
    QTest::addColumn<QList<Ev>>("events");
    QTest::addColumn<QString>("expected");
    const bool m = true, u = false;
    QTest::newRow("a tap") << QList<Ev>{{'P', u, 10, 'd'}, {'R', u, 90, 'u'}} << "first up";
    QTest::newRow("a tap handled after the key went up")
        << QList<Ev>{{'P', u, 10, 'u'}, {'R', u, 20, 'u'}} << "first up";
    QTest::newRow("two taps, times unknown")
        << QList<Ev>{{'P', u, 0, '?'}, {'R', u, 0, '?'}, {'P', u, 0, '?'}, {'R', u, 0, '?'}}
        << "first up first up";
    QTest::newRow("repeats in marked pairs")
        << QList<Ev>{{'P', u, 10, 'd'}, {'R', m, 700, 'd'}, {'P', m, 700, 'd'}, {'R', m, 740, 'd'},
                     {'P', m, 740, 'd'}, {'R', u, 760, 'u'}}
        << "first - repeat - repeat up";
    QTest::newRow("repeats in unmarked pairs, the key's state known")
        << QList<Ev>{{'P', u, 10, 'd'}, {'R', u, 700, 'd'}, {'P', u, 700, 'd'}, {'R', u, 740, 'd'},
                     {'P', u, 740, 'd'}, {'R', u, 760, 'u'}}
        << "first - repeat - repeat up";
    QTest::newRow("repeats in unmarked pairs, the key's state unknown")
        << QList<Ev>{{'P', u, 10, '?'}, {'R', u, 700, '?'}, {'P', u, 700, '?'}, {'R', u, 760, '?'}}
        << "first up repeat up";
    QTest::newRow("repeats as presses alone")
        << QList<Ev>{{'P', u, 10, 'd'}, {'P', u, 700, 'd'}, {'P', m, 740, 'd'}, {'R', u, 760, 'u'}}
        << "first repeat repeat up";
    // the machine was busy: the key went up while repeats still waited to be handled
    QTest::newRow("repeats queued behind a release are dropped")
        << QList<Ev>{{'P', u, 10, 'd'}, {'R', u, 700, 'u'}, {'P', u, 700, 'u'}, {'R', u, 740, 'u'},
                     {'P', u, 740, 'u'}, {'R', m, 780, 'u'}, {'P', m, 780, 'u'}, {'R', u, 790, 'u'}}
        << "first up drop - drop - drop -";
    QTest::newRow("queued presses alone are dropped")
        << QList<Ev>{{'P', u, 10, 'd'}, {'P', u, 700, 'u'}, {'P', m, 740, 'u'}, {'R', u, 760, 'u'}}
        << "first drop drop up";
    QTest::newRow("a new press after the queue drained")
        << QList<Ev>{{'P', u, 10, 'd'}, {'R', u, 700, 'u'}, {'P', u, 700, 'u'}, {'R', u, 710, 'u'},
                     {'P', u, 900, 'd'}, {'R', u, 950, 'u'}}
        << "first up drop - first up";
}

void TestKeyHold::sequences()
{
    QFETCH(QList<Ev>, events);
    QFETCH(QString, expected);
    QCOMPARE(run(events), expected);
}

QTEST_APPLESS_MAIN(TestKeyHold)
#include "tst_keyhold.moc"
