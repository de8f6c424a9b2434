# A preset load as the receiver saw it, against full-preset-sync.expected (each line: the
# pauses of 500 ms before the message, then its bytes). Every message must arrive as itself;
# no pause may be short by more than 20 ms nor late by more than `latest` ms; with
# `median_within`, the median lateness of the pauses must be within that many ms too. Prints
# what differed and the figures; exit status 1 when something was off. Used by the checks in
# both test VMs.
# Usage: awk -v latest=MS [-v median_within=MS] -f preset-pauses.awk EXPECTED RECEIVED

NR == FNR { pauses[++n] = $1; $1 = ""; bytes[n] = substr($0, 2); next }
$1 == "E" { time[++m] = $2; $1 = ""; $2 = ""; got[m] = substr($0, 3) }
END {
  bad = m != n
  if (bad) printf "  %d messages arrived, %d expected\n", m, n
  for (i = 1; i <= n && i <= m; i++) {
    if (got[i] != bytes[i]) {
      printf "  message %d: got \"%s\", expected \"%s\"\n", i, got[i], bytes[i]
      bad = 1
    }
    if (i == 1) continue
    gap = time[i] - time[i - 1]
    late = gap - 500 * pauses[i]
    if (late < -20 || late > latest) {
      printf "  %.1f ms before message %d, expected %d\n", gap, i, 500 * pauses[i]
      bad = 1
    }
    if (pauses[i] == 0) { if (late > gapless) gapless = late; continue }
    # Insertion into the sorted list of the lateness of each pause.
    for (j = ++count; j > 1 && sorted[j - 1] > late; j--) sorted[j] = sorted[j - 1]
    sorted[j] = late
  }
  median = count % 2 ? sorted[(count + 1) / 2] : (sorted[count / 2] + sorted[count / 2 + 1]) / 2
  if (median_within != "" && count > 0 && (median < -median_within || median > median_within)) bad = 1
  printf "  %d messages; %d pauses of 500 ms measured %.1f to %.1f ms off, median %.1f ms; at most %.1f ms between messages without a pause\n", m, count, sorted[1], sorted[count], median, gapless
  exit bad
}
