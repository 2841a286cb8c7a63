// Saving a tool's chart as a user does: the Save SVG… and Save PNG…
// buttons, the file dialog they open (its title, suggested name and file
// types) and the file written.
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
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
// The polling timer belongs to the application, so it goes at the latest
// with it.
template <typename T>
void whenModal(std::function<void(T*)> answer) {
  auto* timer = new QTimer(qApp);
  timer->setInterval(0);  // at every pass of the event loop, as soon as the dialog is up
  QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
    if (auto* modal = qobject_cast<T*>(QApplication::activeModalWidget())) {
      timer->stop();
      timer->deleteLater();
      answer(modal);
    }
  });
  timer->start();
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
    qt::ToolWindow* window = openTool(started, "atmosphere");
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
};

}  // namespace
}  // namespace pyrelon::testing

QTEST_MAIN(pyrelon::testing::ChartSaveTest)
#include "chart_save_test.moc"
