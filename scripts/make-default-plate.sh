#!/usr/bin/env bash
# Writes program/plate.ini, the plate settings a seller finds at the very
# first start: タイプ１ in calm blue and grey, 中央 and リンクしない on, no
# carrier or payment box ticked, the heading "注意事項" ready for the extra
# section. The build and the install lay it beside the program only where no
# plate.ini exists yet, so a seller's own settings are never replaced.
# The record is written field by field in the order the program reads it;
# tests/install checks these bytes against the program's own encoder.
set -euo pipefail
cd "$(dirname "$0")/../program"

. ../scripts/archive.sh

heading='注意事項'
{
  for carrier in yamato sagawa yuPack yahooYuPack teikeigai sasshi kuronekoMail expack; do u32 0; done
  u32 0                 # origin: the first prefecture of the list
  text "$heading"       # heading of the extra section
  text ''               # body of the extra section
  text '#336699'        # colour 1: frame
  text '#eeeeee'        # colour 2: shadow or back colour (unused by タイプ１)
  text '#333333'        # colour 3: text
  text "$heading"       # the heading again: the reader keeps this copy
  text ''               # auction ID
  u32 0                 # リンクする
  u32 1                 # リンクしない
  u32 0                 # reserved
  u32 0                 # タイプ１
  u32 1                 # 中央
  u32 0                 # 左寄せ
  for account in 1 2 3 4 paruru furikae; do u32 0; done
  u32 0                 # Yahoo!かんたん決算
  u32 0                 # 切手
  text 'ほかの出品もぜひご覧ください'   # booth banner text
} > plate.ini.tmp
mv plate.ini.tmp plate.ini
