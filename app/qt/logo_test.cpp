// The logo the window shows is the one logo_draw.cpp draws: the build's
// pixels where they apply, a fresh drawing elsewhere.
#include <QFont>
#include <QFontInfo>
#include <QIcon>
#include <QImage>
#include <QTest>

#include "logo.h"
#include "logo_baked.h"
#include "logo_draw.h"

using namespace pyrelon::qt;

namespace {

const QSize kControlSize(baked::kLogo.width, baked::kLogo.height);

// Of the family and style of the logo's name, at another size.
QFontInfo nameFace() {
  QFont font = logoNameFont();
  font.setPointSizeF(9.75);
  return QFontInfo(font);
}

bool isBaked(const QPixmap& pixmap, const baked::Image& image) {
  return pixmap.toImage().constBits() == reinterpret_cast<const uchar*>(image.pixels);
}

}  // namespace

class LogoTest : public QObject {
  Q_OBJECT

 private slots:
  void controlSizeShowsTheBuildsPixels() {
    const QPixmap shown = logoPixmap(kControlSize, 1, nameFace());
    QVERIFY(isBaked(shown, baked::kLogo));
    QCOMPARE(shown.toImage(), drawLogo(kControlSize, 1).toImage());
  }

  void otherSizesRatiosAndFacesAreDrawn() {
    const QSize other(120, 90);
    QPixmap shown = logoPixmap(other, 1, nameFace());
    QCOMPARE(shown.toImage(), drawLogo(other, 1).toImage());
    shown = logoPixmap(kControlSize, 2, nameFace());
    QVERIFY(!isBaked(shown, baked::kLogo));
    QCOMPARE(shown.size(), kControlSize * 2);
    QCOMPARE(shown.toImage(), drawLogo(kControlSize, 2).toImage());
    QFont otherFace(QStringLiteral("DejaVu Serif"));
    otherFace.setStyleHint(QFont::Serif);
    if (resolvedFace(QFontInfo(otherFace)) == resolvedFace(nameFace())) QSKIP("one font only");
    QVERIFY(!isBaked(logoPixmap(kControlSize, 1, QFontInfo(otherFace)), baked::kLogo));
  }

  void iconHoldsTheDrawnFlames() {
    const QIcon icon = logoIcon();
    for (std::size_t i = 0; i < std::size(kLogoIconSides); ++i) {
      const int side = kLogoIconSides[i];
      const QPixmap flame = icon.pixmap(side, side);
      QVERIFY(isBaked(flame, baked::kFlames[i]));
      QCOMPARE(flame.toImage(), drawLogoFlame(side).toImage());
    }
  }
};

QTEST_MAIN(LogoTest)
#include "logo_test.moc"
