#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, once. A second call,
# with everything present, touches no package list and returns at once.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libbenchmark-dev googletest
  qt6-base-dev qt6-qpa-plugins
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine64 xvfb xauth locales fonts-wqy-microhei
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Wine takes its ANSI code page (936) from the locale it runs in.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
  "${sudo[@]}" sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo[@]}" locale-gen >/dev/null
fi
if ! locale -a 2>/dev/null | grep -qi '^en_US\.utf8$'; then
  "${sudo[@]}" sed -i 's/^# *en_US.UTF-8 UTF-8/en_US.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^en_US.UTF-8 UTF-8' /etc/locale.gen || echo 'en_US.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo[@]}" locale-gen >/dev/null
fi
