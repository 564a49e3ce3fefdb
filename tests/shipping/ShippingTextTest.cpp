// The mail classes and the order in which the blocks reach the text.

#include <gtest/gtest.h>

#include <climits>

#include "shipping/ShippingText.h"
#include "support/ShippingTestSupport.h"
#include "support/core/TestText.h"

using namespace torepal;
using namespace torepal::test;

namespace {

constexpr int k25g = 0, k250g = 6, k1kg = 11, k2kg = 12, k3kg = 13, k4kg = 14, k5kg = 15, k30kg = 28;

CarrierTicks MailClassesTicked()
{
    CarrierTicks t;
    t.expack = t.kuronekoMail = t.sasshi = t.teikeigai = true;
    return t;
}

CarrierTicks AllTicked()
{
    CarrierTicks t = MailClassesTicked();
    t.yamato = t.sagawa = t.yuPack = t.yahooYuPack = true;
    return t;
}

std::string MailClasses(const CarrierTicks& ticks, int weight)
{
    std::string s;
    WriteMailClassRates(s, ticks, weight);
    return s;
}

const std::string& Expack()
{
    static const std::string s = S("<br><b>▼ＥＸＰＡＣＫ５００</b><br>");
    return s;
}
const std::string& KuronekoMail()
{
    static const std::string s = S("<br><b>▼クロネコメール便</b><br>");
    return s;
}
std::string Sasshi(const char* price)
{
    return S(std::string("<br><b>▼冊子小包</b><br> ") + price + "<br>");
}
std::string Teikeigai(const char* price)
{
    return S(std::string("<br><b>▼定形外郵便</b><br> ") + price + "<br>");
}

}  // namespace

TEST(MailClassRates, LightestWeightWritesAllFourInOrder)
{
    EXPECT_EQ(MailClasses(MailClassesTicked(), k25g), Expack() + KuronekoMail() + Sasshi("180円") + Teikeigai("120円"));
    // ＥＸＰＡＣＫ５００ is written in full-width letters and digits.
    EXPECT_EQ(
        Hex(Expack()),
        "3C 62 72 3E 3C 62 3E 81 A5 82 64 82 77 82 6F 82 60 82 62 82 6A 82 54 82 4F 82 4F 3C 2F 62 3E 3C 62 72 3E");
}

TEST(MailClassRates, PricesFollowTheWeight)
{
    EXPECT_EQ(MailClasses(MailClassesTicked(), k250g),
              Expack() + KuronekoMail() + Sasshi("210円") + Teikeigai("240円"));
    EXPECT_EQ(MailClasses(MailClassesTicked(), k1kg), Expack() + KuronekoMail() + Sasshi("340円") + Teikeigai("580円"));
    EXPECT_EQ(MailClasses(MailClassesTicked(), k2kg), Expack() + Sasshi("450円") + Teikeigai("850円"));
    EXPECT_EQ(MailClasses(MailClassesTicked(), k3kg), Expack() + Sasshi("590円") + Teikeigai("1150円"));
    EXPECT_EQ(MailClasses(MailClassesTicked(), k4kg), Expack() + Teikeigai("1150円"));
    EXPECT_EQ(MailClasses(MailClassesTicked(), k5kg), Expack());
    EXPECT_EQ(MailClasses(MailClassesTicked(), k30kg), Expack());
}

TEST(MailClassRates, OnlyTickedClassesWriteWhateverTheWeight)
{
    CarrierTicks t;
    EXPECT_EQ(MailClasses(t, k25g), "");
    t.teikeigai = true;
    EXPECT_EQ(MailClasses(t, k25g), Teikeigai("120円"));
    EXPECT_EQ(MailClasses(t, k5kg), "");
    t = CarrierTicks{};
    t.kuronekoMail = true;
    EXPECT_EQ(MailClasses(t, k1kg), KuronekoMail());
    EXPECT_EQ(MailClasses(t, k2kg), "");
    std::string kept = "x";
    WriteMailClassRates(kept, MailClassesTicked(), k5kg);
    EXPECT_EQ(kept, "x" + Expack());
}

TEST(BuildShippingText, EverythingTickedGivesTheEightBlocksInRunOrder)
{
    const ParcelChoice parcel{k25g, 0, 0};  // "～25g", "60size", 北海道
    std::string yamato, sagawa, yuPack, yahoo;
    WriteYamatoRates(yamato, parcel);
    WriteSagawaRates(sagawa, parcel);
    WriteYuPackRates(yuPack, parcel);
    WriteYahooYuPackRates(yahoo, parcel);
    ASSERT_EQ(yamato.rfind(S("<br>▼クロネコヤマト<br>"), 0), 0u);
    ASSERT_EQ(sagawa.rfind(S("<br>▼佐川急便<br>"), 0), 0u);
    ASSERT_EQ(yuPack.rfind(S("<br>▼ゆうパック<br>"), 0), 0u);
    ASSERT_EQ(yahoo.rfind(S("<br>▼Yahooゆうパック<br>"), 0), 0u);

    std::string sdata = "left from the last render";
    BuildShippingTextCarriers(sdata, AllTicked(), parcel);
    EXPECT_EQ(sdata, yamato + sagawa + yuPack + yahoo);
    BuildShippingTextMailClasses(sdata, AllTicked(), parcel.weightIndex);
    EXPECT_EQ(sdata,
              yamato + sagawa + yuPack + yahoo + Expack() + KuronekoMail() + Sasshi("180円") + Teikeigai("120円"));
}

TEST(BuildShippingText, NothingTickedGivesEmptyText)
{
    std::string sdata = "old";
    BuildShippingTextCarriers(sdata, CarrierTicks{}, ParcelChoice{});
    BuildShippingTextMailClasses(sdata, CarrierTicks{}, 0);
    EXPECT_EQ(sdata, "");
}

TEST(BuildShippingText, ThirtyKilosLeaveOutWhatHasNoPrice)
{
    // "～30kg", "60size", 北海道: クロネコヤマト and Yahoo！ゆうパック have no
    // price; 佐川急便 and ゆうパック write; of the mail classes only EXPACK500.
    const ParcelChoice parcel{k30kg, 0, 0};
    std::string sagawa, yuPack;
    WriteSagawaRates(sagawa, parcel);
    WriteYuPackRates(yuPack, parcel);
    std::string sdata;
    BuildShippingTextCarriers(sdata, AllTicked(), parcel);
    BuildShippingTextMailClasses(sdata, AllTicked(), parcel.weightIndex);
    EXPECT_EQ(sdata, sagawa + yuPack + Expack());
}

TEST(BuildShippingText, TickedButUnpricedCarriersWriteNothing)
{
    CarrierTicks t;
    t.yamato = t.sagawa = true;
    std::string sdata;
    BuildShippingTextCarriers(sdata, t, ParcelChoice{k25g, 9, 0});  // "170size"
    EXPECT_EQ(sdata, "");
    t.yamato = false;
    BuildShippingTextCarriers(sdata, t, ParcelChoice{k25g, 0, 46});  // from "沖　縄"
    EXPECT_EQ(sdata, "");
}

TEST(BuildShippingText, AnIndexOutsideItsListIsReadAsTheFirstEntry)
{
    std::string first, outside;
    BuildShippingTextCarriers(first, AllTicked(), ParcelChoice{0, 0, 0});
    BuildShippingTextMailClasses(first, AllTicked(), 0);
    ASSERT_FALSE(first.empty());
    for (const ParcelChoice& p :
         {ParcelChoice{-1, -1, -1}, ParcelChoice{29, 10, 47}, ParcelChoice{INT_MIN, 1000, INT_MAX}}) {
        BuildShippingTextCarriers(outside, AllTicked(), p);
        BuildShippingTextMailClasses(outside, AllTicked(), p.weightIndex);
        EXPECT_EQ(outside, first) << p.weightIndex << " " << p.sizeIndex << " " << p.originIndex;
    }
    // One index outside, the others inside: only that one is replaced.
    std::string okinawa, okinawaNoSize;
    WriteYuPackRates(okinawa, ParcelChoice{0, 0, 46});
    WriteYuPackRates(okinawaNoSize, ParcelChoice{0, -1, 46});
    EXPECT_EQ(okinawaNoSize, okinawa);
}
