#!/bin/sh
# End-to-end runs of the host program: tessera-host on the projects and scripts in DATA, compared
# with expected output, exit status and files. Projects are copied to a scratch folder first, so
# the data in the tree is never written.
# Usage: run.sh HOST DATA
HOST=$1
DATA=$2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
passed=0
failed=0

fail () {
    echo "FAIL: $1"
    failed=$((failed + 1))
}

pass () {
    echo "ok: $1"
    passed=$((passed + 1))
}

# expect_exit NAME STATUS -- ARGS...: runs the host; its output lands in $WORK/out and $WORK/err.
expect_exit () {
    name=$1
    want=$2
    shift 3
    "$HOST" "$@" > "$WORK/out" 2> "$WORK/err"
    got=$?
    if [ "$got" -ne "$want" ]; then
        fail "$name: exit status $got, expected $want"
        sed 's/^/    /' "$WORK/err"
        return 1
    fi
    return 0
}

# expect_in NAME FILE TEXT: FILE holds TEXT (fixed string).
expect_in () {
    if grep -qF -- "$3" "$2"; then
        pass "$1"
    else
        fail "$1: expected \"$3\" in:"
        sed 's/^/    /' "$2"
    fi
}

cp "$DATA/house.json" "$WORK/house.json"
cp "$DATA/bad-story.json" "$WORK/bad-story.json"

expect_exit "help" 0 -- --help && expect_in "help" "$WORK/out" "Usage: tessera-host"
expect_exit "no project" 2 -- && expect_in "no project" "$WORK/err" "PROJECT is required"
expect_exit "unknown option" 2 -- "$WORK/house.json" --frobnicate && expect_in "unknown option" "$WORK/err" "frobnicate"
expect_exit "bad locale" 2 -- "$WORK/house.json" --locale 'no locale!' &&
    expect_in "bad locale" "$WORK/err" "--locale: expected a locale name"
expect_exit "missing add-on" 2 -- "$WORK/house.json" --addon "$WORK/none.apx" &&
    expect_in "missing add-on" "$WORK/err" "$WORK/none.apx: cannot load the add-on module"

# A shared object that is no add-on, and an add-on without its resource file beside it.
ADDON_DIR=$(dirname "$HOST")
expect_exit "module without exports" 2 -- "$WORK/house.json" --addon "$ADDON_DIR/libtessera_platform.so" &&
    expect_in "module without exports" "$WORK/err" "libtessera_platform.so: the add-on module does not export GetExportedFuncAddrs"
cp "$ADDON_DIR/Tessera.apx" "$WORK/Lonely.apx"
expect_exit "add-on without resources" 2 -- "$WORK/house.json" --addon "$WORK/Lonely.apx" &&
    expect_in "add-on without resources" "$WORK/err" "$WORK/Lonely.rsrc"

cp "$WORK/bad-story.json" "$WORK/bad-story.before"
if expect_exit "bad project" 2 -- "$WORK/bad-story.json" --save; then
    expect_in "bad project" "$WORK/err" "$WORK/bad-story.json: \$.elements[0].story"
    cmp -s "$WORK/bad-story.json" "$WORK/bad-story.before" && pass "bad project: file untouched" ||
        fail "bad project: the file was changed"
fi

cp "$WORK/house.json" "$WORK/house.before"
if expect_exit "bad script line" 2 -- "$WORK/house.json" --script "$DATA/bad-line.txt" --save; then
    expect_in "bad script line" "$WORK/err" \
        "$DATA/bad-line.txt:3: click: expected an item number (1 to 32767), found the end of the line"
    [ ! -s "$WORK/out" ] && pass "bad script line: nothing ran" || fail "bad script line: steps ran"
    cmp -s "$WORK/house.json" "$WORK/house.before" && pass "bad script line: project untouched" ||
        fail "bad script line: the project was changed"
fi

if expect_exit "failing step" 1 -- "$WORK/house.json" --script "$DATA/undo.txt" --save; then
    expect_in "failing step" "$WORK/err" "$DATA/undo.txt:1: undo: there is nothing to undo"
    cmp -s "$WORK/house.json" "$WORK/house.before" && pass "failing step: not saved" ||
        fail "failing step: the project was saved after a failure"
fi

if expect_exit "print" 0 -- "$WORK/house.json" --script "$DATA/print.txt"; then
    diff -u "$DATA/print.expected" "$WORK/out" > "$WORK/diff" && pass "print" || { fail "print: output differs"; cat "$WORK/diff"; }
fi

# Saving writes the project back; what the host does not change reads back the same.
if expect_exit "save" 0 -- "$WORK/house.json" --script "$DATA/print.txt" --save; then
    expect_exit "save: reread" 0 -- "$WORK/house.json" --script "$DATA/print.txt" &&
        { diff -u "$DATA/print.expected" "$WORK/out" > "$WORK/diff" && pass "save: reads back the same" ||
            { fail "save: output differs after saving"; cat "$WORK/diff"; }; }
fi

# A user's session: session NAME PROJECT [PATTERN]: the host runs DATA/NAME.txt on the scratch copy of
# PROJECT (a fresh one unless PROJECT is "again", which reuses the last one) and must end with status
# 0 and print DATA/NAME.expected (only the lines matching the extended PATTERN, when one is given).
last_project=
session () {
    name=$1
    if [ "$2" != again ]; then
        last_project=$2
        cp "$DATA/$2" "$WORK/$2"
    fi
    expect_exit "$name" 0 -- "$WORK/$last_project" --script "$DATA/$name.txt" || return
    if [ -n "${3:-}" ]; then
        grep -E -- "$3" "$WORK/out" > "$WORK/filtered"
        mv "$WORK/filtered" "$WORK/out"
    fi
    diff -u "$DATA/$name.expected" "$WORK/out" > "$WORK/diff" && pass "$name" || { fail "$name: output differs"; cat "$WORK/diff"; }
}

# The run without a script, as scripts/demo does it: the first click's report and palette, with
# every column of the size list (the level column's header too) at the palette's own width.
cp "$DATA/../../../examples/sample-building.json" "$WORK/sample-building.json"
if expect_exit "sample building" 0 -- "$WORK/sample-building.json"; then
    diff -u "$DATA/sample-building.expected" "$WORK/out" > "$WORK/diff" && pass "sample building" ||
        { fail "sample building: output differs"; cat "$WORK/diff"; }
fi

session menu-twice office.json
session close-box office.json
session hide-show office.json
session reopen office.json
session event2 office.json
session events-ignored office.json
session page3 office.json '^-- Default level|~ Chair|Total polygons'
session change-level office.json
session save-level office.json
session reopen-level again
session merge office-levels.json
session fail-creation office.json

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
