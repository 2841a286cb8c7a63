#include "qt/tool_window.h"

#include <QFileDialog>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

#include "chart/atmosphere_charts.h"
#include "core/numbers.h"
#include "qt/chart_view.h"
#include "shell/tool_form.h"

namespace pyrelon::qt {
namespace {

QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString nameOf(const ToolDescriptor& tool, std::string_view suffix) {
  return fromUtf8(tool.id) + '-' + fromUtf8(suffix);
}

// A scroll area that asks for its whole widget (a plain one asks for at
// most 36 by 24 lines), so that the window opens with the chart at its own
// size where the screen has room for it.
class WholeScrollArea final : public QScrollArea {
 public:
  using QScrollArea::QScrollArea;
  QSize sizeHint() const override {
    if (widget() == nullptr) return QScrollArea::sizeHint();
    const int frame = 2 * frameWidth();
    return widget()->sizeHint() + QSize(frame, frame);
  }
};

}  // namespace

ToolWindow::ToolWindow(const ToolDescriptor& tool, std::string decimalSeparator, QWidget* parent)
    : QWidget(parent, Qt::Window), tool_(tool), separator_(std::move(decimalSeparator)) {
  setObjectName(nameOf(tool, "window"));
  setWindowTitle(fromUtf8(tool.title) + QStringLiteral(" \u2014 Pyrelon"));
  setAccessibleName(fromUtf8(tool.title));
  setAccessibleDescription(fromUtf8(tool.summary));

  auto* whole = new QHBoxLayout(this);
  auto* column = new QVBoxLayout;
  whole->addLayout(column, 0);

  auto* summary = new QLabel(fromUtf8(tool.summary), this);
  summary->setWordWrap(true);
  column->addWidget(summary);

  // The form: label, box, unit per input, in the description's order.
  auto* inputs = new QGroupBox(QStringLiteral("Inputs"), this);
  auto* form = new QGridLayout(inputs);
  for (std::size_t i = 0; i < tool.inputs.size(); ++i) {
    const ToolInput& input = tool.inputs[i];
    const int row = static_cast<int>(i);
    auto* box = new QLineEdit(inputs);
    box->setObjectName(nameOf(tool, input.key));
    auto* label = new QLabel(fromUtf8(input.label), inputs);
    label->setBuddy(box);
    const QString unit = fromUtf8(input.unit);
    QString tip = QStringLiteral("Range: ") + fromUtf8(toolRangeText(input, separator_));
    if (input.start) {
      box->setPlaceholderText(fromUtf8(plainForm(*input.start, separator_)));
      tip += QStringLiteral("\nEmpty: ") + fromUtf8(plainForm(*input.start, separator_)) +
             (unit.isEmpty() ? QString() : ' ' + unit);
    } else if (input.required) {
      box->setPlaceholderText(QStringLiteral("required"));
      tip += QStringLiteral("\nRequired");
    } else {
      box->setPlaceholderText(QStringLiteral("not given"));
      tip += QStringLiteral("\nEmpty: not given");
    }
    if (!input.help.empty()) tip = fromUtf8(input.help) + '\n' + tip;
    box->setToolTip(tip);
    toolTips_.push_back(tip);
    box->setAccessibleName(fromUtf8(input.label) + (unit.isEmpty() ? QString() : ", " + unit));
    box->setAccessibleDescription(tip);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);
    form->addWidget(label, row, 0);
    form->addWidget(box, row, 1);
    form->addWidget(new QLabel(unit, inputs), row, 2);
    connect(box, &QLineEdit::textChanged, this, &ToolWindow::recompute);
    boxes_.push_back(box);
  }
  column->addWidget(inputs);

  error_ = new QLabel(this);
  error_->setObjectName(nameOf(tool, "error"));
  error_->setWordWrap(true);
  error_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
  error_->setAccessibleName(QStringLiteral("Fault"));
  error_->hide();
  column->addWidget(error_);

  // The results: label, value, unit and note per line; a group's heading
  // in bold, its members indented under it.
  auto* results = new QGroupBox(QStringLiteral("Results"), this);
  auto* grid = new QGridLayout(results);
  const std::vector<ToolLine> lines = toolLines(tool, ToolOutcome{}, separator_);
  QString heading;
  for (std::size_t l = 0; l < lines.size(); ++l) {
    const ToolLine& line = lines[l];
    const int row = static_cast<int>(l);
    auto* label = new QLabel(fromUtf8(line.label), results);
    if (line.heading) {
      QFont bold = label->font();
      bold.setBold(true);
      label->setFont(bold);
      heading = fromUtf8(line.label);
    } else if (line.depth == 0) {
      heading.clear();
    }
    label->setIndent(line.depth * label->fontMetrics().horizontalAdvance(QLatin1Char('M')));
    auto* value = new QLabel(results);
    value->setObjectName(nameOf(tool, "result-" + line.path));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    value->setFocusPolicy(Qt::StrongFocus);  // Tab reaches it, to select and copy
    value->setAccessibleName(heading.isEmpty() || line.heading
                                 ? fromUtf8(line.label)
                                 : heading + QStringLiteral(": ") + fromUtf8(line.label));
    auto* unit = new QLabel(results);
    // A note goes on a line of its own under its value, wrapped.
    auto* note = new QLabel(results);
    note->setObjectName(nameOf(tool, "note-" + line.path));
    note->setWordWrap(true);
    note->setIndent(label->indent() + label->fontMetrics().horizontalAdvance(QLatin1Char('M')));
    note->setStyleSheet(QStringLiteral("color: #505050;"));
    note->hide();
    grid->addWidget(label, 2 * row, 0);
    grid->addWidget(value, 2 * row, 1, Qt::AlignRight);
    grid->addWidget(unit, 2 * row, 2);
    grid->addWidget(note, 2 * row + 1, 0, 1, 3);
    values_.push_back(value);
    units_.push_back(unit);
    notes_.push_back(note);
  }
  grid->setColumnStretch(0, 1);
  grid->setRowStretch(2 * static_cast<int>(lines.size()), 1);  // rows keep their height
  column->addStretch(1);
  // Beside the form, scrolling where a long list of results is taller than
  // the screen.
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(nameOf(tool, "results"));
  scroll->setWidget(results);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  whole->addWidget(scroll, 0);
  results_ = scroll;

  // The chart's place; the chart's own widget goes into its layout.
  chart_ = new QFrame(this);
  chart_->setObjectName(nameOf(tool, "chart"));
  chart_->setAccessibleName(fromUtf8(tool.title) + QStringLiteral(" chart"));
  chart_->setMinimumSize(360, 270);
  auto* chartLayout = new QVBoxLayout(chart_);
  whole->addWidget(chart_, 1);
  if (chart::hasChart(tool.id)) {
    chartView_ = new ChartView(fromUtf8(tool.title) + QStringLiteral(" chart"), chart_);
    chartView_->setObjectName(nameOf(tool, "chart-view"));
    // The chart keeps at least its own size and scrolls in a smaller window.
    chartScroll_ = new WholeScrollArea(chart_);
    chartScroll_->setObjectName(nameOf(tool, "chart-scroll"));
    chartScroll_->setFrameShape(QFrame::NoFrame);
    chartScroll_->setWidgetResizable(true);
    chartScroll_->setWidget(chartView_);
    chartLayout->addWidget(chartScroll_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (const bool png : {false, true}) {
      auto* save = new QPushButton(
          png ? QStringLiteral("Save PN&G\u2026") : QStringLiteral("Save S&VG\u2026"), chart_);
      save->setObjectName(nameOf(tool, png ? "chart-save-png" : "chart-save-svg"));
      connect(save, &QPushButton::clicked, this, [this, png] { saveChart(png); });
      buttons->addWidget(save);
    }
    chartLayout->addLayout(buttons);
  }

  // Tab: the boxes in order, then the results that take the keyboard.
  QWidget* previous = nullptr;
  for (QLineEdit* box : boxes_) {
    if (previous != nullptr) setTabOrder(previous, box);
    previous = box;
  }
  for (QLabel* value : values_) {
    if (previous != nullptr) setTabOrder(previous, value);
    previous = value;
  }

  auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(close, &QShortcut::activated, this, &QWidget::close);

  recompute();
  // As large as the form, the results and the chart ask (the chart at its
  // own size once drawn), within the screen; asked afresh, since writing
  // the results widened their column.
  layout()->invalidate();
  if (QScreen* screen = parent != nullptr ? parent->screen() : nullptr)
    resize(sizeHint().boundedTo(screen->availableGeometry().size() * 9 / 10));
}

void ToolWindow::makeRoomForChart() {
  const QScreen* shownOn = screen();
  if (shownOn == nullptr) return;
  // What the chart lacks of its own size in the area it scrolls in.
  const QSize lack = (chartView_->sizeHint() - chartScroll_->size()).expandedTo(QSize(0, 0));
  if (lack.isNull()) return;
  const QSize room = shownOn->availableGeometry().size() * 9 / 10;
  resize((size() + lack).boundedTo(room).expandedTo(size()));
}

QLabel* ToolWindow::noteLabel(const QString& path) const {
  return findChild<QLabel*>(fromUtf8(tool_.id) + QStringLiteral("-note-") + path);
}

QLabel* ToolWindow::resultLabel(const QString& path) const {
  return findChild<QLabel*>(fromUtf8(tool_.id) + QStringLiteral("-result-") + path);
}

void ToolWindow::recompute() {
  // A chart shown whole before a reading stays whole after it, if the screen
  // has room: a wider column of results or a taller chart grows the window.
  const bool chartWasWhole = isVisible() && chartShownWhole();
  std::vector<std::string> texts;
  texts.reserve(boxes_.size());
  for (const QLineEdit* box : boxes_) texts.push_back(box->text().toStdString());
  form_ = readToolForm(tool_, texts, separator_);
  outcome_ = runTool(tool_, form_);
  const ToolOutcome& outcome = outcome_;
  const std::vector<ToolLine> lines = toolLines(tool_, outcome, separator_);
  for (std::size_t l = 0; l < lines.size() && l < values_.size(); ++l) {
    // An absent value shows "—", and its note, if any, below it.
    const bool noted = lines[l].absent && lines[l].value != "\u2014";
    const std::string& note = noted ? lines[l].value : lines[l].note;
    values_[l]->setText(noted ? QStringLiteral("\u2014") : fromUtf8(lines[l].value));
    units_[l]->setText(fromUtf8(lines[l].unit));
    notes_[l]->setText(fromUtf8(note));
    notes_[l]->setVisible(!note.empty());
    values_[l]->setAccessibleDescription(fromUtf8(lines[l].unit));
  }
  // The results' column as wide as their values now ask; notes wrap.
  results_->setMinimumWidth(results_->widget()->minimumSizeHint().width() +
                            results_->verticalScrollBar()->sizeHint().width());
  if (chartView_ != nullptr)
    chartView_->setSvg(chart::toolChartSvg(tool_.id, form_.readings, separator_ == ","));
  error_->setText(fromUtf8(outcome.error));
  error_->setVisible(!outcome.error.empty());
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    const bool failed = static_cast<int>(i) == outcome.failedInput;
    boxes_[i]->setStyleSheet(failed ? QStringLiteral("QLineEdit { background: #ffd8d0; }")
                                    : QString());
    boxes_[i]->setToolTip(failed ? fromUtf8(outcome.error) + '\n' + toolTips_[i] : toolTips_[i]);
    boxes_[i]->setAccessibleDescription(boxes_[i]->toolTip());
  }
  if (chartWasWhole && !isMaximized() && !isFullScreen()) {
    layout()->activate();
    if (!chartShownWhole()) makeRoomForChart();
  }
  emit updated();
}

bool ToolWindow::chartShownWhole() const {
  if (chartView_ == nullptr) return true;
  // The whole area counts: its scroll bars go once it holds the chart.
  const QSize own = chartView_->sizeHint();
  const QSize area = chartScroll_->size();
  return area.width() >= own.width() && area.height() >= own.height();
}

void ToolWindow::saveChart(bool png) {
  const QString kind = png ? QStringLiteral("PNG") : QStringLiteral("SVG");
  const QString suggested = fromUtf8(tool_.id) + QStringLiteral("-chart.") + kind.toLower();
  const QString path = QFileDialog::getSaveFileName(
      this, QStringLiteral("Save the chart as ") + kind, suggested,
      png ? QStringLiteral("PNG images (*.png)") : QStringLiteral("SVG images (*.svg)"));
  if (path.isEmpty()) return;
  QString error;
  // A PNG at twice the chart's size, sharp on a high-density screen and in print.
  const bool saved = png ? chartView_->savePng(path, 2, &error) : chartView_->saveSvg(path, &error);
  if (!saved) {
    QMessageBox::warning(this, QStringLiteral("Pyrelon"),
                         QStringLiteral("The chart could not be saved to ") + path +
                             QStringLiteral(": ") + error + '.');
  }
}

}  // namespace pyrelon::qt
