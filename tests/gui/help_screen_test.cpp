// The Help menu and its formulas window, and the window on a screen
// smaller than itself.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <algorithm>

#include "gui_support.h"

using pyrelon::qt::MainWindow;
using namespace pyrelon::testing;

class HelpScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void helpMenuFollowsExit() {
    Started s;
    const QList<QAction*> bar = s.window.menuBar()->actions();
    QCOMPARE(bar.size(), 3);
    QCOMPARE(bar[0]->text(), QStringLiteral("E&xit !"));
    QCOMPARE(bar[1]->text(), QStringLiteral("&Tools"));
    QStringList tools;
    for (QAction* a : bar[1]->menu()->actions()) tools << a->text();
    QCOMPARE(tools, (QStringList{"&Atmosphere\u2026", "&Nitriding potential\u2026"}));
    QCOMPARE(bar[2]->text(), QStringLiteral("&Help"));
    QStringList entries;
    for (QAction* a : bar[2]->menu()->actions())
      entries << a->text() + " [" + a->shortcut().toString() + "]";
    QCOMPARE(entries, (QStringList{"&Formulas and constants [F1]", "&About Pyrelon []"}));
  }

  // F1 opens the formulas; what it shows can be selected and copied.
  void f1ShowsFormulasThatCopy() {
    Started s;
    QApplication::setActiveWindow(&s.window);
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    QVERIFY(s.window.helpWindow() == nullptr);
    QTest::keyClick(s.window.findChild<QWidget*>("MvZccTxt"), Qt::Key_F1);
    QTextBrowser* help = s.window.helpWindow();
    QVERIFY(help != nullptr && help->isVisible() && help->isWindow());
    const QString text = help->toPlainText();
    for (const char* part : {"An offset of 8 mV means no offset", "0.0215354", "0.02154",
                             "comes out below Gross Eff.", "10017.6", "Gasolio", "960 to 1340"})
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

  // What a screen reader says of the logo, and the formulas window's title.
  void namesOfTheLogoAndTheHelpWindow_data() {
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("the logo's name") << "logo name" << "Pyrelon logo";
    QTest::newRow("the logo's description") << "logo description" << "Click to show the program's release";
    QTest::newRow("the formulas window's title") << "help title" << "Pyrelon: formulas and constants";
    QTest::newRow("the formulas window's name") << "help name" << "HelpWindow";
    // clang-format on
  }

  void namesOfTheLogoAndTheHelpWindow() {
    QFETCH(QString, what);
    QFETCH(QString, expected);
    Started s;
    QWidget* logo = s.window.findChild<QWidget*>("Image1");
    QVERIFY(logo != nullptr);
    s.window.showHelp();
    QTextBrowser* help = s.window.helpWindow();
    QVERIFY(help != nullptr);
    const QString got = what == "logo name"          ? logo->accessibleName()
                        : what == "logo description" ? logo->accessibleDescription()
                        : what == "help title"       ? help->windowTitle()
                                                     : help->objectName();
    QCOMPARE(got, expected);
  }

  void aboutFromTheMenu() {
    Started s;
    s.window.findChild<QAction*>("HelpAbout")->trigger();
    QCOMPARE(s.watcher.seen.size(), 1);
    QCOMPARE(s.watcher.seen.front().text,
             "The Pyrelon \nRelease 1.7 (23-09-2002)\nAuthor \nFactory Quorvent\n\n\n");
  }

  void normalScreenNoScroll() {
    Started s;
    QVERIFY(s.window.findChild<QScrollArea*>("ClientScroll") == nullptr);
    QCOMPARE(s.window.centralWidget(), s.window.clientArea());
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
      const QRect at(focus->mapTo(scroll->viewport(), QPoint(0, 0)), focus->size());
      QVERIFY2(viewport.contains(at), qPrintable(focus->objectName()));
      // With 8 px of the panels around it where the panels reach that far.
      const QRect inClient(focus->mapTo(window.clientArea(), QPoint(0, 0)), focus->size());
      const QRect client = window.clientArea()->rect();
      QVERIFY2(
          at.left() - viewport.left() >= std::min(8, inClient.left() - client.left()) &&
              at.top() - viewport.top() >= std::min(8, inClient.top() - client.top()) &&
              viewport.right() - at.right() >= std::min(8, client.right() - inClient.right()) &&
              viewport.bottom() - at.bottom() >= std::min(8, client.bottom() - inClient.bottom()),
          qPrintable(focus->objectName()));
      QTest::keyClick(focus, Qt::Key_Tab);
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
