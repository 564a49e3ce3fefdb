#!/usr/bin/env bash
# Writes the Shift-JIS files of the program folder from their UTF-8 sources:
#   program/file-src/*.txt   -> program/file/*.txt    (mail templates, CR LF)
#   program/help-src/*.html  -> program/*.html        (the help page)
# The program reads and shows these bytes as they are, so they are committed
# in their final form; tests/install checks that they still match the sources.
# iconv's "CP932" is the Windows table the program uses (81 60 is U+FF5E).
set -euo pipefail
cd "$(dirname "$0")/../program"

convert() {  # source target line-end
  local tmp="$2.tmp"
  if [ "$3" = crlf ]; then
    sed 's/\r$//; s/$/\r/' "$1" | iconv -f UTF-8 -t CP932 > "$tmp"
  else
    iconv -f UTF-8 -t CP932 "$1" > "$tmp"
  fi
  mv "$tmp" "$2"
}

mkdir -p file
for f in file-src/*.txt; do
  convert "$f" "file/$(basename "$f")" crlf
done
for f in help-src/*.html; do
  [ -e "$f" ] || continue
  convert "$f" "$(basename "$f")" lf
done
