#!/usr/bin/env bash
# Times glossmark-tra as whole processes, the way a user runs it once per file, against
# `cat` (the raw read) and gettext's `msgmerge -N` on an equivalent PO catalogue.
#
# Usage: benchmarks/cli_timing.sh [path/to/glossmark-tra] [work folder]
#   The tool defaults to build-rel/tools/glossmark-tra (a Release build). Sample files
#   of 100,000 and 200,000 texts are generated once into the work folder (default
#   /tmp/glossmark-cli-timing) and reused. Every time is the best of RUNS runs (default 5)
#   with a warm cache. msgmerge (package gettext) and python3 are optional: without them
#   the comparison is skipped.
#
# Targets checked (printed as ok / MISSED):
#   stats 100k            <= 3 x (cat of the file + start of `glossmark-tra --help`)
#   update 100k           >= 10 x faster than msgmerge -N on the same catalogue
#   update 200k           <= 2.2 x update 100k
#   peak memory of update <= 2.5 x the two files' sizes together
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
tool=${1:-$top/build-rel/tools/glossmark-tra}
work=${2:-/tmp/glossmark-cli-timing}
runs=${RUNS:-5}

if [[ ! -x $tool ]]; then
  echo "no glossmark-tra at $tool; build it with:" >&2
  echo "  cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release && ninja -C build-rel glossmark-tra" >&2
  exit 2
fi
if [[ ! -x /usr/bin/time ]]; then
  echo "/usr/bin/time is missing (package time); peak memory is not measured" >&2
fi
mkdir -p "$work"

# Best wall time in seconds of running "$@" RUNS times, output discarded.
best() {
  local best_ns="" start end took
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    took=$((end - start))
    if [[ -z $best_ns || $took -lt $best_ns ]]; then best_ns=$took; fi
  done
  awk -v ns="$best_ns" 'BEGIN { printf "%.4f", ns / 1e9 }'
}

# Maximum resident set of one run, in bytes.
peak() {
  if [[ ! -x /usr/bin/time ]]; then echo 0; return; fi
  /usr/bin/time -f '%M' -o "$work/time.out" "$@" >/dev/null 2>&1
  echo $(( $(tail -1 "$work/time.out") * 1024 ))
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }
verdict() { awk -v v="$1" -v limit="$2" -v dir="$3" 'BEGIN {
  ok = (dir == "max") ? (v <= limit) : (v >= limit); print ok ? "ok" : "MISSED" }'; }

# A translation (8 % still to be edited) and the original-language file of the next version
# with 5 % of its texts changed, for each size.
for count in 100000 200000; do
  lang=$work/lang-$count.tra
  newer=$work/newer-$count.tra
  [[ -f $lang ]] || "$tool" generate "$count" 1 "$lang"
  [[ -f $newer ]] || "$tool" newer "$lang" 0.05 2 "$newer"
done

# The same texts as a PO catalogue: the translation as def.po, the newer version as
# ref.pot. Each text's context is the original texts above it, so equal texts in
# different dialogs stay apart as they do in the tree.
make_po() { # FILE.tra OUT with-translations(1|0)
  "$tool" dump "$1" | python3 -c '
import json, sys
tree = json.load(sys.stdin)
with_translations = sys.argv[2] == "1"
def quote(text):
    text = text.encode("utf-8", "replace").decode("utf-8")
    return "\"" + text.replace("\\", "\\\\").replace("\"", "\\\"").replace("\n", "\\n") \
        .replace("\t", "\\t").replace("\r", "\\r") + "\""
out = ["msgid \"\"", "msgstr \"Content-Type: text/plain; charset=UTF-8\\n\"", ""]
seen = set()
stack = [(child, "") for child in reversed(tree["root"]["children"])]
while stack:
    node, context = stack.pop()
    path = context + "/" + node["originalText"]
    if context and node["originalText"]:
        key = (context, node["originalText"])
        ctx, n = context, 1
        while (ctx, node["originalText"]) in seen:
            n += 1
            ctx = f"{context}#{n}"
        seen.add((ctx, node["originalText"]))
        out.append("msgctxt " + quote(ctx))
        out.append("msgid " + quote(node["originalText"]))
        out.append("msgstr " + (quote(node["translatedText"]) if with_translations else "\"\""))
        out.append("")
    stack.extend((child, path) for child in reversed(node["children"]))
with open(sys.argv[1], "w", encoding="utf-8", errors="surrogateescape") as f:
    f.write("\n".join(out))
' "$2" "$3"
}

have_msgmerge=0
if command -v msgmerge >/dev/null && command -v python3 >/dev/null; then
  have_msgmerge=1
  [[ -f $work/def-100000.po ]] || make_po "$work/lang-100000.tra" "$work/def-100000.po" 1
  [[ -f $work/ref-100000.pot ]] || make_po "$work/newer-100000.tra" "$work/ref-100000.pot" 0
fi

size100=$(stat -c %s "$work/lang-100000.tra")
newer100=$(stat -c %s "$work/newer-100000.tra")
cat "$work"/*.tra >/dev/null # warm the cache

t_cat=$(best cat "$work/lang-100000.tra")
t_help=$(best "$tool" --help)
t_stats=$(best "$tool" stats "$work/lang-100000.tra")
t_update=$(best "$tool" update "$work/lang-100000.tra" "$work/newer-100000.tra" "$work/out-100000.tra")
t_update2=$(best "$tool" update "$work/lang-200000.tra" "$work/newer-200000.tra" "$work/out-200000.tra")
rss_update=$(peak "$tool" update "$work/lang-100000.tra" "$work/newer-100000.tra" "$work/out-100000.tra")
rss_stats=$(peak "$tool" stats "$work/lang-100000.tra")

echo "glossmark-tra whole-process timing ($runs runs each, best; files in $work)"
printf '  %-44s %10s\n' "file of 100,000 texts (bytes)" "$size100"
printf '  %-44s %10s s\n' "cat FILE >/dev/null" "$t_cat"
printf '  %-44s %10s s\n' "glossmark-tra --help (process start)" "$t_help"
printf '  %-44s %10s s\n' "glossmark-tra stats, 100k" "$t_stats"
printf '  %-44s %10s s\n' "glossmark-tra update, 100k" "$t_update"
printf '  %-44s %10s s\n' "glossmark-tra update, 200k" "$t_update2"
printf '  %-44s %10s MB\n' "peak RSS of stats, 100k" "$(awk -v b="$rss_stats" 'BEGIN { printf "%.1f", b / 1e6 }')"
printf '  %-44s %10s MB\n' "peak RSS of update, 100k" "$(awk -v b="$rss_update" 'BEGIN { printf "%.1f", b / 1e6 }')"

stats_limit=$(awk -v c="$t_cat" -v h="$t_help" 'BEGIN { printf "%.4f", 3 * (c + h) }')
r_stats=$(ratio "$t_stats" "$(awk -v c="$t_cat" -v h="$t_help" 'BEGIN { print c + h }')")
r_scale=$(ratio "$t_update2" "$t_update")
r_rss=$(ratio "$rss_update" "$((size100 + newer100))")
echo "targets:"
printf '  %-60s %6s  %s\n' "stats / (cat + start) <= 3 (limit $stats_limit s)" "$r_stats" "$(verdict "$r_stats" 3 max)"
printf '  %-60s %6s  %s\n' "update 200k / update 100k <= 2.2" "$r_scale" "$(verdict "$r_scale" 2.2 max)"
if [[ $rss_update -gt 0 ]]; then
  printf '  %-60s %6s  %s\n' "peak RSS of update / both files' sizes <= 2.5" "$r_rss" "$(verdict "$r_rss" 2.5 max)"
fi
if [[ $have_msgmerge == 1 ]]; then
  t_msgmerge=$(best msgmerge -N -q "$work/def-100000.po" "$work/ref-100000.pot" -o "$work/out-100000.po")
  r_msg=$(ratio "$t_msgmerge" "$t_update")
  printf '  %-60s %6s  %s\n' "msgmerge -N ($t_msgmerge s) / update, 100k >= 10" "$r_msg" "$(verdict "$r_msg" 10 min)"
else
  echo "  msgmerge -N comparison skipped: msgmerge (gettext) or python3 not installed"
fi
