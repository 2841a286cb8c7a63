// The formulas window that F1 opens, and the window on a screen
// smaller than itself. The menus are in tests/golden/window.txt.
#include <QScrollArea>
#include <QScrollBar>
#include <QTextBrowser>
#include <algorithm>

#include "gui_support.h"

using pyrelon::qt::MainWindow;
using namespace pyrelon::testing;

class HelpScreenTest : public QObject {
  Q_OBJECT

 private slots:
  // F1 opens the formulas; what it shows can be selected and copied.
  void f1ShowsFormulasThatCopy() {
    Started s;
    QApplication::setActiveWindow(&s.window);
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    QVERIFY(s.window.helpWindow() == nullptr);
    QTest::keyClick(s.window.findChild<QWidget*>("MvZccTxt"), Qt::Key_F1);
    QTextBrowser* help = s.window.helpWindow();
    QVERIFY(help != nullptr && help->isVisible() && help->isWindow());
    QCOMPARE(help->windowTitle(), QStringLiteral("Pyrelon: formulas and constants"));
    QCOMPARE(help->objectName(), QStringLiteral("HelpWindow"));
    const QString text = help->toPlainText();
    // The page itself is tests/golden/help.html.
    for (const char* part : {"An offset of 8 mV means no offset", "Gasolio", "960 to 1340"})
      QVERIFY2(text.contains(QString::fromUtf8(part)), part);
    help->setFocus();
    QTest::keyClick(help, Qt::Key_A, Qt::ControlModifier);
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(help, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QGuiApplication::clipboard()->text();
    QVERIFY(copied.contains("Nernst factor") && copied.contains("20.95"));
    // Readable: its text is no smaller than the window's own.
    QVERIFY(help->font().pointSizeF() >= 8);
  }

  // A screen too narrow or too short is enough to scroll the panels.
  void scrollsWhereTheScreenFallsShortEitherWay() {
    for (const QRect screen : {QRect(0, 0, 480, 2000), QRect(0, 0, 2000, 360)}) {
      MainWindow window(MainWindow::StartUp::RunFormLoad, screen);
      QVERIFY(window.findChild<QScrollArea*>("ClientScroll") != nullptr);
    }
    MainWindow roomy(MainWindow::StartUp::RunFormLoad, QRect(0, 0, 2000, 2000));
    QVERIFY(roomy.findChild<QScrollArea*>("ClientScroll") == nullptr);
  }

  // On a screen smaller than the window: the window takes the screen, the
  // panels scroll, and the scroll follows the focus to every control.
  void smallScreenScrollsToEveryControl() {
    InfoBoxWatcher watcher;
    const QRect screen(0, 0, 480, 360);
    MainWindow window(MainWindow::StartUp::RunFormLoad, screen);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(window.width() <= screen.width() && window.height() <= screen.height());
    auto* scroll = window.findChild<QScrollArea*>("ClientScroll");
    QVERIFY(scroll != nullptr);
    QCOMPARE(scroll->widget(), window.clientArea());
    QVERIFY(scroll->horizontalScrollBar()->isVisible() && scroll->verticalScrollBar()->isVisible());
    const QRect viewport = scroll->viewport()->rect();
    // By the keyboard: Tab through every control.
    window.findChild<QWidget*>("GradiCmb")->setFocus(Qt::TabFocusReason);
    QSet<QWidget*> visited;
    for (int i = 0; i < 80; ++i) {
      QWidget* focus = QApplication::focusWidget();
      if (!window.clientArea()->isAncestorOf(focus)) break;
      visited.insert(focus);
      // In view, with 8 px of the panels around it where the panels reach that far.
      const QRect at(focus->mapTo(scroll->viewport(), QPoint(0, 0)), focus->size());
      const QRect inClient(focus->mapTo(window.clientArea(), QPoint(0, 0)), focus->size());
      const QRect client = window.clientArea()->rect();
      const QMargins around(std::min(8, inClient.left() - client.left()),
                            std::min(8, inClient.top() - client.top()),
                            std::min(8, client.right() - inClient.right()),
                            std::min(8, client.bottom() - inClient.bottom()));
      QVERIFY2(viewport.contains(at.marginsAdded(around)), qPrintable(focus->objectName()));
      QTest::keyClick(focus, Qt::Key_Tab);
    }
    // From either end of the panels, the focus brings the whole control into view.
    for (QWidget* control : visited) {
      for (const bool far : {false, true}) {
        control->clearFocus();
        for (QScrollBar* bar : {scroll->horizontalScrollBar(), scroll->verticalScrollBar()})
          bar->setValue(far ? bar->maximum() : 0);
        control->setFocus(Qt::OtherFocusReason);
        const QRect at(control->mapTo(scroll->viewport(), QPoint(0, 0)), control->size());
        QVERIFY2(viewport.contains(at), qPrintable(control->objectName()));
      }
    }
    QVERIFY(visited.contains(window.findChild<QWidget*>("NkBtn")));
    QVERIFY(visited.contains(window.findChild<QWidget*>("FlowLbl")));
    // By the mouse: scrolled to the flow panel's Solve, a click reaches it.
    auto* flowSolve = window.findChild<QPushButton*>("FlowBtn");
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
    const QPoint centre = flowSolve->mapTo(scroll->viewport(), flowSolve->rect().center());
    QVERIFY(viewport.contains(centre));
    window.findChild<QLabel*>("FlowLbl")->setText("stale");
    QTest::mouseClick(flowSolve, Qt::LeftButton);
    QCOMPARE(shown(window, {"FlowLbl"}), QStringList{"FlowLbl=10"});
  }
};

QTEST_MAIN(HelpScreenTest)
#include "help_screen_test.moc"
