#!/usr/bin/env bash
# Every source includes only from its own folder and the folders below it:
#   engine < document < comfort < chart < treatments < plants < climate
#   < print < ui < app
# The windows of a folder (X/forms/) sit above ui/: they may include from X,
# the folders below X and ui/; only app/ may include them from outside a
# forms/ folder. tests/ and bench/ may include anything and are not read.
# Prints each include that reaches up, as FILE:LINE, and fails if there is one.
#   tests/include_layers.sh [SOURCE_ROOT]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

layers=(engine document comfort chart treatments plants climate print ui app)
declare -A rank
for i in "${!layers[@]}"; do rank[${layers[$i]}]=$i; done
ui=${rank[ui]}

# Sets top, forms (0 or 1) and name ("X" or "X/forms") for a path.
layer() {
  top=${1%%/*}
  forms=0
  [[ ${1#*/} == forms/* ]] && forms=1
  name=$top
  ((forms)) && name=$top/forms
  return 0
}

# allowed FROM_RANK FROM_FORMS TO_RANK TO_FORMS
allowed() {
  local s=$1 from_forms=$2 t=$3 to_forms=$4
  if ((from_forms)); then
    ((t <= s || (t == ui && !to_forms)))
  elif ((to_forms)); then
    ((s > ui && t <= s))
  else
    ((t <= s))
  fi
}

present=()
for top in "${layers[@]}"; do [ -d "$top" ] && present+=("$top"); done
if ((${#present[@]} == 0)); then
  echo "include_layers: no source folder under $(pwd)" >&2
  exit 1
fi
scanned=0
bad=0
while IFS= read -r hit; do
  file=${hit%%:*}
  hit=${hit#*:}
  line=${hit%%:*}
  inc=${hit#*:}
  inc=${inc#*\"}
  inc=${inc%%\"*}
  scanned=$((scanned + 1))
  target=$inc
  # A path that does not start at a project folder is relative to the file.
  if [[ $target != */* || -z ${rank[${target%%/*}]+x} ]]; then
    [ -e "${file%/*}/$target" ] || continue
    target=$(realpath -m --relative-to=. "${file%/*}/$target")
    [ -n "${rank[${target%%/*}]+x}" ] || continue
  fi
  layer "$file"
  from=$name s=${rank[$top]} sf=$forms
  layer "$target"
  if ! allowed "$s" "$sf" "${rank[$top]}" "$forms"; then
    echo "$file:$line: #include \"$inc\" reaches up from $from to $name"
    bad=$((bad + 1))
  fi
done < <(grep -rnH '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "${present[@]}" \
  --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.cc' --include='*.inl' |
  sort -t: -k1,1 -k2,2n)

if ((scanned == 0)); then
  echo "include_layers: no #include read under $(pwd)" >&2
  exit 1
fi
if ((bad)); then
  echo "include_layers: $bad include(s) reach up to a higher folder" >&2
  exit 1
fi
echo "include_layers: $scanned includes read, none reaches up"
