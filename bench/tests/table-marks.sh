#!/usr/bin/env bash
# The table marks exactly the figures that miss their targets.
set -euo pipefail
table=$(printf '%s\n' \
    $'row\tslow start\tms\t106\t120\t100\tratio\t1.05' \
    $'row\tfair start\tms\t105\t120\t100\tratio\t1.05' \
    $'row\tslow click\tms\t3\t8\t-1\tp99\t8' \
    $'row\tquick click\tms\t3\t7.9\t-1\tp99\t8' \
    $'row\tslow picture\tms\t5\t-1\t-1\tmedian\t5' \
    $'row\tquick picture\tms\t4.9\t-1\t-1\tmedian\t5' |
    awk -F'\t' -f "$(dirname "$0")/../format-table.awk")
expect() {
    grep -F "| $1 |" <<<"$table" | grep -qF "$2" || { echo "'$1' is not marked '$2':"; echo "$table"; exit 1; }
}
expect "slow start" "**MISSED**"
expect "fair start" "| 1.050 |"
expect "fair start" "| met |"
expect "slow click" "**MISSED**"
expect "quick click" "| met |"
expect "slow picture" "**MISSED**"
expect "quick picture" "| met |"
echo "marks as expected"
