// Prints where the desktop window puts each control, as the browser
// edition's layout test compares it: one JSON object of name -> [left, top,
// width, height] in pixels, relative to the client area, after start-up.
#include <QApplication>
#include <QWidget>
#include <cstdio>

#include "qt/main_window.h"
#include "shell/controls.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  pyrelon::qt::MainWindow window;
  window.show();
  QWidget* client = window.findChild<QWidget*>("ClientArea");
  // The client area first, as the page's own.
  std::printf("{\"ClientArea\":[0,0,%d,%d]", client->width(), client->height());
  const char* comma = ",";
  for (const pyrelon::ControlSpec& c : pyrelon::controlTable()) {
    if (c.kind == pyrelon::ControlKind::Line) continue;
    const QWidget* w = window.findChild<QWidget*>(QString::fromUtf8(c.name.data(), c.name.size()));
    if (w == nullptr) continue;
    const QPoint at = w->mapTo(client, QPoint(0, 0));
    std::printf("%s\"%.*s\":[%d,%d,%d,%d]", comma, static_cast<int>(c.name.size()), c.name.data(),
                at.x(), at.y(), w->width(), w->height());
    comma = ",";
  }
  std::printf("}\n");
  return 0;
}
