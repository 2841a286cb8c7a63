// For looking at a tool's window by eye (screenshots): the program's window
// with the throwaway tool registered, opening the tool named by the first
// argument, or with "menu" the Tools menu open.
//   tool_window_demo atmosphere | tool_window_demo menu
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "qt/main_window.h"
#include "shell/tools.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  pyrelon::qt::MainWindow window;
  window.show();
  const QString what = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("menu");
  QTimer::singleShot(300, &window, [&window, what] {
    if (what == QStringLiteral("menu")) {
      auto* menu = window.findChild<QMenu*>(QStringLiteral("ToolsMenu"));
      if (menu != nullptr) window.menuBar()->setActiveAction(menu->menuAction());
      return;
    }
    if (const pyrelon::ToolDescriptor* tool = pyrelon::toolById(what.toStdString()))
      window.openTool(*tool);
  });
  return app.exec();
}
