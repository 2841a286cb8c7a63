// What a person types and pastes into the input boxes: Enter never meets
// the key filter, a paste meets it once, and a box read only in part is
// marked (under a point; the comma tests mark it under a comma). Enter
// solving its panel is window_test's.
#include <QDropEvent>
#include <QMimeData>

#include "gui_support.h"

using pyrelon::qt::MainWindow;
using namespace pyrelon::testing;

class InputsTest : public QObject {
  Q_OBJECT

  struct PasteRow {
    const char *name, *box, *before, *pasted, *way, *after;
    int beeps;
  };
  struct PartReadRow {
    const char *name, *box, *typed, *toolTip;
  };

 private slots:
  // Enter in the hydrogen box no longer meets the key filter, which would
  // beep and empty it.
  void enterKeepsTheFilteredBoxes() {
    Started s;
    QSignalSpy beeped(&s.window, &MainWindow::beeped);
    for (const char* name : {"HTxt", "NTxt"}) {
      auto* edit = s.window.findChild<QLineEdit*>(name);
      const QString before = edit->text();
      QTest::keyClick(edit, Qt::Key_Return);
      QCOMPARE(edit->text(), before);
    }
    QCOMPARE(beeped.count(), 0);
    // Backspace still does.
    auto* hydrogen = s.window.findChild<QLineEdit*>("HTxt");
    QTest::keyClick(hydrogen, Qt::Key_Backspace);
    QCOMPARE(hydrogen->text(), QString());
    QCOMPARE(beeped.count(), 1);
  }

  // A paste meets the filter once, as one keystroke of the pasted text, by
  // each way of pasting. Which texts the filter lets through is reading_test's.
  void pasteMeetsTheFilterOnce_data() {
    // clang-format off
    static const PasteRow rows[] = {
        {"Ctrl+V digits", "HTxt", "10", "5", "ctrl+v", "105", 0},
        {"Ctrl+V comma", "HTxt", "10", "1,5", "ctrl+v", "1,5", 1},
        {"Shift+Insert", "HTxt", "10", "abc", "shift+insert", "abc", 1},
        {"menu digits", "HTxt", "1", "2.5", "menu", "12.5", 0},
        {"menu letters", "NTxt", "31", "x", "menu", "x", 1},
        {"drop", "HTxt", "10", "-5", "drop", "-5", 1},
        {"free box", "DataText", "10", "abc", "ctrl+v", "10abc", 0},
        {"middle click", "HTxt", "10", "x", "middle", "x", 1},
        {"a double click selects, pastes nothing", "HTxt", "10", "5", "double click", "10", 0},
    };
    // clang-format on
    addRows(rows);
  }

  void pasteMeetsTheFilterOnce() {
    QFETCH(const PasteRow*, row);
    const QString way = row->way, pasted = row->pasted;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (way == "middle" && !clipboard->supportsSelection())
      QSKIP("this platform has no selection to paste with the middle button");
    Started s;
    auto* edit = s.window.findChild<QLineEdit*>(row->box);
    edit->setText(row->before);  // the caret at the end
    edit->setFocus();
    QSignalSpy beeped(&s.window, &MainWindow::beeped);
    clipboard->setText(pasted);
    if (way == "ctrl+v") {
      QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    } else if (way == "shift+insert") {
      QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
    } else if (way == "menu") {
      openContextMenu(edit);
      QVERIFY(clickMenuEntry("edit-paste"));
    } else if (way == "double click") {
      const QPoint at = edit->rect().center();  // QTest's double click sends no release
      QTest::mouseDClick(edit, Qt::LeftButton, Qt::NoModifier, at);
      QTest::mouseRelease(edit, Qt::LeftButton, Qt::NoModifier, at);
      QCOMPARE(edit->selectedText(), edit->text());
    } else if (way == "middle") {
      clipboard->setText(pasted, QClipboard::Selection);
      QTest::mouseClick(edit, Qt::MiddleButton, Qt::NoModifier, edit->rect().center());
    } else {
      QMimeData data;
      data.setText(pasted);
      const QPoint at(edit->rect().right() - 2, edit->rect().center().y());
      QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(edit, &enter);
      QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(edit, &drop);
    }
    QCOMPARE(edit->text(), QString::fromUtf8(row->after));
    QCOMPARE(int(beeped.count()), row->beeps);
  }

  // A box read only in part is marked, says what was read above its range,
  // and changes nothing else. The warnings' wording is reading_test's.
  void partReadMark_data() {
    // clang-format off
    static const PartReadRow rows[] = {
        {"comma", "MvZccTxt", "1121,5", "Read as \"1121\": the number ends before \",5\". Type a point as "
                                        "the decimal separator.\n960 to 1340 mV"},
        {"letters", "DataText", "12abc", "Read as \"12\": the number ends before \"abc\"."},
        {"whole", "MvZccTxt", " 1121 ", "960 to 1340 mV"},
    };
    // clang-format on
    addRows(rows);
  }

  void partReadMark() {
    QFETCH(const PartReadRow*, row);
    const QString toolTip = QString::fromUtf8(row->toolTip);
    Started s;
    auto* edit = s.window.findChild<QLineEdit*>(row->box);
    const QColor ink = edit->palette().color(QPalette::Text);
    const QStringList results = shown(s.window, {"CarbonLbl", "Lab2", "Lab10", "FlowLbl"});
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, row->typed);
    QCOMPARE(edit->toolTip(), toolTip);
    const bool marked = toolTip.startsWith("Read");
    QCOMPARE(edit->palette().color(QPalette::Text) != ink, marked);
    QCOMPARE(edit->accessibleDescription().isEmpty(), !marked);
    // The mark follows the text: gone once the text is read whole.
    edit->selectAll();
    QTest::keyClicks(edit, "1000");
    QCOMPARE(edit->palette().color(QPalette::Text), ink);
    QVERIFY(!edit->toolTip().startsWith("Read"));
    // No value changed, no box shown.
    QCOMPARE(shown(s.window, {"CarbonLbl", "Lab2", "Lab10", "FlowLbl"}), results);
    QVERIFY(s.watcher.seen.isEmpty());
  }
};

QTEST_MAIN(InputsTest)
#include "inputs_test.moc"
