#!/usr/bin/env bash
# scripts/setup's stages for a user without root or sudo, told the apt-get line, against a
# dpkg-query that finds nothing, so that nothing is installed.
set -euo pipefail
cd "$(dirname "$0")/../.."
check_name=setup-test
source scripts/lib/check.sh
work_folder

# A PATH with the tools setup uses, without sudo, and a dpkg-query that knows no package.
mkdir -p "$work/bin"
for tool in bash awk grep sort dirname id cat; do
  ln -s "$(command -v "$tool")" "$work/bin/$tool"
done
printf '#!/bin/sh\nexit 1\n' >"$work/bin/dpkg-query"
chmod +x "$work/bin/dpkg-query"
cp scripts/setup "$work/setup"
chmod -R a+rX "$work"
as_user() {
  if [ "$(id -u)" = 0 ]; then
    setpriv --reuid=nobody --regid=nogroup --clear-groups env -i PATH="$work/bin" "$@"
  else
    env -i PATH="$work/bin" "$@"
  fi
}

# stages, packages the line must name, packages it must not
cases=(
  "demo|qt6-base-dev xvfb openbox|wine valgrind lintian clang nsis"
  "build|cmake qt6-base-dev libgtest-dev|xvfb wine valgrind"
  "windows|wine nsis msitools wixl xvfb|valgrind lintian clang"
  "test|wine valgrind clang lintian python3-pyatspi bash-completion|"
  "build demo|cmake xvfb|wine"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r stages named unnamed <<<"$entry"
  status=0
  told=$(as_user bash "$work/setup" $stages 2>&1 >/dev/null) || status=$?
  [ "$status" = 1 ] || fail "setup $stages: status $status, not 1: $told"
  line=$(grep -x '  apt-get update && apt-get install -y --no-install-recommends .*' <<<"$told") ||
    fail "setup $stages tells no apt-get line: $told"
  for package in $named; do
    grep -qw -- "$package" <<<"$line" || fail "setup $stages does not name $package: $line"
  done
  for package in $unnamed; do
    ! grep -qw -- "$package" <<<"$line" || fail "setup $stages names $package: $line"
  done
done

status=0
as_user bash "$work/setup" bogus >/dev/null 2>&1 || status=$?
[ "$status" = 2 ] || fail "an unknown stage: status $status, not 2"
as_user VELMARON_SETUP_DONE=1 bash "$work/setup" bogus || fail "a run that scripts/test has set up"
echo "setup-test: passed"
