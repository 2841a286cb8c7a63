// The window after start-up and the tools' windows as a person reads them,
// against golden files: every control's caption, text, list entries and
// selection, font, colours, alignment, tooltip and accessible name, the
// window's title and its menus.
// The captions and entries are the window design's; the numbers shown are
// the start-up's, which the panels' tables work out by hand. Geometry is left
// to the layout tests. To rewrite the file after a deliberate change, run
// with PYRELON_WRITE_GOLDEN=1 and read `git diff tests/golden/window.txt`.
#include <QGroupBox>
#include <QMenuBar>
#include <QScrollArea>

#include "gui_support.h"
#include "tests/golden.h"

namespace pyrelon::testing {
namespace {

QString fontText(const QFont& font) {
  return font.family() + ' ' + QString::number(font.pointSizeF()) + (font.bold() ? " bold" : "") +
         (font.italic() ? " italic" : "") + (font.underline() ? " underline" : "");
}

QString colours(const QWidget& w) {
  const QPalette& p = w.palette();
  return "ink " + p.color(w.foregroundRole()).name() + " ground " +
         p.color(w.backgroundRole()).name() + (w.autoFillBackground() ? " filled" : "");
}

QString alignment(Qt::Alignment a) {
  const char* across = a & Qt::AlignRight ? "right" : a & Qt::AlignHCenter ? "centre" : "left";
  const char* down = a & Qt::AlignBottom ? "bottom" : a & Qt::AlignTop ? "top" : "middle";
  return QString(across) + ' ' + down;
}

QString described(const QWidget& w) {
  QStringList parts;
  if (auto* label = qobject_cast<const QLabel*>(&w)) {
    parts << "label \"" + label->text() + '"' << alignment(label->alignment());
  } else if (auto* box = qobject_cast<const QLineEdit*>(&w)) {
    parts << "box \"" + box->text() + '"' << alignment(box->alignment());
    if (box->isReadOnly()) parts << "read-only";
  } else if (auto* list = qobject_cast<const QComboBox*>(&w)) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
    parts << "list [" + entries.join(" | ") + ']'
          << "selected " + QString::number(list->currentIndex());
  } else if (auto* button = qobject_cast<const QAbstractButton*>(&w)) {
    parts << "button \"" + button->text() + '"';
  } else if (auto* group = qobject_cast<const QGroupBox*>(&w)) {
    parts << "panel \"" + group->title() + '"';
  } else {
    parts << QString::fromUtf8(w.metaObject()->className());
  }
  parts << fontText(w.font()) << colours(w);
  if (!w.isEnabled()) parts << "disabled";
  if (!w.isVisibleTo(w.window())) parts << "hidden";
  if (!w.toolTip().isEmpty()) parts << "tip \"" + w.toolTip() + '"';
  if (!w.accessibleName().isEmpty()) parts << "named \"" + w.accessibleName() + '"';
  return parts.join("; ");
}

QString menuText(const QMenu& menu, int depth) {
  QString out;
  for (const QAction* action : menu.actions()) {
    const QKeySequence key = action->shortcut();
    out += QString(depth * 2, ' ') + (action->isSeparator() ? "----" : action->text()) +
           (key.isEmpty() ? QString() : " [" + key.toString() + ']') + '\n';
    if (action->menu() != nullptr) out += menuText(*action->menu(), depth + 1);
  }
  return out;
}

// Compares `dump` with the golden file `name`; writes it instead under
// PYRELON_WRITE_GOLDEN.
void compareWithGolden(const QString& dump, const QString& name) {
  const std::string mismatch =
      goldenMismatch(PYRELON_GOLDEN_DIR "/" + name.toStdString(), dump.toStdString());
  QVERIFY2(mismatch.empty(), mismatch.c_str());
}

class WindowGoldenTest : public QObject {
  Q_OBJECT

 private slots:
  void theWindowReadsAsItsGoldenFile() {
    Started started;
    QString dump = "window \"" + started.window.windowTitle() + "\"\n";
    for (const QAction* top : started.window.menuBar()->actions()) {
      dump += top->text() + '\n';
      if (top->menu() != nullptr) dump += menuText(*top->menu(), 1);
    }
    for (const ControlSpec& control : controlTable()) {
      const QString name = QString::fromUtf8(control.name);
      const QWidget* w = started.window.findChild<QWidget*>(name);
      dump += name + ": " + (w == nullptr ? "(none)" : described(*w)) + '\n';
    }
    compareWithGolden(dump, QStringLiteral("window.txt"));
  }

  // Each tool's window with the readings of its published check typed in:
  // every label, box, result, note, button and scrolled area, in the order
  // they stand.
  void theToolWindowsReadAsTheirGoldenFile() {
    Started started;
    // clang-format off
    const struct { const char* id; QStringList typed; } tools[] = {
        {"atmosphere", {"temp=925", "mv=1121", "dew-point=-5", "co2=0.15", "ch4=0.5",
                        "shim-initial-carbon=0.1", "shim-initial-mg=1000", "shim-final-mg=1007",
                        "target-carbon=0.8", "si=0.25", "mn=1.2", "cr=1.1"}},
        {"nitriding-potential", {"temp=520", "burette=30"}},
    };
    // clang-format on
    QString dump;
    for (const auto& t : tools) {
      qt::ToolWindow* window = openTool(started, t.id, t.typed);
      QVERIFY2(window, t.id);
      dump += QStringLiteral("window \"") + window->windowTitle() + "\"\n";
      for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window)) continue;
        const bool shows = qobject_cast<const QLabel*>(w) || qobject_cast<const QLineEdit*>(w) ||
                           qobject_cast<const QAbstractButton*>(w) ||
                           qobject_cast<const QGroupBox*>(w) || qobject_cast<const QScrollArea*>(w);
        if (!shows) continue;
        dump += (w->objectName().isEmpty() ? QStringLiteral("-") : w->objectName()) + ": " +
                described(*w);
        if (auto* box = qobject_cast<const QLineEdit*>(w))
          dump += QStringLiteral("; placeholder \"") + box->placeholderText() + '"';
        dump += '\n';
      }
    }
    compareWithGolden(dump, QStringLiteral("tool-windows.txt"));
  }
};

}  // namespace
}  // namespace pyrelon::testing

QTEST_MAIN(pyrelon::testing::WindowGoldenTest)
#include "window_golden_test.moc"
