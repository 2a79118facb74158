# Figures of a running process from /proc, for the shell benchmarks; source it.
#
#   cpu_ticks PID      user + system CPU in clock ticks (getconf CLK_TCK a second)
#   rss_kib PID        resident set in KiB
#   rss_mib PID        resident set in whole MiB
#   slope_mib_per_hour < "seconds KiB" lines    least-squares slope of RSS, MiB an hour
#   median < numbers

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kib() { awk '/VmRSS/ {print $2}' "/proc/$1/status"; }
rss_mib() { echo $(($(rss_kib "$1") / 1024)); }
slope_mib_per_hour() {
    awk '{n++; sx += $1; sy += $2; sxx += $1 * $1; sxy += $1 * $2}
         END {d = n * sxx - sx * sx; printf "%.2f\n", d ? (n * sxy - sx * sy) / d * 3600 / 1024 : 0}'
}
median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
