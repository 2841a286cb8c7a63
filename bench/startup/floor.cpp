// The toolkit's floor: a bare main window with a menu bar holding one
// action, shown and ended the same way as the calculator's probe.
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

#include "end_run.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Pyrelon"));
  QMainWindow window;
  window.menuBar()->addAction(new QAction(QStringLiteral("E&xit !"), &window));
  window.show();
  pyrelon::bench::endRunAtMark(window);
  return QApplication::exec();
}
