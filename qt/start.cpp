#include "qt/start.h"

#include <QApplication>

#include "qt/main_window.h"

namespace pyrelon::qt {

int runCalculator(int& argc, char** argv, const ShownHook& shown) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Pyrelon"));
  MainWindow window;
  window.show();
  if (shown) shown(window);
  return QApplication::exec();
}

}  // namespace pyrelon::qt
