#!/bin/sh
# Starts the launcher from the user's own copy of the installation directory: the
# launcher keeps its markers and settings beside itself, the programs of the suite
# are installed beside it, and a system directory is not writable.
#
# The copy holds the package's files and the user's own. Its .manifest records the
# checksum of every file the package put there. When the package's files change,
# a file is brought up to date only when it is missing or still as the package left
# it: a file the user changed or put there is never replaced, and nothing of the
# user's is deleted. An update is all or nothing: every new file, the manifest
# included, is first written beside the old one; then each is renamed into place
# (a running program keeps its old file), the old one kept beside it and listed in
# a journal; the journal's removal completes the update. A failure, or a start
# script ended half-way (a logout), is rolled back to the old copy, by this start
# or the next one; a failure is reported and the old copy starts.
set -u
system_dir=$(cd "$(dirname "$(readlink -f "$0")")/../@LAUNCHER_INSTALL_DIR@" && pwd) || exit 1
user_dir=${XDG_DATA_HOME:-$HOME/.local/share}/launcher
shipped=$system_dir/.manifest
copied=$user_dir/.manifest
new_suffix=.launcher-new.
old_suffix=.launcher-old.
journal_name=.launcher-update.
staged=

report() { # report <Japanese text> <English text>
    printf 'launcher: %s\n' "$2" >&2
    [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || return 0
    title="メインメニュー"
    if command -v zenity >/dev/null 2>&1; then
        zenity --error --title="$title" --no-wrap --text="$1" >/dev/null 2>&1
    elif command -v kdialog >/dev/null 2>&1; then
        kdialog --title "$title" --error "$1" >/dev/null 2>&1
    elif command -v xmessage >/dev/null 2>&1; then
        printf 'launcher: %s\n' "$2" | sed 's/; /;\n/g' | xmessage -center -file - >/dev/null 2>&1
    fi
}

# The checksum the package recorded for a file of the copy, empty when none.
recorded() {
    [ -f "$copied" ] && awk -v p="$1" '{ f = $0; sub(/^[0-9a-f]+  /, "", f) } f == p { print $1; exit }' "$copied"
}

# Puts back what the update of start script <pid> renamed, in the order of its
# journal: "R path" replaced a file (the old one beside it), "N path" added one.
roll_back() { # roll_back <pid>
    journal=$user_dir/$journal_name$1
    [ -f "$journal" ] || return 0
    while IFS= read -r entry; do
        path=${entry#? }
        target=$user_dir/$path
        if [ -e "$target$old_suffix$1" ]; then
            mv -f "$target$old_suffix$1" "$target" || return 1
        elif [ "${entry%% *}" = N ] && [ ! -e "$target$new_suffix$1" ]; then
            rm -f "$target"
        fi
    done <"$journal"
    rm -f "$journal"
}

# The files one update left beside the copy's files: new ones not yet renamed,
# and old ones of a completed update.
remove_leftovers() { # remove_leftovers <pid>
    for list in "$shipped" "$copied"; do
        [ -f "$list" ] || continue
        while IFS= read -r line; do
            rm -f "$user_dir/${line#*  }$new_suffix$1" "$user_dir/${line#*  }$old_suffix$1"
        done <"$list"
    done
    rm -f "$copied$new_suffix$1" "$copied$old_suffix$1"
}

# What a start script that has ended left half-way: its journal rolled back, its
# files removed. A start script still running is left alone.
clean_up_ended_updates() {
    for f in "$user_dir/$journal_name"* "$copied$new_suffix"* "$copied$old_suffix"*; do
        [ -e "$f" ] || continue
        pid=${f##*.}
        case $pid in *[!0-9]* | '') continue ;; esac
        [ "$pid" != $$ ] && kill -0 "$pid" 2>/dev/null && continue
        roll_back "$pid" && remove_leftovers "$pid"
    done
}

stage() { # stage <source> <path in the copy>
    staged="$staged$2
"
    mkdir -p "$(dirname "$user_dir/$2")" 2>/dev/null && cp "$1" "$user_dir/$2$new_suffix$$" 2>/dev/null
}

update_copy() {
    [ -r "$shipped" ] && mkdir -p "$user_dir" || return 1
    # The manifest first: its new file marks an update under way.
    stage "$shipped" .manifest || { failed=.manifest; return 1; }
    while IFS= read -r line; do
        sum=${line%%  *}
        path=${line#*  }
        target=$user_dir/$path
        if [ -e "$target" ] || [ -L "$target" ]; then
            current=$(sha256sum <"$target" 2>/dev/null | cut -d' ' -f1)
            [ "$current" = "$sum" ] && continue
            was=$(recorded "$path")
            if [ -n "$was" ]; then
                # Changed by the user since the package put it there.
                [ "$current" = "$was" ] || continue
            elif [ -f "$copied" ] || [ "$path" != launcher ]; then
                # The user's own file; in a copy from before the manifest only
                # the program itself is surely the package's.
                continue
            fi
        fi
        stage "$system_dir/$path" "$path" || { failed=$path; return 1; }
    done <"$shipped"
    # The journal, written whole before the first rename.
    journal=$user_dir/$journal_name$$
    printf '%s' "$staged" | while IFS= read -r f; do
        if [ -e "$user_dir/$f" ] || [ -L "$user_dir/$f" ]; then echo "R $f"; else echo "N $f"; fi
    done >"$journal" 2>/dev/null
    [ "$(wc -l <"$journal" 2>/dev/null)" = "$(printf '%s' "$staged" | wc -l)" ] ||
        { rm -f "$journal"; failed=$user_dir; return 1; }
    # Each old file stays beside its place until the update is complete.
    while IFS= read -r entry; do
        f=${entry#? }
        if [ "${entry%% *}" = R ]; then
            ln -f "$user_dir/$f" "$user_dir/$f$old_suffix$$" 2>/dev/null ||
                mv -f "$user_dir/$f" "$user_dir/$f$old_suffix$$" || { failed=$f; return 1; }
        fi
        mv -f "$user_dir/$f$new_suffix$$" "$user_dir/$f" || { failed=$f; return 1; }
    done <"$journal"
    rm -f "$journal" || { failed=$user_dir; return 1; }
    staged=
    remove_leftovers $$
}

clean_up_ended_updates
if [ ! -x "$user_dir/launcher" ] || ! cmp -s "$shipped" "$copied"; then
    failed=
    if ! update_copy; then
        roll_back $$
        remove_leftovers $$
        if [ -x "$user_dir/launcher" ]; then
            report "個人用のフォルダ「$user_dir」を新しいバージョンに更新できません（${failed:-$user_dir}）。
元のまま起動します。" \
                "cannot bring $user_dir up to date (${failed:-$user_dir}); the copy is left as it was and starts unchanged"
        else
            report "個人用のフォルダ「$user_dir」を作成できません（${failed:-$user_dir}）。" \
                "cannot set up $user_dir (${failed:-$user_dir})"
            exit 1
        fi
    fi
fi
exec "$user_dir/launcher" "$@"
