#!/usr/bin/env bash
# Erasing as administrator end to end: zarvok-erase --admin run by an unprivileged user asks a
# real polkitd, on a private system bus, through the real (setuid) pkexec, under the installed
# polkit action. In a private mount namespace: a tmpfs on /run/dbus for the bus, the installed
# action beside the system's in /usr/share/polkit-1/actions, a rules file that answers yes for
# the test user (nobody) only and no for daemon, and a password database with one more user
# whose home folder lies in the test's folder. Nothing outside the test's folders and a few
# canary folders (/zarvok-canary-*, /usr/local/share/..., /etc/..., /run/...) is touched.
if [ -z "${ZARVOK_POLKIT_NAMESPACE:-}" ]; then
    skip() { echo "SKIP: $*"; exit 77; }
    [ "$(id -u)" = 0 ] || skip "needs root, to start polkitd and a system bus in a private mount namespace"
    for tool in unshare setpriv dbus-daemon pkexec pkaction; do
        command -v "$tool" >/dev/null || skip "$tool is missing (Debian packages util-linux, dbus-daemon, pkexec, polkitd)"
    done
    [ -x /usr/lib/polkit-1/polkitd ] || skip "polkitd is missing (Debian package polkitd)"
    [ -u "$(command -v pkexec)" ] || skip "pkexec is not setuid root here"
    unshare --mount --propagation private true 2>/dev/null || skip "cannot make a private mount namespace here"
    ZARVOK_POLKIT_NAMESPACE=1 exec unshare --mount --propagation private bash "$0" "$@"
fi

source "$(dirname "$0")/lib.sh"
skip() { echo "SKIP: $*"; exit 77; }
chmod 755 "$WORK"
CANARY=zarvok-canary-$$
daemons=()
cleanup() {
    local status=$?
    set +e
    for pid in "${daemons[@]}"; do kill "$pid" 2>/dev/null; done
    for pid in "${daemons[@]}"; do wait "$pid" 2>/dev/null; done
    umount "$WORK/trees/mnt" "$WORK/trees/withmount/inside" 2>/dev/null
    [ -n "${NS_HOLDER:-}" ] && kill "$NS_HOLDER" 2>/dev/null
    rm -rf "/$CANARY" "/usr/local/share/$CANARY" "/etc/$CANARY" "/run/$CANARY" "/var/lib/$CANARY" "/var/tmp/$CANARY" \
        "/opt/$CANARY" "/root/$CANARY" "$WORK"
    exit "$status"
}
trap cleanup EXIT

cmake --install "$BUILD" --prefix "$WORK/prefix" >"$WORK/install.log" || fail "install: $(cat "$WORK/install.log")"
TOOL="$WORK/prefix/bin/zarvok-erase"
ACTION=$(python3 -c 'import sys, xml.etree.ElementTree as ET; print(ET.parse(sys.argv[1]).getroot().find("action").get("id"))' \
    "$WORK/prefix/share/polkit-1/actions/$APP_ID.policy")

# polkit's files as this test wants them, seen inside the namespace only.
mkdir -p "$WORK/actions" "$WORK/rules" "$WORK/homes/zarvoktest/files"
cp /usr/share/polkit-1/actions/* "$WORK/actions/" 2>/dev/null || true
cp "$WORK/prefix/share/polkit-1/actions/$APP_ID.policy" "$WORK/actions/"
cat >"$WORK/rules/10-zarvok-test.rules" <<RULES
polkit.addRule(function(action, subject) {
    if (action.id == "$ACTION" && subject.user == "nobody")
        return polkit.Result.YES;
    if (subject.user == "daemon")
        return polkit.Result.NO;
    if (action.id == "$ACTION" && subject.user == "sys")
        return polkit.Result.AUTH_SELF;
});
RULES
chmod -R a+rX "$WORK/actions" "$WORK/rules"
cp /etc/passwd "$WORK/passwd"
echo "zarvoktest:x:60123:60123:Zarvok test:$WORK/homes/zarvoktest:/usr/sbin/nologin" >>"$WORK/passwd"
chmod 644 "$WORK/passwd"
mount -t tmpfs -o mode=755 zarvok-test-bus /run/dbus || skip "cannot mount a tmpfs on /run/dbus"
mount --bind "$WORK/actions" /usr/share/polkit-1/actions
mkdir -p /etc/polkit-1/rules.d && mount --bind "$WORK/rules" /etc/polkit-1/rules.d
mount --bind "$WORK/passwd" /etc/passwd

cat >"$WORK/bus.conf" <<'BUS'
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=/run/dbus/system_bus_socket</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow receive_sender="*"/>
  </policy>
</busconfig>
BUS
dbus-daemon --config-file="$WORK/bus.conf" --nofork --nopidfile 2>"$WORK/bus.log" &
daemons+=($!)
start_polkitd() {
    /usr/lib/polkit-1/polkitd --no-debug >"$WORK/polkitd.log" 2>&1 &
    POLKITD=$!
    daemons+=($POLKITD)
    for _ in $(seq 100); do
        pkaction --action-id "$ACTION" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}
for _ in $(seq 50); do [ -S /run/dbus/system_bus_socket ] && break; sleep 0.1; done
[ -S /run/dbus/system_bus_socket ] || skip "dbus-daemon --system did not start: $(cat "$WORK/bus.log")"
start_polkitd || skip "polkitd did not start or does not know $ACTION: $(cat "$WORK/polkitd.log")"
echo "polkitd runs on a private system bus and knows $ACTION"

# One user's run, as `user`, with a terminal-less, minimal environment as a desktop gives it.
as_user() {
    local user=$1; shift
    local uid gid
    uid=$(id -u "$user") gid=$(id -g "$user")
    env -i PATH=/usr/bin:/bin HOME=/nonexistent SHELL=/bin/sh LANG=C.UTF-8 \
        setpriv --reuid="$uid" --regid="$gid" --clear-groups "$@" </dev/null
}
run_tool() { # user args... -> $status, $said
    local user=$1; shift
    status=0
    said=$(as_user "$user" "$TOOL" "$@" 2>&1) || status=$?
}
run_report() { # user args... -> $status, $said (standard error), $report (the records)
    local user=$1; shift
    status=0
    report=$(as_user "$user" "$TOOL" --report=json "$@" 2>"$WORK/said") || status=$?
    said=$(cat "$WORK/said")
}
has_record() { # text-part what
    [[ "$report" == *"$1"* ]] || fail "$2: the records say '$report', not '$1'"
}
expect() { # status text-part what
    [ "$status" = "$1" ] || fail "$3: exit status $status, not $1: $said"
    [[ "$said" == *"$2"* ]] || fail "$3: said '$said', not '$2'"
    echo "ok: $3"
}
# A folder the user may not empty: the user's own, holding a root-owned folder of files.
locked_tree() {
    mkdir -p "$1/owned/deep"
    touch "$1/owned/a" "$1/owned/deep/b" "$1/mine"
    chown "$(id -u nobody):$(id -g nobody)" "$1" "$1/mine"
}
intact() { [ -e "$1" ] || fail "$2: $1 was touched"; }
as_root() { status=0; said=$(env -i PATH=/usr/bin:/bin HOME=/root "$TOOL" "$@" 2>&1 </dev/null) || status=$?; }

mkdir -p "$WORK/trees" && chmod 755 "$WORK/trees"

locked_tree "$WORK/trees/locked"
run_tool nobody "$WORK/trees/locked"
expect 1 "Permission denied" "as the user, a folder of root's leftovers is not fully erased"
intact "$WORK/trees/locked/owned/deep/b" "the user's own run"

run_tool nobody --admin "$WORK/trees/locked"
expect 0 "" "--admin: polkit says yes for the test user, and the folder is erased as root"
[ ! -e "$WORK/trees/locked" ] || fail "--admin left $(find "$WORK/trees/locked")"

locked_tree "$WORK/trees/two" && locked_tree "$WORK/trees/three"
run_report nobody --admin --progress "$WORK/trees/two" "$WORK/trees/three/"
expect 0 "entries removed" "--admin with two folders and --progress"
has_record "{\"path\":\"$WORK/trees/two\",\"outcome\":\"erased\",\"removed\":6," "root's records reach the user's side"
has_record "{\"path\":\"$WORK/trees/three/\",\"outcome\":\"erased\"" "root's records reach the user's side"
[ ! -e "$WORK/trees/two" ] && [ ! -e "$WORK/trees/three" ] || fail "--admin left one of two folders"

# Refusals as root: each folder stays as it was, and says why.
locked_tree "$WORK/trees/kept"
(cd "$WORK/trees" && run_tool nobody --admin kept; expect 1 "with --admin a path must be absolute" "a relative path is refused before polkit is asked")
intact "$WORK/trees/kept/owned/a" "a relative path"
run_tool nobody --admin /
expect 1 "the file-system root is never erased" "the root"
mkdir -p "/$CANARY/inside" "/usr/local/share/$CANARY/inside" "/etc/$CANARY/inside" "/run/$CANARY/inside"
run_tool nobody --admin "/$CANARY"
expect 1 "a top-level folder (one directly under /) is never erased as administrator" "a top-level folder"
intact "/$CANARY/inside" "a top-level folder"
for system in /usr /etc /run; do
    folder=$system/$CANARY
    [ "$system" = /usr ] && folder=/usr/local/share/$CANARY
    run_tool nobody --admin "$folder"
    expect 1 "it lies in $system, which is never erased as administrator" "a folder in $system"
    intact "$folder/inside" "a folder in $system"
done
run_tool nobody --admin "/usr/local/share/$CANARY/../$CANARY/inside"
expect 1 "it lies in /usr" "a path through .. into /usr"
ln -s /etc "$WORK/trees/etc-link"
run_tool nobody --admin "$WORK/trees/etc-link/$CANARY"
expect 1 "it lies in /etc" "a linked parent into /etc"
run_tool nobody --admin "$WORK/homes/zarvoktest"
expect 1 "it is the home folder of zarvoktest" "a user's home folder (from the password database)"
run_tool nobody --admin "$WORK/homes/"
expect 1 "it holds the home folder of zarvoktest" "a folder that holds a home folder"
intact "$WORK/homes/zarvoktest/files" "a home folder"
locked_tree "$WORK/trees/target"
ln -s "$WORK/trees/target" "$WORK/trees/link"
run_tool nobody --admin "$WORK/trees/link"
expect 1 "is a symbolic link, not a folder" "a link as the path"
run_tool nobody --admin "$WORK/trees/link/"
expect 1 "is a symbolic link, not a folder" "a link with a trailing separator"
intact "$WORK/trees/target/owned/deep/b" "a link"
mkdir -p "$WORK/trees/mnt" && mount -t tmpfs -o size=1m zarvok-test "$WORK/trees/mnt" && touch "$WORK/trees/mnt/file"
run_tool nobody --admin "$WORK/trees/mnt"
expect 1 "refused" "a mount point"
intact "$WORK/trees/mnt/file" "a mount point"
locked_tree "$WORK/trees/withmount"
mkdir -p "$WORK/trees/withmount/inside" && mount -t tmpfs -o size=1m zarvok-test "$WORK/trees/withmount/inside"
touch "$WORK/trees/withmount/inside/file"
run_tool nobody --admin "$WORK/trees/withmount"
expect 1 "could not be fully erased" "a mount inside the folder is left in place"
intact "$WORK/trees/withmount/inside/file" "a mount inside"

# The system hierarchy as a whole and another user's files; shared scratch is the user's to ask for.
mkdir -p "/var/lib/$CANARY/inside" "/opt/$CANARY/inside" "/root/$CANARY/inside"
for system in /var /opt /root; do
    folder=$system/$CANARY
    [ "$system" = /var ] && folder=/var/lib/$CANARY
    run_tool nobody --admin "$folder"
    expect 1 "it lies in $system, which is never erased as administrator" "a folder in $system"
    intact "$folder/inside" "a folder in $system"
done
run_tool nobody --admin "$WORK/homes/zarvoktest/files"
expect 1 "it lies in the home folder of zarvoktest" "another user's files"
intact "$WORK/homes/zarvoktest/files" "another user's files"
locked_tree "/var/tmp/$CANARY"
run_tool nobody --admin "/var/tmp/$CANARY"
expect 0 "" "a folder of the user's in /var/tmp is erased"
[ ! -e "/var/tmp/$CANARY" ] || fail "--admin left /var/tmp/$CANARY"

# /proc's per-process links name another view of the files to root: the user's own mount
# namespace, where /usr/local/share is bound onto a folder of the user's, and root's working folder.
mkdir -p "$WORK/trees/ns/bound" && chown -R nobody: "$WORK/trees/ns"
as_user nobody unshare -Urm sh -c "mount --bind /usr/local/share/$CANARY $WORK/trees/ns/bound && echo \$\$ >$WORK/trees/ns/holder && exec sleep 600" &
for _ in $(seq 50); do
    NS_HOLDER=$(cat "$WORK/trees/ns/holder" 2>/dev/null) && [ -n "$NS_HOLDER" ] && break
    sleep 0.1
done
NS_PATH=/proc/$NS_HOLDER/root$WORK/trees/ns/bound/inside
[ -e "$NS_PATH" ] || fail "the user's mount namespace did not come up"
run_tool nobody --admin "$NS_PATH"
expect 1 "passes through a link of /proc" "a folder of /usr bound in the user's own mount namespace"
as_root --admin "$NS_PATH"
expect 1 "passes through a link of /proc" "as root: a folder of /usr bound in the user's mount namespace"
intact "/usr/local/share/$CANARY/inside" "the user's mount namespace"
mkdir -p "$WORK/trees/ns/$CANARY" && chown nobody: "$WORK/trees/ns/$CANARY"
(cd "$WORK/trees/ns" && run_tool nobody --admin "/proc/self/cwd/$CANARY"; expect 1 "passes through a link of /proc" "/proc/self/cwd")
intact "/root/$CANARY/inside" "/proc/self/cwd"

# The same refusals when root runs it (pkexec's side, and a root terminal), and a refusal told
# before polkit is asked: user bin, who has no agent, is not asked for a password at all.
as_root --admin "/usr/local/share/$CANARY"
expect 1 "it lies in /usr, which is never erased as administrator" "as root: a folder in /usr"
as_root --admin "/$CANARY/"
expect 1 "a top-level folder" "as root: a top-level folder"
as_root --admin "$WORK/homes/zarvoktest"
expect 1 "it is the home folder of zarvoktest" "as root: a home folder"
as_root --admin "$WORK/trees/link"
expect 1 "is a symbolic link, not a folder" "as root: a link"
intact "/usr/local/share/$CANARY/inside" "as root"
intact "$WORK/homes/zarvoktest/files" "as root"
run_tool bin --admin "/etc/$CANARY"
expect 1 "it lies in /etc" "a refusal is told before polkit is asked"
[[ "$said" != *"not granted"* ]] || fail "polkit was asked for a folder that is refused anyway: $said"

# The user's side told to stop (as the window's Stop and quitting do) stops root's side too.
locked_tree "$WORK/trees/stopped"
mkdir -p "$WORK/trees/stopped/owned/many"
(cd "$WORK/trees/stopped/owned/many" && seq 60000 | xargs touch)
(exec env -i PATH=/usr/bin:/bin HOME=/nonexistent SHELL=/bin/sh LANG=C.UTF-8 \
    setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups \
    "$TOOL" --admin --progress --threads 1 "$WORK/trees/stopped" </dev/null >"$WORK/stopped.log" 2>&1) &
USER_SIDE=$!
for _ in $(seq 200); do grep -q "entries removed" "$WORK/stopped.log" && break; sleep 0.05; done
kill -TERM "$USER_SIDE"
status=0; wait "$USER_SIDE" || status=$?
said=$(cat "$WORK/stopped.log")
expect 4 "stopped before it was fully erased" "the user's side stopped mid-run"
left=$(find "$WORK/trees/stopped" | wc -l)
sleep 2
[ "$left" -gt 1 ] && [ "$(find "$WORK/trees/stopped" | wc -l)" = "$left" ] || fail "root's side went on erasing after the user's side stopped"

# Root's side killed mid-run: what became of the folder is not known, and never told as erased.
(exec env -i PATH=/usr/bin:/bin HOME=/nonexistent SHELL=/bin/sh LANG=C.UTF-8 \
    setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups \
    "$TOOL" --admin --progress --report=json --threads 1 "$WORK/trees/stopped" </dev/null >"$WORK/killed.json" 2>"$WORK/killed.log") &
USER_SIDE=$!
for _ in $(seq 200); do grep -q "entries removed" "$WORK/killed.log" && break; sleep 0.05; done
pkill -KILL -u 0 -f "^$TOOL --admin" || fail "no administrator's side to kill"
status=0; wait "$USER_SIDE" || status=$?
said=$(cat "$WORK/killed.log") report=$(cat "$WORK/killed.json")
expect 1 "before it told what became of this folder" "root's side killed"
has_record "\"outcome\":\"unknown\"" "root's side killed"

# polkit says no, no agent answers, polkit is not there: nothing is touched, and the user is told.
run_report daemon --admin "$WORK/trees/kept"
expect 3 "administrator rights were not granted: polkit said no" "polkit says no (user daemon)"
has_record "{\"path\":\"$WORK/trees/kept\",\"outcome\":\"not-granted\",\"removed\":0,\"reason\":\"polkit said no" "polkit says no"
intact "$WORK/trees/kept/owned/a" "polkit said no"
run_tool bin --admin "$WORK/trees/kept"
expect 3 "administrator rights were not granted: no authentication agent answered" "no polkit agent and no terminal (user bin)"
intact "$WORK/trees/kept/owned/a" "no agent"
# A password typed wrong at the terminal's prompt (user sys has none that could match).
status=0
said=$( (sleep 1; echo wrong-password; sleep 1) | env -i PATH=/usr/bin:/bin HOME=/nonexistent SHELL=/bin/sh LANG=C.UTF-8 TERM=dumb \
    setpriv --reuid="$(id -u sys)" --regid="$(id -g sys)" --clear-groups \
    script -qec "$TOOL --admin $WORK/trees/kept" /dev/null 2>&1) || status=$?
expect 3 "administrator rights were not granted: the password was not accepted" "a wrong password (user sys)"
intact "$WORK/trees/kept/owned/a" "a wrong password"
kill "$POLKITD"; wait "$POLKITD" 2>/dev/null || true
run_tool nobody --admin "$WORK/trees/kept"
expect 3 "polkit does not run on this system" "polkitd stopped"
intact "$WORK/trees/kept/owned/a" "polkitd stopped"
kill "${daemons[0]}"; wait "${daemons[0]}" 2>/dev/null || true
run_tool nobody --admin "$WORK/trees/kept"
expect 3 "polkit does not run on this system" "no system bus"
intact "$WORK/trees/kept/owned/a" "no system bus"
echo "ok"
