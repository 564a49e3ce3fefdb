// 佐川急便: a zone tariff priced by the larger of the weight class and the
// size class; twelve regions and no line for 沖縄, which it does not serve.

#include <algorithm>

#include "shipping/RateTables.h"
#include "shipping/RegionLines.h"
#include "shipping/ShippingText.h"
#include "text/Encoding.h"

namespace torepal {

// Weight: up to 2, 5, 10, 20, 30 kg.
const std::array<IndexRange, 5> kSagawaWeightClasses = {{
    {0, 12, 0},
    {13, 15, 1},
    {16, 18, 2},
    {19, 25, 3},
    {26, 28, 4},
}};

// Size: 60, 80, 100, 140, 160; "170size" is class 5.
const std::array<IndexRange, 6> kSagawaSizeClasses = {{
    {0, 0, 0},
    {1, 2, 1},
    {3, 4, 2},
    {5, 6, 3},
    {7, 8, 4},
    {9, 9, 5},
}};

const std::array<RegionRow, 12> kSagawaRegions = {{
    {"【北海道】 ", "北海道"},
    {"【北東北】 ", "青森県、秋田県、岩手県"},
    {"【南東北】 ", "宮城県、山形県、福島県"},
    {"【関　東】 ", "茨城県、栃木県、群馬県、埼玉県、千葉県、神奈川県、東京都、山梨県"},
    {"【信　越】 ", "新潟県、長野県"},
    {"【東　海】 ", "静岡県、愛知県、三重県、岐阜県"},
    {"【北　陸】 ", "富山県、石川県、福井県"},
    {"【関　西】 ", "大阪府、京都府、滋賀県、奈良県、和歌山県、兵庫県"},
    {"【中　国】 ", "岡山県、広島県、山口県、鳥取県、島根県"},
    {"【四　国】 ", "香川県、徳島県、愛媛県、高知県"},
    {"【北九州】 ", "福岡県、佐賀県、長崎県、大分県"},
    {"【南九州】 ", "熊本県、宮崎県、鹿児島県"},
}};

// By PrefectureList position; "沖　縄" (46) has no group.
const std::array<IndexRange, 12> kSagawaOriginGroups = {{
    {0, 0, 1},     // 北海道
    {1, 3, 2},     // 北東北
    {4, 6, 3},     // 南東北
    {7, 14, 4},    // 関東
    {15, 16, 5},   // 信越
    {17, 20, 6},   // 東海
    {21, 23, 7},   // 北陸
    {24, 29, 8},   // 関西
    {30, 34, 9},   // 中国
    {35, 38, 10},  // 四国
    {39, 42, 11},  // 北九州: 福岡県, 佐賀県, 長崎県, 大分県
    {43, 45, 12},  // 南九州: 熊本県, 宮崎県, 鹿児島県
}};

const std::array<std::array<int, 5>, 11> kSagawaZonePrices = {{
    //  0     1     2     3     4        zone
    {740, 1000, 1260, 1530, 1790},   //  1
    {840, 1110, 1370, 1630, 1890},   //  2
    {950, 1210, 1470, 1740, 2000},   //  3
    {1050, 1320, 1580, 1840, 2100},  //  4
    {1160, 1420, 1680, 1950, 2210},  //  5
    {1260, 1530, 1790, 2050, 2310},  //  6
    {1370, 1630, 1890, 2160, 2420},  //  7
    {1470, 1740, 2000, 2260, 2520},  //  8
    {1580, 1840, 2100, 2370, 2630},  //  9
    {1680, 1950, 2210, 2470, 2730},  // 10
    {1790, 2050, 2310, 2580, 2840},  // 11
}};

const std::array<std::array<int, 12>, 12> kSagawaZones = {{
    // 1   2   3   4   5   6   7   8   9  10  11  12      origin group
    {1, 3, 4, 5, 5, 6, 6, 8, 9, 10, 11, 11},  //  1 北海道
    {3, 1, 1, 2, 2, 3, 3, 4, 5, 6, 7, 7},     //  2 北東北
    {4, 1, 1, 1, 1, 2, 2, 3, 5, 6, 7, 7},     //  3 南東北
    {5, 2, 1, 1, 1, 1, 1, 2, 3, 4, 5, 5},     //  4 関東
    {5, 2, 1, 1, 1, 1, 1, 2, 3, 4, 5, 5},     //  5 信越
    {6, 3, 2, 1, 1, 1, 1, 1, 2, 3, 3, 3},     //  6 東海
    {6, 3, 2, 1, 1, 1, 1, 1, 2, 3, 3, 3},     //  7 北陸
    {8, 4, 3, 2, 2, 1, 1, 1, 1, 2, 2, 2},     //  8 関西
    {9, 5, 5, 3, 3, 2, 2, 1, 1, 2, 1, 2},     //  9 中国
    {10, 6, 6, 4, 4, 3, 3, 2, 2, 1, 2, 2},    // 10 四国
    {11, 7, 7, 5, 5, 3, 3, 2, 1, 2, 1, 1},    // 11 北九州
    {11, 7, 7, 5, 5, 3, 3, 2, 1, 2, 1, 1},    // 12 南九州
}};

void WriteSagawaRates(std::string& sdata, const ParcelChoice& choice)
{
    static const std::string header = Sjis(kSagawaHeader);
    static const std::vector<Region> regions = ConvertRegions(kSagawaRegions);

    const ParcelChoice parcel = InsideLists(choice);
    const int rateClass = std::max(ValueInRanges(kSagawaWeightClasses, parcel.weightIndex, 0),
                                   ValueInRanges(kSagawaSizeClasses, parcel.sizeIndex, 0));
    if (rateClass >= kSagawaPricedClasses) return;
    const int group = ValueInRanges(kSagawaOriginGroups, parcel.originIndex, 0);
    if (group == 0)  // sent from 沖縄
        return;
    AppendZoneBlock(sdata, header, regions, kSagawaZones, kSagawaZonePrices, group, rateClass);
}

}  // namespace torepal
