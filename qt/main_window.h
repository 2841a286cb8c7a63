// The one window of the program. It builds every control from the control
// table, forwards control events to the handlers wired in the shell, and
// carries out the window operations the handlers ask for. No calculation
// happens here.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QString>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/window.h"
#include "shell/controls.h"

class QLabel;
class QWidget;

namespace pyrelon::qt {

class MainWindow final : public QMainWindow, public pyrelon::Window {
  Q_OBJECT

 public:
  enum class StartUp {
    RunFormLoad,   // the program's start-up: fill lists, write defaults, solve
    ControlsOnly,  // design-time state only, for tests of the window itself
  };

  explicit MainWindow(StartUp startUp = StartUp::RunFormLoad);

  std::string text(std::string_view textBox) const override;
  void setText(std::string_view textBox, std::string_view text) override;
  std::string caption(std::string_view label) const override;
  void setCaption(std::string_view label, std::string_view caption) override;
  void addListEntry(std::string_view list, std::string_view entry) override;
  int selectedIndex(std::string_view list) const override;
  void setSelectedIndex(std::string_view list, int index) override;
  void showInfoBox(std::string_view text) override;
  void beep() override;
  NumberSettings numberSettings() const override;
  void endProgram() override;

 signals:
  // Sounded together with the platform's alert.
  void beeped();
  // A wired handler has just run for `control` (a click, a selection or a
  // typed character).
  void handlerRan(const QString& control);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Looks;
  void buildControls(QWidget* client);
  QWidget* buildControl(const ControlSpec& spec, QWidget* parent, Looks& looks);
  QWidget* buildPanel(const ControlSpec& spec, QWidget* parent, const Looks& looks);
  QWidget* buildTextBox(const ControlSpec& spec, QWidget* parent, const Looks& looks);
  QWidget* buildList(const ControlSpec& spec, QWidget* parent, const Looks& looks);
  QWidget* buildButton(const ControlSpec& spec, QWidget* parent, const Looks& looks);
  QWidget* buildLabel(const ControlSpec& spec, QWidget* parent, Looks& looks);
  QWidget* buildPicture(const ControlSpec& spec, QWidget* parent, const Looks& looks);
  void buildMenu();
  void nameForAccessibility();
  void orderTabs();
  void updateAccessibleName(const std::string& control);
  // Hands a click or a selection of `control` to the shell.
  void click(std::string_view control);
  void select(std::string_view list);

  template <typename W>
  W* control(std::string_view name) const;

  std::map<std::string, QWidget*, std::less<>> controls_;
  // Boxes whose typed characters go to the shell, by widget.
  QHash<QObject*, std::string_view> keyBoxes_;

  // How a screen reader names an input or result: the panel and the label
  // above it, and the unit below it where there is one.
  struct AccessibleLabels {
    std::string panel;
    std::string caption;
    std::string unit;
  };
  std::map<std::string, AccessibleLabels, std::less<>> accessibleLabels_;
  // Caption label -> controls whose accessible name quotes it; the column
  // captions of the unit panels change at run time.
  std::map<std::string, std::vector<std::string>, std::less<>> namedBy_;
};

}  // namespace pyrelon::qt
