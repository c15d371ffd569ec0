#pragma once
// A window timer: Interval in milliseconds, Enabled starts and stops it,
// OnTimer runs behind the handler guard. Tests call Fire() instead of waiting.
#include <QObject>
#include <QTimer>
#include <functional>

namespace plat {

class TTimer : public QObject {
  Q_OBJECT
 public:
  explicit TTimer(QObject* parent = nullptr);
  int Interval() const { return interval_; }
  void SetInterval(int ms);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  // Runs OnTimer now, as if the interval had elapsed.
  void Fire();
  std::function<void()> OnTimer;

 private:
  QTimer timer_;
  int interval_ = 1000;
  bool enabled_ = false;
};

}  // namespace plat
