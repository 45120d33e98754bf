#!/bin/sh
# Installs the Debian packages the build and the tests need, once.
set -e
PACKAGES="cmake g++ make googletest libgtest-dev libbenchmark-dev nlohmann-json3-dev qt6-base-dev xvfb xauth"
# The windows of kiv4: Qt 6 Widgets and a Japanese font to render the texts.
PACKAGES="$PACKAGES fonts-ipafont-gothic"
# Clang: the second compiler of CI and the fuzz targets (libFuzzer).
PACKAGES="$PACKAGES clang"
# Qt's own Japanese texts for the standard dialogs of kiv4.
PACKAGES="$PACKAGES qt6-translations-l10n"
# The Debian package (cpack -G DEB): its library dependencies and its check.
PACKAGES="$PACKAGES dpkg-dev lintian"
# ccache: rebuilds of unchanged sources (several build trees, CI) come from its cache.
PACKAGES="$PACKAGES ccache"
# strace: the tests that kill a data set build at a chosen system call.
PACKAGES="$PACKAGES strace"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
