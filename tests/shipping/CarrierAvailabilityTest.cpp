// The plate form's carrier enabling rules, with the limits as the form's
// rules print them: クロネコヤマト up to "～25kg" (27) and "160size" (8),
// 冊子小包 up to "～3kg" (13), 定形外郵便 up to "～4kg" (14), クロネコメール便
// up to "～1kg" (11), Yahoo！ゆうパック up to "～21kg" (26), 佐川急便 up to
// "160size" (8) and from every origin but the last, "沖　縄" (46).

#include <gtest/gtest.h>

#include "shipping/CarrierAvailability.h"

using namespace torepal;

namespace {

PlateSelections Parcel(int weight, int size, int origin)
{
    return PlateSelections{weight, size, origin, 0};
}

}  // namespace

TEST(CarrierAvailability, LimitsAreTheLastPositionsEachBoxAllows)
{
    const CarrierLimits& l = CarrierBoxLimits();
    EXPECT_EQ(l.yamatoHeaviest, 27);
    EXPECT_EQ(l.yahooYuPackHeaviest, 26);
    EXPECT_EQ(l.teikeigaiHeaviest, 14);
    EXPECT_EQ(l.sasshiHeaviest, 13);
    EXPECT_EQ(l.kuronekoMailHeaviest, 11);
    EXPECT_EQ(l.yamatoLargest, 8);
    EXPECT_EQ(l.sagawaLargest, 8);
    EXPECT_EQ(l.sagawaLastOrigin, 45);
}

TEST(CarrierAvailability, WeightRulesItsFiveBoxesAtTheirEdges)
{
    struct Case {
        int weight;
        bool yamato, yahooYuPack, teikeigai, sasshi, kuronekoMail;
    };
    const Case cases[] = {
        {0, true, true, true, true, true},        // ～25g
        {11, true, true, true, true, true},       // ～1kg: the heaviest メール便
        {12, true, true, true, true, false},      // ～2kg
        {13, true, true, true, true, false},      // ～3kg: the heaviest 冊子小包
        {14, true, true, true, false, false},     // ～4kg: the heaviest 定形外郵便
        {15, true, true, false, false, false},    // ～5kg
        {26, true, true, false, false, false},    // ～21kg: the heaviest Yahoo！ゆうパック
        {27, true, false, false, false, false},   // ～25kg: the heaviest クロネコヤマト
        {28, false, false, false, false, false},  // ～30kg
        {-1, true, true, true, true, true},       // nothing chosen compares below every limit
    };
    for (const Case& c : cases) {
        const CarrierAvailability a = AvailableCarriers(Parcel(c.weight, 9, 46), ParcelCombo::Weight);
        EXPECT_EQ(a.yamato, c.yamato) << c.weight;
        EXPECT_EQ(a.yahooYuPack, c.yahooYuPack) << c.weight;
        EXPECT_EQ(a.teikeigai, c.teikeigai) << c.weight;
        EXPECT_EQ(a.sasshi, c.sasshi) << c.weight;
        EXPECT_EQ(a.kuronekoMail, c.kuronekoMail) << c.weight;
        EXPECT_FALSE(a.sagawa.has_value()) << "the weight does not rule 佐川急便";
    }
}

TEST(CarrierAvailability, SizeRulesYamatoAndSagawaOnly)
{
    CarrierAvailability a = AvailableCarriers(Parcel(28, 8, 46), ParcelCombo::Size);  // 160size
    EXPECT_EQ(a.yamato, true);
    EXPECT_EQ(a.sagawa, true);
    EXPECT_FALSE(a.sasshi.has_value());
    EXPECT_FALSE(a.yahooYuPack.has_value());

    a = AvailableCarriers(Parcel(0, 9, 0), ParcelCombo::Size);  // 170size
    EXPECT_EQ(a.yamato, false);
    EXPECT_EQ(a.sagawa, false);

    a = AvailableCarriers(Parcel(0, -1, 0), ParcelCombo::Size);
    EXPECT_EQ(a.yamato, true);
    EXPECT_EQ(a.sagawa, true);
}

TEST(CarrierAvailability, OriginRulesSagawaAlone)
{
    CarrierAvailability a = AvailableCarriers(Parcel(28, 9, 45), ParcelCombo::Origin);  // 鹿児島県
    EXPECT_EQ(a.sagawa, true);
    EXPECT_FALSE(a.yamato.has_value());
    a = AvailableCarriers(Parcel(0, 0, 46), ParcelCombo::Origin);  // "沖　縄"
    EXPECT_EQ(a.sagawa, false);
    a = AvailableCarriers(Parcel(0, 0, -1), ParcelCombo::Origin);
    EXPECT_EQ(a.sagawa, true);
}

TEST(CarrierAvailability, AllRulesInTurnLetTheLaterDecide)
{
    // ～30kg disables クロネコヤマト by weight, 60size enables it again by
    // size, which runs later; 沖　縄 disables 佐川急便 after 60size allowed it.
    CarrierAvailability a = AvailableCarriers(Parcel(28, 0, 46));
    EXPECT_EQ(a.yamato, true);
    EXPECT_EQ(a.sagawa, false);
    EXPECT_EQ(a.yahooYuPack, false);
    EXPECT_EQ(a.kuronekoMail, false);

    a = AvailableCarriers(Parcel(0, 9, 0));  // 170size: weight allowed, size decides
    EXPECT_EQ(a.yamato, false);
    EXPECT_EQ(a.sagawa, true);  // the origin runs last and allows 北海道
    EXPECT_EQ(a.sasshi, true);

    a = AvailableCarriers(Parcel(0, 0, 0));
    for (const std::optional<bool>& box : {a.yamato, a.sagawa, a.yahooYuPack, a.teikeigai, a.sasshi, a.kuronekoMail})
        EXPECT_EQ(box, true);
}
