#!/usr/bin/env bash
# Renders the golden frame cases of cases.txt with the demo into a directory:
#   render.sh VIEW_EXE OUT_DIR [NAME]
# The demo runs with an empty settings search path, so no "display.pref" of
# the machine changes the frames. ./dev golden renders into this directory,
# with GOLDEN_DIFF naming the program that says, frame by frame, how many
# pixels changed from the frame there before.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
src="$(cd "$here/../../.." && pwd)"
exe="$1"
out="$(mkdir -p "$2" && cd "$2" && pwd)"
only="${3:-}"
empty="$(mktemp -d)"
trap 'rm -rf "$empty"' EXIT
cd "$src"
while read -r name args; do
  [[ -z "$name" || "$name" == \#* ]] && continue
  [[ -n "$only" && "$name" != "$only" ]] && continue
  # shellcheck disable=SC2086
  HOME="$empty" VANTREL_PATH="$empty" "$exe" --size 160x120 $args -o "$empty/$name.png" >/dev/null
  if [ -n "${GOLDEN_DIFF:-}" ]; then
    echo "$name: $("$GOLDEN_DIFF" "$out/$name.png" "$empty/$name.png")"
  fi
  mv "$empty/$name.png" "$out/$name.png"
done < "$here/cases.txt"
