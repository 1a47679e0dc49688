#!/usr/bin/env bash
# Writes docs/performance.md to standard output from the results file that
# scripts/bench collects: one "key median min max" or "key value" per line.
# The hand-written notes (method, findings, improvements) follow the table.
set -euo pipefail
results="$1"
here="$(cd "$(dirname "$0")" && pwd)"

# Field n (1 = median) of a key, or "nan".
get() { awk -v k="$1" -v n="${2:-1}" '$1 == k { v = $(n + 1) } END { print (v == "" ? "nan" : v) }' "$results"; }
# Arithmetic on figures; "nan" in, "nan" out.
calc() { awk "BEGIN { if (\"$2\" == \"nan\" || \"${3:-0}\" == \"nan\") print \"nan\"; else printf \"$1\\n\", $4 }"; }
ratio() { calc "%.3f" "$1" "$2" "$1 / $2"; }
mb() { calc "%.1f" "$1" 0 "$1 / 1024"; }
# "yes" when the awk condition holds, "no" otherwise, "n/a" for missing figures.
verdict() {
  case "$1$2" in *nan*) echo "n/a"; return ;; esac
  awk "BEGIN { print (($3) ? \"yes\" : \"no\") }"
}
range() { echo "$(get "$1" 2)–$(get "$1" 3)"; }

machine() {
  local cpu cores memory mesa
  cpu="$(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)"
  cores="$(nproc)"
  memory="$(awk '/^MemTotal/ { printf "%.1f GB", $2 / 1048576 }' /proc/meminfo)"
  mesa="$(dpkg-query -W -f='${Version}' libosmesa6 2>/dev/null || echo unknown)"
  echo "- Machine: $cpu, $cores cores, $memory; kernel $(uname -r)"
  echo "- Mesa (OSMesa, llvmpipe): $mesa"
  echo "- Date: $(date -u '+%Y-%m-%d %H:%M UTC'); commit $(git -C "$here/.." rev-parse --short HEAD 2>/dev/null || echo unknown)"
  echo "- Load average (1 min) before and after: $(get load_before) and $(get load_after)"
}

frame_rows() {
  local size="$1" driver="$2" goal="$3" full raw r
  full="$(get "full_frame_${size}_${driver}")"
  raw="$(get "raw_draw_${size}_${driver}")"
  r="$(ratio "$full" "$raw")"
  echo "| Frame $size, $driver: saver's frame (ms) | $full | $(range "full_frame_${size}_${driver}") | | |"
  echo "| Frame $size, $driver: raw draw (ms) | $raw | $(range "raw_draw_${size}_${driver}") | | |"
  echo "| Frame $size, $driver: full ÷ raw | $r | | ≤ $goal | $(verdict "$r" "" "$r <= $goal") |"
}

instruction_rows() {
  local full raw r
  full="$(get instructions_full)"
  raw="$(get instructions_raw)"
  r="$(ratio "$full" "$raw")"
  echo "| Frame 1024x768, noop, callgrind: saver's frame (M instructions) | $(calc "%.3f" "$full" 0 "$full / 1e6") | | | |"
  echo "| Frame 1024x768, noop, callgrind: raw draw (M instructions) | $(calc "%.3f" "$raw" 0 "$raw / 1e6") | | | |"
  echo "| Frame 1024x768, noop, callgrind: full ÷ raw | $r | | ≤ 1.15 | $(verdict "$r" "" "$r <= 1.15") |"
}

# The scene's options against the plain frame: the figures of scripts/bench's
# rounds (ms) and the instructions our side adds per frame (no-op driver).
option_rows() {
  local kind plain name label goal value r extra
  for kind in "" cpu_; do
    plain="$(get "option_${kind}plain")"
    local what="wall time"
    [ -n "$kind" ] && what="CPU time of every thread"
    echo "| Options, 1024x768, llvmpipe, $what: plain frame (ms) | $plain | $(range "option_${kind}plain") | | |"
    for name in time_of_day snow_heavy both; do
      case "$name" in
        time_of_day) label="--time-of-day (at 17:44, night)"; goal="1.10" ;;
        snow_heavy) label="--snow=heavy"; goal="1.10" ;;
        both) label="--time-of-day --snow=heavy"; goal="1.15" ;;
      esac
      value="$(get "option_${kind}$name")"
      r="$(ratio "$value" "$plain")"
      echo "| Options, $what: $label (ms) | $value | $(range "option_${kind}$name") | | |"
      if [ -n "$goal" ]; then
        echo "| Options, $what: $label ÷ plain | $r | | ≤ $goal | $(verdict "$r" "" "$r <= $goal") |"
      else
        echo "| Options, $what: $label ÷ plain | $r | | | |"
      fi
    done
  done
  for name in time_of_day snow_heavy; do
    extra="$(calc "%.3f" "$(get "instructions_$name")" "$(get instructions_full)" \
      "($(get "instructions_$name") - $(get instructions_full)) / 1e6")"
    echo "| Options, noop, callgrind: $name adds (M instructions per frame) | $extra | | | |"
  done
}

pacing_rows() {
  local median p99 worst after slow
  median="$(get pacing_median_ms)"
  p99="$(get pacing_p99_ms)"
  worst="$(get pacing_worst_ms)"
  after="$(get pacing_worst_after_first_ms)"
  slow="$(get pacing_slow_after_first)"
  echo "| Pacing, 1024x768: frames | $(get pacing_frames) | | | |"
  echo "| Pacing: median frame (ms) | $median | | | |"
  echo "| Pacing: p99 (ms) | $p99 | | ≤ 1.5 × median | $(verdict "$p99" "$median" "$p99 <= 1.5 * $median") |"
  echo "| Pacing: worst frame, first included (ms) | $worst | | | |"
  echo "| Pacing: worst frame after the first (ms) | $after | | ≤ 3 × median | $(verdict "$after" "$median" "$after <= 3 * $median") |"
  echo "| Pacing: frames after the first above 3 × median | $slow | | 0 | $(verdict "$slow" "" "$slow == 0") |"
}

memory_rows() {
  local seconds peak60 rss120 rssMid rssEnd peakEnd growth
  seconds="$(awk '$1 ~ /^memory_rss_kb_at_/ { sub("memory_rss_kb_at_", "", $1); if ($1 + 0 > s) s = $1 + 0 } END { print s + 0 }' "$results")"
  peak60="$(mb "$(get memory_peak_rss_kb_at_60)")"
  rss120="$(get memory_rss_kb_at_120)"
  rssEnd="$(get "memory_rss_kb_at_$seconds")"
  peakEnd="$(mb "$(get "memory_peak_rss_kb_at_$seconds")")"
  # Growth over the second half of the run, after the driver's caches have
  # filled (they add about 1 MB in the first minutes, then nothing).
  rssMid="$(get "memory_rss_kb_at_$((seconds / 2))")"
  growth="$(calc "%.1f" "$rssEnd" "$rssMid" "($rssEnd - $rssMid) / 1024")"
  echo "| Memory: peak resident at 60 s (MB) | $peak60 | | < 100 | $(verdict "$peak60" "" "$peak60 < 100") |"
  echo "| Memory: resident at 120 s (MB) | $(mb "$rss120") | | | |"
  if [ "$seconds" != 120 ]; then
    echo "| Memory: resident at $seconds s (MB) | $(mb "$rssEnd") | | | |"
  fi
  echo "| Memory: peak resident at $seconds s (MB) | $peakEnd | | < 100 | $(verdict "$peakEnd" "" "$peakEnd < 100") |"
  echo "| Memory: resident at $((seconds / 2)) s (MB) | $(mb "$rssMid") | | | |"
  echo "| Memory: growth from $((seconds / 2)) s to $seconds s (MB) | $growth | | none (≤ 0.5) | $(verdict "$growth" "" "$growth <= 0.5") |"
  local private60 privateEnd
  private60="$(mb "$(get memory_peak_private_kb_at_60)")"
  privateEnd="$(mb "$(get "memory_peak_private_kb_at_$seconds")")"
  echo "| Memory: peak private (anonymous) resident at 60 s (MB) | $private60 | | ≤ 70 | $(verdict "$private60" "" "$private60 <= 70") |"
  echo "| Memory: peak private resident at $seconds s (MB) | $privateEnd | | ≤ 70 | $(verdict "$privateEnd" "" "$privateEnd <= 70") |"
  echo "| Smoke particles at 60 s / $seconds s | $(get memory_smoke_at_60) / $(get "memory_smoke_at_$seconds") | | about 160 | |"
}

# The saver on screen at one size, multisampled ("on") or as it chooses
# ("auto"); the goal is the frame time of the frame rate asked for.
screen_rows() {
  local size="$1" mode="$2" goal="$3" label median p99 finish swap samples rss
  median="$(get "screen_median_${size}_${mode}")"
  p99="$(get "screen_p99_${size}_${mode}")"
  finish="$(get "screen_finish_${size}_${mode}")"
  swap="$(get "screen_swap_${size}_${mode}")"
  samples="$(calc "%.0f" "$(get "screen_samples_${size}_${mode}")" 0 "$(get "screen_samples_${size}_${mode}")")"
  label="On screen $size, $mode ($samples samples)"
  echo "| $label: median frame (ms) | $median | $(range "screen_median_${size}_${mode}") | ≤ $goal | $(verdict "$median" "" "$median <= $goal") |"
  echo "| $label: p99 frame (ms) | $p99 | $(range "screen_p99_${size}_${mode}") | ≤ 1.5 × median | $(verdict "$p99" "$median" "$p99 <= 1.5 * $median") |"
  echo "| $label: rasteriser's finish, share of the frame | $(calc "%.2f" "$finish" "$median" "$finish / $median") | | | |"
  echo "| $label: swap (resolve, copy to the window), share | $(calc "%.2f" "$swap" "$median" "$swap / $median") | | | |"
  rss="$(calc "%.1f" "$(get "screen_rss_${size}_${mode}")" 0 "$(get "screen_rss_${size}_${mode}")")"
  echo "| $label: private resident memory (MB) | $rss | | ≤ 70 | $(verdict "$rss" "" "$rss <= 70") |"
}

# The floor: the same window drawing only textured full-screen layers,
# one and as many a pixel as the saver's frame passes; the saver's share of
# what the rasteriser gives for its fragment count is floor ÷ saver in
# frame time.
floor_rows() {
  local size="$1" layers one many saver share
  layers="$(get "fragments_per_pixel_$size")"
  one="$(get "screen_median_${size}_floor1")"
  many="$(get "screen_median_${size}_floorK")"
  saver="$(get "screen_median_${size}_auto")"
  share="$(calc "%.2f" "$many" "$saver" "$many / $saver")"
  echo "| Floor $size: one textured layer (ms) | $one | $(range "screen_median_${size}_floor1") | | |"
  echo "| Floor $size: $layers layers, the saver's fragments a pixel (ms) | $many | $(range "screen_median_${size}_floorK") | | |"
  echo "| Floor $size: saver's frame rate ÷ floor's for its fragments | $share | | ≥ 0.8 | $(verdict "$share" "" "$share >= 0.8") |"
}

startup_rows() {
  local still saver
  still="$(get still_start)"
  saver="$(get saver_start)"
  echo "| Start-up: halvenrode-still --frames 1, 1024x768 (ms) | $still | $(range still_start) | < 250 | $(verdict "$still" "" "$still < 250") |"
  echo "| Start-up: saver on Xvfb to its first swapped frame (ms) | $saver | $(range saver_start) | ≤ 200 | $(verdict "$saver" "" "$saver <= 200") |"
  echo "| Texture from relef1.png, 1024x1024 RGB (ms) | $(get decode_relef1.png) | $(range decode_relef1.png) | | |"
  echo "| Texture from twigs.png, 512x512 RGBA (ms) | $(get decode_twigs.png) | $(range decode_twigs.png) | | |"
  echo "| Asset generator: all four archives (ms) | $(get generator) | $(range generator) | | |"
}

cat <<EOF
# Performance

This file is written by \`scripts/bench\`; do not edit it by hand (the notes
after the table come from \`bench/performance_notes.md\`).

$(machine)
EOF
if [ "${HALVENRODE_BENCH_QUICK:-0}" = 1 ]; then
  echo
  echo "**Quick run: too few repetitions and too short a stretch to publish.**"
fi
cat <<EOF

On-screen figures are medians over ${HALVENRODE_BENCH_SCREEN_REPS:-?} runs of the saver
on Xvfb, each the median (or p99) of its ${HALVENRODE_BENCH_SCREEN_FRAMES:-?} frames after
30 skipped. Offscreen frame figures are the median of ${HALVENRODE_BENCH_REPS:-?} repetitions (min–max beside
it), full frames and raw replays interleaved at random in one process; each
repetition is the mean of its frames. Start-up and generator figures are
hyperfine's median of ${HALVENRODE_BENCH_RUNS:-?} runs after two warm-up runs.

| Figure | Median | Min–max | Goal | Met |
|---|---|---|---|---|
$(screen_rows 1024x768 on 16.7)
$(screen_rows 1024x768 auto 16.7)
$(screen_rows 1920x1080 on 33.3)
$(screen_rows 1920x1080 auto 33.3)
$(floor_rows 1024x768)
$(floor_rows 1920x1080)
$(frame_rows 1024x768 llvmpipe 1.05)
$(frame_rows 1920x1080 llvmpipe 1.05)
$(frame_rows 1024x768 noop 1.15)
$(frame_rows 1920x1080 noop 1.15)
$(instruction_rows)
$(option_rows)
$(pacing_rows)
$(startup_rows)
$(memory_rows)

The captured steady-state frame: $(get draws_1024x768_llvmpipe) draw calls,
$(get vertices_1024x768_llvmpipe) vertices, $(get smoke_1024x768_llvmpipe) smoke particles.
EOF
if [ -s "${HALVENRODE_BENCH_SLOW:-}" ]; then
  echo
  echo "Slowest frames of the pacing run after the first (simulated time, ms of wall time):"
  echo
  awk '{ printf "- at %.2f s: %s ms\n", $2 / 1000, $3 }' "$HALVENRODE_BENCH_SLOW"
fi
echo
cat "$here/performance_notes.md"
