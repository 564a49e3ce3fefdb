#!/usr/bin/env bash
# Takes the README's screenshots of the three tabs, docs/screenshots/
# plate.png, mail.png and files.png: the real program in a real window under
# Xvfb, on a copy of the program folder with sample settings (plate.ini,
# bank.ini, status.ini), a saved page and a saved mail, and the sample
# project opened through the menu the way a seller opens one. Keys and clicks
# are real input events (xdotool); nothing in the program is switched on for
# this.
#
#   bash scripts/screenshots.sh            (BUILD_DIR=build by default)
set -euo pipefail
# A fresh system (or env -i) leaves the POSIX locale: Qt then warns on its
# error stream and xdotool cannot read Japanese window titles. C.UTF-8 is
# there without installing any locale.
if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then export LC_ALL=C.UTF-8; fi
cd "$(dirname "$0")/.."
root=$PWD
build=${BUILD_DIR:-build}
out=docs/screenshots

for tool in xvfb-run xdotool import iconv; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: bash scripts/setup.sh" >&2; exit 1; }
done

cmake -S . -B "$build" -G Ninja > /dev/null
cmake --build "$build" --target torepal torepal-cli

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
folder="$work/torepal"
mkdir -p "$folder/back" "$folder/file" "$out"
cp "$build/program/torepal" "$folder/"
cp program/file/*.txt "$folder/file/"
cp program/menu_help.html "$folder/"
cp -r "$build/program/tariffs" "$folder/"

. scripts/archive.sh

# The sample seller: two banks and the ぱるる account.
{
  for row in 'みずほ銀行|世田谷支店|ヤマダ　ハナコ|1234567' '三井住友銀行|渋谷駅前支店|ヤマダ　ハナコ|7654321' \
             '|||' '|||' '|10120|ヤマダ　ハナコ|12345671' '|||'; do
    IFS='|' read -r bank branch holder number <<<"$row"
    text "$bank"; text "$branch"; text "$holder"; text "$number"; u32 0
  done
} > "$folder/bank.ini"

{
  text '東京都世田谷区桜丘3-12-8'; text '山田花子'; text '156-0054'; text '03-1234-5678'; text '090-1234-5678'
  for tick in 1 1 0 0 1 0; do u32 "$tick"; done
} > "$folder/status.ini"

others=$'中古品のため、小さなすり傷がございます。\r\nご質問は、お気軽にどうぞ。'
{
  for tick in 1 0 1 0 1 0 0 0; do u32 "$tick"; done   # クロネコヤマト, ゆうパック, 定形外郵便
  u32 12                                              # 東京都
  text '注意事項'; text "$others"
  text '#336699'; text '#eeeeee'; text '#333333'
  text '注意事項'; text 'hanako_shop'
  u32 0; u32 1; u32 0; u32 0; u32 1; u32 0            # リンクしない, タイプ１, 中央
  for tick in 1 1 0 0 1 0; do u32 "$tick"; done       # みずほ, 三井住友, ぱるる
  u32 1; u32 0                                        # Yahoo!かんたん決済
  text 'ほかの出品もぜひご覧ください'
} > "$folder/plate.ini"

# The sample project, and what the seller saved from it earlier.
# Two current services ticked in it ("[CS1]" after the accounts).
{ cat tests/install/sample/project.tpf.txt; printf '\n[CS1]\n,teikeigai,letterpack-light\n'; } |
  sed 's/$/\r/' | iconv -f UTF-8 -t CP932 > "$folder/sample.tpf"
title='昭和レトロ　手巻き腕時計　シルバー'
"$build/program/torepal-cli" render "$folder/sample.tpf" > "$folder/back/【プレート ～12月6日20時8分～ 】--$title.html"
"$build/program/torepal-cli" mail "$folder/sample.tpf" "$folder/file/01_落札のお礼.txt" |
  sed 's/\r$/\r\r/' > "$folder/back/【メール ～12月8日9時15分～ 】--$title.txt"

cat > "$work/session.sh" <<EOF
#!/usr/bin/env bash
set -euo pipefail
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "\$XDG_RUNTIME_DIR"; chmod 700 "\$XDG_RUNTIME_DIR"
cd "$work"
"$folder/torepal" 2> "$work/stderr" &
pid=\$!
trap 'kill \$pid 2>/dev/null || true' EXIT
win=
for i in \$(seq 100); do
  win=\$(xdotool search --onlyvisible --pid "\$pid" 2>/dev/null | head -1) || true
  [ -n "\$win" ] && break
  sleep 0.1
done
[ -n "\$win" ] || { echo "the window did not appear" >&2; cat "$work/stderr" >&2; exit 1; }
sleep 1
xdotool windowfocus --sync "\$win"

# ファイル（&F） → 開く（&O）, then the file name into the dialog.
xdotool key alt+f; sleep 0.5; xdotool key o; sleep 1.5
xdotool type --delay 20 "$folder/sample.tpf"; sleep 0.3
xdotool key Return; sleep 1.5
xdotool windowfocus --sync "\$win"; sleep 0.5

shot() { sleep 1; import -window "\$win" "$root/$out/\$1.png"; }
shot plate
xdotool key ctrl+Tab; sleep 1
# "プレビュー・更新" is the first button below the mail text: just right of
# the left column (whose width its boxes fix), above the tab frame and the
# status line. A click there composes the mail from 01_落札のお礼.txt.
eval "\$(xdotool getwindowgeometry --shell "\$win")"
xdotool mousemove --window "\$win" 335 \$((HEIGHT - 62)) click 1
xdotool mousemove --window "\$win" 0 0
shot mail
xdotool key ctrl+Tab; shot files
EOF
xvfb-run -a -s '-screen 0 1400x1100x24' bash "$work/session.sh"
if grep -q . "$work/stderr"; then
  echo "the program said on its error stream:" >&2
  cat "$work/stderr" >&2
fi
ls -l "$out"
