#!/bin/sh
# Copies the project's own files, and no build folders, from SOURCE-DIR into
# DEST-DIR, for a build elsewhere.
#   copysources.sh SOURCE-DIR DEST-DIR
set -eu
mkdir -p "$2"
if git -C "$1" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$1" ls-files -co --exclude-standard -z \
        | tar -cf - -C "$1" --null --no-recursion -T - | tar -xf - -C "$2"
else
    tar -cf - -C "$1" --exclude='./build*' . | tar -xf - -C "$2"
fi
