#!/bin/sh
# The full-disk cases' own small disk. "on DIR" mounts a tmpfs of 256 KB at DIR and marks it;
# "off DIR" removes it again. Where mounting is not allowed (not root), DIR gets no mark and
# the cases skip, saying why.
set -u
action=$1
dir=$2
umount "$dir" 2>/dev/null
if [ "$action" = on ]; then
    mkdir -p "$dir"
    if mount -t tmpfs -o size=256k,mode=0777 kvimeter-small-disk "$dir" 2>/dev/null; then
        touch "$dir/.small-disk"
    else
        echo "no tmpfs could be mounted at $dir: the full-disk cases skip"
    fi
else
    rmdir "$dir" 2>/dev/null
fi
exit 0
