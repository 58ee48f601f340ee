#!/bin/sh
# `make install` / `make uninstall`: Tarnwick for a Linux user who keeps Delphi 3 in a Wine prefix of
# their own. Installs into PREFIX (default ~/.local): the program and its help pages, the `tarnwick`
# command, a desktop entry with the icon, and "Compile with Tarnwick" for .dpr and .pas files. Every
# file and folder it makes is listed in PREFIX/lib/tarnwick/installed; uninstalling removes exactly
# those. No Wine prefix is touched here.
# Usage: install.sh install|uninstall
. "$(dirname "$0")/wine-env.sh"
set -eu
PREFIX=${PREFIX:-$HOME/.local}
LIBDIR="$PREFIX/lib/tarnwick"
LIST="$LIBDIR/installed"
APPS="$PREFIX/share/applications"
MIME="$PREFIX/share/mime"
ICON="$PREFIX/share/icons/hicolor/48x48/apps/tarnwick.png"
NEW_LIST=$(mktemp)
trap 'rm -f "$NEW_LIST"' EXIT

# Makes the missing folders of a path and lists each one it made, outermost first.
make_dirs() {
    [ -d "$1" ] && return 0
    make_dirs "$(dirname "$1")"
    mkdir "$1"
    echo "d $1" >>"$NEW_LIST"
}
# Writes standard input into a file of the installation.
put() { # target, mode
    make_dirs "$(dirname "$1")"
    cat >"$1"
    chmod "$2" "$1"
    echo "f $1" >>"$NEW_LIST"
}
listed() { grep -qxF "$1" "$LIST" 2>/dev/null; }

# The desktop's caches of file types and of the entries' associations are made again from what is
# left; a cache folder this installation made goes once nothing but the cache is left in it.
refresh_caches() {
    if [ -d "$MIME/packages" ] && [ -n "$(ls -A "$MIME/packages")" ]; then
        update-mime-database "$MIME" >/dev/null 2>&1 || true
    elif [ "${1:-}" = uninstall ] && listed "d $MIME"; then
        rm -rf "$MIME"
    fi
    if [ -d "$APPS" ] && ls "$APPS"/*.desktop >/dev/null 2>&1; then
        update-desktop-database "$APPS" >/dev/null 2>&1 || true
    elif [ "${1:-}" = uninstall ] && listed "d $APPS"; then
        rm -f "$APPS/mimeinfo.cache"
    fi
}

uninstall() {
    [ -f "$LIST" ] || { echo "Tarnwick is not installed in $PREFIX"; return 0; }
    cp "$LIST" "$NEW_LIST"
    LIST="$NEW_LIST"
    rm -f "$LIBDIR/installed"
    grep '^f ' "$LIST" | cut -c3- | while IFS= read -r file; do rm -f "$file"; done
    refresh_caches uninstall
    # Folders it made, innermost first, as far as they are empty.
    grep '^d ' "$LIST" | cut -c3- | sort -r | while IFS= read -r dir; do rmdir "$dir" 2>/dev/null || true; done
    echo "Tarnwick removed from $PREFIX"
}

install() {
    [ ! -f "$LIST" ] || (uninstall >/dev/null)
    # The 32-bit program, which is what ships; where this machine runs only 64-bit Wine, the 64-bit one.
    put "$LIBDIR/tnwk.exe" 644 <"$TNWK_BIN/tnwk.exe"
    for page in "$TNWK_BIN"/help/*; do put "$LIBDIR/help/$(basename "$page")" 644 <"$page"; done
    put "$PREFIX/bin/tarnwick" 755 <"$TNWK_ROOT/tools/linux/tarnwick"
    convert "$TNWK_ROOT/res/pictures/mainicon.ico[0]" -resize 48x48 png:- | put "$ICON" 644
    # The entries name the command by its full path: PREFIX/bin need not be on the desktop's PATH.
    for entry in tarnwick tarnwick-compile; do
        sed "s|^Exec=tarnwick|Exec=\"$PREFIX/bin/tarnwick\"|" "$TNWK_ROOT/tools/linux/$entry.desktop" | put "$APPS/$entry.desktop" 644
    done
    put "$MIME/packages/tarnwick.xml" 644 <"$TNWK_ROOT/tools/linux/tarnwick-mime.xml"
    make_dirs "$LIBDIR"
    cp "$NEW_LIST" "$LIST"
    refresh_caches
    echo "Tarnwick installed in $PREFIX (run it with: tarnwick [file.dpr|file.pas])"
    case ":$PATH:" in *":$PREFIX/bin:"*) ;; *) echo "note: $PREFIX/bin is not on PATH" ;; esac
}

case "${1:-}" in
install) install ;;
uninstall) uninstall ;;
*) echo "usage: $0 install|uninstall" >&2; exit 2 ;;
esac
