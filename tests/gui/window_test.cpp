// The real window, driven through real widgets, keys and mouse: start-up
// state, the key filter, the about box, Solve and Enter on each panel, event
// wiring, tab order and ending the program. What the window shows after start-up is
// window_golden_test's; the calculators' arithmetic is tested without the
// window.
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QMenuBar>
#include <QScrollArea>

#include "gui_support.h"

using pyrelon::qt::MainWindow;
using namespace pyrelon;
using namespace pyrelon::testing;

class WindowTest : public QObject {
  Q_OBJECT

  struct KeyRow {
    const char *name, *box, *before;
    int key;  // 0: `committed` comes from an input method
    const char *committed, *after;
    int beeps;
  };

 private slots:
  // Start-up, beside what tests/golden/window.txt holds (every control's
  // text, selection, kind, tip and name): the fixed size, Exit as the menu
  // bar's own first command, each control on its panel and no other named
  // control, only results selectable, lists the user can only pick from,
  // boxes shown from their start, no message box and, with room, no scrolling.
  void startUp() {
    Started s;
    QWidget* client = s.window.centralWidget();
    QCOMPARE(client->size(), QSize(677, 477));
    QCOMPARE(s.window.minimumSize(), s.window.maximumSize());
    QCOMPARE(client, s.window.clientArea());
    QVERIFY(s.window.findChild<QScrollArea*>("ClientScroll") == nullptr);
    auto* exitAction = s.window.findChild<QAction*>("ExitMenu");
    QVERIFY(exitAction && exitAction->menu() == nullptr);
    QCOMPARE(s.window.menuBar()->actions().value(0), exitAction);
    for (const ControlSpec& row : controlTable()) {
      const QString name = QString::fromUtf8(row.name);
      QWidget* widget = s.window.findChild<QWidget*>(name);
      QWidget* panel = row.parent.empty()
                           ? client
                           : s.window.findChild<QGroupBox*>(QString::fromUtf8(row.parent));
      QVERIFY2(widget && widget->parentWidget() == panel, qPrintable(name));
    }
    qsizetype named = 0;
    for (QWidget* w : client->findChildren<QWidget*>()) {
      if (w->objectName().isEmpty() || w->objectName().startsWith("qt_")) continue;
      ++named;
      const ControlSpec* control = findControl(w->objectName().toStdString());
      QVERIFY2(control, qPrintable(w->objectName()));
      if (auto* label = qobject_cast<QLabel*>(w))
        QCOMPARE(bool(label->textInteractionFlags() & Qt::TextSelectableByMouse),
                 control->kind == ControlKind::ResultLabel);
    }
    QCOMPARE(named, qsizetype(controlTable().size()));
    for (auto* list : client->findChildren<QComboBox*>()) QVERIFY(!list->isEditable());
    // Written from code, a box's text shows from its start.
    for (auto* box : client->findChildren<QLineEdit*>()) QCOMPARE(box->cursorPosition(), 0);
    QVERIFY2(s.watcher.seen.isEmpty(), qPrintable(s.watcher.seen.value(0).text));
  }

  // A key, or a text an input method commits (as a compose sequence or an
  // IME does), typed into a box.
  void keyFilter_data() {
    // clang-format off
    static const KeyRow rows[] = {
        {"digit", "HTxt", "10", Qt::Key_5, "", "105", 0},
        {"point on whole number", "HTxt", "10", Qt::Key_Period, "", ".", 1},
        // Were the filter to see it, it would beep and empty the box.
        {"arrow types nothing", "HTxt", "10", Qt::Key_Left, "", "10", 0},
        {"temperature box free", "DataText", "10", Qt::Key_A, "", "10a", 0},
        {"committed digit", "NTxt", "10", 0, "5", "105", 0},
        {"committed accented letter", "HTxt", "10", 0, "\u00e9", "\u00e9", 1},
        // A real Delete carries the text "\x7f"; it deletes and never reaches
        // the filter (the caret stands before the last character).
        {"delete", "HTxt", "10", Qt::Key_Delete, "", "1", 0},
    };
    // clang-format on
    addRows(rows);
  }

  void keyFilter() {
    QFETCH(const KeyRow*, row);
    Started s;
    auto* edit = s.window.findChild<QLineEdit*>(row->box);
    edit->setText(row->before);  // the caret at the end
    QSignalSpy beeped(&s.window, &MainWindow::beeped);
    if (row->key == Qt::Key_Delete) {
      edit->setCursorPosition(1);
      for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
        QApplication::sendEvent(edit, &event);
      }
    } else if (row->key != 0) {
      QTest::keyClick(edit, Qt::Key(row->key));
    } else {
      QInputMethodEvent commit;
      commit.setCommitString(QString::fromUtf8(row->committed));
      QApplication::sendEvent(edit, &commit);
    }
    QCOMPARE(edit->text(), QString::fromUtf8(row->after));
    QCOMPARE(int(beeped.count()), row->beeps);
  }

  // The logo's left click and Help > About show the same box; a right click
  // shows none. The logo tells a screen reader what a click does.
  void aboutBox() {
    Started s;
    auto* logo = s.window.findChild<QLabel*>("Image1");
    QCOMPARE(logo->accessibleDescription(), QStringLiteral("Click to show the program's release"));
    QTest::mouseClick(logo, Qt::RightButton);
    QCOMPARE(s.watcher.seen.size(), 0);
    QTest::mouseClick(logo, Qt::LeftButton);
    QTest::mouseRelease(logo, Qt::LeftButton);  // a release alone, dragged in: no click
    s.window.findChild<QAction*>("HelpAbout")->trigger();
    QCOMPARE(s.watcher.seen.size(), 2);
    for (const SeenBox& box : s.watcher.seen) {
      QCOMPARE(box.title, QStringLiteral("Info Box"));
      QCOMPARE(box.text, "The Pyrelon \nRelease 1.7 (23-09-2002)\nAuthor \nFactory Quorvent\n\n\n");
      QCOMPARE(box.icon, QMessageBox::Information);
      QCOMPARE(box.buttons, QMessageBox::Ok);
      QCOMPARE(box.buttonCount, 1);
      QCOMPARE(box.textFormat, Qt::PlainText);
    }
  }

  // Each Solve button, and Enter in each box, runs its own panel: every
  // result label of the panel, made stale, shows a value again. What the
  // values are is the calculators' business, tested without the window.
  // The keypad's Enter does the same as Return.
  void solveButtonsAndEnterSolveTheirPanels() {
    Started s;
    for (const ControlSpec& control : controlTable()) {
      const bool button = control.kind == ControlKind::Button;
      if (!button && control.kind != ControlKind::TextBox) continue;
      const QString name = QString::fromUtf8(control.name);
      const QStringList stale = makeResultsStale(s.window, control.parent);
      const bool keypad = name == "FlowTxt";
      if (button)
        QTest::mouseClick(s.window.findChild<QPushButton*>(name), Qt::LeftButton);
      else
        QTest::keyClick(s.window.findChild<QLineEdit*>(name),
                        keypad ? Qt::Key_Enter : Qt::Key_Return,
                        keypad ? Qt::KeypadModifier : Qt::NoModifier);
      for (const QString& label : shown(s.window, stale))
        QVERIFY2(!label.endsWith("=stale") && !label.endsWith('='),
                 qPrintable(name + ": " + label));
    }
    QVERIFY(s.watcher.seen.isEmpty());
  }

  void selectionRunsHandlerOnce() {
    Started s;
    QSignalSpy ran(&s.window, &MainWindow::handlerRan);
    s.window.setSelectedIndex("GradiCmb", 1);  // from code
    QCOMPARE(ran.count(), 1);
    QTest::keyClick(s.window.findChild<QComboBox*>("GradiCmb"), Qt::Key_Down);  // by the user
    QCOMPARE(ran.count(), 2);
    QCOMPARE(s.window.selectedIndex("GradiCmb"), 2);
    QCOMPARE(ran.back().front().toString(), QStringLiteral("GradiCmb"));
  }

  // The flow panel's boxes, list, Solve and result in the order they read
  // (what each is called is in the golden file).
  void tabOrderOfOnePanel() {
    Started s;
    QApplication::setActiveWindow(&s.window);
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    const QStringList expected{"RefTempTxt",  "RefPresTxt", "AtmPresTxt", "FlowTxt", "FlowTempTxt",
                               "FlowPresTxt", "FlowCmb",    "FlowBtn",    "FlowLbl"};
    s.window.findChild<QWidget*>("RefTempTxt")->setFocus(Qt::TabFocusReason);
    QStringList visited;
    while (visited.size() < expected.size()) {
      visited << QApplication::focusWidget()->objectName();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, expected);
  }

  // The menu entry, its access key Alt+X, the frame's close.
  void ending_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("Exit chosen") << 0;
    QTest::newRow("Exit by its access key") << 1;
    QTest::newRow("window closed") << 2;
  }

  void ending() {
    QFETCH(int, way);
    Started s;
    QApplication::setActiveWindow(&s.window);
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    QTimer::singleShot(0, &s.window, [&s, way] {
      if (way == 0) s.window.findChild<QAction*>("ExitMenu")->trigger();
      if (way == 1) QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
      if (way == 2) s.window.close();
    });
    QTimer::singleShot(5000, &s.window, [] { QCoreApplication::exit(99); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!s.window.isVisible());
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
