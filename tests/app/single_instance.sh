#!/usr/bin/env bash
# The program as started: one running copy, which a second start hands its case to and then
# ends; and it always starts, whatever lies at its lock file or its side files ("Params.ini",
# "tubalon.ini", the pipe database, a case named on the command line), within bounded
# memory. Usage: single_instance.sh TUBALON STAGE_DIR
set -u
prog=$1
stage=$2
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
running=()
cleanup() {
    for p in "${running[@]}"; do kill -9 "$p" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A private program tree: the files beside this copy of the program are ours to spoil.
tree=$work/tree
mkdir -p "$tree/bin" "$tree/Data" "$tree/Doc"
cp "$prog" "$tree/bin/tubalon"
cp "$stage/bin/PropLib.cds" "$tree/bin/"
cp "$stage/Data/Piples.db" "$tree/Data/"
cp "$stage/Doc/"* "$tree/Doc/" 2>/dev/null
bin=$tree/bin/tubalon
pristine=$work/pristine
cp -a "$tree" "$pristine"

stale=""
# Starts a first copy in runtime folder $1 with arguments $2...; sets $first.
start() {
    local rt=$1; shift
    XDG_RUNTIME_DIR=$rt "$bin" "$@" >"$rt.out" 2>"$rt.err" &
    first=$!
    running+=("$first")
}
# A second start in runtime folder $1 (arguments $2...) must be answered by the first copy
# and end at once: that the first answers shows its window is up and its loop runs.
second() {
    local rt=$1; shift
    local err rc
    err=$(XDG_RUNTIME_DIR=$rt timeout 60 "$bin" "$@" 2>&1 >/dev/null); rc=$?
    [ $rc -eq 0 ] || fail "second start: exit $rc (124: it did not end): $err; first copy: $(grep -v "does not support" "$rt.err" | tail -5)"
    case $err in *已经在运行*) ;; *) fail "second start was not answered: $err" ;; esac
    printf '%s\n' "$err"
}
# The first copy is up: it has its socket, still runs, and answers a second start.
up() {
    local rt=$1 what=$2
    # A socket left by a killed copy does not count: the new copy makes its own.
    for _ in $(seq 300); do
        [ -S "$rt/Tubalon.socket" ] && [ "$(stat -c %i "$rt/Tubalon.socket")" != "$stale" ] && break
        kill -0 "$first" 2>/dev/null || fail "$what: the program ended: $(cat "$rt.err")"
        sleep 0.1
    done
    [ -S "$rt/Tubalon.socket" ] || fail "$what: no socket after 30 s"
    second "$rt" >/dev/null
    kill -0 "$first" 2>/dev/null || fail "$what: the first copy ended"
    # Peak memory of the first copy stays far below a side file's size.
    local peak
    peak=$(awk '/VmHWM/ {print $2}' "/proc/$first/status")
    [ "$peak" -lt 204800 ] || fail "$what: $((peak / 1024)) MB of memory"
}
stop() {
    kill "$first" 2>/dev/null
    wait "$first" 2>/dev/null
}
runtime() {
    local rt
    rt=$(mktemp -d "$work/rt.XXXXXX")
    chmod 700 "$rt"
    echo "$rt"
}

# A second copy ends at once, handing its case over; a copy killed leaves its lock and its
# socket behind, and the next start still runs.
rt=$(runtime)
start "$rt"
up "$rt" "plain start"
msg=$(second "$rt" "$work/some case.cdp")
case $msg in *"已请它打开"*"some case.cdp"*) ;; *) fail "the case was not handed over: $msg" ;; esac
kill -9 "$first"; wait "$first" 2>/dev/null
stale=$(stat -c %i "$rt/Tubalon.socket")
start "$rt"
up "$rt" "after a killed copy"
stale=""
stop

# Whatever lies at the lock file.
for variant in empty garbled "other host" folder; do
    rt=$(runtime)
    case $variant in
        empty) : >"$rt/Tubalon.lock" ;;
        garbled) printf '\001\002zz\n' >"$rt/Tubalon.lock" ;;
        "other host") printf '4242\ntubalon\nfar-away\n' >"$rt/Tubalon.lock" ;;
        folder) mkdir -p "$rt/Tubalon.lock/inside" ;;
    esac
    start "$rt"
    up "$rt" "lock: $variant"
    grep -q "锁文件" "$rt.err" || fail "lock: $variant: no note on standard error"
    stop
done

# Whatever lies at the side files: a FIFO, or a file of 200 MB (sparse).
for variant in "fifo Params.ini" "fifo tubalon.ini" "fifo Piples.db" "fifo PropLib.cds" "huge Params.ini" \
    "huge tubalon.ini" "huge PropLib.cds" "fifo case" "huge case"; do
    rm -rf "$tree"
    cp -a "$pristine" "$tree"
    set -- $variant
    case $2 in
        Piples.db) target=$tree/Data/Piples.db ;;
        case) target=$work/case.cdp ;;
        *) target=$tree/bin/$2 ;;
    esac
    rm -f "$target"
    if [ "$1" = fifo ]; then mkfifo "$target"; else truncate -s 200M "$target"; fi
    rt=$(runtime)
    if [ "$2" = case ]; then start "$rt" "$target"; else start "$rt"; fi
    up "$rt" "$variant"
    stop
    rm -f "$target"
done
echo ok
