# Sourced: the private Wine prefix under build/ and the loader for an exe.
root=$(cd "$(dirname "${BASH_SOURCE:-$0}")/.." 2>/dev/null && pwd)
[ -n "$root" ] || root=$(cd "$here/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64

# 64-bit exes take wine64; 32-bit ones the 32-bit loader.
wine_loader_for() {
  case "$(file -b "$1")" in
    *x86-64*) echo /usr/lib/wine/wine64 ;;
    *) echo /usr/lib/wine/wine ;;
  esac
}

# 1 when this machine runs 32-bit x86 code (some sandboxes' kernels do not).
machine_runs_32bit() {
  /usr/lib/wine/wine --version >/dev/null 2>&1
}
