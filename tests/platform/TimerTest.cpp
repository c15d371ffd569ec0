#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <stdexcept>

#include "platform/qt/FakeServices.h"
#include "platform/qt/Timer.h"

using namespace plat;

TEST(Timer, FireRunsTheHandlerOfAnEnabledTimerOnly) {
  TTimer t;
  int ticks = 0;
  t.OnTimer = [&] { ++ticks; };
  t.Fire();
  EXPECT_EQ(ticks, 0);  // a stopped timer never elapses
  t.SetInterval(10000);
  t.SetEnabled(true);
  t.Fire();
  t.Fire();
  EXPECT_EQ(ticks, 2);
  // A one-shot handler that stops its own timer.
  t.OnTimer = [&] {
    t.SetEnabled(false);
    ++ticks;
  };
  t.Fire();
  t.Fire();
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(t.Enabled());
}

TEST(Timer, HandlerFaultsGoToTheDefaultErrorBox) {
  FakeServices fake;
  ScopedServices use(fake);
  TTimer t;
  t.SetEnabled(true);
  t.OnTimer = [] { throw std::runtime_error("tick failed"); };
  t.Fire();
  EXPECT_EQ(fake.Exceptions, std::vector<std::string>{"tick failed"});
}

TEST(Timer, ElapsesInTheEventLoop) {
  TTimer t;
  int ticks = 0;
  t.OnTimer = [&] { ++ticks; };
  t.SetInterval(5);
  t.SetEnabled(true);
  QElapsedTimer clock;
  clock.start();
  while (ticks < 2 && clock.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  EXPECT_GE(ticks, 2);
  t.SetEnabled(false);
  const int stopped = ticks;
  clock.restart();
  while (clock.elapsed() < 40) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  EXPECT_EQ(ticks, stopped);
}
