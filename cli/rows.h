// What the command-line tool needs of a panel besides the press: list
// entries found by name, inputs read strictly, the inputs an entry reads,
// and the captions the window shows above each result.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/outcome.h"
#include "core/panel.h"

namespace pyrelon::cli {

// A name reduced to what matching looks at: ASCII letters (in lower case)
// and digits; blanks, punctuation and the degree sign are dropped.
//   normalizedName("DIN 17022") -> "din17022";  normalizedName("Kg/cm2") -> "kgcm2"
//   normalizedName("\u00b0Centigradi") -> "centigradi"
std::string normalizedName(std::string_view name);

// The entry of `list` whose text or alias matches `name` (see
// normalizedName), or -1.
//   findEntry(fuels, "methane") -> 0 ("Metano");  findEntry(units, "celsius") -> 0
int findEntry(const ListSpec& list, std::string_view name);

// The entries and their aliases as "Metano (methane), Propano (propane), ...".
std::string entryNames(const ListSpec& list);

// Reads a number strictly: the whole text, blanks at either end aside, must
// be an optional sign, digits with at most one decimal separator (a point,
// or a comma when `decimalComma`), and an optional exponent. Gives the same
// number written with a point, which the Val rule then reads in full; or
// nothing for anything else ("12abc", "1,5" with a point, "", "&H1F").
//   strictNumber(" 1,5", true) -> "1.5";  strictNumber("1.5", true) -> nothing
std::optional<std::string> strictNumber(std::string_view text, bool decimalComma);

// strictNumber, read as the Val rule reads the number it gives: the value,
// or Overflow beyond the double range ("1E400"). Nothing for a text that is
// not wholly a number. Short decimals ("1121.4", "-3.05") are read directly,
// exactly as the Val rule would round them.
std::optional<ReadResult> strictReading(std::string_view text, bool decimalComma);

// A field as a message quotes it: in double quotes, cut after 40
// characters ("..." then marks the cut), with each control byte, and each
// byte that is no part of a UTF-8 character, written as \xNN; so a message
// stays one line and no terminal escape reaches the screen.
//   quotedField("12abc") -> "\"12abc\"";  quotedField("a\x1b[2J") -> "\"a\\x1B[2J\""
std::string quotedField(std::string_view field);

// The inputs the entry reads, in the panel's input order.
std::vector<int> inputsRead(const PanelDescriptor& panel, int entry);

// The caption the window shows above result `index` of `entry`: the
// caption label of the column for the unit panels ("\u00b0Fahrenheit"),
// otherwise the label standing above the result ("% Carbon").
std::string resultCaption(const PanelDescriptor& panel, int entry, std::size_t index);

// The unit to print after a result: none where its caption already names
// it ("Wet % O2", "\u00b0Fahrenheit") or it has none.
std::string_view printedUnit(const PanelDescriptor& panel, int entry, std::size_t index);

// The texts a result label shows after the press, in result order (empty
// for a label the press did not write or cleared).
std::vector<std::string> shownResults(const PanelDescriptor& panel, int entry,
                                      const Outcome& outcome);
// The same into `shown`, reusing its storage.
void shownResults(const PanelDescriptor& panel, int entry, const Outcome& outcome,
                  std::vector<std::string>& shown);

// What a press that did not compute every result says went wrong: the fault
// sentence, or the limits-box line of the bound a reading failed; empty
// when every result was computed.
std::string errorOf(const Outcome& outcome);

// A column name as names are matched: without the spaces and tabs around
// it, ASCII letters in lower case ("  MV\t" -> "mv").
std::string columnKey(std::string_view name);

}  // namespace pyrelon::cli
