#!/usr/bin/env bash
# Two releases of the same tree, built at different times in folders with
# different paths, must be the same bytes, and the same as this build's own
# executable; the PE time stamp is the time of the last commit.
#   reproducible.sh REPO WORKDIR BUILT_EXE
set -euo pipefail
repo=$1 work=$2 built=$3
rm -rf "$work"
mkdir -p "$work/a" "$work/a-folder-with-a-longer-name/b"
unset SOURCE_DATE_EPOCH

TMPDIR="$work/a" bash "$repo/scripts/release" --dirty --out "$work/dist-a" >/dev/null
# The PE time stamp counts seconds.
sleep 1.1
TMPDIR="$work/a-folder-with-a-longer-name/b" bash "$repo/scripts/release" --dirty --out "$work/dist-b" >/dev/null

status=0
for file in $(cd "$work/dist-a" && ls); do
    cmp "$work/dist-a/$file" "$work/dist-b/$file" || { echo "FAILED: $file differs between the two releases"; status=1; }
done
cmp "$work/dist-a/qm27r-install.exe" "$built" || { echo "FAILED: the release's executable is not $built"; status=1; }

# The PE header's time stamp: 4 bytes at 8 past the header, whose offset is at 0x3c.
stamp=$(python3 -c 'import struct, sys
data = open(sys.argv[1], "rb").read()
print(struct.unpack_from("<I", data, struct.unpack_from("<I", data, 0x3C)[0] + 8)[0])' "$work/dist-a/qm27r-install.exe")
commit_time=$(git -C "$repo" log -1 --format=%ct)
[ "$stamp" = "$commit_time" ] || { echo "FAILED: PE time stamp $stamp, last commit at $commit_time"; status=1; }
(cd "$work/dist-a" && sha256sum --quiet -c SHA256SUMS) || { echo "FAILED: SHA256SUMS does not check"; status=1; }
entries=$(unzip -Z1 "$work"/dist-a/*.zip | tr '\n' ' ')
[ "$entries" = "qm27r-install.exe README.txt " ] || { echo "FAILED: the zip holds $entries"; status=1; }
exit "$status"
