#!/bin/sh
# Starts the launcher from the user's own copy of the installation directory: the
# launcher keeps its markers and settings beside itself, the programs of the suite
# are installed beside it, and a system directory is not writable.
#
# The copy holds the package's files and the user's own. Its .manifest records the
# checksum of every file the package put there. When the package's files change,
# a file is brought up to date only when it is missing or still as the package left
# it: a file the user changed or put there is never replaced, and nothing is
# deleted. Each new file is written beside the old one and renamed into place (a
# running program keeps its old file), every file first, then the manifest. A
# failure leaves the old copy as it was, is reported, and the old copy starts.
set -u
system_dir=$(cd "$(dirname "$(readlink -f "$0")")/../@LAUNCHER_INSTALL_DIR@" && pwd) || exit 1
user_dir=${XDG_DATA_HOME:-$HOME/.local/share}/launcher
shipped=$system_dir/.manifest
copied=$user_dir/.manifest
suffix=.launcher-new.$$
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

discard_staged() {
    printf '%s' "$staged" | while IFS= read -r f; do rm -f "$user_dir/$f$suffix"; done
}

update_copy() {
    [ -r "$shipped" ] && mkdir -p "$user_dir" || return 1
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
        staged="$staged$path
"
        if ! mkdir -p "$(dirname "$target")" 2>/dev/null || ! cp "$system_dir/$path" "$target$suffix" 2>/dev/null; then
            failed=$path
            return 1
        fi
    done <"$shipped"
    printf '%s' "$staged" | while IFS= read -r f; do
        mv -f "$user_dir/$f$suffix" "$user_dir/$f" || exit 1
    done || { failed=$user_dir; return 1; }
    staged=
    if ! cp "$shipped" "$copied$suffix" || ! mv -f "$copied$suffix" "$copied"; then
        rm -f "$copied$suffix"
        failed=.manifest
        return 1
    fi
}

if [ ! -x "$user_dir/launcher" ] || ! cmp -s "$shipped" "$copied"; then
    failed=
    if ! update_copy; then
        discard_staged
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
