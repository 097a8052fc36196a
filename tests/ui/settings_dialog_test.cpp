#include "ui/dialogs/settings_dialog.hpp"

#include <cmath>

#include <gtest/gtest.h>

#include "ui/dialog_numbers.hpp"

using namespace vantrek;

TEST(DialogNumbers, SevenCharactersOfTheFirstTwentyAsSinglePrecision) {
    const double nan = std::nan("");
    const std::pair<std::string, double> numbers[] = {
        {"435.123450", 435.123f},
        {"  12.5 MHz", 12.5},     // leading blanks do not count
        {"-122.4194", -122.41f},  // a cut among the decimals rounds
        {"9999999", 9999999.0},
        // A cut among integer or exponent digits would misread the number tenfold.
        {"20000000", nan},
        {"1.5e1000", nan},
        {"", nan},
        {std::string(20, ' ') + "5", nan},  // beyond 20 characters
    };
    for (const auto& [text, expected] : numbers) {
        const double got = readDialogNumber(text);
        EXPECT_TRUE(std::isnan(expected) ? std::isnan(got) : got == expected) << text << ' ' << got;
    }
    const std::pair<std::string, uint32_t> unsignedNumbers[] = {
        {" 7 ", 7}, {"x", 0}, {"-5", 0}, {"12a", 0}, {"99999999999", 0}};  // the last does not fit
    for (const auto& [text, expected] : unsignedNumbers)
        EXPECT_EQ(readDialogUnsigned(text), expected) << text;
}

TEST(SettingsDialog, OpensWithTheSettingsAndOkAppliesTheRangeRulesAndStores) {
    MemorySettingsStore store;
    store.keyPresent = true;
    Settings settings;
    settings.SNtoNS = 2;  // only 1 checks a box
    settings.Stars_Mag = 3;
    SettingsForm form;
    openSettingsDialog(form, settings);
    EXPECT_EQ(form.uplink, "138.000000");  // with six decimals
    EXPECT_FALSE(form.swapNorthSouth);
    EXPECT_EQ(form.starMagnitudeRow, 3);

    form.uplink = "0";
    form.downlink = "435.123450";
    form.magnitudeLimit = "21";
    form.showAllPaths = true;
    form.starMagnitudeRow = 1;
    acceptSettingsDialog(form, settings, store, 9);
    EXPECT_EQ(settings.uplink, 138.0);
    EXPECT_EQ(settings.SatPredictMag, 20);
    EXPECT_EQ(settings.showAllPaths, 1);
    Settings restarted;
    LoadSettings(store, restarted);
    EXPECT_EQ(restarted.downlink, static_cast<double>(435.123f));
    EXPECT_EQ(restarted.Stars_Mag, 1);
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
