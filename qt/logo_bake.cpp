// Draws the logo at the size of its control and the icon's flames, and
// writes their pixels as a C++ source file for the program (logo_baked.h).
//   pyrelon_logo_bake OUT.cpp
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <charconv>
#include <string>

#include "qt/logo_draw.h"
#include "shell/controls.h"

namespace {

std::string number(long long value, int base = 10) {
  char buffer[24];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, base).ptr;
  return {buffer, end};
}

int pixels(int twips) { return (twips + pyrelon::kTwipsPerPixel / 2) / pyrelon::kTwipsPerPixel; }

// `image` as the definition of a baked::Image named `name`.
std::string defineImage(const std::string& name, const QImage& image) {
  std::string out = "const std::uint32_t " + name + "Pixels[] = {";
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      out += (x % 8 == 0) ? "\n    " : " ";
      out += "0x";
      out += number(row[x], 16);
      out += "u,";
    }
  }
  out += "\n};\n";
  return out;
}

std::string imageValue(const std::string& name, const QImage& image) {
  std::string out = "{";
  for (const int value : {image.width(), image.height(), static_cast<int>(image.format())}) {
    out += number(value);
    out += ", ";
  }
  out += name;
  out += "Pixels}";
  return out;
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  if (argc != 2) return 64;
  using namespace pyrelon::qt;

  const pyrelon::ControlSpec* spec = pyrelon::findControl("Image1");
  if (!spec) return 65;
  const QImage logo = drawLogo(QSize(pixels(spec->width), pixels(spec->height)), 1).toImage();
  const QString face = resolvedFace(QFontInfo(logoNameFont()));

  std::string out =
      "// Written by pyrelon_logo_bake from logo_draw.cpp at build time.\n"
      "#include \"qt/logo_baked.h\"\n\n"
      "namespace pyrelon::qt::baked {\nnamespace {\n\n";
  out += defineImage("kLogo", logo);
  std::string flames;
  for (int side : kLogoIconSides) {
    const std::string name = std::string("kFlame") + number(side);
    const QImage flame = drawLogoFlame(side).toImage();
    out += defineImage(name, flame);
    flames += "    ";
    flames += imageValue(name, flame);
    flames += ",\n";
  }
  out += "\n}  // namespace\n\n";
  out += "const Image kLogo = " + imageValue("kLogo", logo) + ";\n";
  out += "const char kLogoNameFace[] = \"";
  for (const char byte : face.toUtf8()) {
    const auto code = static_cast<unsigned char>(byte);
    if (code >= 0x20 && code < 0x7f && byte != '"' && byte != '\\') {
      out += byte;
    } else {  // three octal digits, never read on into the next character
      out += '\\';
      out += number(code + 01000, 8).substr(1);
    }
  }
  out += "\";\n";
  out += "const Image kFlames[3] = {\n" + flames + "};\n\n}  // namespace pyrelon::qt::baked\n";

  QFile file(QString::fromLocal8Bit(argv[1]));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 73;
  const auto size = static_cast<qint64>(out.size());
  return file.write(out.data(), size) == size ? 0 : 74;
}
