#!/usr/bin/env bash
# Prepares Debian's 32-bit Wine, so the shipped i686 build's tests run for real, on machines
# whose kernel runs 32-bit code. The host's apt cannot install wine32:i386 beside its amd64
# system, so a minimal Debian tree is made with debootstrap and used only as a library root:
# programs still run on the host, through the tree's 32-bit loader (cmake/wine32.sh).
#
#   tree:   $ZORV_WINE32_ROOT (default /var/cache/zorvgame/wine32), about 1.6 GB
#   status: <tree>.status, one line: "ready <wine version>" or "unavailable: <reason>"
#   remove: rm -rf /var/cache/zorvgame/wine32 /var/cache/zorvgame/wine32.status
#
# Idempotent: a ready tree with the host's Wine version costs nothing. Never fails the caller:
# a machine that cannot run 32-bit code or cannot prepare the tree gets a status line saying why.
set -uo pipefail

root="${ZORV_WINE32_ROOT:-/var/cache/zorvgame/wine32}"
status_file="$root.status"
mkdir -p "$(dirname "$root")"

say() {
  echo "$1" >"$status_file"
  echo "setup-wine32: $1"
}

host_wine_version() {
  dpkg-query -W -f='${Version}' wine64 2>/dev/null
}

tree_wine_version() {
  dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${Version}' wine32:i386 2>/dev/null
}

# A two-instruction static i386 program: exit 0 proves the kernel runs 32-bit code.
kernel_runs_32bit_code() {
  local dir
  dir=$(mktemp -d)
  printf '.globl _start\n_start:\n movl $1, %%eax\n xorl %%ebx, %%ebx\n int $0x80\n' >"$dir/probe.s"
  local ok=1
  if as --32 -o "$dir/probe.o" "$dir/probe.s" 2>/dev/null &&
    ld -m elf_i386 -o "$dir/probe" "$dir/probe.o" 2>/dev/null &&
    "$dir/probe" 2>/dev/null; then
    ok=0
  fi
  rm -rf "$dir"
  return $ok
}

# The machine's own Debian mirror, read from its apt sources at run time.
debian_mirror() {
  local uri
  uri=$(grep -hE '^URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null |
    awk '{print $2}' | grep -v -- '-security' | head -n1)
  if [ -z "$uri" ]; then
    uri=$(grep -hE '^deb ' /etc/apt/sources.list 2>/dev/null | awk '{print $2}' |
      grep -v -- '-security' | head -n1)
  fi
  echo "$uri"
}

build_tree() {
  local mirror="$1" work="$root.partial"
  # A run that was stopped half-way may have left proc mounted in its tree.
  umount "$work/proc" 2>/dev/null
  rm -rf "$work"
  mkdir -p "$work"
  if ! command -v debootstrap >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap \
      >/dev/null || return 1
  fi
  echo "setup-wine32: making a bookworm tree in $work (about 80 s, once)"
  debootstrap --variant=minbase --arch=amd64 bookworm "$work" "$mirror" >"$work.log" 2>&1 ||
    return 1
  # No security suite: the tree's 32-bit Wine must match the host's 64-bit one exactly.
  printf 'deb %s bookworm main\ndeb %s bookworm-updates main\n' "$mirror" "$mirror" \
    >"$work/etc/apt/sources.list"
  mount -t proc proc "$work/proc" || return 1
  local ok=0
  {
    chroot "$work" dpkg --add-architecture i386 &&
      chroot "$work" apt-get update -qq &&
      DEBIAN_FRONTEND=noninteractive chroot "$work" apt-get install -y -qq \
        --no-install-recommends "wine32:i386=$(host_wine_version)" &&
      chroot "$work" apt-get clean
  } >>"$work.log" 2>&1 || ok=1
  umount "$work/proc"
  [ $ok -eq 0 ] || return 1
  rm -rf "$root" "$work.log"
  mv "$work" "$root"
}

main() {
  if [ -x "$root/usr/lib/wine/wine" ] && [ "$(tree_wine_version)" = "$(host_wine_version)" ]; then
    say "ready $(tree_wine_version)"
    return 0
  fi
  if ! kernel_runs_32bit_code; then
    say "unavailable: this machine's kernel runs no 32-bit code"
    return 0
  fi
  if [ "$(id -u)" -ne 0 ]; then
    say "unavailable: preparing 32-bit Wine needs root (debootstrap, chroot)"
    return 0
  fi
  if [ -z "$(host_wine_version)" ]; then
    say "unavailable: the host has no wine64 package"
    return 0
  fi
  local mirror
  mirror=$(debian_mirror)
  if [ -z "$mirror" ]; then
    say "unavailable: no Debian mirror in the machine's apt sources"
    return 0
  fi
  if ! build_tree "$mirror"; then
    say "unavailable: the 32-bit Wine tree could not be prepared (see $root.partial.log)"
    return 0
  fi
  say "ready $(tree_wine_version)"
}

main
exit 0
