// ゆうパック: a zone tariff priced by size alone. Its block starts with a
// line for the origin prefecture itself at zone 1, and the origin is taken
// out of its region's line, which drops out when the origin was its only
// prefecture (北海道, 東京都, 沖縄).

#include "shipping/ParcelLists.h"
#include "shipping/RateTables.h"
#include "shipping/RegionLines.h"
#include "shipping/ShippingText.h"
#include "text/Encoding.h"

namespace torepal {

const std::array<RegionRow, 13> kYuPackRegions = {{
    {"【北海道】 ", "北海道"},
    {"【東　北】 ", "青森県、秋田県、岩手県、宮城県、山形県、福島県"},
    {"【関　東】 ", "茨城県、栃木県、群馬県、埼玉県、千葉県"},
    {"【東　京】 ", "東京都"},
    {"【南関東】 ", "神奈川県、山梨県"},
    {"【信　越】 ", "新潟県、長野県"},
    {"【北　陸】 ", "富山県、石川県、福井県"},
    {"【東　海】 ", "岐阜県、静岡県、愛知県、三重県"},
    {"【近　畿】 ", "滋賀県、京都府、大阪府、兵庫県、奈良県、和歌山県"},
    {"【中　国】 ", "鳥取県、島根県、岡山県、広島県、山口県"},
    {"【四　国】 ", "徳島県、香川県、愛媛県、高知県"},
    {"【九　州】 ", "福岡県、佐賀県、長崎県、熊本県、大分県、宮崎県、鹿児島県"},
    {"【沖　縄】 ", "沖　縄"},
}};

// By PrefectureList position.
const std::array<IndexRange, 11> kYuPackOriginGroups = {{
    {0, 0, 1},     // 北海道
    {1, 6, 2},     // 東北
    {7, 14, 3},    // 関東, 東京, 南関東
    {15, 16, 4},   // 信越
    {17, 20, 5},   // 東海
    {21, 23, 6},   // 北陸
    {24, 29, 7},   // 近畿
    {30, 34, 8},   // 中国
    {35, 38, 9},   // 四国
    {39, 45, 10},  // 九州
    {46, 46, 11},  // 沖縄
}};

const std::array<std::array<int, 7>, 8> kYuPackZonePrices = {{
    //  0     1     2     3     4     5     6        zone
    {600, 800, 1000, 1200, 1400, 1600, 1700},    //  1
    {700, 900, 1100, 1300, 1500, 1700, 1900},    //  2
    {800, 1000, 1200, 1400, 1600, 1800, 2000},   //  3
    {900, 1100, 1300, 1500, 1700, 1900, 2100},   //  4
    {1000, 1200, 1400, 1600, 1800, 2000, 2200},  //  5
    {1100, 1300, 1500, 1700, 1900, 2100, 2300},  //  6
    {1200, 1400, 1600, 1800, 2000, 2200, 2400},  //  7
    {1300, 1500, 1700, 1900, 2100, 2300, 2500},  //  8
}};

const std::array<std::array<int, 13>, 11> kYuPackZones = {{
    // 1   2   3   4   5   6   7   8   9  10  11  12  13      origin group
    {1, 3, 5, 5, 5, 5, 6, 6, 7, 8, 8, 8, 8},  //  1 北海道
    {3, 2, 2, 2, 2, 2, 3, 3, 4, 5, 5, 7, 8},  //  2 東北
    {5, 2, 2, 2, 2, 2, 2, 2, 3, 4, 4, 6, 7},  //  3 関東, 東京, 南関東
    {5, 2, 2, 2, 2, 2, 2, 2, 3, 4, 4, 6, 8},  //  4 信越
    {6, 3, 2, 2, 2, 2, 2, 2, 2, 3, 3, 4, 7},  //  5 東海
    {6, 3, 2, 2, 2, 2, 2, 2, 2, 3, 3, 4, 8},  //  6 北陸
    {7, 4, 3, 3, 3, 3, 2, 2, 2, 2, 2, 3, 7},  //  7 近畿
    {8, 5, 4, 4, 4, 4, 3, 3, 2, 2, 2, 2, 6},  //  8 中国
    {8, 5, 4, 4, 4, 4, 3, 3, 2, 2, 2, 3, 7},  //  9 四国
    {8, 7, 6, 6, 6, 6, 4, 4, 3, 2, 3, 2, 4},  // 10 九州
    {8, 8, 7, 7, 7, 8, 8, 7, 7, 6, 7, 4, 1},  // 11 沖縄
}};

void WriteYuPackRates(std::string& sdata, const ParcelChoice& choice)
{
    static const std::string header = Sjis(kYuPackHeader);
    static const std::vector<Region> regions = ConvertRegions(kYuPackRegions);
    static const std::string open = Sjis(kOwnLineOpen);
    static const std::string close = Sjis(kOwnLineClose);
    static const std::string closeAomori = Sjis(kOwnLineCloseAomori);
    static const std::string okinawa = Sjis(kOkinawaOwnName);

    const ParcelChoice parcel = InsideLists(choice);
    const int rateClass = ValueInRanges(kYuPackSizeClasses, parcel.sizeIndex, 0);
    const int group = ValueInRanges(kYuPackOriginGroups, parcel.originIndex, 1);
    const std::string& origin = PrefectureList()[parcel.originIndex];
    const std::string& ownName = parcel.originIndex == kOkinawaIndex ? okinawa : origin;

    sdata += header;
    sdata += open;
    sdata += ownName;
    sdata += parcel.originIndex == kAomoriIndex ? closeAomori : close;
    AppendRegionLine(sdata, "", kYuPackZonePrices[0][rateClass], ownName);

    for (std::size_t r = 0; r < regions.size(); ++r) {
        // The own line already stands for the origin: take it out of its
        // region, and leave out a region that held nothing else.
        const std::string list = JoinedList(regions[r].prefectures, origin);
        if (list.empty()) continue;
        const int zone = kYuPackZones[group - 1][r];
        AppendRegionLine(sdata, regions[r].label, kYuPackZonePrices[zone - 1][rateClass], list);
    }
}

}  // namespace torepal
