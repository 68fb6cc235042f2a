# Sourced by the scripts that take files from Debian's source packages. Declares:
#   debian_source_apt STATE   sets the array DEBIAN_APT to an apt-get command with a private
#                             deb-src list of the release's main archive and private state under
#                             STATE; the system's apt configuration and state stay as they are.
#   debian_source_update      fetches the private source index.
#   debian_source_version PACKAGE
#                             the version apt would fetch, from the index already there.
#   debian_source_fetch DIR PACKAGE[=VERSION]...
#                             downloads those source packages into DIR without unpacking them.

debian_source_apt() {
  local state=$1 codename
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  mkdir -p "$state/lists/partial" "$state/cache/archives/partial"
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
    "http://deb.debian.org/debian $codename main" >"$state/sources.list"
  DEBIAN_APT=(apt-get -q -o Dir::Etc::SourceList="$state/sources.list" -o Dir::Etc::SourceParts=/dev/null
              -o Dir::State::Lists="$state/lists" -o Dir::Cache="$state/cache"
              -o APT::Sandbox::User="$(id -un)")
}

debian_source_update() {
  "${DEBIAN_APT[@]}" update >&2
}

debian_source_version() {
  # The .dsc name carries the version without its epoch; the index line has it whole.
  "${DEBIAN_APT[@]}" source --print-uris "$1" 2>/dev/null |
    sed -n "s/^'[^']*' $1_\([^ ]*\)\.dsc .*/\1/p"
}

debian_source_fetch() {
  local dir=$1
  shift
  mkdir -p "$dir"
  (cd "$dir" && "${DEBIAN_APT[@]}" source --download-only "$@" >&2)
}
