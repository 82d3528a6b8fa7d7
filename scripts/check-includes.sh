#!/usr/bin/env bash
# Fails when a folder of src/ includes one above it. The floors, lowest first; a folder may
# include its own floor's files and those of the floors below, never a neighbour on its floor.
set -euo pipefail
cd "$(dirname "$0")/../src"

floors=(
  "data resources"
  "shell"
  "printing"
  "registry warehouse"
  "papers"
  "ddt"
  "invoices"
  "quotes"
  "documents"
  "app"
)

declare -A level
for i in "${!floors[@]}"; do
  for folder in ${floors[$i]}; do
    level[$folder]=$i
  done
done

status=0
for dir in */; do
  dir=${dir%/}
  if [[ -z "${level[$dir]+set}" ]]; then
    echo "src/$dir: cartella senza posto nell'ordine di scripts/check-includes.sh" >&2
    status=1
  fi
done

while IFS=: read -r file line text; do
  from=${file%%/*}
  to=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]+"([^/"]+)\/.*/\1/' <<<"$text")
  [[ "$to" == "$from" || -z "${level[$to]+set}" || -z "${level[$from]+set}" ]] && continue
  if ((level[$to] >= level[$from])); then
    echo "src/$file:$line: $from include $to, che sta sopra o accanto: $text" >&2
    status=1
  fi
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^/"]+/' --include='*.h' --include='*.cpp' .| sed 's#^\./##')

if ((status == 0)); then
  echo "Inclusioni in ordine: ${floors[*]}"
fi
exit $status
