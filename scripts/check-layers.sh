#!/usr/bin/env bash
# Checks the include direction app -> views/print/scenario -> ui -> document -> engine: the engine and the document
# library include no Qt, and no folder includes a header of a layer above it. Prints each offending line.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
# folder, then an extended regular expression for the includes it must not have.
check() {
    local folder=$1 forbidden=$2
    [ -d "$folder" ] || return 0
    if grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($forbidden)" "$folder" \
        --include='*.h' --include='*.cpp'; then
        echo "$folder: includes a layer above it (see above)" >&2
        status=1
    fi
}
qt='Q[A-Za-z]|qt'
check engine "$qt|document/|travina/|ui/|views/|print/|scenario/|app/"
check document "$qt|travina/|ui/|views/|print/|scenario/|app/"
check travina "engine/|document/|ui/|views/|print/|scenario/|app/"
check ui "views/|print/|scenario/|app/"
for folder in views print scenario; do
    check "$folder" "app/"
done
exit $status
