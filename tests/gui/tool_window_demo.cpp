// For looking at a tool's window by eye (screenshots): the program's window
// with the throwaway tool registered, opening the tool named by the first
// argument, its boxes filled from the KEY=TEXT arguments after it, or with
// "menu" the Tools menu open.
//   tool_window_demo atmosphere temp=925 dew-point=-5.6 | tool_window_demo menu
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "qt/main_window.h"
#include "qt/tool_window.h"
#include "shell/tools.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  pyrelon::qt::MainWindow window;
  window.show();
  const QString what = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("menu");
  QStringList entries;
  for (int i = 2; i < argc; ++i) entries << QString::fromLocal8Bit(argv[i]);
  QTimer::singleShot(300, &window, [&window, what, entries] {
    if (what == QStringLiteral("menu")) {
      auto* menu = window.findChild<QMenu*>(QStringLiteral("ToolsMenu"));
      if (menu != nullptr) window.menuBar()->setActiveAction(menu->menuAction());
      return;
    }
    const pyrelon::ToolDescriptor* tool = pyrelon::toolById(what.toStdString());
    if (tool == nullptr) return;
    window.openTool(*tool);
    pyrelon::qt::ToolWindow* opened = window.toolWindow(tool->id);
    for (const QString& entry : entries) {
      auto* box =
          opened ? opened->findChild<QLineEdit*>(what + '-' + entry.section('=', 0, 0)) : nullptr;
      if (box != nullptr) box->setText(entry.section('=', 1));
    }
  });
  return app.exec();
}
