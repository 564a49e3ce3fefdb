# Shell helpers that write the fields of the program's settings files
# (bank.ini, plate.ini, status.ini) to standard output, for the default
# plate settings and the screenshot samples. Source this file.
#   u32 N     a number 0..255 as four little-endian bytes
#   text UTF8 a text of at most 254 Shift-JIS bytes: one length byte, then the bytes

u32() { printf "\\x$(printf %02x "$1")\\x00\\x00\\x00"; }

text() {
  local sjis n
  sjis=$(printf '%s' "$1" | iconv -f UTF-8 -t CP932 | od -An -v -tx1 | tr -d ' \n')
  n=$(( ${#sjis} / 2 ))
  [ "$n" -le 254 ] || { echo "text too long for a one-byte prefix: $1" >&2; return 1; }
  printf "\\x$(printf %02x "$n")"
  [ "$n" -eq 0 ] || printf "$(printf '%s' "$sjis" | sed 's/../\\x&/g')"
}
