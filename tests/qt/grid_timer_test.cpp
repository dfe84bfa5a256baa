// The timer behind 时钟1: the period rules and the absolute grid. Timing
// checks compare the order of events or give a lower bound only, so a slow
// machine cannot make them fail.

#include "platform/qt/grid_timer.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <limits>
#include <string>
#include <thread>
#include <vector>

using namespace ostrivel;
using namespace std::chrono_literals;

class GridTimerTest final : public QObject {
  Q_OBJECT

private slots:
  void millisecondsUntilTick_data();
  void millisecondsUntilTick();
  void firstTickComesOneFullPeriodLater_data();
  void firstTickComesOneFullPeriodLater();
  void anotherPeriodRestartsFromNow();
  void samePeriodAgainDoesNotDelayTheNextTick();
  void noTickAfterStop_data();
  void noTickAfterStop();
  void stopFromInsideATickIsFinal();
  void belowZeroLeavesAStoppedTimerStopped();
  void ticksMissedInAStallComeAtOnce();
};

void GridTimerTest::millisecondsUntilTick_data() {
  QTest::addColumn<int>("period");
  QTest::addColumn<qint64>("tick");
  QTest::addColumn<qint64>("nowMicroseconds"); // since the grid's start
  QTest::addColumn<int>("expected");

  QTest::newRow("first tick, just set") << 1000 << qint64(1) << qint64(0) << 1000;
  QTest::newRow("rounded up, never early") << 1000 << qint64(1) << qint64(300) << 1000;
  QTest::newRow("second tick after a late first") << 1000 << qint64(2) << qint64(1'003'000) << 997;
  QTest::newRow("due this very moment") << 1000 << qint64(1) << qint64(1'000'000) << 0;
  QTest::newRow("missed in a stall: due at once") << 1000 << qint64(2) << qint64(2'500'000) << 0;
  QTest::newRow("far along the grid") << 50 << qint64(100) << qint64(4'990'000) << 10;
  QTest::newRow("a fraction of a millisecond left") << 50 << qint64(3) << qint64(149'999) << 1;
}

void GridTimerTest::millisecondsUntilTick() {
  QFETCH(int, period);
  QFETCH(qint64, tick);
  QFETCH(qint64, nowMicroseconds);
  QFETCH(int, expected);
  const SteadyClock::time_point start = SteadyClock::now();
  QCOMPARE(ostrivel::millisecondsUntilTick(start, period, tick,
                                           start + std::chrono::microseconds(nowMicroseconds)),
           expected);
}

void GridTimerTest::firstTickComesOneFullPeriodLater_data() {
  QTest::addColumn<int>("period");
  QTest::newRow("50 ms") << 50;
  QTest::newRow("100 ms") << 100;
}

void GridTimerTest::firstTickComesOneFullPeriodLater() {
  QFETCH(int, period);
  qint64 firstTickAt = -1;
  QElapsedTimer clock;
  GridTimer timer([&] {
    if (firstTickAt < 0) {
      firstTickAt = clock.nsecsElapsed();
    }
  });
  clock.start();
  timer.setPeriod(period);
  QCOMPARE(timer.period(), period);
  QTRY_VERIFY_WITH_TIMEOUT(firstTickAt >= 0, 5000);
  QVERIFY2(firstTickAt >= qint64(period) * 1'000'000,
           qPrintable(QString("first tick after %1 ns").arg(firstTickAt)));
}

void GridTimerTest::anotherPeriodRestartsFromNow() {
  qint64 firstTickAt = -1;
  QElapsedTimer clock;
  GridTimer timer([&] {
    if (firstTickAt < 0) {
      firstTickAt = clock.nsecsElapsed();
    }
  });
  timer.setPeriod(100);
  QTest::qWait(30);
  clock.start();
  timer.setPeriod(150);
  QTRY_VERIFY_WITH_TIMEOUT(firstTickAt >= 0, 5000);
  QVERIFY2(firstTickAt >= 150'000'000,
           qPrintable(QString("first tick %1 ns after the change").arg(firstTickAt)));
}

// A reference timer set to the same period at the moment of the repeat
// would tick together with a timer that the repeat restarted; the timer that
// kept its grid ticks first, however busy the machine.
void GridTimerTest::samePeriodAgainDoesNotDelayTheNextTick() {
  std::vector<char> order;
  GridTimer timer([&] { order.push_back('T'); });
  GridTimer reference([&] { order.push_back('R'); });
  timer.setPeriod(300);
  QTest::qWait(100);
  reference.setPeriod(300);
  timer.setPeriod(300);
  QCOMPARE(timer.period(), 300);
  QTRY_VERIFY_WITH_TIMEOUT(order.size() >= 2, 5000);
  QCOMPARE(order.front(), 'T');
}

void GridTimerTest::noTickAfterStop_data() {
  QTest::addColumn<int>("stopWith");
  QTest::newRow("0") << 0;
  QTest::newRow("below 0 is 0") << -5;
  QTest::newRow("most negative") << std::numeric_limits<int>::min();
}

void GridTimerTest::noTickAfterStop() {
  QFETCH(int, stopWith);
  int ticks = 0;
  GridTimer timer([&] { ++ticks; });
  timer.setPeriod(50);
  QTRY_VERIFY_WITH_TIMEOUT(ticks >= 2, 5000);
  timer.setPeriod(stopWith);
  QCOMPARE(timer.period(), 0);
  const int ticksAtStop = ticks;
  QTest::qWait(200);
  QCOMPARE(ticks, ticksAtStop);
}

void GridTimerTest::stopFromInsideATickIsFinal() {
  int ticks = 0;
  GridTimer* self = nullptr;
  GridTimer timer([&] {
    ++ticks;
    self->setPeriod(0); // as the tick that reaches 0:0:0 does
  });
  self = &timer;
  timer.setPeriod(50);
  QTRY_VERIFY_WITH_TIMEOUT(ticks >= 1, 5000);
  QTest::qWait(200);
  QCOMPARE(ticks, 1);
}

void GridTimerTest::belowZeroLeavesAStoppedTimerStopped() {
  int ticks = 0;
  GridTimer timer([&] { ++ticks; });
  timer.setPeriod(-1);
  QCOMPARE(timer.period(), 0);
  QTest::qWait(150);
  QCOMPARE(ticks, 0);
}

// Tick 1 stalls the thread past the due times of ticks 2 and 3. Tick 3 is
// then already due when tick 2 is delivered, so it comes before a reference
// timer set at that moment to half a period; a timer that counted each
// period from the tick before would come after it.
void GridTimerTest::ticksMissedInAStallComeAtOnce() {
  constexpr int period = 50;
  std::vector<char> order;
  std::vector<qint64> tickAt;
  QElapsedTimer clock;
  QTimer reference;
  reference.setSingleShot(true);
  reference.setTimerType(Qt::PreciseTimer);
  QObject::connect(&reference, &QTimer::timeout, [&] { order.push_back('R'); });
  GridTimer timer([&] {
    tickAt.push_back(clock.nsecsElapsed());
    order.push_back('T');
    if (tickAt.size() == 1) {
      std::this_thread::sleep_for(std::chrono::milliseconds(period * 2 + 30));
    } else if (tickAt.size() == 2) {
      reference.start(period / 2);
    }
  });
  clock.start();
  timer.setPeriod(period);
  QTRY_VERIFY_WITH_TIMEOUT(tickAt.size() >= 5 && order.size() >= 6, 5000);
  timer.setPeriod(0);

  QCOMPARE(std::string(order.begin(), order.begin() + 3), std::string("TTT"));
  for (std::size_t k = 0; k < tickAt.size(); ++k) {
    const qint64 due = qint64(k + 1) * period * 1'000'000;
    QVERIFY2(tickAt[k] >= due, qPrintable(QString("tick %1 came early").arg(k + 1)));
  }
}

QTEST_GUILESS_MAIN(GridTimerTest)
#include "grid_timer_test.moc"
