// Saving a tool's chart as a user does: the Save SVG… and Save PNG…
// buttons, the file dialog they open (its title, suggested name and file
// types) and the file written, or the reason it could not be.
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
    bool blocked;  // the file chosen lies under a file, not a folder
  };

 private slots:
  void theButtonsAskForAFileAndWriteIt_data() {
    // clang-format off
    static const SaveRow rows[] = {
        {"SVG", "atmosphere-chart-save-svg", "Save the chart as SVG", "atmosphere-chart.svg", "SVG images (*.svg)", false},
        {"PNG", "atmosphere-chart-save-png", "Save the chart as PNG", "atmosphere-chart.png", "PNG images (*.png)", false},
        {"PNG that cannot be written", "atmosphere-chart-save-png", "Save the chart as PNG", "atmosphere-chart.png", "PNG images (*.png)", true},
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
    QString path = folder.filePath(suggested);
    if (row->blocked) {
      QFile plain(folder.filePath(QStringLiteral("plain")));
      QVERIFY(plain.open(QIODevice::WriteOnly));
      path = plain.fileName() + '/' + suggested;  // refused even to root
    }
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
    if (row->blocked) {
      QCOMPARE(started.watcher.seen.size(), 1);
      const SeenBox& box = started.watcher.seen.front();
      const QString said = QStringLiteral("The chart could not be saved to ") + path + ": ";
      QCOMPARE(box.title + ' ' + box.text.left(said.size()), "Pyrelon " + said);
      QVERIFY2(box.text.size() > said.size() + 1 && box.text.endsWith('.'), qPrintable(box.text));
      QCOMPARE(box.icon, QMessageBox::Warning);
      return;
    }
    QVERIFY(started.watcher.seen.isEmpty());
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
