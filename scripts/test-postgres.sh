# Sourced by the test script after test-session.sh (and by the benchmark script): starts a
# private PostgreSQL server for the tests of the server store, in a temporary folder and
# listening only on a Unix socket there (never on a network address; port 5432 only names the
# socket, whatever PGPORT says), and
# exports that folder as VELATASK_TEST_PGHOST. The server is stopped and its folder removed when
# the calling script exits. A cluster of the system's own (Debian's 15/main) is neither used nor
# touched. Without the server programs nothing is started, and the tests that need a server skip
# themselves.

pg_bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [[ -n $pg_bin && -x $pg_bin/pg_ctl ]]; then
    pg_dir=$(mktemp -d /tmp/velatask-pg.XXXXXX)
    # initdb and the server refuse to run as root: run them as the package's own system user.
    pg_as=()
    if [[ $(id -u) -eq 0 ]]; then
        chown postgres: "$pg_dir"
        pg_as=(runuser -u postgres --)
    fi
    stop_private_postgres() {
        "${pg_as[@]}" "$pg_bin/pg_ctl" -D "$pg_dir/data" -m fast stop >/dev/null 2>&1 || true
        rm -rf "$pg_dir"
    }
    session_cleanups+=(stop_private_postgres)
    if "${pg_as[@]}" "$pg_bin/initdb" -D "$pg_dir/data" -A trust -U postgres \
            >"$pg_dir/initdb.log" 2>&1 &&
        "${pg_as[@]}" "$pg_bin/pg_ctl" -D "$pg_dir/data" -w -l "$pg_dir/server.log" \
            -o "-k $pg_dir -p 5432 -c listen_addresses=''" start >/dev/null; then
        export VELATASK_TEST_PGHOST=$pg_dir
    else
        echo "test-postgres.sh: the private PostgreSQL server did not start; see $pg_dir" >&2
    fi
fi
