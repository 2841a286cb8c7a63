// A tool's window, opened from the Tools menu: the form laid out from the
// tool's description (a label, a box and a unit per input), the results
// updated as the inputs change, the sentence of a fault, and on the right
// an area kept for the tool's chart. Nothing is computed here: the shell
// reads the form, runs the calculator and writes every value.
#pragma once

#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "core/tool.h"
#include "shell/tool_form.h"

class QLabel;
class QLineEdit;
class QScrollArea;

namespace pyrelon::qt {

class ChartView;

class ToolWindow final : public QWidget {
  Q_OBJECT

 public:
  // A window of its own (owned by `parent`, closed with it). Numbers in
  // results are written with `decimalSeparator`; inputs take a point, or
  // that separator where it is a comma.
  ToolWindow(const ToolDescriptor& tool, std::string decimalSeparator, QWidget* parent);

  const ToolDescriptor& tool() const { return tool_; }
  // The box of input `index`, named "ID-KEY" ("atmosphere-dew-point").
  QLineEdit* inputBox(std::size_t index) const { return boxes_[index]; }
  // The area kept for the chart, named "ID-chart": an empty widget with a
  // layout of its own, into which the chart's widget is put.
  QWidget* chartArea() const { return chart_; }
  // The tool's chart in that area, named "ID-chart-view", with its Save
  // SVG… and Save PNG… buttons; nullptr for a tool that draws none.
  ChartView* chartView() const { return chartView_; }
  // The fault's sentence, named "ID-error"; empty while the tool computes.
  QLabel* errorLabel() const { return error_; }
  // The value shown for a result or a member ("carbon_potential.probe"),
  // named "ID-result-PATH" ("—" where none applies), and the note under
  // it, named "ID-note-PATH" (hidden when there is none); nullptr for no
  // such result.
  QLabel* resultLabel(const QString& path) const;
  QLabel* noteLabel(const QString& path) const;

  // The form as last read and what the calculator made of it, for the
  // chart drawn beside them.
  const ToolForm& form() const { return form_; }
  const ToolOutcome& outcome() const { return outcome_; }

 signals:
  // The results were written again from the form (a chart redraws then).
  void updated();

 private:
  void recompute();
  // Whether the chart's area shows the chart at its own size or more.
  bool chartShownWhole() const;
  // Grows the window by what the chart lacks of its own size, within nine
  // tenths of the screen; never shrinks it.
  void makeRoomForChart();
  void saveChart(bool png);

  const ToolDescriptor& tool_;
  std::string separator_;
  std::vector<QLineEdit*> boxes_;
  std::vector<QString> toolTips_;  // per input: its range and what an empty box means
  std::vector<QLabel*> values_;    // per line of the results
  std::vector<QLabel*> units_;
  std::vector<QLabel*> notes_;
  QLabel* error_ = nullptr;
  QScrollArea* results_ = nullptr;
  QWidget* chart_ = nullptr;
  ChartView* chartView_ = nullptr;
  QScrollArea* chartScroll_ = nullptr;
  ToolForm form_;
  ToolOutcome outcome_;
};

}  // namespace pyrelon::qt
