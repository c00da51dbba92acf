#!/usr/bin/env bash
# Installing Zarvok never makes it what opens folders: `xdg-mime query default inode/directory`
# answers the same before and after `cmake --install`, and file managers get "Erase with
# Zarvok..." as a folder action instead.
source "$(dirname "$0")/lib.sh"
command -v xdg-mime >/dev/null || { echo "SKIP: xdg-mime is missing (Debian package xdg-utils)"; exit 77; }
command -v update-desktop-database >/dev/null || { echo "SKIP: update-desktop-database is missing (desktop-file-utils)"; exit 77; }

cmake --install "$BUILD" --prefix "$WORK/prefix" >"$WORK/install.log" || fail "install: $(cat "$WORK/install.log")"
expect_folder_actions "$WORK/prefix"
expect_folder_opener_unchanged "$WORK/prefix/share"
echo "ok"
