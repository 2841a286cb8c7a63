// What a tool window's required box tells a user before and after a
// reading, and a refused reading marked on its box and stated in red. The
// placeholders and tips of defaulted and optional boxes, empty or not, are in
// tests/golden/tool-windows.txt.

#include "gui_support.h"

namespace pyrelon::testing {
namespace {

class ToolBoxesTest : public QObject {
  Q_OBJECT

 private slots:
  void aRefusedReadingIsMarkedOnItsBox() {
    Started started;
    qt::ToolWindow* window = openTool(started, "atmosphere");
    QVERIFY(window);
    auto* temp = window->findChild<QLineEdit*>(QStringLiteral("atmosphere-temp"));
    auto* co = window->findChild<QLineEdit*>(QStringLiteral("atmosphere-co"));
    auto* error = window->findChild<QLabel*>(QStringLiteral("atmosphere-error"));
    QVERIFY(temp && co && error);
    const QString tip = QStringLiteral(
        "The furnace temperature, where the gas meets the work.\n"
        "Range: 800 to 1100 °C\nRequired");
    // Empty at first, the required box is the one the window asks for.
    QCOMPARE(temp->toolTip(),
             QStringLiteral("The furnace temperature is needed, from 800 to 1100 °C.\n") + tip);
    QTest::keyClicks(temp, QStringLiteral("1200"));
    const QString sentence =
        QStringLiteral("The furnace temperature must be between 800 and 1100 °C.");
    QCOMPARE(error->text(), sentence);
    QVERIFY(error->isVisibleTo(window));
    QVERIFY2(error->styleSheet().contains(QStringLiteral("#b00000")),
             qPrintable(error->styleSheet()));
    QCOMPARE(temp->styleSheet(), QStringLiteral("QLineEdit { background: #ffd8d0; }"));
    QCOMPARE(temp->toolTip(), sentence + '\n' + tip);
    QCOMPARE(co->styleSheet(), QString());
    // Put right, the mark and the sentence go.
    for (int i = 0; i < 4; ++i) QTest::keyClick(temp, Qt::Key_Backspace);
    QTest::keyClicks(temp, QStringLiteral("925"));
    QVERIFY(!error->isVisibleTo(window));
    QCOMPARE(temp->styleSheet(), QString());
    QCOMPARE(temp->toolTip(), tip);
  }
};

}  // namespace
}  // namespace pyrelon::testing

QTEST_MAIN(pyrelon::testing::ToolBoxesTest)
#include "tool_boxes_test.moc"
