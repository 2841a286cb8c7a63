// The browser page's window: an in-memory window that the page mirrors.
// Every change the calculators make is kept, in order, as an operation the
// page applies to its elements; the page reports the user's typing and
// choices back before each event. Toolkit-free, so that the native build
// runs it too.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/window.h"
#include "shell/results.h"

namespace pyrelon::web {

class PageWindow final : public Window {
 public:
  explicit PageWindow(NumberSettings settings) : settings_(std::move(settings)) {}

  std::string text(std::string_view textBox) const override;
  void setText(std::string_view textBox, std::string_view text) override;
  std::string caption(std::string_view label) const override;
  void setCaption(std::string_view label, std::string_view caption) override;
  void addListEntry(std::string_view list, std::string_view entry) override;
  int selectedIndex(std::string_view list) const override;
  void setSelectedIndex(std::string_view list, int index) override;
  void showInfoBox(std::string_view text) override;
  void beep() override;
  NumberSettings numberSettings() const override { return settings_; }
  void endProgram() override;

  // What the user did in the page, told without running any handler.
  void typed(std::string_view textBox, std::string_view text);
  void chose(std::string_view list, int index);

  // The operations since the last call, as a JSON array, and forgets them:
  //   [["text","MvZccTxt","1121"],["caption","CarbonLbl","0.905"],
  //    ["add","FuelCmb","Metano"],["select","FuelCmb",0],["info","..."],
  //    ["beep"],["end"]]
  std::string takeOperations();

  // The result labels, of the whole window, whose panel's inputs changed
  // since they were written, as a JSON array of names.
  std::string staleLabels() const;

 private:
  void add(std::string op);

  NumberSettings settings_;
  std::map<std::string, std::string, std::less<>> texts_;
  std::map<std::string, std::string, std::less<>> captions_;
  std::map<std::string, std::vector<std::string>, std::less<>> entries_;
  std::map<std::string, int, std::less<>> selected_;
  Freshness freshness_;
  std::string operations_;
};

// A text as a JSON string, quotes included.
std::string jsonString(std::string_view text);

}  // namespace pyrelon::web
