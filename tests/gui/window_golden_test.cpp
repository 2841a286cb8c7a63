// The window after start-up and the tools' windows as a person reads them,
// against golden files: every control's caption, text, list entries and
// selection, font, colours, alignment, tooltip and accessible name, the
// window's title and its menus.
// The captions and entries are the window design's; the numbers shown are
// the start-up's, which the panels' tables work out by hand. Geometry is left
// to the layout tests. To rewrite the file after a deliberate change, run
// with PYRELON_WRITE_GOLDEN=1 and read `git diff tests/golden/window.txt`.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QTest>

#include "gui_support.h"
#include "qt/tool_window.h"
#include "shell/controls.h"
#include "shell/tools.h"
#include "tests/golden.h"

namespace pyrelon::testing {
namespace {

QString fontText(const QFont& font) {
  return font.family() + ' ' + QString::number(font.pointSizeF()) +
         (font.bold() ? QStringLiteral(" bold") : QString()) +
         (font.italic() ? QStringLiteral(" italic") : QString()) +
         (font.underline() ? QStringLiteral(" underline") : QString());
}

QString colours(const QWidget& widget) {
  const QPalette& p = widget.palette();
  return QStringLiteral("ink ") + p.color(widget.foregroundRole()).name() +
         QStringLiteral(" ground ") + p.color(widget.backgroundRole()).name() +
         (widget.autoFillBackground() ? QStringLiteral(" filled") : QString());
}

QString alignment(Qt::Alignment a) {
  const QString h = a & Qt::AlignRight     ? QStringLiteral("right")
                    : a & Qt::AlignHCenter ? QStringLiteral("centre")
                                           : QStringLiteral("left");
  const QString v = a & Qt::AlignBottom ? QStringLiteral("bottom")
                    : a & Qt::AlignTop  ? QStringLiteral("top")
                                        : QStringLiteral("middle");
  return h + ' ' + v;
}

QString described(const QWidget& w) {
  QStringList parts;
  if (auto* label = qobject_cast<const QLabel*>(&w)) {
    parts << QStringLiteral("label \"") + label->text() + '"' << alignment(label->alignment());
  } else if (auto* box = qobject_cast<const QLineEdit*>(&w)) {
    parts << QStringLiteral("box \"") + box->text() + '"' << alignment(box->alignment());
    if (box->isReadOnly()) parts << QStringLiteral("read-only");
  } else if (auto* list = qobject_cast<const QComboBox*>(&w)) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
    parts << QStringLiteral("list [") + entries.join(QStringLiteral(" | ")) + ']'
          << QStringLiteral("selected ") + QString::number(list->currentIndex());
  } else if (auto* button = qobject_cast<const QAbstractButton*>(&w)) {
    parts << QStringLiteral("button \"") + button->text() + '"';
  } else if (auto* group = qobject_cast<const QGroupBox*>(&w)) {
    parts << QStringLiteral("panel \"") + group->title() + '"';
  } else {
    parts << QString::fromUtf8(w.metaObject()->className());
  }
  parts << fontText(w.font()) << colours(w);
  if (!w.isEnabled()) parts << QStringLiteral("disabled");
  if (!w.isVisibleTo(w.window())) parts << QStringLiteral("hidden");
  if (!w.toolTip().isEmpty()) parts << QStringLiteral("tip \"") + w.toolTip() + '"';
  if (!w.accessibleName().isEmpty()) parts << QStringLiteral("named \"") + w.accessibleName() + '"';
  return parts.join(QStringLiteral("; "));
}

QString menuText(const QMenu& menu, int depth) {
  QString out;
  for (const QAction* action : menu.actions()) {
    out += QString(depth * 2, ' ') +
           (action->isSeparator() ? QStringLiteral("----") : action->text()) +
           (action->shortcut().isEmpty()
                ? QString()
                : QStringLiteral(" [") + action->shortcut().toString() + ']') +
           '\n';
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
    QString dump = QStringLiteral("window \"") + started.window.windowTitle() + "\"\n";
    for (const QAction* top : started.window.menuBar()->actions()) {
      dump += top->text() + '\n';
      if (top->menu() != nullptr) dump += menuText(*top->menu(), 1);
    }
    for (const ControlSpec& spec : controlTable()) {
      const QString name =
          QString::fromUtf8(spec.name.data(), static_cast<qsizetype>(spec.name.size()));
      const QWidget* w = started.window.findChild<QWidget*>(name);
      dump += name + ": " + (w == nullptr ? QStringLiteral("(none)") : described(*w)) + '\n';
    }
    compareWithGolden(dump, QStringLiteral("window.txt"));
  }

  // Each tool's window with the readings of its published check typed in:
  // every label, box, result, note, button and scrolled area, in the order
  // they stand.
  void theToolWindowsReadAsTheirGoldenFile() {
    Started started;
    const struct {
      const char* id;
      QList<QPair<QString, QString>> typed;
    } tools[] = {
        {"atmosphere",
         {{"temp", "925"},
          {"mv", "1121"},
          {"dew-point", "-5"},
          {"co2", "0.15"},
          {"ch4", "0.5"},
          {"shim-initial-carbon", "0.1"},
          {"shim-initial-mg", "1000"},
          {"shim-final-mg", "1007"},
          {"target-carbon", "0.8"},
          {"si", "0.25"},
          {"mn", "1.2"},
          {"cr", "1.1"}}},
        {"nitriding-potential", {{"temp", "520"}, {"burette", "30"}}},
    };
    QString dump;
    for (const auto& t : tools) {
      qt::ToolWindow* window = openTool(started, t.id);
      QVERIFY2(window, t.id);
      for (const auto& [key, text] : t.typed) {
        auto* box = window->findChild<QLineEdit*>(QString::fromUtf8(t.id) + '-' + key);
        QVERIFY2(box, qPrintable(key));
        QTest::keyClicks(box, text);
      }
      dump += QStringLiteral("window \"") + window->windowTitle() + "\"\n";
      for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window)) continue;
        const bool shows = qobject_cast<const QLabel*>(w) || qobject_cast<const QLineEdit*>(w) ||
                           qobject_cast<const QAbstractButton*>(w) ||
                           qobject_cast<const QGroupBox*>(w) || qobject_cast<const QScrollArea*>(w);
        if (!shows) continue;
        dump += (w->objectName().isEmpty() ? QStringLiteral("-") : w->objectName()) + ": " +
                described(*w);
        if (auto* box = qobject_cast<const QLineEdit*>(w)) {
          dump += QStringLiteral("; placeholder \"") + box->placeholderText() + '"';
        }
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
