// What the window tests share: the Qt headers most of them use, a watcher
// that answers every Info Box and remembers what it showed, a started window
// and a table's rows as QtTest rows.
#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <cstddef>

#include "qt/main_window.h"
#include "qt/tool_window.h"
#include "shell/controls.h"
#include "shell/tools.h"

namespace pyrelon::testing {

struct SeenBox {
  QString title, text;
  QMessageBox::Icon icon;
  QMessageBox::StandardButtons buttons;
  qsizetype buttonCount;
  Qt::TextFormat textFormat;
};

// Polls for a modal message box, records it and presses OK.
struct InfoBoxWatcher {
  InfoBoxWatcher() {
    timer.callOnTimeout([this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !box->isVisible()) return;
      seen.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                   box->buttons().size(), box->textFormat()});
      QAbstractButton* ok = box->button(QMessageBox::Ok);
      ok ? ok->click() : box->reject();
    });
    timer.start(5);
  }
  QList<SeenBox> seen;
  QTimer timer;
};

// "name=text" for each control named before an '=' in `entries`: what a box or
// a label shows, a list's current entry.
inline QStringList shown(const QWidget& window, const QStringList& entries) {
  QStringList result;
  for (const QString& entry : entries) {
    const QString name = entry.section('=', 0, 0);
    auto* widget = window.findChild<QWidget*>(name);
    auto* list = qobject_cast<QComboBox*>(widget);
    result << name + '=' + (list ? list->currentText() : widget->property("text").toString());
  }
  return result;
}

// Writes "stale" into each result label of a panel; gives "name=stale" for
// each, which `shown` no longer returns once a press has written them.
inline QStringList makeResultsStale(const QWidget& window, std::string_view panel) {
  QStringList stale;
  for (const ControlSpec& c : controlTable()) {
    if (c.kind != ControlKind::ResultLabel || c.parent != panel) continue;
    window.findChild<QLabel*>(QString::fromUtf8(c.name))->setText("stale");
    stale << QString::fromUtf8(c.name) + "=stale";
  }
  return stale;
}

// One row per entry of a static table, named by its `name`, in the one
// column "row"; the test fetches it with QFETCH(const Row*, row).
template <typename Row, std::size_t N>
void addRows(const Row (&rows)[N]) {
  QTest::addColumn<const Row*>("row");
  for (const Row& r : rows) QTest::newRow(r.name) << &r;
}

// The program's window after its start-up, shown, watched from before it.
struct Started {
  Started() { window.show(); }
  InfoBoxWatcher watcher;
  qt::MainWindow window;
};

// The window of the tool `id`, opened as its Tools menu entry opens it, with
// each "key=text" of `typed` typed over its box "ID-KEY"; nullptr for no
// such tool or box.
inline qt::ToolWindow* openTool(Started& started, const char* id, const QStringList& typed = {}) {
  const ToolDescriptor* tool = toolById(id);
  if (tool == nullptr) return nullptr;
  started.window.openTool(*tool);
  qt::ToolWindow* window = started.window.toolWindow(id);
  for (const QString& entry : typed) {
    auto* box = window->findChild<QLineEdit*>(QString(id) + '-' + entry.section('=', 0, 0));
    if (box == nullptr) return nullptr;
    box->selectAll();
    QTest::keyClicks(box, entry.section('=', 1));
  }
  return window;
}

// Clicks the entry named `action` of the pop-up menu now open, with the
// mouse; false when no such menu or entry is open.
inline bool clickMenuEntry(const QString& action) {
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  if (menu == nullptr) return false;
  for (QAction* entry : menu->actions()) {
    if (entry->objectName() != action) continue;
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(entry).center());
    return true;
  }
  menu->close();
  return false;
}

// Opens a widget's context menu as a right click at its centre does.
inline void openContextMenu(QWidget* widget) {
  const QPoint centre = widget->rect().center();
  QContextMenuEvent event(QContextMenuEvent::Mouse, centre, widget->mapToGlobal(centre));
  QApplication::sendEvent(widget, &event);
}

}  // namespace pyrelon::testing
