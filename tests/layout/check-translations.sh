#!/usr/bin/env bash
# Fails when the translation template misses a text of the window: every
# text lupdate finds in ui/ must be in translations/ovra.ts, which
# scripts/update-translations refreshes.
set -euo pipefail
source_dir="$1"
lupdate=/usr/lib/qt6/bin/lupdate
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# "context<TAB>text" for every message of a .ts file, a text's lines joined.
texts() {
  awk '
    /<name>/ { sub(/.*<name>/, ""); sub(/<\/name>.*/, ""); context = $0 }
    /<source>/ { text = ""; reading = 1; sub(/.*<source>/, "") }
    reading { line = $0; done = sub(/<\/source>.*/, "", line); text = text (text == "" ? "" : "\\n") line
              if (done) { print context "\t" text; reading = 0 } }
  ' "$1" | sort -u
}

"$lupdate" -silent -no-obsolete -locations none -source-language en "$source_dir/ui" -ts "$scratch/now.ts"
texts "$scratch/now.ts" >"$scratch/now.txt"
texts "$source_dir/translations/ovra.ts" >"$scratch/template.txt"
missing=$(comm -23 "$scratch/now.txt" "$scratch/template.txt")
if [[ -n "$missing" ]]; then
  echo "translations/ovra.ts misses these texts of the window; run scripts/update-translations:" >&2
  echo "$missing" >&2
  exit 1
fi
