# Debian packages the build, the tests and the program need.
PACKAGES="cmake g++ make qt6-base-dev qt6-serialport-dev libqt6serialport6-dev libsqlite3-dev libjpeg-dev \
libgtest-dev fonts-noto-cjk qt6-translations-l10n xvfb xauth"

# Kitchen tickets: the printer layer asks CUPS whether a queue accepts jobs; the
# tests print on a private CUPS service with cups-pdf queues.
PACKAGES="$PACKAGES libcups2-dev cups printer-driver-cups-pdf"

install_deps() {
    local missing=()
    for p in $PACKAGES; do
        dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}
