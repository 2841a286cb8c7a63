// Helpers shared by the window tests: a watcher that answers every Info Box
// and remembers what it showed, and a started window.
#pragma once

#include <QMessageBox>
#include <QTimer>

#include "app/qt/main_window.h"

namespace pyrelon::testing {

struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  int buttonCount = 0;
  Qt::TextFormat textFormat = Qt::AutoText;
};

// Polls for a modal message box, records it and presses OK. Create it before
// anything that may show a box, the window's start-up included.
class InfoBoxWatcher : public QObject {
 public:
  InfoBoxWatcher();
  QList<SeenBox> seen;

 private:
  QTimer timer_;
};

// The program's window after its start-up, shown, watched from before it.
struct Started {
  Started() { window.show(); }
  InfoBoxWatcher watcher;
  qt::MainWindow window;
};

}  // namespace pyrelon::testing
