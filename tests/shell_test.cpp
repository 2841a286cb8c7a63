#include "shell/shell.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "shell/controls.h"

namespace pyrelon {
namespace {

// The seven panels' handlers, as the window's design names them.
TEST(Wiring, EveryButtonTheLogoAndTheUnitListsHaveHandlers) {
  std::set<std::string> wired;
  for (const ControlSpec& c : controlTable()) {
    if (hasClickHandler(c.name)) wired.insert(std::string(c.name) + " click");
    if (hasSelectionHandler(c.name)) wired.insert(std::string(c.name) + " select");
    if (hasKeyHandler(c.name)) wired.insert(std::string(c.name) + " key");
  }
  const std::set<std::string> expected{
      "TempBtn click", "PresBtn click", "CarbonBtn click", "OxygenBtn click", "NkBtn click",
      "OxiBtn click",  "FlowBtn click", "Image1 click",    "GradiCmb select", "PresCmb select",
      "HTxt key",      "NTxt key",      "DataText key",    "PresText key"};
  EXPECT_EQ(wired, expected);
  EXPECT_TRUE(hasClickHandler("ExitMenu"));
  EXPECT_FALSE(hasClickHandler("Label8"));
  EXPECT_FALSE(hasSelectionHandler("FuelCmb"));  // a list without presets solves nothing
  EXPECT_FALSE(hasKeyHandler("MvZccTxt"));
}

}  // namespace
}  // namespace pyrelon
