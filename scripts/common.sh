# Shared by the scripts: run scripts/deps when a package the build needs is missing.
ensure_deps() {
    local missing=0
    for pkg in cmake ninja-build qt6-base-dev qt6-serialport-dev fonts-ipafont-gothic dpkg-dev file; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing=1
        fi
    done
    if [ "$missing" -eq 1 ]; then
        "$(dirname "${BASH_SOURCE[0]}")/deps"
    fi
}
