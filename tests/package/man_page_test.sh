#!/usr/bin/env bash
# Keeps a manual page true to its program: every option word, command and exit status that
# `PROGRAM --help` shows must be in PAGE, and groff must format PAGE without a warning.
# Usage: man_page_test.sh PROGRAM PAGE
set -euo pipefail
program=$1 page=$2

help=$(QT_QPA_PLATFORM=offscreen "$program" --help)
# The page's text without its font changes and with plain hyphens: "\fB\-\-lat\fR" is "--lat".
text=$(sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' "$page")

# Option words stand after a blank, "[" or "|" ("orlith-cli" itself is not one); each must be a
# word of the page.
options=$(grep -oE '(^|[[ |])--?[A-Za-z][A-Za-z-]*' <<<"$help" | sed 's/^[[ |]//' || true)
[ -n "$options" ] || { echo "no option words in the --help of $program" >&2; exit 1; }
# The commands follow "[-C DIR] " ("create|modify", "delete", ...) and the exit statuses
# "Exit status: 0 done, 1 ...": each is an item ".B WORD" of the page.
items=$(grep -oE '\[-C DIR\] [a-z|]+' <<<"$help" | sed 's/^.* //' | tr '|' ' ' || true)
items+=" "$(tr '\n' ' ' <<<"$help" | sed -n 's/.*Exit status: //p' | grep -oE '(^|, )[0-9]+' |
  grep -oE '[0-9]+' || true)

missing=()
for word in $options; do
  grep -qwF -e "$word" <<<"$text" || missing+=("$word")
done
for item in $items; do
  grep -qxF ".B $item" <<<"$text" || missing+=(".B $item")
done
if [ ${#missing[@]} -gt 0 ]; then
  printf '%s lacks what %s --help shows: %s\n' "$page" "$(basename "$program")" "${missing[*]}" >&2
  exit 1
fi

warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
if [ -n "$warnings" ]; then
  printf 'groff warns on %s:\n%s\n' "$page" "$warnings" >&2
  exit 1
fi
echo "$page: the $(wc -w <<<"$options $items") options, commands and exit statuses of --help"
