// Saving a tool's chart as a user does: the Save SVG… and Save PNG…
// buttons, the file dialog they open (its title, suggested name and file
// types), the file written, and the warning when the file cannot be
// written.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "gui_support.h"
#include "qt/chart_view.h"
#include "qt/tool_window.h"
#include "shell/tools.h"

namespace pyrelon::testing {
namespace {

// Runs `answer` on the modal dialog of type T a click opens, once it is up.
template <typename T>
void whenModal(std::function<void(T*)> answer) {
  auto poll = std::make_shared<std::function<void()>>();
  *poll = [answer, poll] {
    if (auto* modal = qobject_cast<T*>(QApplication::activeModalWidget())) {
      answer(modal);
    } else {
      QTimer::singleShot(10, *poll);
    }
  };
  QTimer::singleShot(0, *poll);
}

class ChartSaveTest : public QObject {
  Q_OBJECT

 private slots:
  void theButtonsAskForAFileAndWriteIt_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("suggested");
    QTest::addColumn<QString>("filter");
    QTest::newRow("SVG") << "atmosphere-chart-save-svg"
                         << "Save the chart as SVG"
                         << "atmosphere-chart.svg"
                         << "SVG images (*.svg)";
    QTest::newRow("PNG") << "atmosphere-chart-save-png"
                         << "Save the chart as PNG"
                         << "atmosphere-chart.png"
                         << "PNG images (*.png)";
  }
  void theButtonsAskForAFileAndWriteIt() {
    QFETCH(QString, button);
    QFETCH(QString, title);
    QFETCH(QString, suggested);
    QFETCH(QString, filter);
    Started started;
    started.window.openTool(*toolById("atmosphere"));
    qt::ToolWindow* window = started.window.toolWindow("atmosphere");
    QVERIFY(window);
    auto* temp = window->findChild<QLineEdit*>(QStringLiteral("atmosphere-temp"));
    QVERIFY(temp);
    QTest::keyClicks(temp, QStringLiteral("925"));
    auto* save = window->findChild<QPushButton*>(button);
    QVERIFY2(save, qPrintable(button));

    QTemporaryDir folder;
    const QString path = folder.filePath(suggested);
    QString seenTitle, seenName;
    QStringList seenFilters;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
      seenTitle = dialog->windowTitle();
      seenFilters = dialog->nameFilters();
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      if (name != nullptr) seenName = name->text();
      dialog->selectFile(path);
      static_cast<QDialog*>(dialog)->accept();
    });
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(seenTitle, title);
    QCOMPARE(seenFilters, QStringList{filter});
    QCOMPARE(seenName, suggested);
    QFile written(path);
    QVERIFY2(written.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray bytes = written.readAll();
    auto* view = window->findChild<qt::ChartView*>();
    QVERIFY(view);
    if (suggested.endsWith(QStringLiteral(".svg"))) {
      QCOMPARE(bytes, QByteArray::fromStdString(view->svg()));
    } else {
      QVERIFY(bytes.startsWith("\x89PNG"));
      QVERIFY(!QImage::fromData(bytes, "PNG").isNull());
    }
  }

  void aFileThatCannotBeWrittenIsSaidSo() {
    Started started;
    started.window.openTool(*toolById("atmosphere"));
    qt::ToolWindow* window = started.window.toolWindow("atmosphere");
    QVERIFY(window);
    QTest::keyClicks(window->findChild<QLineEdit*>(QStringLiteral("atmosphere-temp")),
                     QStringLiteral("925"));
    // The folder is there when the file is chosen and gone when it is
    // written, as when a drive is unplugged.
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("gone")));
    const QString path = folder.filePath(QStringLiteral("gone/chart.svg"));
    QString warning;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
      dialog->selectFile(path);
      QDir(folder.filePath(QStringLiteral("gone"))).removeRecursively();
      whenModal<QMessageBox>([&](QMessageBox* box) {
        if (box->windowTitle() == QStringLiteral("Pyrelon")) warning = box->text();
        box->close();
      });
      static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
    });
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("atmosphere-chart-save-svg")),
                      Qt::LeftButton);
    // The dialog gives the path back absolute.
    QVERIFY2(warning.startsWith(QStringLiteral("The chart could not be saved to /")),
             qPrintable(warning));
    QVERIFY2(warning.contains(QStringLiteral("/gone/chart.svg: ")), qPrintable(warning));
    QVERIFY(warning.endsWith('.'));
  }
};

}  // namespace
}  // namespace pyrelon::testing

QTEST_MAIN(pyrelon::testing::ChartSaveTest)
#include "chart_save_test.moc"
