#!/usr/bin/env bash
# Speed and memory of a whole label job: tarvel-label-batch prints N distinct
# EAN-13 labels (five text lines and a price each) to a 600 dpi PDF. Reports
# labels per second and peak resident memory for each N, and the memory each
# label adds between the smallest and the largest run.
#   bash bench/label_batch.sh [N ...]     (default 280 2800 28000)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh >/dev/null
tool=build/bin/tarvel-label-batch
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(280 2800 28000)

descriptors() {  # N distinct EAN-13 labels with their check digits
  awk -v n="$1" 'BEGIN {
    for (i = 0; i < n; i++) {
      d = sprintf("690102%06d", i); s = 0
      for (k = 1; k <= 12; k++) s += substr(d, k, 1) * ((k % 2) ? 1 : 3)
      printf "%s%d;编号:%05d;品名:衬衣;型号:xl-%d;单位:件;产地:本地服装厂;单价:%d.50\n", d, (10 - s % 10) % 10, i, i, i % 100
    }
  }'
}

printf '%8s %10s %12s %12s %10s\n' labels seconds labels/s peak_MB pdf_MB
first_n=""; first_kb=""; last_n=""; last_kb=""
for n in "${counts[@]}"; do
  descriptors "$n" > "$work/in.txt"
  /usr/bin/time -f '%e %M' -o "$work/time" "$tool" --dpi 600 --pdf "$work/out.pdf" "$work/in.txt" 2>/dev/null
  read -r secs kb < "$work/time"
  pdf=$(stat -c %s "$work/out.pdf")
  awk -v n="$n" -v s="$secs" -v kb="$kb" -v pdf="$pdf" \
    'BEGIN { printf "%8d %10.2f %12.0f %12.1f %10.1f\n", n, s, (s > 0 ? n / s : 0), kb / 1024, pdf / 1048576 }'
  [ -n "$first_n" ] || { first_n=$n; first_kb=$kb; }
  last_n=$n; last_kb=$kb
done
if [ "$last_n" != "$first_n" ]; then
  awk -v a="$first_n" -v ka="$first_kb" -v b="$last_n" -v kb="$last_kb" \
    'BEGIN { printf "memory per additional label: %.2f KB\n", (kb - ka) / (b - a) }'
fi
