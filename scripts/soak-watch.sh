#!/bin/bash
# Soak test of watch mode: stowbel-cli watch runs while producers drop orders into IN at random
# moments (good ones, malformed ones, ones written slowly in pieces, names that clash with
# IN/done, some sent again with another outcome), while it is killed (SIGKILL) and stopped (SIGTERM) at random moments and restarted,
# and while for a few seconds at a time its results cannot be written (OUT replaced by a file,
# writes failing through the test hook STOWBEL_TEST_WRITE_FAULT_FILE, and, where a tmpfs can
# be mounted, a full disk) or calculated orders cannot leave IN (IN/done and IN/failed replaced
# by links, which the service must refuse). At the end every order must be in IN/done or
# IN/failed exactly once, the last order under each name must have a whole set of results in
# OUT (a good one: its report, equal to what `stowbel-cli calc` gives for it, and its pictures;
# a bad one: its .err file; nothing of an earlier outcome beside it), nothing may have been moved
# through a link, and OUT must hold nothing but result files.
#
#   scripts/soak-watch.sh                  short form (200 orders, 3 kills), for CI
#   scripts/soak-watch.sh --long           1000 orders, 10 kills
#   options: --orders N --kills N --seed N --cli PATH --no-tmpfs --keep
set -u

ORDERS=200
KILLS=3
PHASES=4
SEED=$(( $(date +%s) % 32768 ))
CLI=""
USE_TMPFS=1
KEEP=0
INTERVAL=100
PRODUCERS=3

while [ $# -gt 0 ]; do
    case "$1" in
        --long) ORDERS=1000; KILLS=10; PHASES=12 ;;
        --orders) ORDERS=$2; shift ;;
        --kills) KILLS=$2; shift ;;
        --seed) SEED=$2; shift ;;
        --cli) CLI=$2; shift ;;
        --no-tmpfs) USE_TMPFS=0 ;;
        --keep) KEEP=1 ;;
        -h|--help) sed -n '2,14p' "$0"; exit 0 ;;
        *) echo "soak-watch: unknown argument $1" >&2; exit 2 ;;
    esac
    shift
done
if [ -z "$CLI" ]; then
    CLI="$(cd "$(dirname "$0")/.." && pwd)/build/src/cli/stowbel-cli"
fi
if [ ! -x "$CLI" ]; then
    echo "soak-watch: $CLI not found; build first or pass --cli" >&2
    exit 2
fi

# Orders arrive over about this many seconds; kills and failures fall inside that time.
DURATION=$(( ORDERS / 12 ))
[ "$DURATION" -lt 15 ] && DURATION=15
# Generous, for slow builds (sanitizers): the wait ends as soon as IN is empty.
DRAIN_TIMEOUT=$(( 120 + ORDERS / 2 ))

ROOT=$(mktemp -d "${TMPDIR:-/tmp}/stowbel-soak.XXXXXX")
IN=$ROOT/IN
OUTLINK=$ROOT/OUT          # what the service is given: a link to OUT, or to a plain file
OUTREAL=$ROOT/out-real
TMPFS=""
LOG=$ROOT/watch.log
FAULT=$ROOT/fault          # the write-fault control file
mkdir -p "$IN" "$ROOT/templates" "$ROOT/expect" "$ROOT/sent" "$ROOT/stage"
: > "$ROOT/manifest"
: > "$ROOT/phases"

if [ "$USE_TMPFS" = 1 ] && [ "$(id -u)" = 0 ]; then
    mkdir -p "$ROOT/outfs"
    # Room for every result with some to spare; a full disk is made by a ballast file.
    if mount -t tmpfs -o size=$(( ORDERS * 400 + 65536 ))k tmpfs "$ROOT/outfs" 2>/dev/null; then
        TMPFS=$ROOT/outfs
        OUTREAL=$TMPFS/OUT
    fi
fi
mkdir -p "$OUTREAL" "$IN/done" "$IN/failed" "$ROOT/decoy"
echo "not a directory" > "$ROOT/blocker"
ln -s "$OUTREAL" "$OUTLINK"

SERVICE=""
cleanup() {
    [ -n "$SERVICE" ] && kill -KILL "$SERVICE" 2>/dev/null
    jobs -p | xargs -r kill -KILL 2>/dev/null
    wait 2>/dev/null
    if [ -n "$TMPFS" ]; then
        [ "$KEEP" = 1 ] && cp -a "$OUTREAL" "$ROOT/out-kept"
        umount "$TMPFS" 2>/dev/null
    fi
    if [ "$KEEP" = 1 ]; then
        echo "soak-watch: kept $ROOT"
    else
        rm -rf "$ROOT"
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Swaps what link $1 names in one rename, so the service never sees it missing.
point_at() {
    ln -s "$2" "$1.new" && mv -T "$1.new" "$1"
}

# Puts a link to the decoy folder in place of the real folder IN/$1, which waits as
# $ROOT/$1-parked; the service must refuse to move anything through the link.
park_folder() {
    ln -s "$ROOT/decoy" "$IN/$1.link" &&
        mv -T "$IN/$1" "$ROOT/$1-parked" &&
        mv -T "$IN/$1.link" "$IN/$1"
}

# Brings the real folder back. Should the service have made a new IN/$1 in the moment between
# the two renames above, what it moved there joins the real folder.
unpark_folder() {
    rm -f "$IN/$1.link"
    if [ -L "$IN/$1" ]; then
        rm -f "$IN/$1"
    elif [ -d "$IN/$1" ]; then
        find "$IN/$1" -mindepth 1 -maxdepth 1 -exec mv -n -t "$ROOT/$1-parked" {} +
        rmdir "$IN/$1"
    fi
    mv -T "$ROOT/$1-parked" "$IN/$1"
}

sleep_ms() {
    sleep "$(printf '%d.%03d' $(( $1 / 1000 )) $(( $1 % 1000 )))"
}

sleep_up_to() {  # a random time below $1 seconds
    sleep_ms $(( (RANDOM * 32768 + RANDOM) % ($1 * 1000) ))
}

# --- Templates --------------------------------------------------------------------------------

good=(
    "$("$CLI" example ISIN)"
    "$("$CLI" example HMAN)"
    $'2450,16800,2200,50,30,ISIN\n800,1200,2100,SQR,1,0,10\n1000,1200,2150,SQR,0,0,7'
    $'2450,13600,2500,40,20,HMAN\n1200,1200,1000,RND,0,0,40'
    $'2450,12000,2400,50,30,IDBL\n800,1200,1100,SQR,1,1,24\n600,800,900,SQR,1,0,30'
    $'2350,7000,2300,20,10,ISIN\n500,500,800,RND,0,1,14\n1000,1200,1000,SQR,1,0,6'
    $'// Заказ со склада 3\n2450,16100,2200,50,0,HMAN\n800,1200,2100,SQR,1,0,66'
    $'2450,16800,2200,50,30,ISIN\r\n800,1200,1000,SQR,1,0,12\r\n'
)
bad=(
    $'2450,16100,2200,50,0,ISIN\n800,1200,BOX\n'
    $'2450,0,2200,50,0,ISIN\n800,1200,2100,SQR,1,0,2\n'
    $'// только комментарии\n\n   // и пустые строки\n'
    $'2450,16800,2200,50,30,ISIN\n800,1200,2100,SQR,1,0,99999999\n'
    $'\xff\xfe\x80 \xc3\x28 not an order\n\x01\x02,,,\n'
)
for i in "${!good[@]}"; do
    printf '%s\n' "${good[$i]}" > "$ROOT/templates/g$i"
    # The expected report: the template under a name of its own, calculated by stowbel-cli calc.
    { echo "// ожидаемый отчёт"; cat "$ROOT/templates/g$i"; } > "$ROOT/expect/tg$i.txt"
    if ! "$CLI" calc "$ROOT/expect/tg$i.txt" --out "$ROOT/expect" > /dev/null; then
        echo "soak-watch: good template $i does not calculate" >&2
        exit 1
    fi
done
for i in "${!bad[@]}"; do
    printf '%s' "${bad[$i]}" > "$ROOT/templates/b$i"
done

# --- Producers --------------------------------------------------------------------------------

# Writes order $1 (name $2, template $3) into IN in one of three ways.
drop_order() {
    local id=$1 name=$2 template=$3 how=$4
    local sent=$ROOT/sent/$id
    { printf '// soak %06d\n' "$id"; cat "$ROOT/templates/$template"; } > "$sent"
    case "$how" in
        atomic)  # written elsewhere, renamed into IN
            cp "$sent" "$ROOT/stage/$name.$id" && mv "$ROOT/stage/$name.$id" "$IN/$name" ;;
        direct)
            cat "$sent" > "$IN/$name" ;;
        slow)  # two to four pieces, pauses well below the two seconds that make a file ready
            local size pieces cut from=0 piece
            size=$(stat -c %s "$sent")
            pieces=$(( 2 + RANDOM % 3 ))
            {
                for (( piece = 1; piece <= pieces; piece++ )); do
                    if [ "$piece" -eq "$pieces" ]; then
                        cut=$size
                    else
                        cut=$(( from + 1 + RANDOM % (size / pieces + 1) ))
                        [ "$cut" -gt "$size" ] && cut=$size
                    fi
                    tail -c +$(( from + 1 )) "$sent" | head -c $(( cut - from ))
                    from=$cut
                    [ "$piece" -lt "$pieces" ] && sleep_ms $(( RANDOM % 700 ))
                done
            } > "$IN/$name" ;;
    esac
}

producer() {
    local p=$1 id name template kind how clash changed
    RANDOM=$(( SEED * 7 + p ))
    local -a mine=()
    local gap_ms=$(( DURATION * 1000 * PRODUCERS / ORDERS ))
    for (( id = p; id < ORDERS; id += PRODUCERS )); do
        sleep_ms $(( RANDOM % (2 * gap_ms) ))
        name=$(printf 't%05d.txt' "$id")
        clash=""
        changed=""
        # Now and then a name of an earlier order that has left IN: the same order sent again,
        # or, every other time, another order under that name, with another outcome.
        if [ $(( RANDOM % 100 )) -lt 12 ] && [ ${#mine[@]} -gt 0 ]; then
            local earlier=${mine[$(( RANDOM % ${#mine[@]} ))]}
            local earlier_name=${earlier%% *}
            if [ ! -e "$IN/$earlier_name" ] &&
               { [ -e "$IN/done/$earlier_name" ] || [ -e "$IN/failed/$earlier_name" ] ||
                 [ -e "$ROOT/done-parked/$earlier_name" ] ||
                 [ -e "$ROOT/failed-parked/$earlier_name" ]; }; then
                name=$earlier_name
                template=${earlier##* }
                clash=1
                if [ $(( RANDOM % 2 )) = 0 ]; then
                    if [ "${template:0:1}" = g ]; then
                        template=b$(( RANDOM % ${#bad[@]} ))
                    else
                        template=g$(( RANDOM % ${#good[@]} ))
                    fi
                    changed=1
                fi
            fi
        fi
        if [ -z "$clash" ]; then
            if [ $(( RANDOM % 100 )) -lt 78 ]; then
                template=g$(( RANDOM % ${#good[@]} ))
            else
                template=b$(( RANDOM % ${#bad[@]} ))
            fi
            mine+=("$name $template")
        fi
        case $(( RANDOM % 100 / 15 )) in
            0) how=slow ;;
            1|2|3) how=direct ;;
            *) how=atomic ;;
        esac
        kind=good
        [ "${template:0:1}" = b ] && kind=bad
        echo "$id $name $template $kind $how ${clash:+clash}${changed:+,changed}" \
            >> "$ROOT/manifest.$p"
        drop_order "$id" "$name" "$template" "$how"
    done
}

# --- Failures ---------------------------------------------------------------------------------

saboteur() {
    RANDOM=$(( SEED * 11 ))
    local kinds=(outfile inject nomove) phase start=0 at length kind
    [ -n "$TMPFS" ] && kinds+=(full)
    for (( phase = 0; phase < PHASES; phase++ )); do
        at=$(( 1 + (DURATION - 4) * phase / PHASES + RANDOM % ((DURATION - 4) / PHASES + 1) ))
        [ "$at" -gt "$start" ] && sleep $(( at - start ))
        length=$(( 1 + RANDOM % 3 ))
        kind=${kinds[$(( phase % ${#kinds[@]} ))]}
        case "$kind" in
            outfile) point_at "$OUTLINK" "$ROOT/blocker" ;;
            nomove)  # results can be stored, but no order can leave IN: its folders are links
                park_folder done
                park_folder failed ;;
            inject)  # every write fails, or about half of them
                if [ $(( RANDOM % 2 )) = 0 ]; then : > "$FAULT"; else echo 0.5 > "$FAULT"; fi ;;
            full)  # leave a few kilobytes, so that some files of an order fit and some do not
                local avail keep
                avail=$(df --output=avail -B1 "$TMPFS" | tail -1)
                keep=$(( RANDOM * 8 ))
                if [ "$avail" -gt "$keep" ]; then
                    fallocate -l $(( avail - keep )) "$TMPFS/ballast" 2>/dev/null ||
                        dd if=/dev/zero of="$TMPFS/ballast" bs=1M 2>/dev/null
                fi ;;
        esac
        echo "$kind $length" >> "$ROOT/phases"
        sleep "$length"
        case "$kind" in
            outfile) point_at "$OUTLINK" "$OUTREAL" ;;
            nomove)
                unpark_folder done
                unpark_folder failed ;;
            inject) rm -f "$FAULT" ;;
            full) rm -f "$TMPFS/ballast" ;;
        esac
        start=$(( at + length ))
    done
}

# --- The service ------------------------------------------------------------------------------

STARTS=0
start_service() {
    STARTS=$(( STARTS + 1 ))
    STOWBEL_TEST_WRITE_FAULT_FILE=$FAULT "$CLI" watch --in "$IN" --out "$OUTLINK" \
        --interval "$INTERVAL" 2>> "$LOG" &
    SERVICE=$!
}

SIGKILLS=0
SIGTERMS=0
BAD_STOPS=0
stop_service() {  # $1: KILL or TERM
    kill -s "$1" "$SERVICE" 2>/dev/null
    local status=0
    { wait "$SERVICE"; } 2>/dev/null || status=$?
    if [ "$1" = TERM ]; then
        SIGTERMS=$(( SIGTERMS + 1 ))
        if [ "$status" != 0 ]; then
            echo "soak-watch: service stopped by SIGTERM exited with $status" >&2
            BAD_STOPS=$(( BAD_STOPS + 1 ))
        fi
    else
        SIGKILLS=$(( SIGKILLS + 1 ))
    fi
    SERVICE=""
}

order_files_in_in() {
    find "$IN" -mindepth 1 -maxdepth 1 -type f -name 't*.txt' | wc -l
}

# --- Run --------------------------------------------------------------------------------------

echo "soak-watch: $ORDERS orders over ${DURATION}s, $KILLS kills, $PHASES failure phases," \
     "seed $SEED, tmpfs $([ -n "$TMPFS" ] && echo yes || echo no), in $ROOT"
STARTED=$(date +%s.%N)
RANDOM=$SEED
start_service
PRODUCER_JOBS=()
for (( p = 0; p < PRODUCERS; p++ )); do
    producer "$p" &
    PRODUCER_JOBS+=($!)
done
saboteur &
SABOTEUR=$!

# Kill moments, spread over the time the orders arrive.
elapsed=0
for (( k = 0; k < KILLS; k++ )); do
    at=$(( 1 + (DURATION - 2) * k / KILLS + RANDOM % ((DURATION - 2) / KILLS + 1) ))
    [ "$at" -gt "$elapsed" ] && sleep $(( at - elapsed ))
    sleep_up_to 1
    # Both signals occur: the first stop is a SIGKILL, the second a SIGTERM, then at random.
    if [ "$k" = 0 ] || { [ "$k" != 1 ] && [ $(( RANDOM % 3 )) != 0 ]; }; then
        # The first SIGKILL and about half of the others wait (up to about two seconds) for a
        # moment when a result is being written, so that a temporary file is left behind: the
        # service is frozen now and then until one is seen.
        if [ "$k" = 0 ] || [ $(( RANDOM % 2 )) = 0 ]; then
            for (( poll = 0; poll < 400; poll++ )); do
                kill -STOP "$SERVICE"
                compgen -G "$OUTREAL/*.tmp" > /dev/null && break
                kill -CONT "$SERVICE"
                sleep 0.005
            done
        fi
        stop_service KILL
    else
        stop_service TERM
    fi
    sleep_up_to 1
    start_service
    elapsed=$at
done

wait "${PRODUCER_JOBS[@]}"
wait "$SABOTEUR"
cat "$ROOT"/manifest.* | sort -n > "$ROOT/manifest"

deadline=$(( $(date +%s) + DRAIN_TIMEOUT ))
while [ "$(order_files_in_in)" -gt 0 ] && [ "$(date +%s)" -lt "$deadline" ]; do
    sleep 0.2
done
KILLED=$SIGKILLS
TERMINATED=$SIGTERMS
stop_service TERM
ONCE_STATUS=0
"$CLI" watch --once --in "$IN" --out "$OUTLINK" 2>> "$LOG" || ONCE_STATUS=$?
FINISHED=$(date +%s.%N)

# --- Checks -----------------------------------------------------------------------------------

# The first line of every order file names its order.
# shellcheck disable=SC2016
FIRST_LINES='FNR == 1 { sub(/\r$/, ""); print FILENAME, $0; nextfile }'
declare -A where count
for dir in "done" "failed"; do
    while read -r file first; do
        if [[ ! "$first" =~ ^//\ soak\ ([0-9]+)$ ]]; then
            echo "unknown file: $dir/${file##*/}" >&2
            continue
        fi
        id=$(( 10#${BASH_REMATCH[1]} ))
        count[$id]=$(( ${count[$id]:-0} + 1 ))
        where[$id]="$dir ${file##*/}"
    done < <(find "$IN/$dir" -maxdepth 1 -type f -name 't*.txt' -print0 |
             xargs -0 -r awk "$FIRST_LINES")
done

LOST=0; DUPLICATED=0; MISPLACED=0; WRONG_REPORTS=0; MISSING_ERRORS=0; CHANGED=0; MIXED=0
GOOD=0; BAD=0; SLOW=0; CLASHES=0; CHANGED_OUTCOMES=0
declare -A result_names last_order
# The last order sent under a name is the one whose results OUT must hold: a producer sends a
# name again only after the earlier order has left IN, and its ids grow.
while read -r id name _; do
    last_order[$name]=$id
done < "$ROOT/manifest"
while read -r id name template kind how clash; do
    [ "$kind" = good ] && GOOD=$(( GOOD + 1 )) || BAD=$(( BAD + 1 ))
    [ "$how" = slow ] && SLOW=$(( SLOW + 1 ))
    [ -n "$clash" ] && CLASHES=$(( CLASHES + 1 ))
    [[ "$clash" == *changed ]] && CHANGED_OUTCOMES=$(( CHANGED_OUTCOMES + 1 ))
    result=r${name#t}
    result_names[$result]=1
    case "${count[$id]:-0}" in
        0) LOST=$(( LOST + 1 )); echo "lost: order $id ($name)" >&2; continue ;;
        1) ;;
        *) DUPLICATED=$(( DUPLICATED + 1 )); echo "duplicated: order $id ($name)" >&2 ;;
    esac
    read -r dir file <<< "${where[$id]}"
    if ! cmp -s "$IN/$dir/$file" "$ROOT/sent/$id"; then
        CHANGED=$(( CHANGED + 1 )); echo "changed: order $id in $dir/$file" >&2
    fi
    [ "$kind" = good ] && [ "$dir" != "done" ] &&
        { MISPLACED=$(( MISPLACED + 1 )); echo "misplaced: good order $id in $dir" >&2; }
    [ "$kind" = bad ] && [ "$dir" != failed ] &&
        { MISPLACED=$(( MISPLACED + 1 )); echo "misplaced: bad order $id in $dir" >&2; }
    # Only the last outcome under a name is in OUT, whole and alone.
    [ "${last_order[$name]}" = "$id" ] || continue
    if [ "$kind" = good ]; then
        expected_set=("$result" "${result}2d.jpg" "${result}3d.jpg")
        [ -e "$ROOT/expect/r${template}.txt.jpg" ] && expected_set+=("$result.jpg")
        if [ "$dir" = "done" ] && ! cmp -s "$OUTREAL/$result" "$ROOT/expect/r${template}.txt"; then
            WRONG_REPORTS=$(( WRONG_REPORTS + 1 )); echo "wrong report: $result ($id)" >&2
        fi
    else
        expected_set=("$result.err")
        if [ "$dir" = failed ] && ! grep -q "Заказ $name" <(iconv -f CP1251 -t UTF-8 "$OUTREAL/$result.err" 2>/dev/null) ||
             [ "$(tail -c 2 "$OUTREAL/$result.err" | od -An -c | tr -d ' ')" != '\r\n' ]; then
            MISSING_ERRORS=$(( MISSING_ERRORS + 1 )); echo "no error file: $result.err ($id)" >&2
        fi
    fi
    actual_set=()
    for suffix in "" 2d.jpg 3d.jpg .jpg .pdf .err; do
        [ -e "$OUTREAL/$result$suffix" ] && actual_set+=("$result$suffix")
    done
    actual=$(printf '%s\n' "${actual_set[@]}" | sort | xargs)
    expected=$(printf '%s\n' "${expected_set[@]}" | sort | xargs)
    if [ "$actual" != "$expected" ]; then
        MIXED=$(( MIXED + 1 ))
        echo "mixed set: order $id ($name, $kind): ${actual_set[*]}" >&2
    fi
done < "$ROOT/manifest"
THROUGH_LINKS=$(find "$ROOT/decoy" -mindepth 1 | wc -l)
[ "$THROUGH_LINKS" -gt 0 ] && echo "moved through a link: $(ls "$ROOT/decoy")" >&2

LEFT_IN_IN=$(order_files_in_in)
TEMP_FILES=0; STRAY=0
for path in "$OUTREAL"/* "$OUTREAL"/.[!.]*; do
    [ -e "$path" ] || continue
    file=${path##*/}
    case "$file" in
        *.tmp) TEMP_FILES=$(( TEMP_FILES + 1 )); echo "temporary file: $file" >&2; continue ;;
    esac
    base=$file
    for suffix in .err 2d.jpg 3d.jpg .jpg; do
        base=${base%"$suffix"}
    done
    if [ -z "${result_names[$base]:-}" ]; then
        STRAY=$(( STRAY + 1 )); echo "stray file in OUT: $file" >&2
    fi
done

PHASE_LIST=$(awk '{ n[$1]++ } END { for (k in n) { printf "%s%s %d", sep, k, n[k]; sep = ", " } }' \
             "$ROOT/phases")
WRITE_FAILURES=$(grep -c -e 'результаты не записаны' -e 'файл ошибки не записан' \
                 -e 'не сохранены на диске' "$LOG")
UNMOVED=$(grep -c 'не перенесён из IN' "$LOG")
SWEPT=$(grep -o 'оставшихся от прерванной записи в [^:]*: [0-9]*' "$LOG" |
        awk '{ s += $NF } END { print s + 0 }')

LOGGED_STARTS=$(grep -c ' запуск: ' "$LOG")
LOGGED_STOPS=$(grep -c ' остановлен (SIGTERM)$' "$LOG")
LOG_MISMATCH=0
if [ "$LOGGED_STARTS" != "$STARTS" ] || [ "$LOGGED_STOPS" != "$SIGTERMS" ]; then
    echo "log: $LOGGED_STARTS start lines for $STARTS starts," \
         "$LOGGED_STOPS stop lines for $SIGTERMS SIGTERMs" >&2
    LOG_MISMATCH=1
fi

printf '\nsoak-watch figures (seed %s, %s s)\n' "$SEED" \
    "$(awk -v a="$STARTED" -v b="$FINISHED" 'BEGIN { printf "%.1f", b - a }')"
printf '  orders          %d (good %d, bad %d, written slowly %d, names clashing with done/ %d,' \
    "$(wc -l < "$ROOT/manifest")" "$GOOD" "$BAD" "$SLOW" "$CLASHES"
printf ' %d of them with another outcome)\n' "$CHANGED_OUTCOMES"
printf '  kills           %d (SIGKILL %d, SIGTERM %d), each followed by a restart\n' \
    $(( KILLED + TERMINATED )) "$KILLED" "$TERMINATED"
printf '  service log     %d start and %d stop lines for %d starts and %d SIGTERMs;' \
    "$LOGGED_STARTS" "$LOGGED_STOPS" "$STARTS" "$SIGTERMS"
printf ' %d SIGTERMs with a bad exit\n' "$BAD_STOPS"
printf '  failures        %d phases injected (%s); logged: %d orders not written, %d not moved\n' \
    "$(wc -l < "$ROOT/phases")" "$PHASE_LIST" "$WRITE_FAILURES" "$UNMOVED"
printf '  temp files      %d left by kills and removed at restart, %d left at the end\n' \
    "$SWEPT" "$TEMP_FILES"
printf '  lost            %d\n' "$LOST"
printf '  duplicated      %d\n' "$DUPLICATED"
printf '  left in IN      %d\n' "$LEFT_IN_IN"
printf '  misplaced       %d (good in failed/ or bad in done/)\n' "$MISPLACED"
printf '  changed         %d (file in done/ or failed/ differs from what was sent)\n' "$CHANGED"
printf '  wrong reports   %d\n' "$WRONG_REPORTS"
printf '  missing .err    %d\n' "$MISSING_ERRORS"
printf '  stray in OUT    %d\n' "$STRAY"
printf '  mixed sets      %d (files of another outcome beside the last one, or files missing)\n' \
    "$MIXED"
printf '  through links   %d (files moved into IN/done or IN/failed while they were links)\n' \
    "$THROUGH_LINKS"
printf '  watch --once    exit %d on the emptied IN\n' "$ONCE_STATUS"

FAULTS=$(( LOST + DUPLICATED + LEFT_IN_IN + MISPLACED + CHANGED + WRONG_REPORTS +
           MISSING_ERRORS + STRAY + TEMP_FILES + BAD_STOPS + ONCE_STATUS + LOG_MISMATCH +
           MIXED + THROUGH_LINKS ))
if [ "$FAULTS" -ne 0 ]; then
    echo "soak-watch: FAILED (log: $LOG)" >&2
    KEEP=1
    exit 1
fi
echo "soak-watch: passed"
