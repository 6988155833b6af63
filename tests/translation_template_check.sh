#!/usr/bin/env bash
# The shipped translation template holds exactly the texts the sources mark: lupdate
# run over src/ into a copy of it must leave the copy unchanged.
# Usage: translation_template_check.sh LUPDATE SOURCE_DIR
set -euo pipefail
lupdate=$1
source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$source/translations/tessaly.ts" "$scratch/tessaly.ts"
"$lupdate" -no-obsolete -locations none -silent "$source/src" -ts "$scratch/tessaly.ts"
if ! diff -u "$source/translations/tessaly.ts" "$scratch/tessaly.ts"; then
  echo "translations/tessaly.ts is not current: build the target update_translations" >&2
  exit 1
fi
