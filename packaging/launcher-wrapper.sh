#!/bin/sh
# Starts the launcher from the user's own copy of the installation directory: the
# launcher keeps its markers and settings beside itself, and a system directory
# is not writable. The copy is refreshed when the installed version changes;
# files the user made (settings, preferences, background) are kept.
set -e
system_dir=$(cd "$(dirname "$(readlink -f "$0")")/../@LAUNCHER_INSTALL_DIR@" && pwd)
user_dir=${XDG_DATA_HOME:-$HOME/.local/share}/launcher
if [ ! -x "$user_dir/launcher" ] || ! cmp -s "$system_dir/.version" "$user_dir/.version"; then
    mkdir -p "$user_dir"
    # Shipped files are replaced; event_tbl only when the user has none.
    (cd "$system_dir" && find . -type f ! -name event_tbl) | while read -r f; do
        mkdir -p "$user_dir/$(dirname "$f")"
        cp -p "$system_dir/$f" "$user_dir/$f"
    done
    [ -e "$user_dir/event_tbl" ] || cp -p "$system_dir/event_tbl" "$user_dir/event_tbl" 2>/dev/null || true
fi
exec "$user_dir/launcher" "$@"
