#include <gtest/gtest.h>

#include "plate/PlateSettings.h"
#include "store/SettingsFiles.h"
#include "support/core/SamplePlate.h"
#include "support/core/TestText.h"

using namespace torepal;
using namespace torepal::test;

TEST(PlateSettings, WhatIsKeptComesBackThroughTheFileBytes)
{
    PlateFlags sampleFlags;
    PlateState s = SamplePlateForm(sampleFlags);  // its title, description and shipping text are not kept
    s.Others = S("本文\r\n二行目");               // a kept text on two lines
    PlateFlags f;
    f.center = false;
    f.left = true;
    f.linkOff = false;
    f.linkOn = true;
    f.carriers.sagawa = true;
    f.carriers.expack = true;
    f.payment.accounts[2] = true;
    f.payment.accounts[5] = true;
    f.payment.stamps = true;

    CPSave decoded;
    ASSERT_TRUE(DecodePlate(EncodePlate(PlateSettingsRecord(s, f, 46, 3)), decoded));

    PlateState back;
    PlateFlags backFlags;
    int origin = 0, type = 0;
    ApplyPlateSettings(decoded, back, backFlags, origin, type);
    EXPECT_EQ(origin, 46);
    EXPECT_EQ(type, 3);
    EXPECT_EQ(back.TOthers, s.TOthers);
    EXPECT_EQ(back.Others, s.Others);
    EXPECT_EQ(back.color, s.color);
    EXPECT_EQ(back.bgcolor, s.bgcolor);
    EXPECT_EQ(back.fcolor, s.fcolor);
    EXPECT_EQ(back.yahooId, s.yahooId);
    EXPECT_EQ(back.mytext, s.mytext);
    EXPECT_EQ(back.Title, "");
    EXPECT_EQ(back.Items, "");
    EXPECT_EQ(back.trans, "");
    EXPECT_FALSE(backFlags.center);
    EXPECT_TRUE(backFlags.left);
    EXPECT_FALSE(backFlags.linkOff);
    EXPECT_TRUE(backFlags.linkOn);
    EXPECT_FALSE(backFlags.carriers.yamato);
    EXPECT_TRUE(backFlags.carriers.sagawa);
    EXPECT_TRUE(backFlags.carriers.expack);
    EXPECT_EQ(backFlags.payment.accounts, (AccountTicks{false, false, true, false, false, true}));
    EXPECT_FALSE(backFlags.payment.yahooEasy);
    EXPECT_TRUE(backFlags.payment.stamps);
}

TEST(PlateSettings, NoSelectionIsStoredAsMinusOne)
{
    const CPSave r = PlateSettingsRecord(PlateState{}, PlateFlags{}, -1, -1);
    EXPECT_EQ(r.originIndex, -1);
    EXPECT_EQ(r.templateType, -1);
}
