#!/bin/sh
# Runs a fixed list of kiv4cli commands with two builds of the program, each
# on its own copy of a data directory, and compares what they printed, their
# exit status and the work files they left. Exit status 0 when all agree.
#
#   sh scripts/cli-diff.sh OLD/kiv4cli NEW/kiv4cli build/sample
set -u
if [ $# -ne 3 ]; then
  echo "usage: sh scripts/cli-diff.sh OLD_KIV4CLI NEW_KIV4CLI DATA_DIR" >&2
  exit 2
fi
old=$(realpath "$1")
new=$(realpath "$2")
data=$(realpath "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

commands() {
  cat <<'EOF'
route 東京 高崎 --time 9:00 --day 1
route 東京 高崎 --time 9:00 --day 1 --order time --routes 5
route 新宿 川越 --time 8:00 --day 1 --order fare --detour 10 --extra 30
route 東京 上野 --time 23:50 --day 6 --changes 1
fastest 東京 高崎 --time 9:00 --day 1 --sjis
fare 東京 高崎
fare 新宿 高崎 --no-tokyo-rule
faretable 高崎
faretable 東京 --block 0 --csv
reqtime 高崎
reqtime 川越 --table 0 --csv
timetable 高崎 --day 1 --hour 8
timetable 新宿 --day 0 --hour 18 --group
faretable 東京 -o fares.txt
faretable 高崎 --csv -o fares.csv
stations
jrcheap
tokyo101
route 東京 存在しない駅
route 東京 東京
route 東京 高崎 --time 9:00 --day 1 --json
route 新宿 川越 --time 8:00 --day 1 --order fare --json
route 東京 高崎 --time 9:00 --day 1 --mode best --routes 5 --extra 60
route 所沢 新宿 --time 8:00 --day 1 --mode best --routes 5 --order time
route 北千住 中目黒 --time 8:00 --day 2 --mode best --routes 5 --json
route 渋谷 二子玉川園 --time 23:45 --day 6 --mode best --json --order fare
route 新宿 八王子 --time 9:00 --day 1 --arrive-by --routes 3
route 新宿 八王子 --time 9:00 --day 1 --arrive-by --routes 3 --json
lasttrain 町田 新宿 --day 5
lasttrain 町田 新宿 --day 5 --json
fastest 東京 高崎 --time 9:00 --day 1 --json
fastest 新宿 八王子 --time 9:00 --day 1 --arrive-by
EOF
}

status=0
for side in old new; do
  mkdir -p "$work/$side"
  cp -r "$data" "$work/$side/data"
  rm -f "$work/$side/data/Kiv4.def"
done
n=0
commands | while IFS= read -r line; do
  n=$((n + 1))
  for side in old new; do
    program=$old
    [ "$side" = new ] && program=$new
    # shellcheck disable=SC2086
    (cd "$work/$side/data" && "$program" $line >"$work/$side/out.$n" 2>"$work/$side/err.$n"; echo $? >"$work/$side/rc.$n")
  done
  for kind in out err rc; do
    if ! cmp -s "$work/old/$kind.$n" "$work/new/$kind.$n"; then
      echo "differs ($kind): kiv4cli $line"
      diff "$work/old/$kind.$n" "$work/new/$kind.$n" | head -20
    fi
  done
done >"$work/report"
if ! diff -r "$work/old/data" "$work/new/data" >"$work/files"; then
  echo "work files differ:" >>"$work/report"
  head -40 "$work/files" >>"$work/report"
fi
if [ -s "$work/report" ]; then
  cat "$work/report"
  status=1
else
  echo "the two builds agree on $(commands | wc -l) commands"
fi
exit $status
