// Saving a tool's chart as a user does: the Save SVG… and Save PNG…
// buttons, the file dialog they open (its title, suggested name and file
// types) and the file written.
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QTemporaryDir>

#include "gui_support.h"
#include "qt/chart_view.h"

namespace pyrelon::testing {
namespace {

class ChartSaveTest : public QObject {
  Q_OBJECT

  struct SaveRow {
    const char *name, *button, *title, *suggested, *filter;
  };

 private slots:
  void theButtonsAskForAFileAndWriteIt_data() {
    // clang-format off
    static const SaveRow rows[] = {
        {"SVG", "atmosphere-chart-save-svg", "Save the chart as SVG", "atmosphere-chart.svg", "SVG images (*.svg)"},
        {"PNG", "atmosphere-chart-save-png", "Save the chart as PNG", "atmosphere-chart.png", "PNG images (*.png)"},
    };
    // clang-format on
    addRows(rows);
  }
  void theButtonsAskForAFileAndWriteIt() {
    QFETCH(const SaveRow*, row);
    const QString suggested = QString::fromUtf8(row->suggested);
    Started started;
    qt::ToolWindow* window = openTool(started, "atmosphere", {"temp=925"});
    QVERIFY(window);
    auto* save = window->findChild<QPushButton*>(row->button);
    QVERIFY2(save, row->button);

    QTemporaryDir folder;
    const QString path = folder.filePath(suggested);
    QStringList seen;  // the title, the suggested name, the file types
    // At every pass of the event loop, until the dialog the click opens is up.
    QTimer poll;
    poll.callOnTimeout([&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      poll.stop();
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      seen << dialog->windowTitle() << (name ? name->text() : QString()) << dialog->nameFilters();
      dialog->selectFile(path);
      static_cast<QDialog*>(dialog)->accept();
    });
    poll.start(0);
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(seen, (QStringList{row->title, suggested, row->filter}));
    QFile written(path);
    QVERIFY2(written.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray bytes = written.readAll();
    auto* view = window->findChild<qt::ChartView*>();
    QVERIFY(view);
    if (suggested.endsWith(QStringLiteral(".svg"))) {
      QCOMPARE(bytes, QByteArray::fromStdString(view->svg()));
    } else {
      QVERIFY(bytes.startsWith("\x89PNG"));
      // Twice the document's 720 × 840 px.
      QCOMPARE(QImage::fromData(bytes, "PNG").size(), QSize(1440, 1680));
    }
  }
};

}  // namespace
}  // namespace pyrelon::testing

QTEST_MAIN(pyrelon::testing::ChartSaveTest)
#include "chart_save_test.moc"
