// A tool's window, on a test build that registers the throwaway tool: the
// Tools menu opens its window with the form laid out from the description,
// and typing updates the results at once. The menu bar's order, and what a
// tool's boxes and results are called and tell, are in the golden files
// (tests/golden/window.txt, tool-windows.txt).
#include "qt/tool_window.h"

#include "gui_support.h"
#include "tests/scratch/scratch_tool.h"

namespace pyrelon::testing {
namespace {

class ToolWindowTest : public QObject {
  Q_OBJECT

  struct TypingRow {
    const char *name, *flow, *share, *volume, *nitrogen, *first, *error;
  };

  // Opens the scratch tool as a user does: Alt+T, then the entry's mnemonic.
  qt::ToolWindow* openFromMenu(qt::MainWindow& window) {
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window)) return nullptr;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::AltModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr || menu->objectName() != QStringLiteral("ToolsMenu")) return nullptr;
    QTest::keyClick(menu, Qt::Key_S);  // "&Scratch mix…"
    return window.toolWindow("scratch-mix");
  }

  QString valueOf(qt::ToolWindow* tool, const char* path) {
    QLabel* label = tool->resultLabel(QString::fromUtf8(path));
    return label ? label->text() : QStringLiteral("<no label>");
  }

 private slots:
  // 12.5 m³/h × 8 h = 100 m³, 40 % of it, half of it. Empty boxes: 10 × 8
  // = 80 m³; no share, so a dash with its note.
  void typingUpdatesTheResults_data() {
    // clang-format off
    static const TypingRow rows[] = {
        {"given", "12.5", "40", "100.00", "40.0", "50.0", ""},
        {"empty_boxes", "", "", "80.00", "\u2014", "40.0", ""},
        {"out_of_range", "101", "", "\u2014", "\u2014", "\u2014", "The gas flow must be between 0 and 100 m³/h."},
        {"not_a_number", "1,5", "", "\u2014", "\u2014", "\u2014", "The gas flow \"1,5\" is not a number."},
    };
    // clang-format on
    addRows(rows);
  }

  void typingUpdatesTheResults() {
    QFETCH(const TypingRow*, row);
    const QString share = QString::fromUtf8(row->share), error = QString::fromUtf8(row->error);
    Started started;
    qt::ToolWindow* tool = openFromMenu(started.window);
    QVERIFY(tool);
    QVERIFY(QTest::qWaitForWindowExposed(tool));
    QLineEdit* flowBox = tool->findChild<QLineEdit*>(QStringLiteral("scratch-mix-flow"));
    QLineEdit* shareBox = tool->findChild<QLineEdit*>(QStringLiteral("scratch-mix-share"));
    QVERIFY(flowBox && shareBox);
    flowBox->setFocus();
    QTest::keyClicks(flowBox, QString::fromUtf8(row->flow));
    QTest::keyClick(flowBox, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), shareBox);
    QTest::keyClicks(shareBox, share);
    QCOMPARE(valueOf(tool, "volume"), QString::fromUtf8(row->volume));
    QCOMPARE(valueOf(tool, "nitrogen"), QString::fromUtf8(row->nitrogen));
    // With no share, the note stands under the nitrogen's dash.
    QLabel* note = tool->noteLabel(QStringLiteral("nitrogen"));
    const bool noted = share.isEmpty() && error.isEmpty();
    QCOMPARE(note->text(), noted ? QStringLiteral("give the nitrogen share") : QString());
    QCOMPARE(note->isVisible(), noted);
    QVERIFY(note->indent() > 0);  // set in under its line
    QCOMPARE(valueOf(tool, "split.first"), QString::fromUtf8(row->first));
    QCOMPARE(tool->errorLabel()->text(), error);
    QCOMPARE(tool->errorLabel()->isVisible(), !error.isEmpty());
    QCOMPARE(tool->errorLabel()->accessibleName(), QStringLiteral("Fault"));  // read out as such
  }

  void aDecimalCommaWhereTheSettingsHaveOne() {
    qt::ToolWindow tool(scratchTool(), ",", nullptr);
    auto* flow = tool.findChild<QLineEdit*>(QStringLiteral("scratch-mix-flow"));
    auto* hours = tool.findChild<QLineEdit*>(QStringLiteral("scratch-mix-hours"));
    QTest::keyClicks(flow, QStringLiteral("2,5"));
    QTest::keyClicks(hours, QStringLiteral("3"));
    // 2.5 × 3 = 7.5, half of it 3.75, shown with one decimal
    QCOMPARE(valueOf(&tool, "volume"), QStringLiteral("7,50"));
    QCOMPARE(valueOf(&tool, "split.first"), QStringLiteral("3,8"));
    QCOMPARE(hours->toolTip(), QStringLiteral("Range: 0,5 to 24 h\nEmpty: 8 h"));
  }

  // One window per tool: it tells a chart beside the form each change, Tab
  // goes from the last box to the results (which take the keyboard for
  // copying), Escape closes it, and opened again the same one comes back.
  void oneWindowThatReportsEachChange() {
    Started started;
    qt::ToolWindow* tool = openTool(started, "scratch-mix");
    QVERIFY(tool);
    QCOMPARE(tool->chartArea()->objectName(), QStringLiteral("scratch-mix-chart"));
    QVERIFY(tool->chartArea()->layout());
    QSignalSpy updated(tool, &qt::ToolWindow::updated);
    tool->findChild<QLineEdit*>(QStringLiteral("scratch-mix-flow"))->setText("12.5");
    QCOMPARE(updated.count(), 1);
    QApplication::setActiveWindow(tool);
    QVERIFY(QTest::qWaitForWindowActive(tool));
    auto* hours = tool->findChild<QLineEdit*>(QStringLiteral("scratch-mix-hours"));
    QLabel* volume = tool->resultLabel(QStringLiteral("volume"));
    hours->setFocus();
    QTest::keyClick(hours, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), volume);
    QTest::keyClick(volume, Qt::Key_Escape);
    QVERIFY(!tool->isVisible());
    started.window.openTool(scratchTool());
    QCOMPARE(started.window.toolWindow("scratch-mix"), tool);
    QVERIFY(tool->isVisible());
  }
};

}  // namespace
}  // namespace pyrelon::testing

QTEST_MAIN(pyrelon::testing::ToolWindowTest)
#include "tool_window_test.moc"
