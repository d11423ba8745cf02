#!/usr/bin/env bash
# Writes the sample catalogue: synthetic AWX products of every channel over
# successive hours, named like the real ones (FY2G_<code>_<channel>_<time>.AWX),
# so the file list and the animation can be tried without outside data.
#
#   tools/make-sample-catalogue.sh DIR [KELVRA_CLI]
#
# LCN (product index 0): 30 hourly times of the five channels, equal
# latitude/longitude over China. MSS and MLS (indices 1 and 2): the last 6 of
# those times, with the projections of records 1 and 2 of dat/region.txt at
# half their size and twice their grid step (the same area, a quarter of the
# pixels), to keep the whole run short. The writer derives the weather's
# evolution from each product's time, so cloud systems move and develop from
# one hour to the next. The IR1 and IR2 products of each time are the pair
# the precipitation estimate reads (found from any channel's name): their
# cloud tops of 200-230 K lie below the spring thresholds of dat/lut, so the
# estimate shows rain and its legend on every time and region of the
# catalogue. Files that exist already are kept, so the script can be run
# again at any time.
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 DIR [KELVRA_CLI]" >&2
    exit 2
fi
out=$1
here=$(cd "$(dirname "$0")/.." && pwd)
cli=${2:-${KELVRA_CLI:-$here/build/src/cli/kelvra-cli}}
if [ ! -x "$cli" ]; then
    echo "$0: kelvra-cli not found at $cli (give its path as the second argument)" >&2
    exit 1
fi
mkdir -p "$out"

# The catalogue's hours: 30 from the first, UTC.
first_time="2022-03-30 12:00"
lcn_hours=30
other_hours=6
channel_tags=(IR1 IR2 WV IR3 VIS)  # channel codes 1-5

# LCN area: 800 x 600 at 0.08 degree centred 105E 32N (73-137E, 8-56N); the
# header keeps the step in hundredths of a degree.
lcn_options="--projection 1 --size 800x600 --resolution 0.08 --center 105,32"

time_of_hour() {
    date -u -d "$first_time UTC + $1 hour" +%Y%m%d%H%M
}

# The synth options of region record N of dat/region.txt (0 is the first
# record after the keyword and the count), halved in size.
region_options() {
    iconv -f GBK -t UTF-8 "$here/dat/region.txt" | tr -d '\r' |
        awk -v record="$1" 'NR == record + 3 {
            printf "--projection %d --center %s,%s --resolution %g --size %dx%d --stdlat %s,%s",
                   $2, $3, $4, $5 * 2, $6 / 2, $7 / 2, $8, $9 }'
}

# One line per missing product: output path, then its synth options.
plan() {
    local code=$1 hours=$2 options=$3 hour channel stamp path
    local start=$((lcn_hours - hours))
    for ((hour = start; hour < lcn_hours; ++hour)); do
        stamp=$(time_of_hour "$hour")
        for channel in 1 2 3 4 5; do
            path="$out/FY2G_${code}_${channel_tags[channel - 1]}_${stamp}.AWX"
            if [ ! -s "$path" ]; then
                echo "$path $options --channel $channel --time $stamp"
            fi
        done
    done
}

mss_options=$(region_options 1)
mls_options=$(region_options 2)
if [ -z "$mss_options" ] || [ -z "$mls_options" ]; then
    echo "$0: cannot read records 1 and 2 of $here/dat/region.txt" >&2
    exit 1
fi

jobs=$(nproc 2>/dev/null || echo 2)
{
    plan LCN "$lcn_hours" "$lcn_options"
    plan MSS "$other_hours" "$mss_options"
    plan MLS "$other_hours" "$mls_options"
} | xargs -r -P "$jobs" -L 1 sh -c 'path=$1; shift; "$0" synth "$path.part" "$@" && mv "$path.part" "$path"' "$cli"
