#!/usr/bin/env bash
# Folioteer installed into a DESTDIR and prefix with blanks, run from
# elsewhere with only PATH and HOME, checked by the desktop's own tools;
# and packaged with cpack -G DEB.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR installed|package
set -u
build=$(realpath "$1")
source=$(realpath "$2")
case=$3
work=$(mktemp -d)
source "$source/tests/expect.sh"

# The runs without XDG_RUNTIME_DIR use /tmp/folioteer-UID: leave it as found.
session_dir=/tmp/folioteer-$(id -u)
session=$session_dir/Folioteer/FTSwitches
session_saved=""
[[ -e $session_dir ]] || session_saved=none
if [[ -f $session ]]; then
  session_saved=$work/FTSwitches.saved
  cp -p "$session" "$session_saved"
fi
cleanup() {
  case $session_saved in
    none) rm -rf "$session_dir" ;;
    "") rm -f "$session" ;;
    *) cp -p "$session_saved" "$session" ;;
  esac
  chmod -R u+w "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Runs a command as a user the permissions apply to: nobody under root.
as_user() {
  if [[ $(id -u) == 0 ]]; then setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; else "$@"; fi
}
can_be_user() { [[ $(id -u) != 0 ]] || setpriv --reuid=nobody --regid=nogroup --clear-groups true 2>/dev/null; }

installed_case() {
  local prefix="/opt/Folio teer" root="$work/dest dir"
  local installed="$root$prefix"
  chmod 755 "$work"  # the user nobody reads the installation too
  if ! DESTDIR="$root" cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    fail "cmake --install: $(tail -5 "$work/install.log")"
    return
  fi
  [[ ! -e $prefix ]] || fail "installed outside DESTDIR: $prefix"
  check_files "$installed"
  cmp -s "$source/docs/Folioteer.guide" "$installed/share/folioteer/Folioteer.guide" ||
    fail "the installed manual differs from docs/Folioteer.guide"
  run_installed "$installed"
  check_desktop_files "$installed"
  read_only_share "$root" "$prefix"
  missing_dictionary "$installed"
}

our_files=(bin/folioteer bin/folioview bin/peekfront share/folioteer/Dictionary.wordlist
  share/folioteer/Folioteer.guide share/man/man1/folioteer.1.gz share/man/man1/folioview.1.gz
  share/man/man1/peekfront.1.gz share/applications/folioteer.desktop share/applications/folioview.desktop
  share/mime/packages/folioteer.xml share/icons/hicolor/scalable/apps/folioteer.svg
  share/icons/hicolor/48x48/apps/folioview.png share/icons/hicolor/scalable/mimetypes/text-x-amigaguide.svg)

check_files() {
  local installed=$1 file
  while IFS= read -r file; do
    case " ${our_files[*]} " in *" $file "*) continue ;; esac
    case $file in
      share/icons/hicolor/*/apps/folioteer.* | share/icons/hicolor/*/apps/folioview.*) ;;
      share/icons/hicolor/*/mimetypes/text-x-amigaguide.*) ;;
      *) fail "installed a file that is none of ours: $file" ;;
    esac
  done < <(cd "$installed" && find . -type f | sed 's|^\./||' | sort)
  for file in "${our_files[@]}"; do
    [[ -s $installed/$file ]] || fail "not installed: $file"
  done
  for file in bin/folioteer bin/folioview bin/peekfront; do
    [[ -x $installed/$file ]] || fail "not installed as a program: $file"
  done
}

run_installed() {
  local installed=$1
  local home="$work/home" here="$work/elsewhere" tree="$work/tree"
  mkdir -p "$home" "$here" "$tree"
  local path="$installed/bin:/usr/bin:/bin"
  for dir in "$here" "$tree"; do
    cp "$source/examples/Welcome.guide" "$source/examples/tour.script" "$dir/"
  done
  [[ $(env -i PATH="$path" HOME="$home" bash -c 'command -v folioteer') == "$installed/bin/folioteer" ]] ||
    fail "the installed folioteer is not the one on PATH"
  (cd "$here" && env -i PATH="$path" HOME="$home" timeout 60 folioteer --batch tour.script Welcome.guide) \
    >"$work/tour.out" 2>"$work/tour.err"
  local status=$?
  [[ $status == 0 ]] || fail "the installed tour exited $status: $(cat "$work/tour.err")"
  (cd "$tree" && env -i PATH=/usr/bin:/bin HOME="$home" timeout 60 "$build/bin/folioteer" --batch tour.script \
    Welcome.guide) >"$work/tree.out" 2>"$work/tree.err"
  cmp -s "$work/tour.out" "$work/tree.out" ||
    fail "the installed tour printed otherwise: $(diff "$work/tree.out" "$work/tour.out" | head)"
  cmp -s "$here/Welcome.guide" "$tree/Welcome.guide" || fail "the installed tour saved another guide"

  # The dictionary and the help guide come from ../share/folioteer.
  printf '%s\n' "SHOWNODE NodePos 0" "SPELLCHK On" ".print misspells" ABOUT ".helpkey edit" ".button 0" \
    >"$work/spell.script"
  (cd "$here" && env -i PATH="$path" HOME="$home" QT_QPA_PLATFORM=offscreen FOLIOTEER_SCREENSHOT="$work/help.png" \
    timeout 60 folioteer --batch "$work/spell.script" Welcome.guide) >"$work/spell.out" 2>"$work/spell.err"
  grep -qx "  0 Folioteer" "$work/spell.out" || fail "no spell check with the installed dictionary: $(cat "$work/spell.out")"
  grep -qF "Spell Dict : \"$installed/share/folioteer/Dictionary.wordlist\"" "$work/spell.err" ||
    fail "About names another dictionary: $(cat "$work/spell.err")"
  grep -qx "Command from the windows: HELP" "$work/spell.err" || fail "the Help key gave no HELP: $(cat "$work/spell.err")"
  grep -qF "Cannot" "$work/spell.err" && fail "HELP: $(cat "$work/spell.err")"
  for _ in $(seq 300); do [[ -s "$work/help.png" ]] && break; sleep 0.1; done
  [[ -s "$work/help.png" ]] || fail "HELP did not show the installed manual in the installed viewer"

  # The editor's windows, offscreen: a picture, then the end without saving.
  (cd "$here" && env -i PATH="$path" HOME="$home" QT_QPA_PLATFORM=offscreen FOLIOTEER_SCREENSHOT="$work/editor.png" \
    timeout 60 folioteer Welcome.guide) >"$work/editor.out" 2>&1 || fail "the installed editor's windows: $(cat "$work/editor.out")"
  [[ -s "$work/editor.png" ]] || fail "the installed editor showed no window"
  cmp -s "$here/Welcome.guide" "$tree/Welcome.guide" || fail "closing the editor changed the guide"

  env -i PATH="$path" HOME="$home" folioview --text "$installed/share/folioteer/Folioteer.guide" >"$work/manual.txt" ||
    fail "folioview --text on the installed manual"
  "$build/bin/folioview" --text "$source/docs/Folioteer.guide" | cmp -s - "$work/manual.txt" ||
    fail "the installed viewer prints the manual otherwise"
  local name
  name=$(cd "$here" && env -i PATH="$path" HOME="$home" timeout 30 peekfront)
  [[ $? == 0 && $name == Workbench ]] || fail "peekfront without a display printed \"$name\""
}

check_desktop_files() {
  local installed=$1 entry page remarks
  if command -v desktop-file-validate >/dev/null; then
    for entry in "$installed"/share/applications/*.desktop; do
      remarks=$(desktop-file-validate "$entry" 2>&1) && [[ -z $remarks ]] || fail "$entry: $remarks"
    done
  else
    echo "note: desktop-file-validate is missing (Debian package desktop-file-utils)"
  fi
  local types="$installed/share/mime/packages/folioteer.xml"
  xmllint --noout "$types" || fail "$types is not well-formed"
  # *.guide in any letter case: a glob without the "cs" flag.
  if command -v update-mime-database >/dev/null; then
    mkdir -p "$work/mime/packages"
    cp "$types" "$work/mime/packages/"
    update-mime-database "$work/mime" >/dev/null 2>&1 || fail "update-mime-database refuses $types"
    grep -qx '[0-9]*:text/x-amigaguide:\*\.guide' "$work/mime/globs2" ||
      fail "no case-insensitive *.guide in globs2: $(grep amigaguide "$work/mime/globs2")"
  else
    echo "note: update-mime-database is missing (Debian package shared-mime-info)"
  fi
  for page in "$installed"/share/man/man1/*.1.gz; do
    remarks=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [[ -z $remarks ]] || fail "man --warnings $page: $remarks"
    LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null | grep -q "^EXIT STATUS" || fail "$page has no EXIT STATUS"
  done
}

# The programs only read share/folioteer; installing over a read-only one fails and says where.
read_only_share() {
  local root=$1 prefix=$2
  local installed="$root$prefix"
  if ! can_be_user; then
    echo "note: skipped the read-only share/folioteer: root cannot become nobody here"
    return
  fi
  local home="$work/nobody" listing
  mkdir -p "$home"
  cp "$source/examples/Welcome.guide" "$home/"
  [[ $(id -u) == 0 ]] && chown -R nobody "$home"
  chmod -R a-w "$installed/share/folioteer"
  listing=$(ls -l --time-style=full-iso "$installed/share/folioteer")
  printf '%s\n' "SHOWNODE NodePos 0" "SPELLCHK On" "SPELLUSERADD Folioteer" "SAVE" ".button 0" >"$work/ro.script"
  # nobody's /tmp/folioteer-UID is shared with the platform tests: one at a time.
  local nobody_env=/tmp/folioteer-$(id -u nobody)
  (
    flock 9
    made_env=yes
    [[ -e $nobody_env ]] && made_env=""
    (cd "$home" && as_user env -i PATH="$installed/bin:/usr/bin:/bin" HOME="$home" timeout 60 folioteer \
      --batch "$work/ro.script" Welcome.guide NOMAKEICONS) >"$work/ro.out" 2>&1
    status=$?
    [[ -n $made_env ]] && rm -rf "$nobody_env"
    exit $status
  ) 9>>/tmp/folioteer-tests-nobody.lock || fail "with a read-only share/folioteer: $(cat "$work/ro.out")"
  grep -qix "Folioteer" "$home/.local/share/Folioteer/User.wordlist" ||
    fail "the added word is not in the user's own list: $(cat "$work/ro.out")"
  [[ $listing == "$(ls -l --time-style=full-iso "$installed/share/folioteer")" ]] ||
    fail "something was written into share/folioteer"
  chmod -R u+w "$installed/share/folioteer"
  # A copy the user owns but for share/folioteer (fresh times: cmake copies all).
  local own="$work/own dest"
  cp -R "$root" "$own"
  [[ $(id -u) == 0 ]] && chown -R nobody "$own"
  chmod -R a-w "$own$prefix/share/folioteer"
  if as_user test -r "$build/cmake_install.cmake"; then
    as_user env DESTDIR="$own" cmake --install "$build" --prefix "$prefix" >"$work/ro-install.log" 2>&1 &&
      fail "installing over a read-only share/folioteer succeeded"
    grep -q "share/folioteer" "$work/ro-install.log" ||
      fail "the failed install does not say where: $(tail -3 "$work/ro-install.log")"
  fi
}

missing_dictionary() {
  local installed=$1 here="$work/nodict"
  mkdir -p "$here"
  cp "$source/examples/Welcome.guide" "$here/"
  mv "$installed/share/folioteer/Dictionary.wordlist" "$work/Dictionary.wordlist.away"
  printf '%s\n' "SHOWNODE NodePos 0" "SPELLCHK On" ".print settings" ".button 0" >"$work/nodict.script"
  (cd "$here" && env -i PATH="$installed/bin:/usr/bin:/bin" HOME="$work/home" timeout 60 folioteer \
    --batch "$work/nodict.script" Welcome.guide) >"$work/nodict.out" 2>"$work/nodict.err"
  local status=$?
  [[ $status == 0 ]] || fail "without a dictionary the editor exited $status: $(cat "$work/nodict.err")"
  grep -qx "Folioteer: SpellChk: Unable to open Spell Dictionary wordfile" "$work/nodict.err" ||
    fail "no word on the missing dictionary: $(cat "$work/nodict.err")"
  grep -q "SPELLCHECKOFF" "$work/nodict.out" || fail "spell checking stayed on: $(cat "$work/nodict.out")"
  mv "$work/Dictionary.wordlist.away" "$installed/share/folioteer/Dictionary.wordlist"
}

package_case() {
  if ! command -v dpkg-shlibdeps >/dev/null; then
    echo "skipped: dpkg-shlibdeps is missing (Debian package dpkg-dev)"
    exit 77
  fi
  (cd "$work" && cpack -G DEB -B "$work/package" --config "$build/CPackConfig.cmake") >"$work/cpack.log" 2>&1 ||
    { fail "cpack: $(tail -5 "$work/cpack.log")"; return; }
  local deb
  deb=$(ls "$work"/package/folioteer_*.deb 2>/dev/null | head -1)
  [[ -n $deb ]] || { fail "no package: $(tail -5 "$work/cpack.log")"; return; }
  echo "$(basename "$deb"): $(du -k "$deb" | cut -f1) KB"
  dpkg-deb --info "$deb" >"$work/info" || fail "dpkg-deb --info $deb"
  grep '^ Depends:' "$work/info"
  local field
  for field in "Package: folioteer" "Version: 1.0" "Section: editors" "Maintainer: " \
    "Description: editor and viewer for AmigaGuide hypertext documents" "Recommends: qt6-wayland, xdg-utils"; do
    grep -qF " $field" "$work/info" || fail "the control file lacks \"$field\": $(cat "$work/info")"
  done
  local depends
  depends=$(grep '^ Depends:' "$work/info")
  for field in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6; do
    grep -q "[ ,]$field\b" <<<"$depends" || fail "Depends lacks $field: $depends"
  done
  dpkg-deb --contents "$deb" >"$work/contents" || fail "dpkg-deb --contents $deb"
  for file in "${our_files[@]}"; do
    grep -q " \./usr/$file\$" "$work/contents" || fail "the package lacks /usr/$file"
  done
  grep -v ' \./usr/\| \./$' "$work/contents" | grep . && fail "the package holds files outside /usr"
  grep -v ' root/root ' "$work/contents" | grep . && fail "the package holds files not owned by root"
}

case $case in
  installed) installed_case ;;
  package) package_case ;;
  *) echo "usage: install_test.sh BUILD_DIR SOURCE_DIR installed|package" >&2; exit 2 ;;
esac
exit $failed
