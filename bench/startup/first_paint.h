// Ends a start-up run. By default as soon as the shown window has been
// painted once: the first paint event of the top-level widget marks it, and
// the event loop quits on its next pass, after the whole window has been
// drawn and flushed. With PYRELON_STARTUP_END=loop in the environment, as
// soon as the event loop is reached instead (a zero timer set after show(),
// which may run before the window is painted). Both start-up programs end
// the same way.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace pyrelon::bench {

class QuitAfterFirstPaint final : public QObject {
 public:
  explicit QuitAfterFirstPaint(QWidget& window) : QObject(&window) {
    window.installEventFilter(this);
    // A window that is never painted fails the run instead of hanging it.
    QTimer::singleShot(10000, this, [] {
      std::fputs("the window was not painted within 10 s\n", stderr);
      std::exit(2);
    });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !painted_) {
      painted_ = true;
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool painted_ = false;
};

// To be called right after the window is shown.
inline void quitAfterFirstPaint(QWidget& window) {
  if (qEnvironmentVariable("PYRELON_STARTUP_END") == QLatin1String("loop")) {
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    return;
  }
  new QuitAfterFirstPaint(window);
}

}  // namespace pyrelon::bench
