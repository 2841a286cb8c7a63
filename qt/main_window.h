// The one window of the program. It builds every control from the control
// table, forwards control events to the handlers wired in the shell, and
// carries out the window operations the handlers ask for. No calculation
// happens here.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QRect>
#include <QString>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/tool.h"
#include "core/window.h"
#include "shell/controls.h"
#include "shell/results.h"

class QLabel;
class QScrollArea;
class QTextBrowser;
class QWidget;

namespace pyrelon::qt {

class ToolWindow;

class MainWindow final : public QMainWindow, public pyrelon::Window {
  Q_OBJECT

 public:
  enum class StartUp {
    RunFormLoad,   // the program's start-up: fill lists, write defaults, solve
    ControlsOnly,  // design-time state only, for tests of the window itself
  };

  // `available` is the screen area the window may take; an empty one means
  // the available area of the screen it opens on. Where the window does not
  // fit, it opens at that size and its content scrolls.
  explicit MainWindow(StartUp startUp = StartUp::RunFormLoad, QRect available = {});

  // The area holding the panels, scrolled or not.
  QWidget* clientArea() const { return client_; }
  // The window that shows the formulas and constants; made when first opened.
  QTextBrowser* helpWindow() const { return help_; }
  void showHelp();
  // The window of the tool with this id, made when first opened (nullptr
  // until then), and its opening, as the Tools menu does.
  ToolWindow* toolWindow(std::string_view id) const;
  void openTool(const ToolDescriptor& tool);

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
  void showEvent(QShowEvent* event) override;

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
  void placeResults();
  void fitToScreen(QRect available);
  // A box's text changed: its part-read mark, and the freshness of its
  // panel's results.
  void inputEdited(std::string_view box);
  void markPartRead(std::string_view name);
  void dimStale(std::string_view control);
  void copyPanelResults(std::string_view resultLabel);
  void nameForAccessibility();
  void orderTabs();
  void updateAccessibleName(const std::string& name);
  // Hands a click or a selection of `control` to the shell.
  void click(std::string_view control);
  void select(std::string_view list);

  template <typename W>
  W* control(std::string_view name) const;

  std::map<std::string, QWidget*, std::less<>> controls_;
  // Boxes whose typed characters go to the shell, by widget.
  QHash<QObject*, std::string_view> keyBoxes_;
  // Every input box, by widget: Enter solves its panel.
  QHash<QObject*, std::string_view> inputBoxes_;
  Freshness freshness_;
  QWidget* client_ = nullptr;
  QScrollArea* scroll_ = nullptr;  // only where the screen is too small
  QRect available_;
  QTextBrowser* help_ = nullptr;
  std::map<std::string, ToolWindow*, std::less<>> toolWindows_;

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
