# Shared by run.sh and test.sh: installs the Debian packages the build needs.
# qt6-translations-l10n: Qt's own dialogs in Chinese; dpkg-dev and desktop-file-utils:
# cpack's package dependencies and the desktop entry's check; poppler-utils: the printed
# report read back from PDF.
TUBALON_PACKAGES="cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite \
qt6-translations-l10n libgtest-dev libgmock-dev libbenchmark-dev fonts-wqy-zenhei \
fonts-liberation xvfb xauth dpkg-dev desktop-file-utils poppler-utils"

tubalon_install() {
    local missing=()
    for p in $TUBALON_PACKAGES "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq || true
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

tubalon_build() {
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
}
