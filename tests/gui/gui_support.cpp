#include "gui_support.h"

#include <QAbstractButton>
#include <QApplication>

namespace pyrelon::testing {

InfoBoxWatcher::InfoBoxWatcher() {
  timer_.callOnTimeout(this, [this] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    seen.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                 static_cast<int>(box->buttons().size()), box->textFormat()});
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
      ok->click();
    } else {
      box->reject();
    }
  });
  timer_.start(5);
}

}  // namespace pyrelon::testing
