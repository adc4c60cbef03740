# Sourced by the export tests: a real FHIR R4 server on 127.0.0.1, @medplum/fhir-router 5.2.13
# with its in-memory repository (tests/fhir/fhir_server.mjs), installed from npm into the build
# folder on first use, run by the machine's Node (Debian's nodejs and npm when it has none).
#   start_fhir_server CONTROL_FOLDER [CERT KEY]
#                       starts it on a free port (fhir_port) over http, or https with the
#                       certificate; returns 1, and says why, when it cannot
#   stop_fhir_server    stops it
fhir_server_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

fhir_server_install() {
    local dir="$1"
    if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        echo "fhir-server: installing nodejs and npm"
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
            nodejs npm >/dev/null || return 1
    fi
    mkdir -p "$dir"
    cp "$fhir_server_root/tests/fhir/package.json" "$fhir_server_root/tests/fhir/fhir_server.mjs" "$dir/"
    [ -d "$dir/node_modules/@medplum/fhir-router" ] && return 0
    (cd "$dir" && npm install --no-audit --no-fund --loglevel=error >/dev/null) || {
        echo "fhir-server: npm could not install @medplum/fhir-router"
        return 1
    }
}

start_fhir_server() {
    local control="$1" cert="${2:-}" key="${3:-}"
    local dir="${FHIR_SERVER_DIR:-$fhir_server_root/build/fhir-server}"
    fhir_server_install "$dir" || return 1
    mkdir -p "$control"
    rm -f "$control/ready"
    fhir_port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    # Node 20 has WebSocket, which the router's package asks for, only behind this switch.
    local flags=()
    node --experimental-websocket -e '' 2>/dev/null && flags=(--experimental-websocket)
    (cd "$dir" && exec node "${flags[@]}" fhir_server.mjs "$control" "$fhir_port" $cert $key) \
        >"$control/server.log" 2>&1 &
    fhir_server_pid=$!
    for _ in $(seq 1 300); do
        [ -s "$control/ready" ] && return 0
        kill -0 "$fhir_server_pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "fhir-server: it did not start"
    cat "$control/server.log"
    stop_fhir_server
    return 1
}

stop_fhir_server() {
    [ -n "${fhir_server_pid:-}" ] && kill "$fhir_server_pid" 2>/dev/null && wait "$fhir_server_pid" 2>/dev/null
    fhir_server_pid=""
}
