// What a tool window's boxes tell a user before and after a reading: the
// placeholder and tooltip of a required, a defaulted and an optional input,
// and a refused reading marked on its box and stated in red.
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "gui_support.h"
#include "qt/tool_window.h"
#include "shell/tools.h"

namespace pyrelon::testing {
namespace {

class ToolBoxesTest : public QObject {
  Q_OBJECT

 private slots:
  void eachBoxSaysWhatAnEmptyBoxMeans_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("placeholder");
    QTest::addColumn<QString>("tip");
    // Empty at first, the required box is the one the window asks for.
    QTest::newRow("required") << "atmosphere-temp"
                              << "required"
                              << "The furnace temperature is needed, from 800 to 1100 °C.\n"
                                 "The furnace temperature, where the gas meets the work.\n"
                                 "Range: 800 to 1100 °C\nRequired";
    QTest::newRow("with a start value") << "atmosphere-co"
                                        << "20"
                                        << "Carbon monoxide by volume; 20 % in endothermic gas "
                                           "from natural gas.\nRange: 0.1 to 60 %\nEmpty: 20 %";
    QTest::newRow("optional") << "atmosphere-mv"
                              << "not given"
                              << "The oxygen probe's voltage against air.\n"
                                 "Range: 900 to 1300 mV\nEmpty: not given";
  }
  void eachBoxSaysWhatAnEmptyBoxMeans() {
    QFETCH(QString, box);
    QFETCH(QString, placeholder);
    QFETCH(QString, tip);
    Started started;
    qt::ToolWindow* window = openTool(started, "atmosphere");
    QVERIFY(window);
    auto* edit = window->findChild<QLineEdit*>(box);
    QVERIFY2(edit, qPrintable(box));
    QCOMPARE(edit->placeholderText(), placeholder);
    QCOMPARE(edit->toolTip(), tip);
  }

  void aRefusedReadingIsMarkedOnItsBox() {
    Started started;
    qt::ToolWindow* window = openTool(started, "atmosphere");
    QVERIFY(window);
    auto* temp = window->findChild<QLineEdit*>(QStringLiteral("atmosphere-temp"));
    auto* co = window->findChild<QLineEdit*>(QStringLiteral("atmosphere-co"));
    auto* error = window->findChild<QLabel*>(QStringLiteral("atmosphere-error"));
    QVERIFY(temp && co && error);
    QTest::keyClicks(temp, QStringLiteral("1200"));
    const QString sentence =
        QStringLiteral("The furnace temperature must be between 800 and 1100 °C.");
    QCOMPARE(error->text(), sentence);
    QVERIFY(error->isVisibleTo(window));
    QVERIFY2(error->styleSheet().contains(QStringLiteral("#b00000")),
             qPrintable(error->styleSheet()));
    QCOMPARE(temp->styleSheet(), QStringLiteral("QLineEdit { background: #ffd8d0; }"));
    QVERIFY2(temp->toolTip().startsWith(sentence + '\n'), qPrintable(temp->toolTip()));
    QCOMPARE(co->styleSheet(), QString());
    // Put right, the mark and the sentence go.
    QTest::keyClick(temp, Qt::Key_Backspace);
    QTest::keyClick(temp, Qt::Key_Backspace);
    QTest::keyClick(temp, Qt::Key_Backspace);
    QTest::keyClick(temp, Qt::Key_Backspace);
    QTest::keyClicks(temp, QStringLiteral("925"));
    QVERIFY(!error->isVisibleTo(window));
    QCOMPARE(temp->styleSheet(), QString());
    QVERIFY2(!temp->toolTip().startsWith(sentence), qPrintable(temp->toolTip()));
  }
};

}  // namespace
}  // namespace pyrelon::testing

QTEST_MAIN(pyrelon::testing::ToolBoxesTest)
#include "tool_boxes_test.moc"
