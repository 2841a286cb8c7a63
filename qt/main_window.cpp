#include "qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTextBrowser>
#include <QTimer>
#include <algorithm>
#include <initializer_list>
#include <map>
#include <utility>

#include "core/numbers.h"
#include "qt/logo.h"
#include "qt/tool_window.h"
#include "qt/widgets.h"
#include "shell/help.h"
#include "shell/panels.h"
#include "shell/presentation.h"
#include "shell/press.h"
#include "shell/reading.h"
#include "shell/results.h"
#include "shell/shell.h"
#include "shell/tools.h"

namespace pyrelon::qt {
namespace {

QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

qreal exactPixels(int twips) { return static_cast<qreal>(twips) / kTwipsPerPixel; }

QRect qRect(const PixelRect& r) { return {r.left, r.top, r.width, r.height}; }
QRect pixelPlace(const ControlSpec& spec) { return qRect(pixelRect(spec)); }

QColor qColour(Rgb rgb) { return {rgb.red, rgb.green, rgb.blue}; }

// Places a one-line caption label, widened where its text, in the font the
// system substitutes, would not fit: a left-aligned caption grows to the
// right, a centred one to both sides. Labels that wrap keep their place.
void placeCaption(QLabel* label, const ControlSpec& spec) {
  if (label->wordWrap()) {
    label->setGeometry(pixelPlace(spec));
    return;
  }
  const QFontMetrics metrics(label->font());
  const QString text = label->text();
  // The ink of italic text may reach past its advance; upright text stays
  // within it, which spares measuring its ink.
  int needed = metrics.horizontalAdvance(text);
  if (label->font().italic()) needed = std::max(needed, metrics.boundingRect(text).right() + 1);
  label->setGeometry(qRect(captionPlace(spec, needed + 1)));
}

// Every attribute is set explicitly, so that nothing leaks in from the
// panel's caption font.
QFont boldFont(const QString& family, qreal points, bool italic = false) {
  QFont font;
  font.setFamilies({family});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(true);
  font.setItalic(italic);
  font.setUnderline(false);
  return font;
}

// The window asks for Arial and Verdana. Where they are not installed,
// Debian's metric-compatible faces, which the set-up installs, are named
// directly: asking the toolkit for a missing family costs a full fallback
// search for every style, about a tenth of the start-up.
QString installedFamily(const QString& wanted, const QString& metricTwin) {
  const QStringList installed = QFontDatabase::families();
  if (installed.contains(wanted, Qt::CaseInsensitive) ||
      !installed.contains(metricTwin, Qt::CaseInsensitive))
    return wanted;
  return metricTwin;
}

// The characters a key press types, as their codes, or none for a key that
// types no character: arrows, Home, End, function keys, Delete, Tab and
// Escape, and every combination with Ctrl, Alt or Meta. Backspace (8) and
// Enter (13) do type one.
QList<uint> typedCharacters(const QKeyEvent& event) {
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return {};
  switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
    case Qt::Key_Escape: return {};
    default: return event.text().toUcs4();
  }
}

// Only the given colours, to be set over those a widget inherits.
QPalette colours(std::initializer_list<std::pair<QPalette::ColorRole, QColor>> roles) {
  QPalette palette;
  for (const auto& [role, colour] : roles) palette.setColor(role, colour);
  return palette;
}

}  // namespace

// The fonts and colours of the control kinds, made once while the window is
// built and shared by the controls of a kind.
struct MainWindow::Looks {
  QString arial = installedFamily(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
  QString verdana = installedFamily(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
  QFont standard = boldFont(arial, 8.25);
  QFont panel = boldFont(arial, 9.75, true);
  QFont result = boldFont(verdana, 9);
  QFont maker = boldFont(arial, 15, true);
  QFont release = boldFont(arial, 9.75, true);

  // The first panel wears the menu colour, the others the button face.
  QPalette firstPanelColours =
      colours({{QPalette::Window, QApplication::palette("QMenu").color(QPalette::Window)},
               {QPalette::WindowText, qColour(kPanelTitle)}});
  QPalette panelColours =
      colours({{QPalette::Window, QApplication::palette().color(QPalette::Button)},
               {QPalette::WindowText, qColour(kPanelTitle)}});
  QPalette textBoxColours = colours({{QPalette::Base, Qt::white}, {QPalette::Text, Qt::black}});
  QPalette resultColours =
      colours({{QPalette::Window, Qt::black}, {QPalette::WindowText, qColour(kResultText)}});

  // A caption's colours, made when a caption first wears that colour.
  const QPalette& captionColours(Colour colour) {
    auto it = captions.find(colour);
    if (it == captions.end())
      it =
          captions.emplace(colour, colours({{QPalette::WindowText, qColour(rgbOf(colour))}})).first;
    return it->second;
  }

 private:
  std::map<Colour, QPalette> captions;
};

MainWindow::MainWindow(StartUp startUp, QRect available) {
  setObjectName(QStringLiteral("Pyrelon"));
  setWindowTitle(QStringLiteral("The Pyrelon"));
  setWindowIcon(logoIcon());
  // A fixed layout: no maximize button, and the size follows the client area.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

  auto* client = new QWidget(this);
  client_ = client;
  client->setObjectName(QStringLiteral("ClientArea"));
  client->setFixedSize(pixels(clientWidthTwips()), pixels(clientHeightTwips()));
  client->setAutoFillBackground(true);
  QPalette clientPalette = client->palette();
  clientPalette.setColor(QPalette::Window, qColour(kClientGround));
  client->setPalette(clientPalette);

  buildControls(client);
  placeResults();
  buildMenu();
  nameForAccessibility();
  orderTabs();
  fitToScreen(available);

  if (startUp == StartUp::RunFormLoad) Form_Load(*this);
}

void MainWindow::fitToScreen(QRect available) {
  if (available.isEmpty() && screen() != nullptr) available = screen()->availableGeometry();
  const QSize whole(client_->width(), client_->height() + menuBar()->sizeHint().height());
  if (available.isEmpty() ||
      (whole.width() <= available.width() && whole.height() <= available.height())) {
    setCentralWidget(client_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    return;
  }
  // Too large for the screen: the window takes the screen, the panels
  // scroll, and the scroll follows the keyboard focus.
  available_ = available;
  scroll_ = new QScrollArea(this);
  scroll_->setObjectName(QStringLiteral("ClientScroll"));
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setWidget(client_);
  setCentralWidget(scroll_);
  setMaximumSize(whole + QSize(scroll_->verticalScrollBar()->sizeHint().width(),
                               scroll_->horizontalScrollBar()->sizeHint().height()));
  setGeometry(available);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now == nullptr || !client_->isAncestorOf(now)) return;
    // The whole control, not only a text box's caret, comes into view.
    // The scroll area shows x - margin up to, not including, x + margin:
    // from the control's middle, half its size rounded up and 8 px more
    // reach 8 px past each of its edges.
    const QRect place(now->mapTo(client_, QPoint(0, 0)), now->size());
    constexpr int kMargin = 8;
    scroll_->ensureVisible(place.left() + place.width() / 2, place.top() + place.height() / 2,
                           (place.width() + 1) / 2 + kMargin, (place.height() + 1) / 2 + kMargin);
  });
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (scroll_ == nullptr) return;
  // Once the frame is known, the frame too stays within the screen.
  QTimer::singleShot(0, this, [this] {
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frame.width() <= 0 && frame.height() <= 0) return;
    resize(available_.size() - frame);
    move(available_.topLeft());
  });
}

void MainWindow::buildControls(QWidget* client) {
  Looks looks;
  for (const ControlSpec& spec : controlTable()) {
    QWidget* parent = client;
    if (!spec.parent.empty()) parent = control<QGroupBox>(spec.parent);
    QWidget* widget = buildControl(spec, parent, looks);
    widget->setObjectName(fromUtf8(spec.name));
    controls_.emplace(std::string(spec.name), widget);
  }
}

QWidget* MainWindow::buildControl(const ControlSpec& spec, QWidget* parent, Looks& looks) {
  switch (spec.kind) {
    case ControlKind::Panel: return buildPanel(spec, parent, looks);
    case ControlKind::TextBox: return buildTextBox(spec, parent, looks);
    case ControlKind::List: return buildList(spec, parent, looks);
    case ControlKind::Button: return buildButton(spec, parent, looks);
    case ControlKind::Label:
    case ControlKind::ResultLabel: return buildLabel(spec, parent, looks);
    case ControlKind::Line:
      // For a line the place holds its two end points.
      return new LineWidget(QPointF(exactPixels(spec.left), exactPixels(spec.top)),
                            QPointF(exactPixels(spec.width), exactPixels(spec.height)),
                            qColour(rgbOf(spec.colour)), penWidthOf(spec), parent);
    case ControlKind::Picture: return buildPicture(spec, parent, looks);
  }
  Q_UNREACHABLE();
}

QWidget* MainWindow::buildPanel(const ControlSpec& spec, QWidget* parent, const Looks& looks) {
  const QString text = fromUtf8(spec.text);
  auto* panel = new QGroupBox(text, parent);
  panel->setGeometry(pixelPlace(spec));
  panel->setFont(looks.panel);
  panel->setAutoFillBackground(true);
  panel->setPalette(wearsMenuGround(spec) ? looks.firstPanelColours : looks.panelColours);
  panel->setAccessibleName(text);
  return panel;
}

QWidget* MainWindow::buildTextBox(const ControlSpec& spec, QWidget* parent, const Looks& looks) {
  auto* box = new InputBox(fromUtf8(spec.text), parent);
  box->setGeometry(pixelPlace(spec));
  box->setFont(looks.standard);
  box->setAlignment(Qt::AlignCenter);
  box->setPalette(looks.textBoxColours);
  box->installEventFilter(this);
  if (hasKeyHandler(spec.name)) {
    keyBoxes_.insert(box, spec.name);
    // A paste meets the key filter once, as one keystroke.
    box->setPasteHandler([this, name = spec.name](const QString& pasted) {
      paste(*this, name, pasted.toStdString());
      emit handlerRan(fromUtf8(name));
    });
  }
  if (const InputSpec* input = inputSpecOf(spec.name)) {
    inputBoxes_.insert(box, spec.name);
    if (input->limits) box->setToolTip(fromUtf8(rangeText(*input)));
    connect(box, &QLineEdit::textChanged, this, [this, name = spec.name] { inputEdited(name); });
  }
  return box;
}

QWidget* MainWindow::buildList(const ControlSpec& spec, QWidget* parent, const Looks& looks) {
  auto* list = new ListBox(looks.standard, parent);
  list->setEditable(false);
  list->setGeometry(pixelPlace(spec));
  if (hasSelectionHandler(spec.name)) {
    // Only a user's choice emits activated(); a selection made from code
    // runs the handler in setSelectedIndex.
    connect(list, &QComboBox::activated, this, [this, name = spec.name] { select(name); });
  }
  // Results computed for another entry are stale.
  connect(list, &QComboBox::currentIndexChanged, this,
          [this, name = spec.name] { dimStale(name); });
  return list;
}

QWidget* MainWindow::buildButton(const ControlSpec& spec, QWidget* parent, const Looks& looks) {
  auto* button = new QPushButton(fromUtf8(spec.text), parent);
  button->setGeometry(pixelPlace(spec));
  button->setFont(looks.standard);
  button->setAutoDefault(false);
  if (hasClickHandler(spec.name))
    connect(button, &QPushButton::clicked, this, [this, name = spec.name] { click(name); });
  return button;
}

QWidget* MainWindow::buildLabel(const ControlSpec& spec, QWidget* parent, Looks& looks) {
  QLabel* label = nullptr;
  if (spec.kind == ControlKind::ResultLabel) {
    auto* result = new ResultLabel(parent);
    connect(result, &ResultLabel::copyPanelResultsRequested, this,
            [this, name = spec.name] { copyPanelResults(name); });
    label = result;
  } else {
    label = new QLabel(parent);
  }
  label->setTextFormat(Qt::PlainText);
  label->setText(fromUtf8(spec.text));
  label->setGeometry(pixelPlace(spec));
  if (spec.kind == ControlKind::ResultLabel) {
    label->setFont(looks.result);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    label->setPalette(looks.resultColours);
    // Selectable and copyable, never editable.
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Reached by Tab too, so the keyboard alone can copy a result.
    label->setFocusPolicy(Qt::StrongFocus);
    return label;
  }
  switch (spec.look) {
    case Look::Maker: label->setFont(looks.maker); break;
    case Look::Release: label->setFont(looks.release); break;
    case Look::Standard: label->setFont(looks.standard); break;
  }
  label->setAlignment(Qt::AlignTop |
                      (spec.align == Align::Left ? Qt::AlignLeft : Qt::AlignHCenter));
  // Captions drawn two lines high break between words.
  label->setWordWrap(pixels(spec.height) >= 2 * QFontMetrics(label->font()).lineSpacing());
  label->setPalette(looks.captionColours(spec.colour));
  placeCaption(label, spec);
  return label;
}

QWidget* MainWindow::buildPicture(const ControlSpec& spec, QWidget* parent, const Looks& looks) {
  auto* picture = new ClickableLabel(parent);
  picture->setGeometry(pixelPlace(spec));
  // The panels' font has the family and style of the logo's name.
  picture->setPixmap(logoPixmap(picture->size(), qApp->devicePixelRatio(), QFontInfo(looks.panel)));
  picture->setScaledContents(true);
  picture->setCursor(Qt::PointingHandCursor);
  picture->setAccessibleName(QStringLiteral("Pyrelon logo"));
  picture->setAccessibleDescription(QStringLiteral("Click to show the program's release"));
  if (hasClickHandler(spec.name))
    connect(picture, &ClickableLabel::clicked, this, [this, name = spec.name] { click(name); });
  return picture;
}

void MainWindow::buildMenu() {
  auto* exitAction = new QAction(QStringLiteral("E&xit !"), this);
  exitAction->setObjectName(QStringLiteral("ExitMenu"));
  menuBar()->addAction(exitAction);
  if (hasClickHandler("ExitMenu"))
    connect(exitAction, &QAction::triggered, this, [this] { click("ExitMenu"); });

  // The tools, each in a window of its own; the entry's mnemonic is the
  // first letter of its title no entry before it took.
  if (!tools().empty()) {
    QMenu* toolsMenu = menuBar()->addMenu(QStringLiteral("&Tools"));
    toolsMenu->setObjectName(QStringLiteral("ToolsMenu"));
    QString taken;
    for (const ToolDescriptor* tool : tools()) {
      QString title = fromUtf8(tool->title);
      for (qsizetype i = 0; i < title.size(); ++i) {
        if (!title[i].isLetter() || taken.contains(title[i].toLower())) continue;
        taken += title[i].toLower();
        title.insert(i, QLatin1Char('&'));
        break;
      }
      QAction* entry = toolsMenu->addAction(title + QStringLiteral("…"), this,
                                            [this, tool] { openTool(*tool); });
      entry->setObjectName(QStringLiteral("ToolsMenu-") + fromUtf8(tool->id));
    }
  }

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("HelpMenu"));
  QAction* formulas =
      help->addAction(QStringLiteral("&Formulas and constants"), this, [this] { showHelp(); });
  formulas->setObjectName(QStringLiteral("HelpFormulas"));
  formulas->setShortcut(QKeySequence::HelpContents);
  formulas->setShortcutContext(Qt::ApplicationShortcut);
  QAction* about =
      help->addAction(QStringLiteral("&About Pyrelon"), this, [this] { click("Image1"); });
  about->setObjectName(QStringLiteral("HelpAbout"));
}

ToolWindow* MainWindow::toolWindow(std::string_view id) const {
  const auto found = toolWindows_.find(id);
  return found == toolWindows_.end() ? nullptr : found->second;
}

void MainWindow::openTool(const ToolDescriptor& tool) {
  ToolWindow*& window = toolWindows_[std::string(tool.id)];
  if (window == nullptr) window = new ToolWindow(tool, numberSettings().decimalSeparator, this);
  window->show();
  window->raise();
  window->activateWindow();
}

void MainWindow::showHelp() {
  if (help_ == nullptr) {
    help_ = new QTextBrowser(this);
    help_->setObjectName(QStringLiteral("HelpWindow"));
    help_->setWindowFlags(Qt::Window);
    help_->setWindowTitle(QStringLiteral("Pyrelon: formulas and constants"));
    help_->setOpenLinks(false);
    help_->setHtml(fromUtf8(helpHtml()));
    // About ninety characters wide and forty lines high, within the screen.
    const QFontMetrics metrics(help_->font());
    QSize size(metrics.averageCharWidth() * 90, metrics.lineSpacing() * 40);
    if (screen() != nullptr) size = size.boundedTo(screen()->availableGeometry().size() * 9 / 10);
    help_->resize(size);
  }
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void MainWindow::placeResults() {
  for (const ControlSpec& spec : controlTable()) {
    if (spec.kind != ControlKind::ResultLabel) continue;
    auto* label = control<ResultLabel>(spec.name);
    const PixelSpan room = resultRoom(spec);
    label->setHome(pixelPlace(spec), label->font(), room.left, room.right);
  }
}

void MainWindow::nameForAccessibility() {
  for (const ControlSpec& spec : controlTable()) {
    if (spec.kind == ControlKind::Button && !spec.parent.empty()) {
      // Seven buttons read "Solve"; say which panel each one solves.
      control<QWidget>(spec.name)->setAccessibleName(fromUtf8(buttonNameOf(spec)));
      continue;
    }
    const NamingLabels naming = namingLabelsOf(spec);
    if (spec.kind != ControlKind::TextBox && spec.kind != ControlKind::List &&
        spec.kind != ControlKind::ResultLabel)
      continue;
    AccessibleLabels labels{std::string(findControl(spec.parent)->text),
                            std::string(naming.caption), std::string(naming.unit)};
    // Where the platform names a control by its labels (lists on Linux),
    // these labels name it.
    for (const std::string_view label : {naming.caption, naming.unit}) {
      if (label.empty()) continue;
      control<QLabel>(label)->setBuddy(control<QWidget>(spec.name));
      namedBy_[std::string(label)].emplace_back(spec.name);
    }
    accessibleLabels_.emplace(std::string(spec.name), std::move(labels));
    updateAccessibleName(std::string(spec.name));
  }
}

void MainWindow::updateAccessibleName(const std::string& name) {
  const auto it = accessibleLabels_.find(name);
  if (it == accessibleLabels_.end()) return;
  const AccessibleLabels& labels = it->second;
  QString accessible = fromUtf8(labels.panel);
  if (!labels.caption.empty())
    accessible += QStringLiteral(": ") + control<QLabel>(labels.caption)->text().simplified();
  if (!labels.unit.empty())
    accessible += QStringLiteral(" (") + control<QLabel>(labels.unit)->text() + QLatin1Char(')');
  QWidget* widget = control<QWidget>(name);
  widget->setAccessibleName(accessible);
  // A label's own text is hidden behind its accessible name; a result label
  // offers the value it shows as its description.
  if (auto* result = qobject_cast<QLabel*>(widget))
    result->setAccessibleDescription(result->text());
}

void MainWindow::orderTabs() {
  std::vector<QWidget*> chain;
  for (const ControlSpec* spec : tabOrder()) {
    if (spec->parent.empty()) continue;
    auto* widget = control<QWidget>(spec->name);
    if (widget->focusPolicy() & Qt::TabFocus) chain.push_back(widget);
  }
  for (std::size_t i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void MainWindow::click(std::string_view control) {
  pyrelon::click(*this, control);
  emit handlerRan(fromUtf8(control));
}

void MainWindow::select(std::string_view list) {
  pyrelon::select(*this, list);
  emit handlerRan(fromUtf8(list));
}

void MainWindow::inputEdited(std::string_view box) {
  markPartRead(box);
  dimStale(box);
}

void MainWindow::markPartRead(std::string_view name) {
  auto* box = control<QLineEdit>(name);
  const std::string text = box->text().toStdString();
  const std::string warning = partReadWarning(text);
  const QColor colour = warning.empty() ? QColor(Qt::black) : qColour(kPartReadText);
  if (box->palette().color(QPalette::Text) != colour) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, colour);
    box->setPalette(palette);
  }
  box->setToolTip(fromUtf8(inputToolTip(*inputSpecOf(name), text)));
  box->setAccessibleDescription(fromUtf8(warning));
}

void MainWindow::dimStale(std::string_view control) {
  const PanelDescriptor* panel = panelOfControl(control);
  if (panel == nullptr) return;
  const std::vector<std::string_view> stale = freshness_.staleLabels(*this, *panel);
  for (const ControlSpec& spec : panel->controls) {
    if (spec.kind != ControlKind::ResultLabel) continue;
    this->control<ResultLabel>(spec.name)->setStale(
        std::find(stale.begin(), stale.end(), spec.name) != stale.end());
  }
}

void MainWindow::copyPanelResults(std::string_view resultLabel) {
  if (const PanelDescriptor* panel = panelOfControl(resultLabel))
    QGuiApplication::clipboard()->setText(fromUtf8(panelResultsText(*this, *panel)));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto input = inputBoxes_.constFind(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (input != inputBoxes_.constEnd() &&
        (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
      // Enter solves the panel, as in any form, and goes no further.
      const std::string_view box = *input;
      submit(*this, box);
      emit handlerRan(fromUtf8(box));
      return true;
    }
  }
  const auto it = keyBoxes_.constFind(watched);
  if (it != keyBoxes_.constEnd()) {
    QList<uint> typed;
    if (event->type() == QEvent::KeyPress) {
      typed = typedCharacters(*static_cast<QKeyEvent*>(event));
    } else if (event->type() == QEvent::InputMethod) {
      // What an input method (a compose sequence, a dead key, an IME)
      // commits is typed as well.
      typed = static_cast<QInputMethodEvent*>(event)->commitString().toUcs4();
    }
    const std::string_view box = *it;
    for (const uint code : typed) {
      keyPress(*this, box, static_cast<int>(code));
      emit handlerRan(fromUtf8(box));
    }
  }
  // The characters themselves are never consumed: the box applies them as
  // usual.
  return QMainWindow::eventFilter(watched, event);
}

template <typename W>
W* MainWindow::control(std::string_view name) const {
  const auto it = controls_.find(name);
  W* widget = it == controls_.end() ? nullptr : qobject_cast<W*>(it->second);
  if (!widget) {
    qFatal("The window has no %s named %.*s", W::staticMetaObject.className(),
           static_cast<int>(name.size()), name.data());
  }
  return widget;
}

std::string MainWindow::text(std::string_view textBox) const {
  return control<QLineEdit>(textBox)->text().toStdString();
}

void MainWindow::setText(std::string_view textBox, std::string_view text) {
  auto* box = control<QLineEdit>(textBox);
  box->setText(fromUtf8(text));
  box->setCursorPosition(0);
}

std::string MainWindow::caption(std::string_view label) const {
  return control<QLabel>(label)->text().toStdString();
}

void MainWindow::setCaption(std::string_view label, std::string_view caption) {
  auto* widget = control<QLabel>(label);
  widget->setText(fromUtf8(caption));
  if (const ControlSpec* spec = findControl(label); spec && spec->kind == ControlKind::Label)
    placeCaption(widget, *spec);
  if (auto* result = qobject_cast<ResultLabel*>(widget)) {
    result->fitText();
    freshness_.written(*this, label, caption);
    dimStale(label);
  }
  if (const auto own = accessibleLabels_.find(label); own != accessibleLabels_.end())
    updateAccessibleName(own->first);
  if (const auto named = namedBy_.find(label); named != namedBy_.end())
    for (const std::string& name : named->second) updateAccessibleName(name);
}

void MainWindow::addListEntry(std::string_view list, std::string_view entry) {
  auto* combo = control<QComboBox>(list);
  const QSignalBlocker blocker(combo);
  const bool wasEmpty = combo->count() == 0;
  combo->addItem(fromUtf8(entry));
  // Adding entries selects nothing; only setSelectedIndex or the user does.
  if (wasEmpty) combo->setCurrentIndex(-1);
}

int MainWindow::selectedIndex(std::string_view list) const {
  return control<QComboBox>(list)->currentIndex();
}

void MainWindow::setSelectedIndex(std::string_view list, int index) {
  auto* combo = control<QComboBox>(list);
  {
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(index);
  }
  dimStale(list);
  if (hasSelectionHandler(list)) select(list);
}

void MainWindow::showInfoBox(std::string_view text) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Info Box"), fromUtf8(text),
                  QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void MainWindow::beep() {
  QApplication::beep();
  emit beeped();
}

NumberSettings MainWindow::numberSettings() const {
  const QLocale locale = QLocale::system();
  return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}

void MainWindow::endProgram() {
  close();
  QCoreApplication::exit(0);
}

}  // namespace pyrelon::qt
