# Fetches the source of a Debian package through apt, with deb-src entries derived
# from this machine's own apt sources. The entries and the index files live in a
# folder of our own (passed to apt with -o Dir::...), so the system's apt
# configuration is left as it was. apt checks the download against the .dsc's
# signed hashes, and dpkg-source checks them again when it unpacks.
# Sourced by scripts/build-windows; VANTOR_CACHE must be set.

vantor_apt_dir() { echo "$VANTOR_CACHE/apt"; }

# Writes deb-src twins of every enabled deb entry (one-line and deb822 forms).
vantor_apt_write_sources() {
  local dir f
  dir=$(vantor_apt_dir)
  mkdir -p "$dir/sources.list.d" "$dir/lists/partial"
  : >"$dir/sources.list"
  [ -f /etc/apt/sources.list ] &&
    sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' /etc/apt/sources.list >"$dir/sources.list"
  rm -f "$dir/sources.list.d/"*
  for f in /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f" >"$dir/sources.list.d/$(basename "$f")"
  done
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && sed 's/^Types:.*$/Types: deb-src/' "$f" >"$dir/sources.list.d/$(basename "$f")"
  done
}

vantor_apt() {
  local dir
  dir=$(vantor_apt_dir)
  apt-get -o Dir::Etc::SourceList="$dir/sources.list" -o Dir::Etc::SourceParts="$dir/sources.list.d" \
    -o Dir::State::Lists="$dir/lists" -o Dir::Cache="$dir/cache" -o APT::Sandbox::User=root "$@"
}

# vantor_fetch_source PACKAGE VERSION DEST: unpacks PACKAGE=VERSION's source into
# DEST (a folder of its own), unless it is there already.
vantor_fetch_source() {
  local package=$1 version=$2 dest=$3 work
  [ -f "$dest/.unpacked" ] && return 0
  vantor_apt_write_sources
  mkdir -p "$(vantor_apt_dir)/cache"
  vantor_quietly vantor_apt update
  work=$(mktemp -d "$VANTOR_CACHE/source.XXXXXX")
  (cd "$work" && vantor_quietly vantor_apt source -qq "$package=$version")
  rm -rf "$dest"; mkdir -p "$(dirname "$dest")"
  mv "$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n 1)" "$dest"
  rm -rf "$work"
  touch "$dest/.unpacked"
}
