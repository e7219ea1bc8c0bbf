# Turns the runners' table rows into a Markdown table with a mark on every
# figure that misses its target.
function num(v, unit) {
    if (v < 0) return "—"
    if (unit == "MiB") return sprintf("%.1f", v)
    return sprintf(v < 10 ? "%.2f" : "%.1f", v)
}
BEGIN {
    print "| Figure | Median | p99 | Floor | Ratio | Target | Result |"
    print "|---|---:|---:|---:|---:|---|---|"
}
$1 == "row" {
    figure = $2; unit = $3; median = $4; p99 = $5; floor = $6; kind = $7; target = $8
    ratio = floor > 0 ? median / floor : -1
    if (kind == "ratio") { met = ratio <= target; goal = "≤ " target " × floor" }
    else if (kind == "over") { met = median - floor <= target; goal = "≤ floor + " target " " unit }
    else if (kind == "p99") { met = p99 < target; goal = "p99 < " target " " unit }
    else { met = median < target; goal = "< " target " " unit }
    printf "| %s | %s %s | %s | %s | %s | %s | %s |\n", figure, num(median, unit), unit, \
        (p99 < 0 ? "—" : num(p99, unit) " " unit), (floor < 0 ? "—" : num(floor, unit) " " unit), \
        (ratio < 0 ? "—" : sprintf("%.3f", ratio)), goal, (met ? "met" : "**MISSED**")
}
