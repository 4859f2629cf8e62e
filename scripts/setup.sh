#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test ZORVgame.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang-format
  g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine64 nasm googletest libjpeg-dev libbenchmark-dev dpkg-dev debootstrap
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# libjpeg-turbo's source for the MinGW builds, which cross-build it (cmake/ZorvJpeg.cmake).
# Taken from Debian's source package through a deb-src list of our own that names the machine's
# own mirror; the tarball is kept outside every build folder.
jpeg_cache=/var/cache/zorvgame
jpeg_tarball="$jpeg_cache/libjpeg-turbo_2.1.5.orig.tar.gz"
if [ ! -f "$jpeg_tarball" ]; then
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  mirror=$(sed -nE 's/^URIs:[[:space:]]*([^[:space:]]+).*/\1/p' /etc/apt/sources.list.d/*.sources \
             2>/dev/null | grep -v -- '-security' | head -n1 || true)
  if [ -z "$mirror" ] && [ -f /etc/apt/sources.list ]; then
    mirror=$(sed -nE 's/^deb[[:space:]]+(\[[^]]*\][[:space:]]+)?([^[:space:]]+)[[:space:]]+bookworm[[:space:]].*/\2/p' \
               /etc/apt/sources.list | head -n1)
  fi
  if [ -z "$mirror" ]; then
    echo "setup: no Debian mirror in the apt sources; cannot fetch libjpeg-turbo's source" >&2
    exit 1
  fi
  echo "setup: fetching libjpeg-turbo's source from $mirror"
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/lists/partial"
  echo "deb-src $mirror bookworm main" >"$work/sources.list"
  apt_opts=(-o "Dir::Etc::sourcelist=$work/sources.list" -o Dir::Etc::sourceparts=/nonexistent
            -o "Dir::State::Lists=$work/lists" -o APT::Sandbox::User=root)
  $sudo_cmd apt-get "${apt_opts[@]}" update -qq
  (cd "$work" && $sudo_cmd apt-get "${apt_opts[@]}" source --download-only -qq libjpeg-turbo)
  $sudo_cmd mkdir -p "$jpeg_cache"
  $sudo_cmd cp "$work"/libjpeg-turbo_2.1.5.orig.tar.gz "$jpeg_tarball"
fi

# 32-bit Wine for the i686 build's tests, where this machine can have it.
bash "$(dirname "$0")/setup-wine32.sh"
