#include "qt/logo.h"

#include <QImage>

#include "qt/logo_baked.h"
#include "qt/logo_draw.h"

namespace pyrelon::qt {
namespace {

// The build's pixels, shared rather than copied: they live as long as the
// program.
QPixmap pixmapOf(const baked::Image& image) {
  return QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(image.pixels), image.width,
                                   image.height, static_cast<QImage::Format>(image.format)));
}

}  // namespace

QPixmap logoPixmap(QSize size, qreal devicePixelRatio, const QFontInfo& nameFace) {
  if (devicePixelRatio == 1 && size == QSize(baked::kLogo.width, baked::kLogo.height) &&
      resolvedFace(nameFace) == QString::fromUtf8(baked::kLogoNameFace))
    return pixmapOf(baked::kLogo);
  return drawLogo(size, devicePixelRatio);
}

QIcon logoIcon() {
  QIcon icon;
  for (const baked::Image& flame : baked::kFlames) icon.addPixmap(pixmapOf(flame));
  return icon;
}

}  // namespace pyrelon::qt
