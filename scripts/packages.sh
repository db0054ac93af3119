# Installs missing Debian packages, as root or through sudo. Sourced by
# build.sh and the scripts it runs.

as_root() {
  if [ "$(id -u)" = 0 ]; then
    "$@"
  elif command -v sudo > /dev/null; then
    sudo "$@"
  else
    echo "$(basename "$0"): installing packages needs root; run it as root or install sudo" >&2
    exit 1
  fi
}

apt_updated=0
need_packages() {  # package...
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "== Installing ${missing[*]}"
  if [ $apt_updated = 0 ]; then as_root apt-get update -qq; apt_updated=1; fi
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
