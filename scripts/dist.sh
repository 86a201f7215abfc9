#!/usr/bin/env bash
# Writes the release archive a Windows user receives: the two programs, the Czech guide, a demo
# folder with a month of logs (and the demo booking, panel register and audience file, when there
# are) and SHA256SUMS.txt.
# The same commit gives the same bytes: every entry dated SOURCE_DATE_EPOCH (default: the last
# commit's time), owned by 0, in a fixed order.
#   dist.sh OUT.zip KVIMETER_EXE KVIMETER_CLI_EXE GENLOG...
# GENLOG... may be several arguments (a Windows genlog.exe after its Wine runner).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
out=$(realpath -m "$1")
window=$2 cli=$3
genlog=("${@:4}")
demo_month=2026-11
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 0)}
export LC_ALL=C.UTF-8 TZ=UTC

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$window" "$stage/kvimeter.exe"
cp "$cli" "$stage/kvimeter-cli.exe"
# UTF-8 with a byte order mark and CR LF, as Notepad reads it right.
{ printf '\xEF\xBB\xBF'; sed 's/$/\r/' "$root/docs/ctete.txt"; } >"$stage/ČTĚTE.txt"
"$here/demo-logs.sh" "$stage/demo" "$demo_month" -- "${genlog[@]}" >/dev/null
for file in kampan-demo.csv panely.csv publikum.csv; do
    if [ -f "$root/scripts/demo/$file" ]; then cp "$root/scripts/demo/$file" "$stage/demo/"; fi
done

entries=(kvimeter.exe kvimeter-cli.exe ČTĚTE.txt)
while IFS= read -r file; do entries+=("$file"); done < <(cd "$stage" && find demo -type f | sort)
(cd "$stage" && sha256sum "${entries[@]}" >SHA256SUMS.txt)
entries+=(SHA256SUMS.txt)

mkdir -p "$(dirname "$out")"
(cd "$stage" && tar --format=ustar --mtime="@$epoch" --owner=0 --group=0 --numeric-owner \
    --mode=a+r,u+w,go-w --no-recursion -cf "$stage/archive.tar" "${entries[@]}")
rm -f "$out"
bsdtar --format zip -cf "$out" "@$stage/archive.tar"
echo "wrote $out"
