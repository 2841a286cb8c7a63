// What the browser page asks of the calculators, as texts in and texts
// out. One window lives here; each event answers with the operations the
// page applies, as a JSON array (see PageWindow::takeOperations).
#pragma once

#include <string>

namespace pyrelon::web {

// Every control, in the order the page inserts them (which is the Tab
// order within each panel), as a JSON array of objects: name, kind,
// parent, text, place in twips (l, t, w, h), colour, align, look, and for
// inputs, lists and results the labels that name them ("caption", "unit"),
// the range a box accepts ("range"), and which handlers it has; a line's
// pen width ("pen"), a Solve button's name for a screen reader ("label"),
// and "first" on the panel that wears the menu's ground.
std::string controlsJson();

// The client area's size in pixels, "[677,477]".
std::string clientSize();

// Where a caption or a result stands when its text needs `neededPixels`
// (shell/presentation.h), as "[left,width]" in pixels of its parent, or
// "null" where it keeps its own place.
std::string captionPlace(const std::string& caption, int neededPixels);
std::string resultPlace(const std::string& result, int neededPixels);

// A fresh window with the user's separators, then start-up.
std::string startUp(const std::string& decimalSeparator, const std::string& groupSeparator);

// The user's typing and choices, told without running a handler. `typed`
// answers with the box's part-read warning and tooltip as a JSON object
// {"warning": ..., "tip": ...}.
std::string typed(const std::string& box, const std::string& text);
void chose(const std::string& list, int index);

// Events: a click on a button, the logo or the menu entry; a choice made
// by the user in a list; a character typed into a box, before the box
// applies it; a paste; Enter in a box.
std::string click(const std::string& control);
std::string select(const std::string& list);
std::string keyPress(const std::string& box, int code);
std::string paste(const std::string& box, const std::string& pasted);
std::string submit(const std::string& box);

// The result labels whose panel's inputs changed since they were written.
std::string staleLabels();
// A panel's results as a tab-separated table, from one of its labels.
std::string panelResults(const std::string& resultLabel);
std::string help();

// The registered tools, for the page's views (web/tools.js), as a JSON
// array: per tool its id, title, summary, inputs (key, label, unit, range
// and start value written with `decimalSeparator`, help) and result lines
// (path, label, depth, heading).
std::string toolsJson(const std::string& decimalSeparator);
// A tool's form, its boxes' texts separated by line feeds, read and
// computed: {"error", "failedInput", "lines": [{"value", "unit", "note",
// "absent"}]
// in the order toolsJson gave, "json": the tool's JSON}; null for an id
// that names no tool.
std::string toolCompute(const std::string& id, const std::string& texts,
                        const std::string& decimalSeparator);
// The chart document of a tool's form, from its boxes' texts as toolCompute
// takes them: the same SVG text the CLI's --chart writes for the same
// readings; "" for a tool without a chart or an id that names no tool.
std::string toolChart(const std::string& id, const std::string& texts,
                      const std::string& decimalSeparator);

// The logo as an SVG element (shell/logo.h).
std::string logoSvg();

}  // namespace pyrelon::web
