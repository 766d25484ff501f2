# Sourced by the install checks: starts an installed host on the session bus and has it
# resolve "*\" to its program folder, as the wizard's 2D path does. Needs fail() and a
# `host` variable that the caller's EXIT trap kills.

call() { dbus-send --session --print-reply --dest=Brasswick.Application "$@"; }

# check_installed_host FOLDER HOST [ARG...]: FOLDER is where the host's "*" should be.
check_installed_host() {
    local folder=$1
    shift
    "$@" &
    host=$!
    for _ in $(seq 100); do
        call /org/freedesktop/DBus org.freedesktop.DBus.Peer.Ping >/dev/null 2>&1 && break
        kill -0 "$host" 2>/dev/null || fail "the installed host ended at start"
        sleep 0.1
    done
    local document
    document=$(call /Brasswick/Documents Brasswick.Documents.Add | sed -n 's/.*object path "\(.*\)"/\1/p')
    [ -n "$document" ] || fail "Add gave no document"
    call "$document/File" Brasswick.File.LoadSymbol 'string:*\Program Data\2D Sheds\Shed_107.KQ' \
        boolean:false boolean:true boolean:true >/dev/null || fail "the installed host cannot load a style drawing"
    # The wizard writes the width into the folder the host calls "*".
    printf '12\r\n' >"$folder/shedSize.txt"
    call "$document" Brasswick.Document.RunMorvish 'string:*\Program Data\2dsheds.mrq' >/dev/null ||
        fail "the installed host cannot run the 2D macro from $folder"
}
