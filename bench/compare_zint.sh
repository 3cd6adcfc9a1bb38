#!/usr/bin/env bash
# compare_zint.sh [RUNS]: Quillet side by side with Zint (Debian's zint
# package, installed here for the benchmark only; neither the build nor the
# tests use it). Each row runs both programs as whole processes, alternating
# Quillet and Zint RUNS times (default 5), and prints the median wall time,
# CPU time and peak memory (from /usr/bin/time -v) of each side and their
# ratio, Quillet / Zint. Both sides must produce every file, and a sample of
# Quillet's outputs must decode (the tests' zxing-cpp reader, quillet_decode, at 600 dpi).
#
# How each pair is aligned:
# - Vector labels: Quillet writes placeable metafiles (.wmf), Zint enhanced
#   metafiles (.emf), its nearest vector format; same Code 128 data, one file
#   per line of the same input file.
# - PNG labels: both at 4 pixels a module (Quillet: 13.333 mils at 300 dpi;
#   Zint: --scale=2), bars 291 / 300 pixels high with the text line below
#   (Quillet 0.97 inch; Zint --height=75), about 800 x 333 pixels each, 1 bit
#   per pixel on both sides, rows unfiltered on both sides (Zint writes every
#   row of a 1-bit PNG with filter type 0; Quillet [PNGNOFILTER], where its
#   default tries all five filters on every row).
# - Single 2-D symbols: the same text, written as a vector file each; QR
#   Code at level M on both sides, Data Matrix ECC 200 automatic size, Aztec
#   Code and PDF417 at each program's default error correction (23 % + 3
#   words and automatic level respectively).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs=${1:-5}
build="$root/build"
quillet="$build/quillet"
decoder="$build/tests/quillet_decode"

if ! command -v zint >/dev/null || [[ ! -x /usr/bin/time ]]; then
  apt-get install -y zint time >/dev/null
fi
if [[ ! -x "$quillet" || ! -x "$decoder" ]]; then
  "$root/scripts/install-deps.sh"
  BUILD_TARGETS="quillet stripegen zorvex32 quillet_decode" "$root/scripts/build.sh" build >/dev/null
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/quillet-vs-zint.XXXXXX")
# The vector row runs a second time on a RAM file system, where creating
# files costs the kernel far less and the programs' own work shows.
ram=""
if [[ -d /dev/shm && -w /dev/shm ]]; then ram=$(mktemp -d /dev/shm/quillet-vs-zint.XXXXXX); fi
trap 'rm -rf "$work" ${ram:+"$ram"}' EXIT
# Where the rows' output directories go.
out="$work"

# Inputs, fixed.
labels="$work/labels.txt"
for ((i = 100000; i < 110000; ++i)); do echo "PART-$i-LOT7"; done > "$labels"
head -n 2000 "$labels" > "$work/labels2000.txt"
text() { python3 -c "import sys; s=sys.argv[1]; n=int(sys.argv[2]); print((s * (n // len(s) + 1))[:n])" "$1" "$2"; }
qr_text=$(text "QUILLET BENCHMARK 0123456789 label data, " 1000)
dm_text=$(text "Data Matrix bench 0123456789 ABC xyz. " 1000)
az_text=$(text "Aztec Code bench 0123456789 ABC xyz. " 1500)
pdf_text=$(text "PDF417 bench 0123456789 ABC xyz. " 1000)

# measure NAME DIR COMMAND...: one run in DIR, which must not exist yet;
# appends "wall cpu peak_kB" to $work/NAME.times. Every run writes into a
# directory of its own and nothing is deleted until the end: on a file
# system without a journal (as on this machine) ext4 steps over every
# inode freed in the last minutes when it allocates one, so deleting
# 10,000 files before a run charges that run, whichever program it is,
# for the deletion.
measure() {
  local name=$1 dir=$2; shift 2
  mkdir -p "$dir"
  (cd "$dir" && /usr/bin/time -v -o "$work/$name.tv" "$@" >/dev/null 2>"$work/$name.err") ||
    { echo "$name failed:"; tail -5 "$work/$name.err"; exit 1; }
  awk -F': ' '
    /Elapsed \(wall clock\)/ { n = split($2, t, ":"); w = 0; for (i = 1; i <= n; ++i) w = w * 60 + t[i] }
    /User time/ { u = $2 } /System time/ { s = $2 } /Maximum resident/ { m = $2 }
    END { printf "%.3f %.3f %d\n", w, u + s, m }' "$work/$name.tv" >> "$work/$name.times"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
column_median() { awk -v c="$2" '{ print $c }' "$work/$1.times" | median; }

# expect_files DIR COUNT: the run made COUNT non-empty files.
expect_files() {
  local n
  n=$(find "$1" -type f -size +0 | wc -l)
  [[ "$n" -eq "$2" ]] || { echo "expected $2 files in $1, found $n"; exit 1; }
}

# row TITLE FILES QUILLET_SAMPLE -- QUILLET_COMMAND... -- ZINT_COMMAND...
rows=()
row() {
  local title=$1 files=$2 sample=$3; shift 4
  local qcmd=() zcmd=()
  while [[ $1 != -- ]]; do qcmd+=("$1"); shift; done; shift
  zcmd=("$@")
  local key=r${#rows[@]}
  for ((r = 0; r < runs; ++r)); do
    measure "$key.q" "$out/$key.q$r" "${qcmd[@]}"
    expect_files "$out/$key.q$r" "$files"
    measure "$key.z" "$out/$key.z$r" "${zcmd[@]}"
    expect_files "$out/$key.z$r" "$files"
  done
  "$decoder" "$out/$key.q0/$sample" >/dev/null || { echo "$title: Quillet's $sample does not decode"; exit 1; }
  local qw zw qc zc qm zm
  qw=$(column_median "$key.q" 1); zw=$(column_median "$key.z" 1)
  qc=$(column_median "$key.q" 2); zc=$(column_median "$key.z" 2)
  qm=$(column_median "$key.q" 3); zm=$(column_median "$key.z" 3)
  rows+=("$(awk -v t="$title" -v qw="$qw" -v zw="$zw" -v qc="$qc" -v zc="$zc" -v qm="$qm" -v zm="$zm" 'BEGIN {
    printf "%-44s %7.3f %7.3f %6.2f | cpu %6.2f | peak %6d %6d kB %5.2f\n", t, qw, zw, qw / zw, (zc > 0 ? qc / zc : 0), qm, zm, qm / zm }')")
  echo "${rows[-1]}"
}

# A single symbol takes milliseconds: each run of those rows starts the
# program 20 times in a row (the same loop on both sides), so the times are
# for 20 symbols.
x20=(bash -c 'for ((i = 0; i < 20; ++i)); do "$@" || exit 1; done' x20)

# The same penalty follows files deleted just before the benchmark starts
# (a build's temporaries, an earlier run's outputs): without a journal,
# ext4 passes over a freed inode for six minutes while its inode table
# block is unwritten and for one minute once written, scanning past every
# such inode for each new file; a new directory often lands in the group
# the deletion emptied. Both programs then spend most of a row in that
# scan. sync writes the blocks out; then a minute must pass.
sync
sleep "${QUILLET_BENCH_SETTLE:-65}"

echo "Quillet / Zint, medians of $runs alternating runs (wall s: Quillet Zint ratio)"
row "10,000 Code 128 labels, vector files" 10000 label-05000.wmf -- \
  "$quillet" --execute "[CODE128]" --batch "$labels" --output "label-#####.wmf" -- \
  zint -b 20 --batch -i "$labels" -o "label~~~~~.emf"
if [[ -n $ram ]]; then
  out="$ram"
  row "10,000 Code 128 labels, vector, RAM files" 10000 label-05000.wmf -- \
    "$quillet" --execute "[CODE128]" --batch "$labels" --output "label-#####.wmf" -- \
    zint -b 20 --batch -i "$labels" -o "label~~~~~.emf"
  out="$work"
fi
row "2,000 Code 128 labels, PNG 300 dpi 800x333" 2000 label-1000.png -- \
  "$quillet" --execute "[CODE128][BARWIDTH=13.333][BARHEIGHT=0.97][RASTERIMAGERESOLUTION=300][BITSPERPIXEL=1][PNGNOFILTER]" \
  --batch "$work/labels2000.txt" --output "label-####.png" -- \
  zint -b 20 --scale=2 --height=75 --batch -i "$work/labels2000.txt" -o "label~~~~.png"
row "one QR Code of 1,000 characters (x20)" 1 qr.wmf -- \
  "${x20[@]}" "$quillet" --execute "[QR][MESSAGE='$qr_text'][BUILD/COPY][SAVEBARCODE(qr.wmf)]" -- \
  "${x20[@]}" zint -b 58 --secure=2 -d "$qr_text" -o qr.emf
row "one Data Matrix of 1,000 characters (x20)" 1 dm.wmf -- \
  "${x20[@]}" "$quillet" --execute "[DATAMATRIX][MESSAGE='$dm_text'][BUILD/COPY][SAVEBARCODE(dm.wmf)]" -- \
  "${x20[@]}" zint -b 71 --square -d "$dm_text" -o dm.emf
row "one Aztec Code of 1,500 characters (x20)" 1 az.wmf -- \
  "${x20[@]}" "$quillet" --execute "[AZTEC][MESSAGE='$az_text'][BUILD/COPY][SAVEBARCODE(az.wmf)]" -- \
  "${x20[@]}" zint -b 92 -d "$az_text" -o az.emf
row "one PDF417 of 1,000 characters (x20)" 1 pdf.wmf -- \
  "${x20[@]}" "$quillet" --execute "[PDF417][MESSAGE='$pdf_text'][BUILD/COPY][SAVEBARCODE(pdf.wmf)]" -- \
  "${x20[@]}" zint -b 55 -d "$pdf_text" -o pdf.emf
