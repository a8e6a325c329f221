#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Velatask need.
# Only missing packages are installed; running it again changes nothing.
set -euo pipefail

packages=(
  # build; the icon's pictures are drawn from its SVG file; the Debian package (dpkg-shlibdeps)
  cmake ninja-build g++ pkg-config librsvg2-bin dpkg-dev
  # Qt 6 (Widgets, Sql, PrintSupport, DBus, Test come with qt6-base-dev)
  qt6-base-dev libqt6sql6-sqlite qt6-multimedia-dev qt6-svg-dev libqt6svg6
  # X11 key playback and window control
  libx11-dev libxtst-dev libxkbcommon-dev
  # SQLite: the filter functions are installed through its C interface; the command line lets
  # users inspect their data file
  libsqlite3-dev sqlite3
  # the store on a PostgreSQL server: Qt's driver; the server programs run a private server
  # for the tests
  libqt6sql6-psql postgresql
  # desktop integration at run time; a sans-serif font for printed reports
  xdg-utils fonts-dejavu-core
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils x11-apps jwm dbus-daemon dbus-x11 faketime sox imagemagick
  # reading the text and page count of printed reports (PDF); checking the desktop entry
  poppler-utils desktop-file-utils
  # fuzz targets: clang with the libFuzzer runtime
  clang-14 libclang-rt-14-dev
  # the accessibility bus and its Python client: reading the windows as a screen reader does
  at-spi2-core python3-pyatspi
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
  sudo_cmd=(sudo)
fi
apt_install() {
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@"
}
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q

# A PostgreSQL server package installed for the first time creates a cluster of its own and
# starts it on localhost:5432. The tests run a private server on a Unix socket instead, so when
# no server version is installed yet, the package comes without that cluster (the setting is
# switched off only during this installation). A server the user already has is left alone.
cluster_conf=/etc/postgresql-common/createcluster.conf
if [[ " ${missing[*]} " == *" postgresql "* ]] && ! compgen -G '/usr/lib/postgresql/*/bin/postgres' >/dev/null; then
  apt_install postgresql-common
  "${sudo_cmd[@]}" cp -p "$cluster_conf" "$cluster_conf.velatask-saved"
  restore_cluster_conf() {
    "${sudo_cmd[@]}" mv -f "$cluster_conf.velatask-saved" "$cluster_conf"
  }
  trap restore_cluster_conf EXIT
  "${sudo_cmd[@]}" pg_conftool "$cluster_conf" set create_main_cluster false
fi
apt_install "${missing[@]}"
