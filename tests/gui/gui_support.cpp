#include "gui_support.h"

#include <QAbstractButton>
#include <QApplication>

namespace pyrelon::testing {

InfoBoxWatcher::InfoBoxWatcher() {
  timer_.setInterval(5);
  connect(&timer_, &QTimer::timeout, this, &InfoBoxWatcher::poll);
  timer_.start();
}

void InfoBoxWatcher::poll() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible()) return;
  SeenBox s;
  s.title = box->windowTitle();
  s.text = box->text();
  s.icon = box->icon();
  s.buttons = box->standardButtons();
  s.buttonCount = static_cast<int>(box->buttons().size());
  s.textFormat = box->textFormat();
  s.modal = box->isModal();
  seen.append(s);
  if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
    ok->click();
  } else {
    box->reject();
  }
}

}  // namespace pyrelon::testing
