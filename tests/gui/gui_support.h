// Helpers shared by the window tests: a watcher that answers every Info Box
// and remembers what it showed, and lookups of controls by name.
#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

class QWidget;

namespace pyrelon::testing {

struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  int buttonCount = 0;
  Qt::TextFormat textFormat = Qt::AutoText;
  bool modal = false;
};

// Polls for a modal message box, records it and presses OK. Create it before
// anything that may show a box, the window's start-up included.
class InfoBoxWatcher : public QObject {
 public:
  InfoBoxWatcher();
  QList<SeenBox> seen;

 private:
  void poll();
  QTimer timer_;
};

// The child of `root` named `name`, or nullptr.
template <typename W>
W* child(const QObject& root, const char* name) {
  return root.findChild<W*>(QString::fromLatin1(name));
}

}  // namespace pyrelon::testing
