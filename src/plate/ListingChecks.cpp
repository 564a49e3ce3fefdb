#include "plate/ListingChecks.h"

#include <algorithm>
#include <array>

#include "plate/PageTemplates.h"
#include "plate/PhoneFitting.h"
#include "plate/ServiceChecks.h"
#include "shipping/CarrierAvailability.h"
#include "text/Encoding.h"

namespace torepal {
namespace {

// The colour names every current browser reads (CSS Color Module Level 4,
// "named colors"), also in the old colour attributes a page uses.
constexpr std::array<std::string_view, 148> kColourNames = {
    "aliceblue",
    "antiquewhite",
    "aqua",
    "aquamarine",
    "azure",
    "beige",
    "bisque",
    "black",
    "blanchedalmond",
    "blue",
    "blueviolet",
    "brown",
    "burlywood",
    "cadetblue",
    "chartreuse",
    "chocolate",
    "coral",
    "cornflowerblue",
    "cornsilk",
    "crimson",
    "cyan",
    "darkblue",
    "darkcyan",
    "darkgoldenrod",
    "darkgray",
    "darkgreen",
    "darkgrey",
    "darkkhaki",
    "darkmagenta",
    "darkolivegreen",
    "darkorange",
    "darkorchid",
    "darkred",
    "darksalmon",
    "darkseagreen",
    "darkslateblue",
    "darkslategray",
    "darkslategrey",
    "darkturquoise",
    "darkviolet",
    "deeppink",
    "deepskyblue",
    "dimgray",
    "dimgrey",
    "dodgerblue",
    "firebrick",
    "floralwhite",
    "forestgreen",
    "fuchsia",
    "gainsboro",
    "ghostwhite",
    "gold",
    "goldenrod",
    "gray",
    "green",
    "greenyellow",
    "grey",
    "honeydew",
    "hotpink",
    "indianred",
    "indigo",
    "ivory",
    "khaki",
    "lavender",
    "lavenderblush",
    "lawngreen",
    "lemonchiffon",
    "lightblue",
    "lightcoral",
    "lightcyan",
    "lightgoldenrodyellow",
    "lightgray",
    "lightgreen",
    "lightgrey",
    "lightpink",
    "lightsalmon",
    "lightseagreen",
    "lightskyblue",
    "lightslategray",
    "lightslategrey",
    "lightsteelblue",
    "lightyellow",
    "lime",
    "limegreen",
    "linen",
    "magenta",
    "maroon",
    "mediumaquamarine",
    "mediumblue",
    "mediumorchid",
    "mediumpurple",
    "mediumseagreen",
    "mediumslateblue",
    "mediumspringgreen",
    "mediumturquoise",
    "mediumvioletred",
    "midnightblue",
    "mintcream",
    "mistyrose",
    "moccasin",
    "navajowhite",
    "navy",
    "oldlace",
    "olive",
    "olivedrab",
    "orange",
    "orangered",
    "orchid",
    "palegoldenrod",
    "palegreen",
    "paleturquoise",
    "palevioletred",
    "papayawhip",
    "peachpuff",
    "peru",
    "pink",
    "plum",
    "powderblue",
    "purple",
    "rebeccapurple",
    "red",
    "rosybrown",
    "royalblue",
    "saddlebrown",
    "salmon",
    "sandybrown",
    "seagreen",
    "seashell",
    "sienna",
    "silver",
    "skyblue",
    "slateblue",
    "slategray",
    "slategrey",
    "snow",
    "springgreen",
    "steelblue",
    "tan",
    "teal",
    "thistle",
    "tomato",
    "turquoise",
    "violet",
    "wheat",
    "white",
    "whitesmoke",
    "yellow",
    "yellowgreen",
};

bool IsHexDigits(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    });
}

// The page writes a colour unquoted into "bgcolor=" and "color=". A browser
// reads "#rgb", "#rrggbb", a colour name, and (by the old attribute rules)
// six hex digits without "#" as the colour meant; anything else it turns
// into some colour of its own reckoning ("あか" becomes a near-black), and a
// blank ends the attribute.
bool IsBrowserColour(std::string_view colour)
{
    if (colour.size() == 7 && colour[0] == '#') return IsHexDigits(colour.substr(1));
    if (colour.size() == 4 && colour[0] == '#') return IsHexDigits(colour.substr(1));
    if (colour.size() == 6 && IsHexDigits(colour)) return true;
    std::string lower;
    for (char c : colour) lower.push_back((c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c);
    return std::find(kColourNames.begin(), kColourNames.end(), lower) != kColourNames.end();
}

bool TemplateUses(int type, std::string_view placeholder)
{
    const PageTemplate* t = TemplateOfType(type);
    if (t == nullptr) return false;
    for (const std::string* part : {&t->frame, &t->item, &t->shipping, &t->others, &t->payment})
        if (part->find(placeholder) != std::string::npos) return true;
    return false;
}

// The site's own hosts and the program's credit line: a page may always
// link there.
const std::vector<std::string>& OwnHosts()
{
    static const std::vector<std::string> hosts = {HostOfAddress(BoothSiteUrl()), HostOfAddress(BannerImageUrl()),
                                                   HostOfAddress(HomePageUrl())};
    return hosts;
}

struct Checker {
    std::vector<CheckResult> results;

    void add(const std::string& field, std::string advice) { results.push_back({field, std::move(advice)}); }

    void text(const std::string& field, std::string_view value)
    {
        static const std::string mail = Sjis("メールアドレス「"), phone = Sjis("電話番号「"),
                                 web = Sjis("外部のアドレス「"),
                                 offSite = Sjis(
                                     "」があります。サイトの外での取引に誘う書き込みは違反になるので、"
                                     "消してください（連絡は取引ナビで行います）。"),
                                 odd = Sjis(
                                     "」は機種依存文字で、サイトや見る人の環境によっては別の字や「?」で"
                                     "表示されます。ほかの書き方にしてください。"),
                                 open = Sjis("「");
        for (const std::string& found : FindMailAddresses(value)) add(field, mail + found + offSite);
        for (const std::string& found : FindPhoneNumbers(value)) add(field, phone + found + offSite);
        for (const std::string& found : FindWebAddresses(value, OwnHosts())) add(field, web + found + offSite);
        // Half-width kana are not reported: they are JIS X 0201, held the
        // same by every Shift_JIS table and by Unicode, so the site shows
        // them as the preview does. The characters found here are code page
        // 932's own additions to JIS X 0208: a converter working from the
        // standard table has no code for them and puts "?" or another
        // character in their place.
        for (const std::string& found : FindMachineDependentCharacters(value)) add(field, open + found + odd);
    }

    void colour(const std::string& field, std::string_view value)
    {
        static const std::string open = Sjis("「"), advice = Sjis(
                                                        "」はブラウザーが色として読みません。#ff0000 のような形か、"
                                                        "red などの色の名前にしてください。");
        if (!value.empty() && !IsBrowserColour(value)) add(field, open + std::string(value) + advice);
    }
};

// "Writes nothing": the built-in writer of the box has no price for the
// parcel. That is exactly when one of the three parcel combos' rules greys
// the box out; the box itself may still be enabled, because the combo
// changed last decides what it shows.
bool GreyedOutForParcel(std::optional<bool> CarrierAvailability::*box, const PlateSelections& parcel)
{
    for (const ParcelCombo combo : {ParcelCombo::Weight, ParcelCombo::Size, ParcelCombo::Origin}) {
        const std::optional<bool> enabled = AvailableCarriers(parcel, combo).*box;
        if (enabled && !*enabled) return true;
    }
    return false;
}

}  // namespace

std::size_t TitleCharacterCount(std::string_view title)
{
    return SjisCharacterCount(title);
}

std::string TitleCountText(std::string_view title)
{
    return std::to_string(TitleCharacterCount(title)) + "/" + std::to_string(kTitleCharacterLimit);
}

std::vector<CheckResult> CheckListing(const PlateState& state, const PlateFlags& flags,
                                      const PlateSelections& selections, std::span<const Tariff> currentServices)
{
    static const std::string title = Sjis("商品タイトル"), items = Sjis("商品情報"), trans = Sjis("発送方法"),
                             othersTitle = Sjis("追加項目の見出し"), others = Sjis("追加項目の内容"),
                             booth = Sjis("テキストリンク"), colour1 = Sjis("カラー1（枠カラー）"),
                             colour2 = Sjis("カラー2"), colour3 = Sjis("カラー3（文字カラー）"),
                             payment = Sjis("支払い方法"), carriers = Sjis("配送業者");
    Checker c;

    const std::size_t count = TitleCharacterCount(state.Title);
    if (count > kTitleCharacterLimit)
        c.add(title, Sjis("65文字を超えています（") + std::to_string(count) +
                         Sjis("文字）。サイトのタイトル欄には65文字までしか入りません。短くしてください。"));
    c.text(title, state.Title);
    c.text(items, state.Items);
    c.text(trans, state.trans);
    c.text(othersTitle, state.TOthers);
    c.text(others, state.Others);
    // The booth text reaches the page only with "リンクする" on.
    if (flags.linkOn) c.text(booth, state.mytext);

    // A colour the chosen template never writes cannot go wrong on the page
    // (colour 2 of タイプ１, whose edit the form disables).
    if (TemplateUses(selections.type, "<color>")) c.colour(colour1, state.color);
    if (TemplateUses(selections.type, "<bgcolor>")) c.colour(colour2, state.bgcolor);
    if (TemplateUses(selections.type, "<fcolor>")) c.colour(colour3, state.fcolor);

    static const std::string since = Sjis(
                                 "」は、2018年3月1日から使えません（支払いはYahoo!かんたん決済だけに"
                                 "なりました）。チェックを外してください。"),
                             open = Sjis("「"), bank = Sjis("銀行"), paruru = Sjis("ぱるる"),
                             furikae = Sjis("振替口座"), stamps = Sjis("切手");
    for (std::size_t row = 0; row < kParuruRow; ++row) {
        if (!flags.payment.accounts[row]) continue;
        const std::string& name = state.accounts[row].bankName;
        c.add(payment, open + (name.empty() ? bank + std::to_string(row + 1) : name) + since);
    }
    if (flags.payment.accounts[kParuruRow]) c.add(payment, open + paruru + since);
    if (flags.payment.accounts[kFurikaeRow]) c.add(payment, open + furikae + since);
    if (flags.payment.stamps) c.add(payment, open + stamps + since);

    const CarrierTicks& t = flags.carriers;
    static const std::string nothing = Sjis("」は、この重さ・大きさ・発送元では料金がなく、ページに何も書かれません。"),
                             yamato = Sjis("クロネコヤマト"), sagawa = Sjis("佐川急便"), teikeigai = Sjis("定形外郵便"),
                             sasshi = Sjis("冊子小包");
    CarrierTicks writes;
    writes.yamato = !GreyedOutForParcel(&CarrierAvailability::yamato, selections);
    writes.sagawa = !GreyedOutForParcel(&CarrierAvailability::sagawa, selections);
    writes.yuPack = true;
    writes.teikeigai = !GreyedOutForParcel(&CarrierAvailability::teikeigai, selections);
    if (t.yamato && !writes.yamato) c.add(carriers, open + yamato + nothing);
    if (t.sagawa && !writes.sagawa) c.add(carriers, open + sagawa + nothing);
    // ゆうパック has a price for every parcel the form can describe.
    // Ended services: the dates are those of the carriers' notices.
    // Yahoo！ゆうパック ended 2009-04-22 (digitalistblog.com, 2009-04-19).
    if (t.yahooYuPack)
        c.add(carriers, Sjis("「Yahoo！ゆうパック」は2009年4月に終わりました。チェックを外してください。"));
    if (t.teikeigai && !writes.teikeigai) c.add(carriers, open + teikeigai + nothing);
    // 冊子小包 is called ゆうメール since postal privatisation in 2007-10
    // (kotobank 「小包」: "ゆうメール(旧、冊子小包)").
    if (t.sasshi) {
        c.add(carriers, Sjis("「冊子小包」は2007年10月から「ゆうメール」という名前です。ページには古い名前と"
                             "当時の料金が出ます。"));
        if (GreyedOutForParcel(&CarrierAvailability::sasshi, selections)) c.add(carriers, open + sasshi + nothing);
    }
    // クロネコメール便: last accepted 2015-03-31 (Yamato's notice of
    // 2015-01-22, reported by ecnomikata.com and truck-next.com).
    if (t.kuronekoMail)
        c.add(carriers, Sjis("「クロネコメール便」は2015年3月31日の受付で終わりました。チェックを外してください。"));
    // EXPACK500: sales ended at the end of 2010-03, use at the end of
    // 2014-03 (yubin.2-d.jp, "エクスパック500取扱中止").
    if (t.expack)
        c.add(carriers, Sjis("「EXPACK500」は2010年3月31日で販売を終え、2014年3月31日で取り扱いも終わりました。"
                             "チェックを外してください。"));
    CheckBuiltInTables(t, writes, currentServices, c.results);
    CheckCurrentServices(selections, state.thicknessIndex, currentServices, c.results);
    return c.results;
}

std::vector<CheckResult> CheckPhoneWidth(const PlateFlags& flags, const PlateSelections& selections)
{
    // A page of fixed width runs off a phone's screen, and the buyer has to
    // scroll sideways for every line; the fitting form of the type does not.
    const int width = FixedPageWidth(selections.type);
    if (width == 0 || flags.phoneFit) return {};
    static const std::string field = Sjis("タイプ"), open = Sjis("「"), wide = Sjis("」は幅"),
                             advice = Sjis(
                                 "ピクセルのまま表示されるため、スマートフォンでは画面の右にはみ出します。"
                                 "「スマートフォンでも読みやすく」をオンにすると画面の幅に収まります。");
    return {CheckResult{field, open + TemplateTypeNames()[static_cast<std::size_t>(selections.type)] + wide +
                                   std::to_string(width) + advice}};
}

}  // namespace torepal
