#include "platform/qt/Timer.h"

#include "platform/qt/Services.h"

namespace plat {

TTimer::TTimer(QObject* parent) : QObject(parent) {
  On(&timer_, &QTimer::timeout, this, [this] { Fire(); });
}

void TTimer::SetInterval(int ms) {
  interval_ = ms;
  SetEnabled(enabled_);  // a new interval starts counting afresh
}

void TTimer::SetEnabled(bool on) {
  enabled_ = on;
  // A timer with no interval never elapses.
  if (enabled_ && interval_ > 0)
    timer_.start(interval_);
  else
    timer_.stop();
}

void TTimer::Fire() {
  // Only an enabled timer elapses, so tests cannot fire a stopped one.
  if (!enabled_ || !OnTimer) return;
  std::function<void()> handler = OnTimer;  // the handler may replace OnTimer
  Guard(handler);
}

}  // namespace plat
