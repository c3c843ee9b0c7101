#!/usr/bin/env bash
# The main job: installs what is missing, builds the quarn tool, converts the
# bundled sample image into a DDS texture of every format, and prints a table
# of the results (format, size in bytes, PSNR against the source).
# Usage: scripts/run-main.sh [OUTPUT_FOLDER]   (default: out/sample)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target quarn_cli -j"$jobs" >/dev/null

quarn=build/cli/quarn
sample=samples/coffee_256.png
out=${1:-out/sample}
mkdir -p "$out"

formats=(dxt1 dxt1a dxt3 dxt5 4444 1555 565 8888 888 555)
failed=0
rows=()
for format in "${formats[@]}"; do
  target="$out/coffee_256_$format.dds"
  if ! "$quarn" compress "$sample" -f "$format" -o "$target" --force >/dev/null; then
    failed=1
    continue
  fi
  size=$(wc -c <"$target" | tr -d ' ')
  if report=$("$quarn" compare "$sample" "$target" --json 2>&1); then
    psnr=$(sed -n 's/.*"overall": {"rmse": [0-9.]*, "psnr": \([0-9.a-z]*\)}.*/\1/p' <<<"$report")
    [[ $psnr == null ]] && psnr="inf (identical)"
  else
    psnr="n/a (${report#*: })"
  fi
  rows+=("$(printf '%-7s %10s  %s' "$format" "$size" "$psnr")")
done

echo
echo "Sample $sample (256x256) converted to DDS with all mip levels:"
echo
printf '%-7s %10s  %s\n' format bytes "PSNR dB (overall, against the source)"
printf '%-7s %10s  %s\n' ------- ---------- -------------------------------------
printf '%s\n' "${rows[@]}"
echo
echo "Outputs are in $out/"
exit "$failed"
