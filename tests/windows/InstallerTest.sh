#!/bin/sh
# The installer under Wine, in a fresh prefix of its own: a silent install puts the program, its
# Start-menu shortcut and its automation class's keys in place; a silent uninstall leaves none of
# them behind, nor the program's start entry, and keeps the other programs' start entries.
# InstallerTest.sh MSI PROGRAM WORK_FOLDER WINE_SCRIPT [SCRIPT_CLIENT]
set -eu
msi=$1
program=$2
work=$3
wine_script=$4
# The script client: a VBScript that drives the installed program's class through cscript.exe
# and ends with "tout est conforme" when all went well. It shows the program's window, so the
# test then runs under xvfb-run -a.
script_client=${5:-}

prefix=$work/wine
installed="$prefix/drive_c/Program Files/Velnix"
classes='HKLM\Software\Classes'
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
clsid='{AC277015-7F55-468D-A277-4E71184CE45F}'
libid='{FCB37509-643D-435B-8505-49E70CAA5131}'
dual='{798EF082-AFC8-4700-BC84-DBD347F87069}'
events='{BA6E29AD-0152-48B3-B51B-6F4AE52B5E15}'
marshaller='{00020424-0000-0000-C000-000000000046}'
exe='C:\Program Files\Velnix\velnix.exe'
# The keys the installer owns, each with all it holds.
keys="CLSID\\$clsid Velnix.InternetTenaline Velnix.InternetTenaline.1 Interface\\$dual
Interface\\$events TypeLib\\$libid"

# One Wine server for the prefix, started and booted with no output to hold (as in
# scripts/test-win64.sh), stopped at the end with every Wine program of the prefix.
rm -rf "$work"
mkdir -p "$prefix"
WINEPREFIX=$prefix
export WINEPREFIX
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
trap '"$wineserver" -k 2>/dev/null || true' EXIT
wine() { "$wine_script" "$prefix" "$@"; }
# Everything the first boot started is let end first: a class activated right after a first
# boot found no RpcSs service and waited for ever.
wine wineboot -i </dev/null >/dev/null 2>&1
"$wineserver" -w
"$wineserver" -p
wine wineboot </dev/null >/dev/null 2>&1

failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}
windows_path() { printf 'Z:%s' "$(realpath "$1")" | tr / '\\'; }
shortcuts() { find "$prefix/drive_c" -name Velnix.lnk; }

# Every value under the installer's keys as "key|name|type|data", the key below HKLM's classes.
registered_values() {
    for key in $keys; do
        wine reg query "$classes\\$key" /s /reg:64 || true
    done | tr -d '\r' | awk '
        /^HKEY_/ { key = $0; sub(/^HKEY_LOCAL_MACHINE\\Software\\Classes\\/, "", key); next }
        /^    / {
            split(substr($0, 5), field, "    ")
            name = field[1] == "(Default)" ? "" : field[1]
            print key "|" name "|" field[2] "|" substr($0, length(field[1] field[2]) + 13)
        }' | sort
}

expected_values() {
    sort <<EOF_VALUES
CLSID\\$clsid||REG_SZ|InternetTenaline
CLSID\\$clsid\\LocalServer32||REG_SZ|"$exe"
CLSID\\$clsid\\ProgID||REG_SZ|Velnix.InternetTenaline.1
CLSID\\$clsid\\VersionIndependentProgID||REG_SZ|Velnix.InternetTenaline
CLSID\\$clsid\\TypeLib||REG_SZ|$libid
CLSID\\$clsid\\Version||REG_SZ|1.0
Velnix.InternetTenaline||REG_SZ|InternetTenaline
Velnix.InternetTenaline\\CLSID||REG_SZ|$clsid
Velnix.InternetTenaline\\CurVer||REG_SZ|Velnix.InternetTenaline.1
Velnix.InternetTenaline.1||REG_SZ|InternetTenaline
Velnix.InternetTenaline.1\\CLSID||REG_SZ|$clsid
Interface\\$dual||REG_SZ|_InternetTenaline
Interface\\$dual\\ProxyStubClsid32||REG_SZ|$marshaller
Interface\\$dual\\ProxyStubClsid||REG_SZ|$marshaller
Interface\\$dual\\TypeLib||REG_SZ|$libid
Interface\\$dual\\TypeLib|Version|REG_SZ|1.0
Interface\\$events||REG_SZ|__InternetTenaline
Interface\\$events\\ProxyStubClsid32||REG_SZ|$marshaller
Interface\\$events\\ProxyStubClsid||REG_SZ|$marshaller
Interface\\$events\\TypeLib||REG_SZ|$libid
Interface\\$events\\TypeLib|Version|REG_SZ|1.0
TypeLib\\$libid\\1.0||REG_SZ|Velnix
TypeLib\\$libid\\1.0\\0\\win64||REG_SZ|$exe
TypeLib\\$libid\\1.0\\FLAGS||REG_SZ|0
TypeLib\\$libid\\1.0\\HELPDIR||REG_SZ|C:\\Program Files\\Velnix\\
EOF_VALUES
}

if ! wine msiexec /i "$(windows_path "$msi")" /qn /l*v "$(windows_path "$work/install.log")"; then
    tail -n 40 "$work/install.log" >&2
    fail "silent install"
    exit 1
fi
cmp -s "$program" "$installed/velnix.exe" || fail "velnix.exe not installed as built"
[ "$(shortcuts | wc -l)" -eq 1 ] || fail "no single Start-menu shortcut: $(shortcuts)"
expected_values >"$work/expected-values"
registered_values >"$work/registered-values"
diff -u "$work/expected-values" "$work/registered-values" >&2 || fail "registered values"

# The script client drives the installed program, when given: the prefix's phone book is empty,
# so it expects no entry. A script host may end a failed script with 0: its last line counts.
# The program it started is then ended.
if [ -n "$script_client" ]; then
    timeout 120 "$wine_script" "$prefix" cscript.exe //nologo "$(windows_path "$script_client")" "" \
        >"$work/script-client.txt" 2>&1 || true
    grep -q "tout est conforme" "$work/script-client.txt" ||
        fail "script client: $(tr -d '\r' <"$work/script-client.txt")"
    wine taskkill /f /im velnix.exe >/dev/null 2>&1 || true
fi

# The program's start entry, as its configuration dialog writes it, beside another program's.
wine reg add "$run_key" /v Velnix /d "\"$exe\"" /f /reg:64 >/dev/null 2>&1
wine reg add "$run_key" /v Other /d 'C:\other.exe' /f /reg:64 >/dev/null 2>&1

if ! wine msiexec /x "$(windows_path "$msi")" /qn /l*v "$(windows_path "$work/uninstall.log")"; then
    tail -n 40 "$work/uninstall.log" >&2
    fail "silent uninstall"
    exit 1
fi
[ ! -e "$installed" ] || fail "$installed left behind"
[ -z "$(shortcuts)" ] || fail "shortcut left behind: $(shortcuts)"
for key in $keys; do
    if wine reg query "$classes\\$key" /reg:64 >/dev/null 2>&1; then
        fail "$classes\\$key left behind"
    fi
done
if wine reg query "$run_key" /v Velnix /reg:64 >/dev/null 2>&1; then
    fail "start entry left behind"
fi
wine reg query "$run_key" /v Other /reg:64 >/dev/null 2>&1 || fail "another program's start entry removed"

[ "$failures" -eq 0 ] || exit 1
# The prefix takes some 700 MB: only a failed run's stays, to look into.
"$wineserver" -k
"$wineserver" -w
rm -rf "$prefix"
