#!/usr/bin/env bash
# Times glossmark-tra and the editor as whole processes, the way a user runs them, by CPU
# time (user + system: on a shared machine wall time mostly measures the neighbours),
# against `/bin/true` (a process start), `cat` (the raw read), gettext's `msgmerge -N` on
# an equivalent PO catalogue and Qt Linguist opening the same texts as a .ts file.
#
# Usage: benchmarks/cli_timing.sh [build folder] [work folder]
#   The build folder (default build/) holds tools/glossmark-tra and glossmark-editor.
#   Sample files of 100,000 and 200,000 texts are generated once into the work folder
#   (default /tmp/glossmark-cli-timing) and reused. Every figure is the median of RUNS
#   runs (default 11; GUI_RUNS, default 3, for the two GUI programs) with a warm cache.
#   Optional: msgmerge (gettext) and python3 for the comparison with msgmerge; Xvfb,
#   xdotool, lconvert and /usr/lib/qt6/bin/linguist (linguist-qt6) for the editor's.
#
# Targets checked (printed as ok / MISSED):
#   --help, dump, stats, update, export-po load no GUI library; only check loads Qt Gui
#   --help                   <= 3 x /bin/true
#   stats 100k               <= 4 x (cat of the file + /bin/true)
#   update 100k              >= 20 x less than msgmerge -N on the same catalogue
#   update 200k              <= 2.2 x update 100k
#   peak memory of update    <= 2 x the two files' sizes together
#   editor opening 100k      <= 0.1 x Qt Linguist opening the same texts as .ts
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$top/build}")
work=${2:-/tmp/glossmark-cli-timing}
runs=${RUNS:-11}
gui_runs=${GUI_RUNS:-3}
tool=$build/tools/glossmark-tra
editor=$build/glossmark-editor
lconvert=/usr/lib/qt6/bin/lconvert
linguist=/usr/lib/qt6/bin/linguist

if [[ ! -x $tool ]]; then
  echo "no glossmark-tra at $tool; build it with scripts/build.sh" >&2
  exit 2
fi
command -v python3 >/dev/null || { echo "python3 is needed to read CPU times" >&2; exit 2; }
mkdir -p "$work"

# Median CPU time (user + system) in seconds of running "$@" RUNS times, output discarded.
cpu() {
  python3 - "$runs" "$@" <<'EOF'
import os, statistics, sys
runs, command = int(sys.argv[1]), sys.argv[2:]
times = []
for _ in range(runs):
    pid = os.fork()
    if pid == 0:
        null = os.open(os.devnull, os.O_WRONLY)
        os.dup2(null, 1)
        os.dup2(null, 2)
        os.execvp(command[0], command)
    _, status, usage = os.wait4(pid, 0)
    if status != 0:
        sys.exit(f"{command[0]} failed ({status})")
    times.append(usage.ru_utime + usage.ru_stime)
print(f"{statistics.median(times):.4f}")
EOF
}

# Maximum resident set of one run, in bytes.
peak() {
  python3 - "$@" <<'EOF'
import os, subprocess, sys
with open(os.devnull, "w") as null:
    process = subprocess.Popen(sys.argv[1:], stdout=null, stderr=null)
    _, _, usage = os.wait4(process.pid, 0)
print(usage.ru_maxrss * 1024)
EOF
}

# The shared libraries a run of "$@" loads that are GUI libraries (Qt Gui, Widgets, D-Bus).
gui_libraries() {
  LD_DEBUG=libs "$@" 2>&1 >/dev/null | grep -o 'calling init: [^ ]*' |
    grep -oE 'libQt6(Gui|Widgets|DBus|XcbQpa|OpenGL)[^/]*$' | sort -u | tr '\n' ' ' || true
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }
verdict() { awk -v v="$1" -v limit="$2" -v dir="$3" 'BEGIN {
  ok = (dir == "max") ? (v <= limit) : (v >= limit); print ok ? "ok" : "MISSED" }'; }
ms() { awk -v s="$1" 'BEGIN { printf "%.1f ms", s * 1000 }'; }
target() { printf '  %-62s %7s  %s\n' "$1" "$2" "$(verdict "$2" "$3" "$4")"; }

# A translation (8 % still to be edited) and the original-language file of the next version
# with 5 % of its texts changed, for each size.
for count in 100000 200000; do
  lang=$work/lang-$count.tra
  newer=$work/newer-$count.tra
  [[ -f $lang ]] || "$tool" generate "$count" 1 "$lang"
  [[ -f $newer ]] || "$tool" newer "$lang" 0.05 2 "$newer"
done
lang=$work/lang-100000.tra
newer=$work/newer-100000.tra

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
if command -v msgmerge >/dev/null; then
  have_msgmerge=1
  [[ -f $work/def-100000.po ]] || make_po "$lang" "$work/def-100000.po" 1
  [[ -f $work/ref-100000.pot ]] || make_po "$newer" "$work/ref-100000.pot" 0
fi

size100=$(stat -c %s "$lang")
newer100=$(stat -c %s "$newer")
cat "$work"/*.tra >/dev/null # warm the cache

t_true=$(cpu /bin/true)
t_cat=$(cpu cat "$lang")
t_help=$(cpu "$tool" --help)
t_dump=$(cpu "$tool" dump "$lang")
t_stats=$(cpu "$tool" stats "$lang")
t_update=$(cpu "$tool" update "$lang" "$newer" "$work/out-100000.tra")
t_update2=$(cpu "$tool" update "$work/lang-200000.tra" "$work/newer-200000.tra" "$work/out-200000.tra")
rss_update=$(peak "$tool" update "$lang" "$newer" "$work/out-100000.tra")
rss_stats=$(peak "$tool" stats "$lang")

echo "whole processes, median CPU time (user + system) of $runs runs; files in $work"
echo "machine: $(uname -srm), $(nproc) CPUs, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
printf '  %-46s %10s\n' "file of 100,000 texts (bytes)" "$size100"
printf '  %-46s %10s\n' "/bin/true" "$(ms "$t_true")"
printf '  %-46s %10s\n' "cat FILE >/dev/null" "$(ms "$t_cat")"
printf '  %-46s %10s\n' "glossmark-tra --help (process start)" "$(ms "$t_help")"
printf '  %-46s %10s\n' "glossmark-tra dump, 100k" "$(ms "$t_dump")"
printf '  %-46s %10s\n' "glossmark-tra stats, 100k" "$(ms "$t_stats")"
printf '  %-46s %10s\n' "glossmark-tra update, 100k" "$(ms "$t_update")"
printf '  %-46s %10s\n' "glossmark-tra update, 200k" "$(ms "$t_update2")"
printf '  %-46s %10s MB\n' "peak RSS of stats, 100k" "$(awk -v b="$rss_stats" 'BEGIN { printf "%.1f", b / 1e6 }')"
printf '  %-46s %10s MB\n' "peak RSS of update, 100k" "$(awk -v b="$rss_update" 'BEGIN { printf "%.1f", b / 1e6 }')"
if [[ $have_msgmerge == 1 ]]; then
  t_msgmerge=$(cpu msgmerge -N -q "$work/def-100000.po" "$work/ref-100000.pot" -o "$work/out-100000.po")
  printf '  %-46s %10s\n' "msgmerge -N, the same 100k catalogue" "$(ms "$t_msgmerge")"
fi

echo "libraries:"
gui_ok=ok
for command in "--help" "dump $lang" "stats $lang" "update $lang $newer $work/out-100000.tra" \
               "export-po $lang $work/export.po"; do
  # shellcheck disable=SC2086
  loaded=$(gui_libraries "$tool" $command)
  [[ -z $loaded ]] || gui_ok=MISSED
  printf '  %-62s %s\n' "glossmark-tra ${command%% *}: GUI libraries" "${loaded:-none}"
done
# Qt Gui brings Qt D-Bus along; the widgets must stay out.
loaded=$(gui_libraries "$tool" check "$lang")
printf '  %-62s %s\n' "glossmark-tra check (widths need fonts): GUI libraries" "${loaded:-none}"
[[ $loaded != *Widgets* ]] || gui_ok=MISSED

echo "targets:"
printf '  %-62s %7s  %s\n' "no GUI library but for check's widths (Qt Gui, no widgets)" "" "$gui_ok"
target "--help / true <= 3" "$(ratio "$t_help" "$t_true")" 3 max
target "stats / (cat + true) <= 4" "$(ratio "$t_stats" "$(awk -v c="$t_cat" -v t="$t_true" 'BEGIN { print c + t }')")" 4 max
target "update 200k / update 100k <= 2.2" "$(ratio "$t_update2" "$t_update")" 2.2 max
target "peak RSS of update / both files' sizes <= 2" "$(ratio "$rss_update" "$((size100 + newer100))")" 2 max
if [[ $have_msgmerge == 1 ]]; then
  target "msgmerge -N / update, 100k >= 20" "$(ratio "$t_msgmerge" "$t_update")" 20 min
else
  echo "  msgmerge -N comparison skipped: msgmerge (gettext) is not installed"
fi

# The editor and Qt Linguist opening the same 100,000 texts under a real X server:
# CPU time of the process (all its threads) from start until its window is up and it
# has used no CPU for a second.
for need in Xvfb xdotool; do
  command -v "$need" >/dev/null || { echo "  editor comparison skipped: $need is missing"; exit 0; }
done
if [[ ! -x $editor || ! -x $linguist || ! -x $lconvert ]]; then
  echo "  editor comparison skipped: $editor, $linguist or $lconvert (linguist-qt6) is missing"
  exit 0
fi
ts=$work/lang-100000.ts
if [[ ! -f $ts ]]; then
  "$tool" export-po "$lang" "$work/export.po" >/dev/null
  "$lconvert" -target-language en_US -source-language de_DE -i "$work/export.po" -o "$ts"
fi
display=:$((100 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
# A home of its own: no settings, recent files or recovery copies of other sessions.
home=$work/home
rm -rf "$home" && mkdir -p "$home"
gui_cpu() { # folder program args...
  (cd "$1" && shift && DISPLAY=$display HOME=$home XDG_CONFIG_HOME=$home/.config \
    XDG_DATA_HOME=$home/.local/share XDG_CACHE_HOME=$home/.cache XDG_RUNTIME_DIR=$home \
    python3 - "$gui_runs" "$@" <<'EOF'
import os, statistics, subprocess, sys, time
runs, command = int(sys.argv[1]), sys.argv[2:]
tick = os.sysconf("SC_CLK_TCK")
def cpu(pid):  # all threads, exited ones included; in clock ticks
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / tick
def running(pid):  # nanoseconds on a CPU of the live threads, to the nanosecond
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except OSError:
            pass
    return total
times = []
for _ in range(runs):
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    shown, quiet, used, last, deadline = False, 0, 0.0, 0, time.time() + 120
    while time.time() < deadline:
        time.sleep(0.1)
        now = running(process.pid)
        if not shown:
            shown = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(process.pid)],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0
        # Idle: under 2 ms of CPU in each tenth of a second (a blinking caret is allowed).
        if now - last < 2_000_000:
            quiet += 1
        else:
            quiet, used = 0, cpu(process.pid)
        last = now
        if shown and quiet >= 10:
            break
    process.kill()
    process.wait()
    if not shown:
        sys.exit(f"{command[0]} showed no window")
    times.append(used)
print(f"{statistics.median(times):.3f}")
EOF
  )
}
t_editor=$(gui_cpu "$build" "$editor" "$lang")
t_linguist=$(gui_cpu "$work" "$linguist" "$ts")
echo "editor against Qt Linguist, opening 100,000 texts on Xvfb (median of $gui_runs):"
printf '  %-46s %10s\n' "glossmark-editor FILE.tra" "$(ms "$t_editor")"
printf '  %-46s %10s\n' "Qt Linguist FILE.ts" "$(ms "$t_linguist")"
target "editor / Qt Linguist <= 0.1" "$(ratio "$t_editor" "$t_linguist")" 0.1 max
