// The logo the window shows is the one logo_draw.cpp draws: the build's
// pixels at the build's size, a fresh drawing at another.
#include "qt/logo.h"

#include <QTest>

#include "qt/logo_baked.h"
#include "qt/logo_draw.h"

using namespace pyrelon::qt;

class LogoTest : public QObject {
  Q_OBJECT

 private slots:
  void shownIsDrawn_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("baked");
    QTest::newRow("build's size") << QSize(baked::kLogo.width, baked::kLogo.height) << true;
    QTest::newRow("other size") << QSize(120, 90) << false;
  }

  void shownIsDrawn() {
    QFETCH(QSize, size);
    const QImage shown = logoPixmap(size, 1, QFontInfo(logoNameFont())).toImage();
    QTEST(shown.constBits() == reinterpret_cast<const uchar*>(baked::kLogo.pixels), "baked");
    QCOMPARE(shown, drawLogo(size, 1).toImage());
  }
};

QTEST_MAIN(LogoTest)
#include "logo_test.moc"
