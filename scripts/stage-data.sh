#!/usr/bin/env bash
# Stages the data folder beside the program:
#
#   stage-data.sh DATA_DIR GEN_DIR BIN_DIR
#
# DATA_DIR holds the shipped files (data/), GEN_DIR the files made at build
# time (the font library Fonts/kstndrd.bib and the template project
# standard.ini). Every call brings BIN_DIR up to date with both, except for
# the files the user changes:
#   - kivar.lib, the settings, is copied only when absent;
#   - the files the program writes there itself (the recent-files list
#     kfiles.txt, the auto-save file kivar.txl, backups, out-files, t.ini)
#     are not shipped, so nothing is ever copied over them.
# Everything else shipped is read-only data of the program (language files,
# language.ini, the command description file *.kcm, the character maps
# Fonts/*/?map.txt, the icon) and is refreshed like the generated files.
set -euo pipefail
data=$1 gen=$2 bin=$3
USER_FILES=(kivar.lib)

is_user_file() {
  local rel=$1 u
  for u in "${USER_FILES[@]}"; do [ "${rel,,}" = "${u,,}" ] && return 0; done
  return 1
}

mkdir -p "$bin"
copy_tree() {
  local from=$1 rel
  [ -d "$from" ] || return 0
  while IFS= read -r -d '' f; do
    rel=${f#"$from"/}
    mkdir -p "$bin/$(dirname "$rel")"
    if is_user_file "$rel"; then
      # Also when the program wrote it back under another letter case.
      [ -n "$(find "$bin" -maxdepth 1 -iname "$rel" -print -quit)" ] && continue
    fi
    cp -f "$f" "$bin/$rel"
  done < <(find "$from" -type f -print0)
}
copy_tree "$data"
copy_tree "$gen"
