// Ends a start-up run at its mark. Both start-up programs end the same way.
//
// The mark is, by default, the event loop being reached with the window
// shown: a zero timer set right after show(), which runs on the loop's first
// pass (on the offscreen platform, before the window is painted). With
// PYRELON_STARTUP_END=paint it is the first paint of the whole window
// instead: the top-level widget's first paint event, then one more pass of
// the loop, so that everything has been drawn and flushed.
//
// At the mark the process leaves at once (_exit), so that what is timed is
// the start-up and not the tear-down of the window and the application. With
// PYRELON_STARTUP_LEAVE=quit it quits its event loop instead and tears
// everything down as the program does when the user ends it.
#pragma once

#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace pyrelon::bench {

inline void leaveAtMark() {
  if (qEnvironmentVariable("PYRELON_STARTUP_LEAVE") == QLatin1String("quit")) {
    QCoreApplication::quit();
    return;
  }
  std::fflush(nullptr);
  _exit(0);
}

class LeaveAfterFirstPaint final : public QObject {
 public:
  explicit LeaveAfterFirstPaint(QWidget& window) : QObject(&window) {
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
      QTimer::singleShot(0, qApp, &leaveAtMark);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool painted_ = false;
};

// To be called right after the window is shown.
inline void endRunAtMark(QWidget& window) {
  if (qEnvironmentVariable("PYRELON_STARTUP_END") == QLatin1String("paint")) {
    new LeaveAfterFirstPaint(window);
    return;
  }
  QTimer::singleShot(0, qApp, &leaveAtMark);
}

}  // namespace pyrelon::bench
