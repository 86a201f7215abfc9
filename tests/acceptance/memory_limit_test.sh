#!/usr/bin/env bash
# A month whose plays do not fit in the memory the program may have (64 MB of data; the month
# needs some 85 MB of records): the load ends with one clear line and exit 1, nothing listed and
# no report written. With the memory it needs, the same month lists.
# Usage: memory_limit_test.sh CLI [RUNNER]   (RUNNER runs a Windows executable under Wine)
set -u
unset KV_WINE_RUN_LOG  # its runs under the limit fail soon, as they should
cli=$1
runner=("${@:2}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/log"
awk 'BEGIN { for (i = 0; i < 300000; i++) printf "15.03.2015\t10:20:30\tX\tn%d\t1\r\n", i % 100 }' \
    >"$work/log/AVI_2015-03.txt"
# Under Wine this starts the server, if need be, without the limit that it would inherit.
"${runner[@]}" "$cli" --help >/dev/null 2>&1

separator=/
[ ${#runner[@]} -gt 0 ] && separator='\'
expected="kvimeter-cli: Na načtení měsíce nestačí paměť; seznam zůstal prázdný. log${separator}AVI_2015-03.txt"
failed=0
for command in list summary; do
    (cd "$work" && exec prlimit --data=$((64 << 20)) "${runner[@]}" "$cli" "$command" 2015-03 \
        >out 2>err)
    status=$?
    if [ "$status" -ne 1 ] || [ -s "$work/out" ] || [ "$(tr -d '\r' <"$work/err")" != "$expected" ] ||
        [ -e "$work/report" ]; then
        echo "$command under the limit: exit $status, stdout $(wc -c <"$work/out") bytes, stderr:"
        cat "$work/err"
        failed=1
    fi
done
(cd "$work" && "${runner[@]}" "$cli" list 2015-03 >out 2>err) && [ "$(wc -l <"$work/out")" -eq 100 ] ||
    { echo "list with memory enough failed:"; cat "$work/err"; failed=1; }
exit $failed
