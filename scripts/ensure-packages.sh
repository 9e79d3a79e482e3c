# Sourced by the project's commands. ensure_packages PKG... installs the
# Debian packages that are missing when run as root, and otherwise names
# them and stops.

# What the windows preset needs to configure, build and test: the
# cross-compiler, Wine, and the tools of the end-to-end and release tests.
windows_packages=(cmake make python3 git g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine64
    openssl osslsigncode unzip)
ensure_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null; then
        echo "Missing packages: ${missing[*]}" >&2
        echo "Install them (apt-get install ${missing[*]}) or run this command as root." >&2
        exit 1
    fi
    echo "Installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}" >/dev/null
}
