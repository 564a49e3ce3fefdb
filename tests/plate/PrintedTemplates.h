#pragma once
// The five page templates as the page description prints them, piece by
// piece (UTF-8). Tests fill these by hand to get the pages they expect.

#include <string>

namespace torepal::printed {

struct PrintedTemplate {
    std::string frameHead;  // up to the credit line
    std::string frameTail;  // after it
    std::string item;
    std::string shipping;
    std::string others;
    std::string payment;
};

inline const std::string kCreditLine =
    "オークション出品ツール：<a href=https://auctions.yahoo.co.jp/>トレパル</a>によって作成されています。";

inline const std::string kBoothBanner =
    "<state><center><A HREF=https://auctions.yahoo.co.jp/jp/booth/yahoo-id> "
    "<IMG ALT=マイ・オークションをごらんください "
    "SRC=https://auctions.c.yimg.jp/images.auctions.yahoo.co.jp/image/banner.gif><br>mytext</A></center></state>";

inline const PrintedTemplate kType1 = {
    // タイプ１ frame: before the credit line
    "<state><table width=610 border=0 cellpadding=0 cellspacing=5 bgcolor=<color>><data1><data2><data3>"
    "<data4><tr><td height=22 bgColor=#ffffff></td></tr></table></table><table width=610 border=0 cellspacing=0>"
    "<tr><td align=right><font size=2 color=<fcolor>><font size=2 color=#999999>",
    // after the credit line
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
};

inline const PrintedTemplate kType2 = {
    // タイプ２ frame: before the credit line
    "<state><TABLE WIDTH=70% cellspacing=0 cellpadding=0 ><TR> <TD WIDTH=3% bgcolor=<bgcolor>>　</TD><TD WIDTH=94% "
    "bgcolor=<bgcolor>>"
    "</TD><TD  WIDTH=3%><font color=#FFFFFF>--</font></TD></TR><TR> <TD bgcolor=<bgcolor>>　</TD><TD><TABLE "
    "cellpadding=20 WIDTH=100% height=140 bgcolor=<color> cellspacing=0>"
    "<TR><TD bgcolor=<bgcolor>><br><font color=<fcolor>><data1><data2><data3><data4></font></TD></TR>"
    "</TABLE></TD><TD bgcolor=<color> ></TD></TR><TR><TD><font color=#FFFFFF>--</font></TD><TD bgcolor=<color>>"
    "</TD><TD bgcolor=<color> ></TD></TR><tr><td align=right colspan=3><font size=2 color=#999999>",
    // after the credit line
    "</font></td></tr></TABLE><br></state>",
    // item section
    "<b><Title><br><br><Items><myboot></b>",
    // shipping section
    "<hr><br><b>■発送方法<br><trans><sdata></b>",
    // others section
    "<hr><br><b>■<TOthers><br><br><Others></b>",
    // payment section
    "<hr><br><b>■支払方法<br><pdata></b>",
};

inline const PrintedTemplate kType3 = {
    // タイプ３ frame: before the credit line
    "<state><TABLE width=80% height=10 border=0 cellpadding=0 cellspacing=0><data1><data2><data4><TR>"
    "<TD height=2 align=right><font size=2 color=#999999>",
    // after the credit line
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
    "<TD width=25% bgColor=#dcdcdc height=2></TD><TD width=1% height=2></TD><TD align=center width=25% bgColor=<color> "
    "height=2>"
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
    "</TD><TD width=1% height=2></TD><TD align=center width=25% bgColor=<color> height=2>  </TD><TD width=21% height=2>"
    "</TD></TR><TR><TD width=25% bgColor=#dcdcdc height=15 align=center><b><font color=#aaaaaa>商品情報</font>"
    "</b></TD><TD width=1% height=15></TD> <TD align=center width=25% bgColor=#dcdcdc height=15><FONT color=#aaaaaa >"
    "<b>発送方法</b></FONT> </TD><TD width=1% height=15></TD><TD align=center width=25% bgColor=<color> height=15>"
    "<b><font color=#FFFFFF>支払方法</font></b></TD><TD width=21% height=15></TD></TR><TR><TD bgColor=<color> "
    "colSpan=6> <TABLE cellSpacing=3 cellPadding=8 width=100% border=0>"
    "<TBODY> <TR><td bgcolor=<bgcolor>><font color=<fcolor>><pdata></font></td> </TR></TBODY> </TABLE>"
    "</TD></TR></TBODY></TABLE><tr><td>",
};

inline const PrintedTemplate kType4 = {
    // タイプ４ frame: before the credit line
    "<state><table width=700 border=0 cellpadding=0 cellspacing=0 bgcolor=<color>><tr><td width=700><table width=100% "
    "border=0 height=190% cellpadding=10 cellspacing=3>"
    "<data1><data2><data3><data4></table></td></tr></table><table width=700><tr><td align=right><font size=2 "
    "color=#999999>",
    // after the credit line
    "</font></TD></TR></TABLE></state><br>",
    // item section
    "<tr bgcolor=<bgcolor>><td colspan=2><center><font color=<fcolor>><b><Title></b></font></center></td>"
    "</tr><tr><td width=25% bgcolor=<bgcolor>><center><font color=<fcolor>><b>商品情報</b></font></center>"
    "</td><td width=75% bgcolor=#FFFFFF><font color=<fcolor>><Items><myboot></font></td></tr>",
    // shipping section
    "<tr><td width=150 bgcolor=<bgcolor>><center><font color=<fcolor>><b>発送方法</b></font></center></td>"
    "<td width=550 bgcolor=#FFFFFF><font color=<fcolor>><trans><sdata></font></td></tr>",
    // others section
    "<tr><td width=150 bgcolor=<bgcolor>><center><font color=<fcolor>><b><TOthers></b></font></center>"
    "</td><td width=550 bgcolor=#FFFFFF><font color=<fcolor>><Others></font></td></tr>",
    // payment section
    "<tr><td width=150 bgcolor=<bgcolor>><center><font color=<fcolor>><b>支払方法</b></font></center></td>"
    "<td width=550 bgcolor=#FFFFFF><font color=<fcolor>><pdata></font></td></tr>",
};

inline const PrintedTemplate kType5 = {
    // タイプ５ frame: before the credit line
    "<state><table width=700 border=0  cellpadding=6 cellspacing=1 bgcolor=<color>><data1><data2><data3>"
    "<data4></table><table width=700><tr><td align=right><font size=2 color=#999999>",
    // after the credit line
    "</font></TD></TR></TABLE></state><br>",
    // item section
    "<tr bgcolor=<bgcolor>><td colspan=2><center><font color=<fcolor>><b><Title></b></font></center></td>"
    "</tr><tr><td width=25% bgcolor=<bgcolor>><center><font color=<fcolor>><b>商品情報</b></font></center>"
    "</td><td width=75% bgcolor=#FFFFFF><font color=<fcolor>><Items><myboot></font></td></tr>",
    // shipping section
    "<tr><td width=150 bgcolor=<bgcolor>><center><font color=<fcolor>><b>発送方法</b></font></center></td>"
    "<td width=550 bgcolor=#FFFFFF><font color=<fcolor>><trans><sdata></font></td></tr>",
    // others section
    "<tr><td width=150 bgcolor=<bgcolor>><center><font color=<fcolor>><b><TOthers></b></font></center>"
    "</td><td width=550 bgcolor=#FFFFFF><font color=<fcolor>><Others></font></td></tr>",
    // payment section
    "<tr><td width=150 bgcolor=<bgcolor>><center><font color=<fcolor>><b>支払方法</b></font></center></td>"
    "<td width=550 bgcolor=#FFFFFF><font color=<fcolor>><pdata></font></td></tr>",
};

inline const PrintedTemplate& PrintedType(int type)
{
    static const PrintedTemplate* const all[] = {&kType1, &kType2, &kType3, &kType4, &kType5};
    return *all[type];
}

}  // namespace torepal::printed
