#!/usr/bin/env bash
# Installs what the three builds and their tests need, idempotently.
# On Debian 12 as root it installs everything itself; elsewhere it prints what is missing.
set -euo pipefail

need_cmds=(cmake g++ i686-w64-mingw32-g++-posix i686-w64-mingw32-objdump i686-w64-mingw32-nm wine)
have_all() {
  for c in "${need_cmds[@]}"; do command -v "$c" >/dev/null || return 1; done
  [ -f /usr/src/googletest/CMakeLists.txt ] || return 1
  [ -f /usr/include/benchmark/benchmark.h ] || return 1
  [ -f /usr/include/CLI/CLI.hpp ] || return 1
  [ -d /usr/lib/gcc/x86_64-linux-gnu/12/32 ] || return 1
  dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed' || return 1
  return 0
}

is_debian12() { [ -r /etc/os-release ] && . /etc/os-release && [ "${ID:-}" = debian ] && [ "${VERSION_ID:-}" = 12 ]; }

install_packages() {
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  if ! grep -rqs 'bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    echo 'deb http://deb.debian.org/debian bookworm-backports main' > /etc/apt/sources.list.d/bookworm-backports.list
  fi
  apt-get update -q
  apt-get install -y -q cmake g++ g++-multilib g++-mingw-w64-i686 binutils-mingw-w64-i686 \
    googletest libbenchmark-dev libcli11-dev
  apt-get install -y -q -t bookworm-backports qemu-user
  apt-get install -y -q wine wine32:i386
}

# A 32-bit x86 program runs natively or through qemu-user registered with binfmt_misc.
can_run_i386() {
  local dir; dir=$(mktemp -d)
  printf 'int main(void){return 0;}\n' > "$dir/t.c"
  gcc -m32 "$dir/t.c" -o "$dir/t" 2>/dev/null && "$dir/t" 2>/dev/null
  local rc=$?; rm -rf "$dir"; return $rc
}

register_qemu_i386() {
  local qemu=/usr/bin/qemu-i386
  [ -x "$qemu" ] || { echo "setup: $qemu is missing" >&2; return 1; }
  [ -e /proc/sys/fs/binfmt_misc/register ] || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  local entry=/proc/sys/fs/binfmt_misc/qemu-i386
  [ -e "$entry" ] && echo -1 > "$entry"
  echo ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F' \
    > /proc/sys/fs/binfmt_misc/register
}

if ! have_all; then
  if is_debian12 && [ "$(id -u)" = 0 ]; then
    install_packages
  else
    echo "setup: missing tools. Install: cmake, g++ with 32-bit multilib, mingw-w64 for i686 (posix threads)," >&2
    echo "       googletest sources, Google Benchmark, CLI11, wine with 32-bit support, and a way to run i386 programs." >&2
    exit 1
  fi
fi

if ! can_run_i386; then
  if [ "$(id -u)" = 0 ]; then
    if ! qemu-i386 --version 2>/dev/null | grep -Eq 'version (9|[1-9][0-9])\.'; then
      install_packages
    fi
    register_qemu_i386
  fi
  can_run_i386 || { echo "setup: 32-bit programs cannot run here" >&2; exit 1; }
fi
