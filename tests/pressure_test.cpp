#include "units/pressure.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app/shell.h"
#include "fake_window.h"

namespace pyrelon {
namespace {

using testing::FakeWindow;
using Six = std::array<std::string, 6>;

constexpr std::array<const char*, 6> kResults{"Lab10", "Lab11", "Lab12",
                                              "Lab13", "Lab14", "Lab20"};
constexpr std::array<const char*, 6> kCaptions{"Lab15", "Lab16", "Lab17",
                                               "Lab18", "Lab19", "Lab21"};

std::string shown(std::string text, const NumberSettings& settings) {
  for (std::size_t at = text.find('.'); at != std::string::npos; at = text.find('.', at + 1))
    text.replace(at, 1, settings.decimalSeparator);
  return text;
}

class PressurePanel : public ::testing::TestWithParam<NumberSettings> {
 protected:
  PressurePanel() : w(true) {
    w.settings = GetParam();
    w.setListEntries("PresCmb", {"bar", "mbar", "psi", "kpa", "mmHg", "mmH2O", "Kg/cm2"}, -1);
  }

  void solve(int source, const std::string& input) {
    w.setSelectedIndex("PresCmb", source);
    w.setText("PresText", input);
    PresBtn_Click(w);
  }

  Six read(const std::array<const char*, 6>& labels) const {
    Six out;
    for (std::size_t i = 0; i < labels.size(); ++i) out[i] = w.caption(labels[i]);
    return out;
  }
  Six local(Six texts) const {
    for (std::string& t : texts) t = shown(t, w.settings);
    return texts;
  }

  FakeWindow w;
};

TEST_P(PressurePanel, ChoosingASourceShowsOneBarInEveryUnit) {
  struct Row {
    int source;
    const char* preset;
    Six captions;
    Six results;
  };
  const Row rows[] = {
      {0, "1", {"psi", "kpa", "mmHg", "mmH2O", "Kg/cm2", "mBar"},
       {"14.51", "100.0", "750.2", "10215", "1.02", "1000"}},
      {1, "1000", {"psi", "kpa", "mmHg", "mmH2O", "Kg/cm2", "bar"},
       {"14.50", "100.0", "750.1", "10215", "1.02", "1.00"}},
      {2, " 14.504", {"bar", "kpa", "mmHg", "mmH2O", "Kg/cm2", "mbar"},
       {"1.00", "100.0", "750.1", "10226", "1.02", "1000"}},
      {3, "100", {"psi", "bar", "mmHg", "mmH2O", "Kg/cm2", "mbar"},
       {"14.50", "1.00", "750.1", "10215", "1.02", "1000"}},
      {4, " 750.06", {"psi", "kpa", "bar", "mmH2O", "Kg/cm2", "mBar"},
       {"14.50", "100.0", "1.00", "10215", "1.02", "1000"}},
      {5, "10215", {"psi", "kpa", "mmHg", "bar", "Kg/cm2", "mBar"},
       {"14.50", "100.0", "749.8", "1.00", "1.02", "1000"}},
      {6, " 1.0197", {"psi", "kpa", "mmHg", "mmH2O", "bar", "mbar"},
       {"14.50", "100.0", "750.0", "10215", "1.00", "1000"}},
  };
  for (const Row& r : rows) {
    w.setText("PresText", "123");
    w.setSelectedIndex("PresCmb", r.source);
    EXPECT_EQ(w.text("PresText"), r.preset) << r.source;
    EXPECT_EQ(read(kCaptions), r.captions) << r.source;
    EXPECT_EQ(read(kResults), local(r.results)) << r.source;
  }
  EXPECT_TRUE(w.infoBoxes.empty());
}

TEST_P(PressurePanel, ConvertsTypedValuesWithTheConstantsOfEachPair) {
  struct Row {
    int source;
    const char* input;
    Six results;
  };
  const Row rows[] = {
      {2, "100", {"6.89", "689.5", "5171.5", "70506", "7.03", "6895"}},
      {0, "-2", {"-29.03", "-200.0", "-1500.4", "-20430", "-2.04", "-2000"}},
      {3, "", {"0.00", "0.00", "0.0", "0", "0.00", "0"}},
      {3, "abc", {"0.00", "0.00", "0.0", "0", "0.00", "0"}},
      {0, "1,5", {"14.51", "100.0", "750.2", "10215", "1.02", "1000"}},
      // A pair and its reverse do not undo each other.
      {2, "10", {"0.69", "68.9", "517.1", "7051", "0.70", "689"}},
      {5, "7051", {"10.01", "69.0", "517.5", "0.69", "0.70", "690"}},
      {1, "1013", {"14.69", "101.3", "759.9", "10348", "1.03", "1.01"}},
      {4, "760", {"14.69", "101.3", "1.01", "10351", "1.03", "1013"}},
      {6, "2", {"28.45", "196.1", "1471.1", "20036", "1.96", "1961"}},
  };
  for (const Row& r : rows) {
    solve(r.source, r.input);
    EXPECT_EQ(read(kResults), local(r.results)) << r.source << " '" << r.input << "'";
    EXPECT_EQ(w.text("PresText"), r.input);
  }
  EXPECT_TRUE(w.infoBoxes.empty());
}

TEST_P(PressurePanel, WithoutASelectionNothingChanges) {
  w.setCaption("Lab10", "x");
  w.setCaption("Lab15", "y");
  w.setText("PresText", "5");
  PresCmb_Click(w);
  PresBtn_Click(w);
  EXPECT_EQ(w.caption("Lab10"), "x");
  EXPECT_EQ(w.caption("Lab15"), "y");
  EXPECT_EQ(w.text("PresText"), "5");
}

TEST_P(PressurePanel, OverflowKeepsTheColumnsBeforeItAndClearsTheRest) {
  struct Row {
    int source;
    const char* input;
    const char* message;
    std::size_t columnsKept;
  };
  const Row rows[] = {
      {0, "1E400", "The input pressure is too large a number.", 0},
      {0, "1e305", "The pressure is too large to convert to mmH2O.", 3},
      {0, "-1e306", "The pressure is too large to convert to mmHg.", 2},
      {0, "1.3e307", "The pressure is too large to convert to psi.", 0},
      {2, "1e306", "The pressure is too large to convert to mmH2O.", 3},
      {6, "-1e305", "The pressure is too large to convert to mmH2O.", 3},
      {4, "1.5e307", "The pressure is too large to convert to mmH2O.", 3},
  };
  for (const Row& r : rows) {
    w.setSelectedIndex("PresCmb", r.source);
    w.infoBoxes.clear();
    for (const char* label : kResults) w.setCaption(label, "stale");
    w.setText("PresText", r.input);
    PresBtn_Click(w);

    ASSERT_EQ(w.infoBoxes.size(), 1u) << r.input;
    EXPECT_EQ(w.infoBoxes[0].text, r.message) << r.input;
    EXPECT_EQ(w.text("PresText"), r.input);
    for (std::size_t c = 0; c < kResults.size(); ++c) {
      const std::string caption = w.caption(kResults[c]);
      if (c < r.columnsKept) {
        EXPECT_NE(caption, "stale") << kResults[c] << " " << r.input;
        EXPECT_GT(caption.size(), 300u) << kResults[c] << " " << r.input;
        EXPECT_EQ(caption.find_first_not_of("-0123456789" + w.settings.decimalSeparator),
                  std::string::npos)
            << caption;
      } else {
        EXPECT_EQ(caption, "") << kResults[c] << " " << r.input;
      }
    }
  }
}

TEST_P(PressurePanel, AFaultDoesNotStopTheNextPress) {
  solve(0, "1E400");
  w.setText("PresText", "2");
  PresBtn_Click(w);
  EXPECT_EQ(read(kResults), local({"29.03", "200.0", "1500.4", "20430", "2.04", "2000"}));
}

INSTANTIATE_TEST_SUITE_P(Separators, PressurePanel,
                         ::testing::Values(testing::pointSettings(), testing::commaSettings()),
                         [](const auto& info) {
                           return info.param.decimalSeparator == "," ? "Comma" : "Point";
                         });

TEST(PressureStartup, OpensShowingOneAtmosphereInBar) {
  FakeWindow w;
  w.settings = testing::commaSettings();
  Form_Load(w);
  EXPECT_EQ(w.text("PresText"), "1.013");
  const Six captions{"psi", "kpa", "mmHg", "mmH2O", "Kg/cm2", "mBar"};
  const Six results{"14,70", "101,3", "760,0", "10348", "1,03", "1013"};
  for (std::size_t c = 0; c < 6; ++c) {
    EXPECT_EQ(w.caption(kCaptions[c]), captions[c]);
    EXPECT_EQ(w.caption(kResults[c]), results[c]);
  }
}

}  // namespace
}  // namespace pyrelon
