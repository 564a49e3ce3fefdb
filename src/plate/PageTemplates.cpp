#include "plate/PageTemplates.h"

#include <array>
#include <string_view>

#include "text/Encoding.h"

namespace torepal {
namespace {

// A frame is written around the credit line, which sits in every frame at
// the same place, just before the frame closes.
struct TemplateText {
    const char* frameHead;
    const char* frameTail;
    const char* item;
    const char* shipping;
    const char* others;
    const char* payment;
};

// タイプ４ and タイプ５ lay out their sections the same way, one row of a
// two-column table each; only their frames differ.
constexpr const char* kWideRowItem =
    "<tr bgcolor=<bgcolor>><td colspan=2><center><font color=<fcolor>><b><Title></b></font></center></td>"
    "</tr><tr><td width=25% bgcolor=<bgcolor>><center><font color=<fcolor>><b>商品情報</b></font></center>"
    "</td><td width=75% bgcolor=#FFFFFF><font color=<fcolor>><Items><myboot></font></td></tr>";
constexpr const char* kWideRowShipping =
    "<tr><td width=150 bgcolor=<bgcolor>><center><font color=<fcolor>><b>発送方法</b></font></center></td>"
    "<td width=550 bgcolor=#FFFFFF><font color=<fcolor>><trans><sdata></font></td></tr>";
constexpr const char* kWideRowOthers =
    "<tr><td width=150 bgcolor=<bgcolor>><center><font color=<fcolor>><b><TOthers></b></font></center>"
    "</td><td width=550 bgcolor=#FFFFFF><font color=<fcolor>><Others></font></td></tr>";
constexpr const char* kWideRowPayment =
    "<tr><td width=150 bgcolor=<bgcolor>><center><font color=<fcolor>><b>支払方法</b></font></center></td>"
    "<td width=550 bgcolor=#FFFFFF><font color=<fcolor>><pdata></font></td></tr>";

// The markup exactly as the pages carry it (UTF-8 here, Shift-JIS once
// converted). Runs of two blanks, the upper-case tags and the ideographic
// spaces of タイプ２ are part of the text.
constexpr std::array<TemplateText, kTemplateTypeCount> kTemplates = {{
    // タイプ１
    {
        // frame, up to the credit line
        "<state><table width=610 border=0 cellpadding=0 cellspacing=5 bgcolor=<color>><data1><data2><data3>"
        "<data4><tr><td height=22 bgColor=#ffffff></td></tr></table></table><table width=610 border=0 cellspacing=0>"
        "<tr><td align=right><font size=2 color=<fcolor>><font size=2 color=#999999>",
        // frame, after the credit line
        "</font></td></tr></table><br></state>",
        // item section
        "<tr><td><table width=610 border=0 cellpadding=2 cellspacing=1><tr><td height=20 bgColor=<color> width=604>"
        "<font color=#FFFFFF><b><Title></b></font></td></tr><tr><td height=22 bgColor=#ffffff></td></tr><tr>"
        "<td  height=20 bgColor=#EFEFEF><font color=<fcolor>><b>商品情報</b></font></td></tr><tr><td height=30 "
        "bgColor=#ffffff>"
        "<table height=100% width=100% cellpadding=10 ><tr><td><font color=<fcolor>><Items><myboot></font>"
        "</td></tr></table></td></tr>",
        // shipping section
        "<tr><td height=20 bgColor=#EFEFEF> <font color=<fcolor>><b>発送方法</b></font></td></tr><tr><td height=30 "
        "bgColor=#ffffff>"
        "<table height=100% width=100% cellpadding=10><tr><td><font color=<fcolor>><trans><sdata></font></td>"
        "</tr></table></td></tr>",
        // others section
        "<tr><td height=20 bgColor=#EFEFEF><font color=<fcolor>><b><TOthers></b></font></td></tr><tr><td height=30 "
        "bgColor=#ffffff>"
        "<table height=100% width=100% cellpadding=10><tr><td><font color=<fcolor>><Others></font></td></tr>"
        "</table></td></tr>",
        // payment section
        "<tr><td height=20 bgColor=#EFEFEF> <font color=<fcolor>><b>支払方法</b></font></td></tr><tr><td height=30 "
        "bgColor=#ffffff>"
        "<table height=100% width=100% cellpadding=10><tr><td><font color=<fcolor>><pdata></font></td></tr>"
        "</table></td></tr>",
    },
    // タイプ２
    {
        // frame, up to the credit line
        "<state><TABLE WIDTH=70% cellspacing=0 cellpadding=0 ><TR> <TD WIDTH=3% bgcolor=<bgcolor>>　</TD><TD WIDTH=94% "
        "bgcolor=<bgcolor>>"
        "</TD><TD  WIDTH=3%><font color=#FFFFFF>--</font></TD></TR><TR> <TD bgcolor=<bgcolor>>　</TD><TD><TABLE "
        "cellpadding=20 WIDTH=100% height=140 bgcolor=<color> cellspacing=0>"
        "<TR><TD bgcolor=<bgcolor>><br><font color=<fcolor>><data1><data2><data3><data4></font></TD></TR>"
        "</TABLE></TD><TD bgcolor=<color> ></TD></TR><TR><TD><font color=#FFFFFF>--</font></TD><TD bgcolor=<color>>"
        "</TD><TD bgcolor=<color> ></TD></TR><tr><td align=right colspan=3><font size=2 color=#999999>",
        // frame, after the credit line
        "</font></td></tr></TABLE><br></state>",
        // item section
        "<b><Title><br><br><Items><myboot></b>",
        // shipping section
        "<hr><br><b>■発送方法<br><trans><sdata></b>",
        // others section
        "<hr><br><b>■<TOthers><br><br><Others></b>",
        // payment section
        "<hr><br><b>■支払方法<br><pdata></b>",
    },
    // タイプ３
    {
        // frame, up to the credit line
        "<state><TABLE width=80% height=10 border=0 cellpadding=0 cellspacing=0><data1><data2><data4><TR>"
        "<TD height=2 align=right><font size=2 color=#999999>",
        // frame, after the credit line
        "</font></TD></TR></TABLE></state><br>",
        // item section
        "<TR><Td><TABLE cellSpacing=0 cellPadding=2  height=10 width=100% border=0><TBODY><TR> <TD width=25% "
        "bgColor=<color> height=2>"
        "</TD><TD width=1% height=2></TD><TD width=25% bgColor=#dcdcdc height=2></TD><TD width=1% height=2>"
        "</TD><TD width=25% bgColor=#dcdcdc height=2> </TD><TD width=21% height=2></TD></TR><TR> <TD width=25% "
        "bgColor=<color> height=15 align=center>"
        "<b><font color=#FFFFFF>商品情報</font></b></TD><TD width=1% height=15></TD><TD width=25% bgColor=#dcdcdc "
        "height=15 align=center>"
        "<FONT color=#aaaaaa ><b>発送方法</b></FONT></TD><TD width=1% height=15></TD><TD width=25% bgColor=#dcdcdc "
        "height=15 align=center>"
        "<font color=#aaaaaa><b>支払方法</b></font></TD><TD width=21% height=15></TD></TR><TR><TD bgColor=<color> "
        "colSpan=6> <TABLE cellSpacing=3 cellPadding=8 width=100% border=0>"
        "<TBODY><TR> <TD bgColor=<bgcolor>><font color=<fcolor>><Items><data3><myboot></font></TD></TR></TBODY>"
        "</TABLE></TD></TR></TBODY></TABLE></td></tr>",
        // shipping section
        "<tr><td><hr></td></tr><TR><TD><TABLE cellSpacing=0 cellPadding=2 width=100% border=0><TBODY><TR>"
        "<TD width=25% bgColor=#dcdcdc height=2></TD><TD width=1% height=2></TD><TD align=center width=25% "
        "bgColor=<color> height=2>"
        "</TD><TD width=1% height=2></TD><TD width=25% bgColor=#dcdcdc height=2></TD><TD width=21% height=2>"
        "</TD></TR><TR><TD width=25% bgColor=#dcdcdc height=15 align=center><b><font color=#aaaaaa>商品情報</font>"
        "</b></TD><TD width=1% height=15></TD><TD align=center width=25% bgColor=<color> height=15><b><font "
        "color=#FFFFFF>発送方法</font>"
        "</b></TD><TD width=1% height=15></TD><TD align=center width=25% bgColor=#dcdcdc height=15 align=center>"
        "<font color=#aaaaaa><b>支払方法</b></font></TD><TD width=21% height=15></TD></TR><TR><TD bgColor=<color> "
        "colSpan=6> <TABLE cellSpacing=3 cellPadding=8 width=100% border=0>"
        "<TBODY><TR><TD bgcolor=<bgcolor>><font color=<fcolor>><trans><sdata></font></TD></TR></TBODY></TABLE>"
        "</TD></TR></TBODY></TABLE></TD></TR>",
        // others section
        "<hr><b>■<TOthers></b><br><Others>",
        // payment section
        "<TR><TD height=1><hr></TD></TR><tr><td><TABLE cellSpacing=0 cellPadding=2 width=100% border=0><TBODY>"
        "<TR><TD width=25% bgColor=#dcdcdc height=2></TD><TD width=1% height=2></TD><TD align=center width=25% "
        "bgColor=#dcdcdc height=2>"
        "</TD><TD width=1% height=2></TD><TD align=center width=25% bgColor=<color> height=2>  </TD><TD width=21% "
        "height=2>"
        "</TD></TR><TR><TD width=25% bgColor=#dcdcdc height=15 align=center><b><font color=#aaaaaa>商品情報</font>"
        "</b></TD><TD width=1% height=15></TD> <TD align=center width=25% bgColor=#dcdcdc height=15><FONT "
        "color=#aaaaaa >"
        "<b>発送方法</b></FONT> </TD><TD width=1% height=15></TD><TD align=center width=25% bgColor=<color> height=15>"
        "<b><font color=#FFFFFF>支払方法</font></b></TD><TD width=21% height=15></TD></TR><TR><TD bgColor=<color> "
        "colSpan=6> <TABLE cellSpacing=3 cellPadding=8 width=100% border=0>"
        "<TBODY> <TR><td bgcolor=<bgcolor>><font color=<fcolor>><pdata></font></td> </TR></TBODY> </TABLE>"
        "</TD></TR></TBODY></TABLE><tr><td>",
    },
    // タイプ４
    {
        // frame, up to the credit line
        "<state><table width=700 border=0 cellpadding=0 cellspacing=0 bgcolor=<color>><tr><td width=700><table "
        "width=100% border=0 height=190% cellpadding=10 cellspacing=3>"
        "<data1><data2><data3><data4></table></td></tr></table><table width=700><tr><td align=right><font size=2 "
        "color=#999999>",
        // frame, after the credit line
        "</font></TD></TR></TABLE></state><br>",
        kWideRowItem,
        kWideRowShipping,
        kWideRowOthers,
        kWideRowPayment,
    },
    // タイプ５
    {
        // frame, up to the credit line
        "<state><table width=700 border=0  cellpadding=6 cellspacing=1 bgcolor=<color>><data1><data2><data3>"
        "<data4></table><table width=700><tr><td align=right><font size=2 color=#999999>",
        // frame, after the credit line
        "</font></TD></TR></TABLE></state><br>",
        kWideRowItem,
        kWideRowShipping,
        kWideRowOthers,
        kWideRowPayment,
    },
}};

std::array<PageTemplate, kTemplateTypeCount> ConvertedTemplates()
{
    std::array<PageTemplate, kTemplateTypeCount> out;
    for (std::size_t i = 0; i < kTemplates.size(); ++i) {
        const TemplateText& t = kTemplates[i];
        out[i].frame = Sjis(t.frameHead) + CreditLine() + Sjis(t.frameTail);
        out[i].item = Sjis(t.item);
        out[i].shipping = Sjis(t.shipping);
        out[i].others = Sjis(t.others);
        out[i].payment = Sjis(t.payment);
    }
    return out;
}

}  // namespace

const PageTemplate* TemplateOfType(int templateType)
{
    static const std::array<PageTemplate, kTemplateTypeCount> templates = ConvertedTemplates();
    if (templateType < 0 || templateType >= kTemplateTypeCount) return nullptr;
    return &templates[static_cast<std::size_t>(templateType)];
}

const std::vector<std::string>& TemplateTypeNames()
{
    static const std::vector<std::string> names = {
        Sjis("タイプ１"), Sjis("タイプ２"), Sjis("タイプ３"), Sjis("タイプ４"), Sjis("タイプ５"),
    };
    return names;
}

#ifndef TOREPAL_HOME_PAGE_URL
#define TOREPAL_HOME_PAGE_URL ""
#endif

bool HasOwnHomePage()
{
    return std::string_view(TOREPAL_HOME_PAGE_URL).size() > 0;
}

const std::string& HomePageUrl()
{
    static const std::string url = HasOwnHomePage() ? std::string(TOREPAL_HOME_PAGE_URL) : BoothSiteUrl() + "/";
    return url;
}

const std::string& BoothSiteUrl()
{
    static const std::string url = "https://auctions.yahoo.co.jp";
    return url;
}

const std::string& BannerImageUrl()
{
    static const std::string url = "https://auctions.c.yimg.jp/images.auctions.yahoo.co.jp/image";
    return url;
}

const std::string& CreditLine()
{
    static const std::string line =
        Sjis("オークション出品ツール：<a href=") + HomePageUrl() + Sjis(">トレパル</a>によって作成されています。");
    return line;
}

const std::string& BoothBanner()
{
    static const std::string banner = Sjis("<state><center><A HREF=") + BoothSiteUrl() +
                                      Sjis("/jp/booth/yahoo-id> <IMG ALT=マイ・オークションをごらんください SRC=") +
                                      BannerImageUrl() + Sjis("/banner.gif><br>mytext</A></center></state>");
    return banner;
}

}  // namespace torepal
