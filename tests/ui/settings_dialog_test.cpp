#include "ui/settings_dialog.hpp"

#include <cmath>

#include <gtest/gtest.h>

#include "ui/dialog_numbers.hpp"

using namespace vantrek;

TEST(DialogNumbers, SevenCharactersOfTheFirstTwentyAsSinglePrecision) {
    EXPECT_EQ(readDialogNumber("435.123450"), static_cast<double>(435.123f));
    EXPECT_EQ(readDialogNumber("  12.5 MHz"), 12.5);  // leading blanks do not count
    EXPECT_EQ(readDialogNumber("1e3"), 1000.0);
    EXPECT_EQ(readDialogNumber("-9.14"), static_cast<double>(-9.14f));
    EXPECT_TRUE(std::isnan(readDialogNumber("")));
    EXPECT_TRUE(std::isnan(readDialogNumber("abc")));
    EXPECT_TRUE(std::isnan(readDialogNumber(std::string(20, ' ') + "5")));  // beyond 20 characters
    // A cut among the decimals rounds; a cut among integer or exponent digits
    // would misread the number tenfold, so it is not read at all.
    EXPECT_EQ(readDialogNumber("-122.4194"), static_cast<double>(-122.41f));
    EXPECT_TRUE(std::isnan(readDialogNumber("20000000")));
    EXPECT_TRUE(std::isnan(readDialogNumber("1.5e1000")));
    EXPECT_EQ(readDialogNumber("9999999"), 9999999.0);
    EXPECT_EQ(writeDialogNumber(138.0), "138.000000");
    EXPECT_EQ(writeDialogNumber(-0.5), "-0.500000");

    EXPECT_EQ(readDialogUnsigned("21"), 21u);
    EXPECT_EQ(readDialogUnsigned(" 7 "), 7u);
    EXPECT_EQ(readDialogUnsigned("x"), 0u);
    EXPECT_EQ(readDialogUnsigned("-5"), 0u);
    EXPECT_EQ(readDialogUnsigned("12a"), 0u);
    EXPECT_EQ(readDialogUnsigned("99999999999"), 0u);  // does not fit
}

TEST(SettingsDialog, OpensWithTheSettingsTexts) {
    Settings settings;
    settings.flag_refraction = 1;
    settings.SNtoNS = 2;  // only 1 checks a box
    settings.Flag_planets = 1;
    settings.Stars_Mag = 3;
    SettingsForm form;
    openSettingsDialog(form, settings);
    EXPECT_EQ(form.uplink, "138.000000");
    EXPECT_EQ(form.downlink, "130.000000");
    EXPECT_EQ(form.magnitudeLimit, "20");
    EXPECT_TRUE(form.refraction);
    EXPECT_FALSE(form.swapNorthSouth);
    EXPECT_TRUE(form.showPlanets);
    EXPECT_FALSE(form.sgp8Engine);
    EXPECT_EQ(form.starMagnitudeRows, (std::vector<std::string>{"0", "1", "2", "3", "4", "5"}));
    EXPECT_EQ(form.starMagnitudeRow, 3);
}

TEST(SettingsDialog, OkAppliesTheRangeRulesAndStoresTheOptions) {
    MemorySettingsStore store;
    store.keyPresent = true;
    Settings settings;
    SettingsForm form;
    openSettingsDialog(form, settings);
    form.uplink = "0";
    form.downlink = "435.123450";
    form.magnitudeLimit = "21";
    form.sgp8Engine = true;
    form.showAllPaths = true;
    form.starMagnitudeRow = 1;
    acceptSettingsDialog(form, settings, store, 9);
    EXPECT_EQ(settings.uplink, 138.0);
    EXPECT_EQ(settings.downlink, static_cast<double>(435.123f));
    EXPECT_EQ(settings.SatPredictMag, 20);
    EXPECT_EQ(settings.s4_s8, 1);
    EXPECT_EQ(settings.showAllPaths, 1);
    EXPECT_EQ(settings.Stars_Mag, 1);
    EXPECT_EQ(store.writeLog.size(), 14u);

    Settings restarted;
    LoadSettings(store, restarted);
    EXPECT_EQ(restarted.uplink, 138.0);
    EXPECT_EQ(restarted.SatPredictMag, 20);
    EXPECT_EQ(restarted.Sat_Display, 9);
    EXPECT_EQ(restarted.showAllPaths, 0);  // never stored

    form.uplink = "20000000";
    form.downlink = "nan";
    form.magnitudeLimit = "five";
    form.starMagnitudeRow = -1;  // nothing chosen keeps the limit
    acceptSettingsDialog(form, settings, store, 9);
    EXPECT_EQ(settings.uplink, 138.0);
    EXPECT_EQ(settings.downlink, 130.0);
    EXPECT_EQ(settings.SatPredictMag, 0);
    EXPECT_EQ(settings.Stars_Mag, 1);
}

TEST(SettingsDialog, CancelStoresNothing) {
    MemorySettingsStore store;
    store.keyPresent = true;
    Settings settings;
    SettingsForm form;
    openSettingsDialog(form, settings);
    form.starMagnitudeRow = 0;  // the dialog is then cancelled: no accept
    EXPECT_TRUE(store.writeLog.empty());
    EXPECT_EQ(settings.Stars_Mag, 5);
}
