#include "web/page_api.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "core/panel.h"
#include "shell/controls.h"
#include "shell/help.h"
#include "shell/logo.h"
#include "shell/panels.h"
#include "shell/presentation.h"
#include "shell/press.h"
#include "shell/reading.h"
#include "shell/results.h"
#include "shell/shell.h"
#include "web/page_window.h"

namespace pyrelon::web {
namespace {

std::unique_ptr<PageWindow>& current() {
  static std::unique_ptr<PageWindow> window;
  return window;
}

PageWindow& window() {
  auto& w = current();
  if (!w) w = std::make_unique<PageWindow>(NumberSettings{});
  return *w;
}

const char* kindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Panel: return "panel";
    case ControlKind::TextBox: return "textbox";
    case ControlKind::List: return "list";
    case ControlKind::Button: return "button";
    case ControlKind::Label: return "label";
    case ControlKind::ResultLabel: return "result";
    case ControlKind::Line: return "line";
    case ControlKind::Picture: return "picture";
  }
  return "";
}

const char* lookName(Look look) {
  switch (look) {
    case Look::Standard: return "";
    case Look::Maker: return "maker";
    case Look::Release: return "release";
  }
  return "";
}

std::string member(const char* name, std::string_view text) {
  return std::string(",\"") + name + "\":" + jsonString(text);
}

}  // namespace

std::string controlsJson() {
  std::string out = "[";
  for (const ControlSpec* spec : tabOrder()) {
    if (out.size() > 1) out += ",\n";
    out += "{\"name\":" + jsonString(spec->name);
    out += member("kind", kindName(spec->kind));
    out += member("parent", spec->parent);
    out += member("text", spec->text);
    out += ",\"l\":" + std::to_string(spec->left) + ",\"t\":" + std::to_string(spec->top) +
           ",\"w\":" + std::to_string(spec->width) + ",\"h\":" + std::to_string(spec->height);
    out += member("colour", cssColourOf(spec->colour));
    out += member("align", spec->align == Align::Left ? "left" : "centre");
    out += member("look", lookName(spec->look));
    if (spec->kind == ControlKind::TextBox || spec->kind == ControlKind::List ||
        spec->kind == ControlKind::ResultLabel) {
      const NamingLabels naming = namingLabelsOf(*spec);
      out += member("caption", naming.caption);
      out += member("unit", naming.unit);
    }
    if (spec->kind == ControlKind::Line) out += ",\"pen\":" + std::to_string(penWidthOf(*spec));
    if (spec->kind == ControlKind::Button && !spec->parent.empty())
      out += member("label", buttonNameOf(*spec));
    if (wearsMenuGround(*spec)) out += ",\"first\":true";
    if (const InputSpec* input = inputSpecOf(spec->name)) {
      out += member("range", rangeText(*input));
      out += ",\"input\":true";
    }
    if (hasKeyHandler(spec->name)) out += ",\"keys\":true";
    if (hasClickHandler(spec->name)) out += ",\"clicks\":true";
    if (hasSelectionHandler(spec->name)) out += ",\"selects\":true";
    out += "}";
  }
  return out + "]";
}

std::string clientSize() {
  return "[" + std::to_string(pixels(clientWidthTwips())) + "," +
         std::to_string(pixels(clientHeightTwips())) + "]";
}

std::string captionPlace(const std::string& caption, int neededPixels) {
  const ControlSpec* spec = findControl(caption);
  if (spec == nullptr) return "null";
  const PixelRect own = pixelRect(*spec);
  const PixelRect place = pyrelon::captionPlace(*spec, neededPixels);
  if (place == own) return "null";
  return "[" + std::to_string(place.left) + "," + std::to_string(place.width) + "]";
}

std::string resultPlace(const std::string& result, int neededPixels) {
  const ControlSpec* spec = findControl(result);
  if (spec == nullptr || spec->kind != ControlKind::ResultLabel) return "null";
  const PixelRect own = pixelRect(*spec);
  const ResultPlace place = pyrelon::resultPlace(own, resultRoom(*spec), neededPixels);
  if (place.place == own) return "null";
  return "[" + std::to_string(place.place.left) + "," + std::to_string(place.place.width) + "]";
}

std::string startUp(const std::string& decimalSeparator, const std::string& groupSeparator) {
  current() = std::make_unique<PageWindow>(NumberSettings{decimalSeparator, groupSeparator});
  Form_Load(window());
  return window().takeOperations();
}

std::string typed(const std::string& box, const std::string& text) {
  window().typed(box, text);
  const InputSpec* input = inputSpecOf(box);
  return "{\"warning\":" + jsonString(partReadWarning(text)) +
         ",\"tip\":" + jsonString(input ? inputToolTip(*input, text) : std::string()) + "}";
}

void chose(const std::string& list, int index) { window().chose(list, index); }

std::string click(const std::string& control) {
  pyrelon::click(window(), control);
  return window().takeOperations();
}

std::string select(const std::string& list) {
  pyrelon::select(window(), list);
  return window().takeOperations();
}

std::string keyPress(const std::string& box, int code) {
  pyrelon::keyPress(window(), box, code);
  return window().takeOperations();
}

std::string paste(const std::string& box, const std::string& pasted) {
  pyrelon::paste(window(), box, pasted);
  return window().takeOperations();
}

std::string submit(const std::string& box) {
  pyrelon::submit(window(), box);
  return window().takeOperations();
}

std::string staleLabels() { return window().staleLabels(); }

std::string panelResults(const std::string& resultLabel) {
  const PanelDescriptor* panel = panelOfControl(resultLabel);
  return panel == nullptr ? std::string() : panelResultsText(window(), *panel);
}

std::string help() { return helpHtml(); }

std::string logoSvg() { return logo::logoSvg(); }

}  // namespace pyrelon::web
