# Sourced by scripts/windows-check --installer, after its checks: builds the
# installer and the portable zip from `cmake --install` of the Windows
# build, then installs silently under Wine, runs the installed programs,
# uninstalls, and checks that everything installed is gone and the user's
# settings are not. Uses windows-check's BUILD, out, failed,
# compare_with_linux and run_window.

echo "== Installer and portable zip" >&2
stage="$KESTREL_ROOT/$BUILD/stage"
generated="$KESTREL_ROOT/$BUILD/installer"
dist="$KESTREL_ROOT/$BUILD/dist"
rm -rf "$stage" "$dist"
cmake --install "$BUILD" --prefix "$stage" >&2
# As built the programs and Qt are 59 MB, stripped 25 MB, and draw the same.
find "$stage" -name '*.exe' -o -name '*.dll' | xargs x86_64-w64-mingw32-strip --strip-unneeded
windows_installer_lists "$stage" "$generated"
version=$(sed -n 's/^!define KESTREL_VERSION "\(.*\)"/\1/p' "$generated/version.nsh")
mkdir -p "$dist"
setup="$dist/kestrel-$version-setup.exe"
makensis -V2 -DSTAGE="$stage" -DGENERATED="$generated" -DICON="$KESTREL_ROOT/$BUILD/src/gui/kestrel.ico" \
    -DOUTFILE="$setup" packaging/windows/kestrel.nsi >&2
portable="kestrel-$version-windows-x64"
mkdir -p "$dist/zip" && cp -r "$stage" "$dist/zip/$portable"
(cd "$dist/zip" && zip -qr "../$portable.zip" "$portable") && rm -rf "$dist/zip"
echo "Built $setup ($(du -h "$setup" | cut -f1)) and $dist/$portable.zip ($(du -h "$dist/$portable.zip" | cut -f1))" >&2

# fail MESSAGE: the check fails, and says why.
fail() {
    failed=1
    echo "FAILED: $*" >&2
}

echo "== Silent installation under Wine" >&2
installed="$WINEPREFIX/drive_c/Program Files/Kestrel"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kestrel.lnk"
us_english wine "$setup" /S
[ -f "$installed/kestrel.exe" ] || fail "the installer did not install kestrel.exe"
[ -f "$shortcut" ] || fail "no Start menu entry"
[ -f "$installed/demo-tessel/tessel.ini" ] || fail "no tessel.ini in the installed demo installation"
us_english wine reg query 'HKLM\Software\Classes\Kestrel.Specification\shell\open\command' >/dev/null 2>&1 ||
    fail "specification files are not registered"
us_english wine reg query 'HKLM\Software\Classes\.json\OpenWithProgids' /v Kestrel.Specification >/dev/null 2>&1 ||
    fail "specification files do not offer Kestrel in Open with"
! us_english wine reg query 'HKLM\Software\Classes\.json' /ve 2>/dev/null | grep -q Kestrel ||
    fail "the installer made Kestrel the program of every .json file"
for value in DisplayName DisplayVersion Publisher DisplayIcon EstimatedSize; do
    us_english wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrel' /v "$value" \
        >/dev/null 2>&1 || fail "Apps & features has no $value"
done

echo "== The installed programs" >&2
us_english wine "$installed/kestrel-cli.exe" generate --date 2026-12-05 \
    --config-dir 'C:\Program Files\Kestrel\demo-tessel' \
    'C:\Program Files\Kestrel\samples\agilent34401.kestrel.json' >"$out/installed.txt" 2>"$out/installed.err" ||
    fail "the installed kestrel-cli.exe: $(cat "$out/installed.err")"
cmp -s "$out/installed.txt" "$out/agilent34401-file.linux.txt" ||
    fail "the installed kestrel-cli.exe writes another procedure than the Linux build"
run_window "$installed/kestrel.exe" || fail "the installed kestrel.exe did not paint its window"
# A first start: no settings and no Tessel anywhere but the demo that came
# with Kestrel. It is found, and nothing is said.
first_start=$(mktemp -d)
KESTREL_CONFIG_DIR=$(windows_path "$first_start") us_english wine "$installed/kestrel-cli.exe" generate \
    --date 2026-12-05 'C:\Program Files\Kestrel\samples\agilent34401.kestrel.json' \
    >"$out/first-start.txt" 2>"$out/first-start.err" || fail "a first start: $(cat "$out/first-start.err")"
[ ! -s "$out/first-start.err" ] || fail "a first start says: $(cat "$out/first-start.err")"
cmp -s "$out/first-start.txt" "$out/agilent34401-file.linux.txt" ||
    fail "a first start writes another procedure than with the demo installation named"
run_window "$installed/kestrel.exe" "" "$first_start" || fail "the installed kestrel.exe did not start without settings"
rm -rf "$first_start"

echo "== Uninstallation" >&2
# A user's settings, which the uninstaller must leave.
settings="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Kestrel"
mkdir -p "$settings" && printf '[Kestrel]\r\nAuthorName=Keep me\r\n' >"$settings/Kestrel.INI"
# The uninstaller runs from a copy of itself and returns at once.
us_english wine "$installed/uninstall.exe" /S
for _ in $(seq 60); do
    [ -e "$installed" ] || break
    sleep 1
done
wine_stop
[ ! -e "$installed" ] || fail "the uninstaller left $(find "$installed" | head -5 | tr '\n' ' ')"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start menu entry"
[ -f "$settings/Kestrel.INI" ] || fail "the uninstaller removed the user's settings"
rm -rf "$settings"
! us_english wine reg query 'HKLM\Software\Classes\Kestrel.Specification' >/dev/null 2>&1 ||
    fail "the uninstaller left the file type's registration"
