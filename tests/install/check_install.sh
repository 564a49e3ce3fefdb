#!/usr/bin/env bash
# Checks of the installed program: each check installs the build into a fresh
# prefix of its own, as a seller would into ~/.local, and looks at the result.
#
#   check_install.sh CHECK BUILD_DIR SOURCE_DIR WORK_DIR
#
# CHECK: layout | reinstall | desktop | metainfo | starts | nodisplay | closes | cli
set -euo pipefail
# A fresh system (or env -i) leaves the POSIX locale: Qt then warns on its
# error stream and xdotool cannot read Japanese window titles. C.UTF-8 is
# there without installing any locale.
if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then export LC_ALL=C.UTF-8; fi

check=$1 build=$2 source=$3 work=$4
prefix="$work/$check/prefix"
folder="$prefix/lib/torepal"

fail() { echo "FAIL: $*" >&2; exit 1; }

# A runtime folder of our own, so Qt has nothing to say about a missing one.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

fresh_install() {
  rm -rf "$work/$check"
  mkdir -p "$work/$check"
  cmake --install "$build" --prefix "$prefix" > "$work/$check/install.log" ||
    { cat "$work/$check/install.log" >&2; fail "cmake --install failed"; }
}

need() { command -v "$1" >/dev/null || fail "$1 is missing: run scripts/setup.sh"; }

png_size() {  # width x height from the PNG header
  local hex
  hex=$(od -An -v -tx1 -j16 -N8 "$1" | tr -d ' \n')
  echo "$((16#${hex:0:8}))x$((16#${hex:8:8}))"
}

# Runs the installed program on the offscreen platform from a folder of its
# own, so that anything it wrongly resolves against the current folder shows.
run_offscreen() {  # seconds; sets rc and leaves stderr in $work/$check/stderr
  local here="$work/$check/elsewhere"
  mkdir -p "$here"
  rc=0
  (cd "$here" && QT_QPA_PLATFORM=offscreen timeout "$1" "$prefix/bin/torepal" \
      > "$work/$check/stdout" 2> "$work/$check/stderr") || rc=$?
  [ -z "$(ls -A "$here")" ] || fail "the program wrote into the current folder: $(ls -A "$here")"
}

case "$check" in
layout)
  fresh_install
  for f in torepal menu_help.html torepal.png plate.ini; do
    [ -f "$folder/$f" ] || fail "$folder/$f is missing"
  done
  [ -x "$folder/torepal" ] || fail "torepal is not executable"
  # The live preview's engine program goes beside the program that starts it.
  if [ -f "$build/program/torepal-preview" ]; then
    [ -x "$folder/torepal-preview" ] || fail "the live preview program torepal-preview is missing"
  fi
  [ -d "$folder/back" ] || fail "back/ is missing"
  [ -z "$(ls -A "$folder/back")" ] || fail "back/ is not empty"
  cmp "$source/program/menu_help.html" "$folder/menu_help.html" || fail "help page differs"
  cmp "$source/program/plate.ini" "$folder/plate.ini" || fail "plate.ini differs"
  n=0
  for t in "$source"/program/file/*.txt; do
    cmp "$t" "$folder/file/$(basename "$t")" || fail "template $(basename "$t") differs"
    n=$((n + 1))
  done
  [ "$n" -ge 3 ] || fail "only $n sample templates"
  [ "$(ls "$folder/file" | wc -l)" -eq "$n" ] || fail "file/ holds other files: $(ls "$folder/file")"
  n=0
  for t in "$source"/program/tariffs/*.toml; do
    cmp "$t" "$folder/tariffs/$(basename "$t")" || fail "price file $(basename "$t") differs"
    n=$((n + 1))
  done
  [ "$n" -ge 1 ] || fail "no price file in tariffs/"
  for settings in bank.ini status.ini; do
    [ ! -e "$folder/$settings" ] || fail "$settings is installed; it belongs to the seller"
  done
  for size in 16 24 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/torepal.png"
    [ -f "$icon" ] || fail "$icon is missing"
    [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "$icon is $(png_size "$icon")"
  done
  [ -f "$prefix/share/icons/hicolor/scalable/apps/torepal.svg" ] || fail "scalable icon is missing"
  for launcher in "$prefix"/bin/*; do
    [ -x "$launcher" ] || fail "$launcher is not executable"
    [ -x "$folder/$(basename "$launcher")" ] || fail "$launcher starts nothing in the program folder"
  done
  [ -x "$prefix/bin/torepal" ] || fail "bin/torepal is missing"
  grep -qx "Exec=$folder/torepal" "$prefix/share/applications/torepal.desktop" ||
    fail "the desktop entry does not start $folder/torepal"

  # Installing again keeps what the seller changed, and renews the program's own files.
  first=$(ls "$folder/file" | head -1)
  printf 'edited\r\n' > "$folder/file/$first"
  printf 'seller' > "$folder/plate.ini"
  printf '# seller\n' > "$folder/tariffs/teikeigai.toml"
  printf 'old' > "$folder/menu_help.html"
  cmake --install "$build" --prefix "$prefix" > "$work/$check/install2.log"
  [ "$(cat "$folder/file/$first")" = $'edited\r' ] || fail "a second install replaced the seller's template"
  [ "$(cat "$folder/plate.ini")" = seller ] || fail "a second install replaced the seller's plate.ini"
  [ "$(cat "$folder/tariffs/teikeigai.toml")" = '# seller' ] || fail "a second install replaced the seller's price file"
  cmp "$source/program/tariffs/teikeigai.toml" "$folder/tariffs/teikeigai.toml.new" ||
    fail "the newer shipped price file is not beside the seller's"
  for t in "$source"/program/tariffs/*.toml; do
    [ "$(basename "$t")" = teikeigai.toml ] && continue
    cmp "$t" "$folder/tariffs/$(basename "$t")" || fail "a second install changed $(basename "$t")"
    [ ! -e "$folder/tariffs/$(basename "$t").new" ] || fail "$(basename "$t") was never changed, yet has a .new"
  done
  cmp "$source/program/menu_help.html" "$folder/menu_help.html" || fail "a second install kept the old help page"

  # A program folder outside the usual place: the desktop entry quotes it.
  odd="$work/$check/seller's files/with \$dollar"
  cmake --install "$build" --prefix "$odd" > "$work/$check/install3.log"
  need desktop-file-validate
  desktop-file-validate "$odd/share/applications/torepal.desktop" || fail "entry with an odd prefix is invalid"
  grep -qxF "Exec=\"$odd/lib/torepal/torepal\"" <(sed 's/\\\\/\\/g; s/\\\$/$/g' "$odd/share/applications/torepal.desktop") ||
    fail "odd prefix not quoted: $(grep Exec "$odd/share/applications/torepal.desktop")"
  ;;

reinstall)
  # The price files over an older install, by the installer's own rule:
  # made-up versions "1" (shipped before) and "2" (shipped now).
  rm -rf "$work/$check" && mkdir -p "$work/$check/v2" "$work/$check/tariffs"
  v2="$work/$check/v2" tariffs="$work/$check/tariffs"
  for n in same changed fresh current; do printf 'name = "%s 2"\n' "$n" > "$v2/$n.toml"; done
  history="$work/$check/history.sha256"
  : > "$history"
  for n in same changed; do
    printf 'name = "%s 1"\n' "$n" > "$tariffs/$n.toml"
    echo "$(sha256sum < "$tariffs/$n.toml" | cut -d' ' -f1)  $n.toml" >> "$history"
  done
  printf 'name = "changed 1, price corrected by the seller"\n' > "$tariffs/changed.toml"
  # A digest counts only for its own file's name.
  echo "$(sha256sum < "$tariffs/changed.toml" | cut -d' ' -f1)  same.toml" >> "$history"
  cp "$v2/current.toml" "$tariffs/current.toml"
  printf 'stale' > "$tariffs/current.toml.new"
  printf 'name = "seller own"\n' > "$tariffs/own.toml"
  shipped=$(printf '%s;' "$v2"/*.toml)
  cmake "-DSHIPPED=${shipped%;}" "-DHISTORY=$history" "-DFOLDER=$tariffs" \
      -P "$source/cmake/InstallShippedTariffs.cmake" > "$work/$check/install.log" ||
    { cat "$work/$check/install.log" >&2; fail "InstallShippedTariffs.cmake failed"; }
  cmp "$v2/same.toml" "$tariffs/same.toml" || fail "a file never changed was not renewed"
  [ ! -e "$tariffs/same.toml.new" ] || fail "a renewed file got a .new beside it"
  grep -q 'price corrected by the seller' "$tariffs/changed.toml" || fail "the seller's changed file was replaced"
  cmp "$v2/changed.toml" "$tariffs/changed.toml.new" || fail "the newer version is not beside the changed file"
  cmp "$v2/fresh.toml" "$tariffs/fresh.toml" || fail "a new shipped file was not laid down"
  cmp "$v2/current.toml" "$tariffs/current.toml" || fail "an up-to-date file changed"
  [ ! -e "$tariffs/current.toml.new" ] || fail "a stale .new stayed beside an up-to-date file"
  grep -q 'seller own' "$tariffs/own.toml" || fail "the seller's own service changed"
  [ -z "$(find "$tariffs" -name '*.part')" ] || fail "a half-written file was left: $(find "$tariffs" -name '*.part')"
  # Installing once more changes nothing: the seller's file keeps its .new.
  cmake "-DSHIPPED=${shipped%;}" "-DHISTORY=$history" "-DFOLDER=$tariffs" \
      -P "$source/cmake/InstallShippedTariffs.cmake" > "$work/$check/install2.log"
  grep -q 'price corrected by the seller' "$tariffs/changed.toml" || fail "a second run replaced the seller's file"
  cmp "$v2/changed.toml" "$tariffs/changed.toml.new" || fail "a second run lost the .new"
  ;;

desktop)
  need desktop-file-validate
  fresh_install
  entry="$prefix/share/applications/torepal.desktop"
  out=$(desktop-file-validate "$entry" 2>&1) || { echo "$out" >&2; fail "desktop-file-validate"; }
  [ -z "$out" ] || { echo "$out" >&2; fail "desktop-file-validate has remarks"; }
  for key in 'Name=トレパル' 'Name\[ja\]=トレパル' 'Icon=torepal' 'Categories=Office;' 'Comment=' 'Comment\[ja\]=' 'Type=Application'; do
    grep -q "^$key" "$entry" || fail "no $key"
  done
  ;;

metainfo)
  need appstreamcli
  fresh_install
  files=("$prefix"/share/metainfo/*.metainfo.xml)
  [ "${#files[@]}" -eq 1 ] && [ -f "${files[0]}" ] || fail "expected one metainfo file"
  appstreamcli validate --no-net --pedantic --explain "${files[0]}" || fail "appstreamcli validate"
  grep -q '<launchable type="desktop-id">torepal.desktop</launchable>' "${files[0]}" || fail "no desktop id"
  grep -q 'xml:lang="ja"' "${files[0]}" || fail "no Japanese description"
  id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "${files[0]}")
  [ "$(basename "${files[0]}")" = "$id.metainfo.xml" ] || fail "file name does not match the id $id"
  ;;

starts)
  # Started headless, the installed program keeps running until stopped
  # (timeout's 124), says nothing on its error stream, and has written
  # nothing yet: settings are written only when the seller closes it.
  fresh_install
  before=$(cd "$folder" && find . | sort)
  run_offscreen 5
  [ "$rc" -eq 124 ] || { cat "$work/$check/stderr" >&2; fail "the program ended by itself with $rc"; }
  # The offscreen platform's own notes about window features it lacks are not the program's.
  if grep -v -e 'This plugin does not support' "$work/$check/stderr" | grep -q .; then
    cat "$work/$check/stderr" >&2
    fail "the program wrote to its error stream"
  fi
  after=$(cd "$folder" && find . | sort)
  [ "$before" = "$after" ] || fail "the program folder changed while running: $(diff <(echo "$before") <(echo "$after"))"
  ;;

nodisplay)
  # Started where there is no screen (a terminal over ssh, a service): one
  # line that says so in Japanese and English, not Qt's advice to reinstall.
  fresh_install
  rc=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/torepal" \
    > "$work/$check/stdout" 2> "$work/$check/stderr" || rc=$?
  [ "$rc" -eq 1 ] || fail "without a display the program ended with $rc, not 1"
  [ "$(wc -l < "$work/$check/stderr")" -eq 1 ] || { cat "$work/$check/stderr" >&2; fail "not one line"; }
  grep -q '画面がありません' "$work/$check/stderr" || fail "no Japanese word of the missing display"
  grep -q 'No display found' "$work/$check/stderr" || fail "no English word of the missing display"
  ! grep -qi 'reinstall' "$work/$check/stderr" || fail "Qt's advice to reinstall came through"
  ;;

closes)
  # A real window under Xvfb, closed the way a seller closes it: the program
  # writes its three settings files beside itself, and the default plate
  # settings come back byte for byte.
  need xvfb-run
  need xdotool
  fresh_install
  here="$work/$check/elsewhere"
  mkdir -p "$here"
  cat > "$work/$check/session.sh" <<EOF
#!/usr/bin/env bash
cd "$here"
"$prefix/bin/torepal" 2> "$work/$check/stderr" &
pid=\$!
# The window is found by the process that owns it, not by its Japanese
# title: under the POSIX locale (a fresh system, env -i) xdotool cannot
# decode the title and matches nothing. The launcher execs the program, so
# the pid is the program's own.
for i in \$(seq 100); do
  win=\$(xdotool search --onlyvisible --pid "\$pid" 2>/dev/null | head -1) && [ -n "\$win" ] && break
  sleep 0.1
done
[ -n "\$win" ] || { echo "no window" >&2; kill \$pid; exit 2; }
sleep 1
# What the running program has mapped, once its window is up.
cat /proc/\$pid/maps > "$work/$check/maps"
# There is no window manager to close the window: the seller's other way out
# is the menu, ファイル（&F） then 終了（&E）, typed as real key presses.
xdotool windowfocus --sync "\$win"
xdotool key alt+f
sleep 0.5
xdotool key e
for i in \$(seq 100); do kill -0 \$pid 2>/dev/null || break; sleep 0.1; done
if kill -0 \$pid 2>/dev/null; then
  echo "the program did not end from its menu" >&2
  kill \$pid
fi
wait \$pid
EOF
  rc=0
  timeout 60 xvfb-run -a -s '-screen 0 1280x1024x24' bash "$work/$check/session.sh" || rc=$?
  [ "$rc" -eq 0 ] || { cat "$work/$check/stderr" >&2; fail "the program ended with $rc"; }
  for settings in bank.ini plate.ini status.ini; do
    [ -f "$folder/$settings" ] || fail "$settings was not written beside the program"
  done
  [ -z "$(ls -A "$here")" ] || fail "the program wrote into the current folder: $(ls -A "$here")"
  # No OpenGL driver at start: the preview's engine, the one part that needs
  # it, runs in a process of its own. (Qt's own libraries link the small GL
  # dispatch stubs, libGLX and libEGL, which load no driver by themselves.)
  drivers=$(grep -E '_dri\.so|libgallium|libGLX_mesa|libEGL_mesa|libLLVM|libvulkan|WebEngine' "$work/$check/maps" || true)
  [ -z "$drivers" ] || fail "the program mapped a GL driver or the browser engine at start: $drivers"
  cmp "$source/program/plate.ini" "$folder/plate.ini" || fail "the default plate settings did not come back unchanged"
  [ "$(stat -c %s "$folder/bank.ini")" -eq 48 ] || fail "bank.ini of six empty rows is not 48 bytes"
  [ "$(stat -c %s "$folder/status.ini")" -eq 29 ] || fail "empty status.ini is not 29 bytes"
  ;;

cli)
  # The installed command-line tool, with a sample project and a template
  # from the installed program folder.
  fresh_install
  [ -x "$prefix/bin/torepal-cli" ] || fail "torepal-cli is not installed"
  out=$(cd "$work/$check" && "$prefix/bin/torepal-cli" --help) || fail "torepal-cli --help failed"
  grep -q 'torepal-cli mail' <<<"$out" || fail "torepal-cli --help does not explain mail"
  project="$work/$check/sample.tpf"
  sed 's/$/\r/' "$source/tests/install/sample/project.tpf.txt" | iconv -f UTF-8 -t CP932 > "$project"
  template=$(ls "$folder"/file/01_*.txt)
  "$prefix/bin/torepal-cli" mail "$project" "$template" > "$work/$check/mail.txt" || fail "torepal-cli mail failed"
  mail=$(iconv -f CP932 -t UTF-8 < "$work/$check/mail.txt") || fail "the mail is not Shift-JIS"
  for expected in 'watch_lover_77 様' 'お支払い合計：13900 円' '銀行名：三井住友銀行' '〒156-0054' $'ぱるる\r'; do
    grep -qF "$expected" <<<"$mail" || fail "the mail lacks: $expected"
  done
  ! grep -q '\[[a-z]*\]' <<<"$mail" || fail "a placeholder was left: $(grep '\[[a-z]*\]' <<<"$mail")"
  "$prefix/bin/torepal-cli" render "$project" > "$work/$check/page.html" || fail "torepal-cli render failed"
  page=$(iconv -f CP932 -t UTF-8 < "$work/$check/page.html") || fail "the page is not Shift-JIS"
  grep -qF 'bgcolor=#336699' <<<"$page" || fail "the page lacks its frame colour"
  grep -qF '昭和レトロ　手巻き腕時計　シルバー' <<<"$page" || fail "the page lacks its title"
  ;;

*)
  fail "unknown check $check"
  ;;
esac
echo "ok: $check"
