#!/usr/bin/env bash
# Writes program/plate.ini, the plate settings a seller finds at the very
# first start: タイプ１ in calm blue and grey, 中央 and リンクしない on, no
# carrier or payment box ticked, the heading "注意事項" ready for the extra
# section. The build and the install lay it beside the program only where no
# plate.ini exists yet, so a seller's own settings are never replaced.
# The record is written field by field in the order the program reads it
# (u32 little-endian; texts with a one-byte length prefix, Shift-JIS);
# tests/install checks these bytes against the program's own encoder.
set -euo pipefail
cd "$(dirname "$0")/../program"

u32() { printf "\\x$(printf %02x "$1")\\x00\\x00\\x00"; }
text() {  # a text of at most 254 bytes: one length byte, then the bytes
  local sjis
  sjis=$(printf '%s' "$1" | iconv -f UTF-8 -t CP932 | od -An -v -tx1 | tr -d ' \n')
  local n=$(( ${#sjis} / 2 ))
  [ "$n" -le 254 ] || { echo "text too long for a one-byte prefix: $1" >&2; exit 1; }
  printf "\\x$(printf %02x "$n")"
  [ "$n" -eq 0 ] || printf "$(printf '%s' "$sjis" | sed 's/../\\x&/g')"
}

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
