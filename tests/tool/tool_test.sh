#!/usr/bin/env bash
# tool_test.sh GROUP COMMAND... - one group of statscl cases.  COMMAND runs
# the tool (behind the emulator in a cross build).  Every offset, size and
# byte below is stated here, not taken from the library.  Exits non-zero
# when a case fails.
set -uo pipefail
group=$1
shift
tool=("$@")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp" || exit 1
failures=0

fail() {
    echo "FAIL [$group] $*"
    failures=$((failures + 1))
}

# run ARGS...: the tool's stdout in out, stderr in err, exit status in rc.
run() {
    "${tool[@]}" "$@" >out 2>err
    rc=$?
}

# ok WHAT ARGS...: the tool must succeed.
ok() {
    local what=$1
    shift
    run "$@"
    [ "$rc" -eq 0 ] || fail "$what: exit $rc: $(cat err)"
}

# has WHAT PATTERN: out must hold a line matching the extended regex.
has() { grep -qE -- "$2" out || fail "$1: no line matches /$2/"; }

# refuses WHAT PATTERN ARGS...: a non-zero exit that is no crash (128 and
# above: a signal), nothing on stdout, and a message matching PATTERN.
refuses() {
    local what=$1 pattern=$2
    shift 2
    run "$@"
    if [ "$rc" -eq 0 ] || [ "$rc" -ge 128 ]; then fail "$what: exit $rc"; fi
    [ ! -s out ] || fail "$what: wrote to stdout"
    grep -qE -- "$pattern" err || fail "$what: stderr lacks /$pattern/: $(cat err)"
}

# zeros FILE SIZE, then poke FILE OFFSET HEX: a payload of zero bytes with
# some bytes set.
zeros() { head -c "$2" /dev/zero >"$1"; }
poke() { printf '%b' "$(sed 's/../\\x&/g' <<<"$3")" | dd of="$1" bs=1 seek="$2" conv=notrunc 2>/dev/null; }

case $group in
list)
    ok "list" list
    has "pktflow row" '^ *1 +pktflow +80 +864 +whole values +req stats diff clear pss$'
    has "diag row" '^ *2 +diag +- +14178 +>= size +stats diff\(newer-first\) pss$'
    has "snmp_clear row" '^ *13 +snmp_clear +24 +524 +ignored +stats$'
    has "vq_drop row" '^ *15 +vq_drop +20 +16412 '
    has "fcmac_if_ctrs row" '^ *- +fcmac_if_ctrs +- +704 +== size +stats$'
    [ "$(grep -cE '^ *([0-9]+|-) +[a-z_]+ ' out)" -eq 20 ] || fail "list: not 20 kinds"
    ;;

round_trip)
    # decode -> encode -> decode gives the same JSON, raw and as hex text,
    # for every kind's statistics and every request.
    kinds="pktflow diag qos vl fabric_err vl_rates vl_snmp storm_supp eee eee_snmp phy phy_snmp
           snmp_clear fabric_path vq_drop kelm_fabric_err dorn_fabric_err vexa_mac_vl
           fcmac_avg_ctrs fcmac_if_ctrs"
    for kind in $kinds; do
        for record in "" --request; do
            case "$kind$record" in
            diag--request | fabric_err--request | eee*--request | phy*--request | *_err--request | \
                vexa*--request | fcmac*--request) continue ;;
            esac
            ok "$kind$record sample" decode --type "$kind" $record --json && cp out a.json
            ok "$kind$record encode" encode --type "$kind" $record a.json && cp out p.bin
            ok "$kind$record decode" decode --type "$kind" $record --json p.bin
            cmp -s out a.json || fail "$kind$record: raw round trip changed the JSON"
            ok "$kind$record encode --hex" encode --type "$kind" $record --hex - <a.json && cp out p.hex
            ok "$kind$record decode --hex" decode --type "$kind" $record --hex --json p.hex
            cmp -s out a.json || fail "$kind$record: hex round trip changed the JSON"
        done
    done
    ;;

decode)
    # A 64-bit counter at 0 and a 32-bit value at 8, from standard input.
    echo '00 00 00 00 00 00 03 e8  00 00 00 07' >storm.hex
    ok "storm_supp" decode --type 8 --hex - <storm.hex
    has "storm_counter" '^storm_counter +0 +1000 +0x00000000000003e8$'
    has "storm_value" '^storm_value +8 +7 +0x00000007$'
    # diag: a 16-bit head at 0, 64-bit values 2 bytes past a multiple of 8.
    zeros diag.bin 14178
    poke diag.bin 0 1234
    poke diag.bin 98 0102030405060708
    ok "diag" decode --type diag diag.bin
    has "diag head" '^head_u16 +0 +4660 +0x1234$'
    has "diag block" '^entry_block\[0\] +98 +72623859790382856 +0x0102030405060708$'
    # vq_drop: 64-bit values 4 bytes past a multiple of 8.
    zeros vq.bin 16412
    poke vq.bin 4 0102030405060708
    ok "vq_drop" decode --type vq_drop --json vq.bin
    has "vq_head_value" '^    "vq_head_value": 72623859790382856,$'
    # snmp_clear: bytes of unknown layout are shown as they came.
    zeros snmp.bin 524
    poke snmp.bin 0 01020304aabb
    ok "snmp_clear" decode --type snmp_clear --json snmp.bin
    has "leading word" '"snmp_clear_leading_word": 16909060,'
    has "trailing bytes" '"snmp_clear_trailing_bytes": "aabb0000'
    # A longer payload decodes the record and says what was left over.
    zeros long.bin 970
    ok "long qos" decode --type qos long.bin
    grep -q "the 10 bytes past the 960-byte qos statistics record" err || fail "long: no note"
    # pktflow encodes every value, past element 0 too (on a big-endian
    # host its stats_hton writes element 0 only).
    ok "pktflow sample" decode --type pktflow --json && cp out p.json
    ok "pktflow encode" encode --type pktflow --hex p.json
    [ "$(sed -n 1p out)" = "00 00 00 00 00 00 03 e8 00 00 00 00 00 00 03 e9" ] ||
        fail "pktflow: elements 0 and 1: $(sed -n 1p out)"
    [ "$(sed -n 54p out)" = "00 00 00 00 00 00 07 d4 00 00 00 00 00 00 07 d5" ] ||
        fail "pktflow: trailer 4 and 5: $(sed -n 54p out)"
    ;;

baseline)
    # storm_supp: only the counter has a baseline.
    echo '00 00 00 00 00 00 04 e2  00 00 00 07' >now.hex
    echo '00 00 00 00 00 00 03 e8  00 00 00 09' >then.hex
    ok "storm_supp" decode --type storm_supp --hex now.hex --baseline then.hex
    has "storm counter" '^storm_counter +0 +1250 +1000 +250$'
    has "storm value" '^storm_value +8 +7 +9 +7$'
    # diag's diff takes the newer record first: current minus baseline all
    # the same, with the current descriptive part.
    zeros now.bin 14178
    poke now.bin 0 0005
    poke now.bin 1128 012c
    zeros then.bin 14178
    poke then.bin 0 0009
    poke then.bin 1129 64
    ok "diag" decode --type diag --json now.bin --baseline then.bin
    tr -d ' \n' <out >flat
    grep -q '"diff":{"head_u16":5,' flat || fail "diag: descriptive part not current's"
    grep -q '"entry_ctr0":\[200,0,' flat || fail "diag: counter not current minus baseline"
    # pktflow: request word 0 = 16 turns the diff off.
    zeros off.bin 80
    poke off.bin 0 00000010
    zeros now.bin 864
    poke now.bin 7 05
    ok "pktflow off" decode --type pktflow now.bin --baseline now.bin --with-request off.bin
    has "pktflow off" '^flow_counter\[0\] +0 +5 +5 +5$'
    ok "pktflow on" decode --type pktflow now.bin --baseline now.bin
    has "pktflow on" '^flow_counter\[0\] +0 +5 +5 +0$'
    ;;

refusals)
    refuses "unknown name" "unknown type 'nosuch'; known types: 1 pktflow, 2 diag," decode --type nosuch
    refuses "type 0" "unknown type '0'.*by name only: kelm_fabric_err" decode --type 0
    refuses "type 16" "unknown type '16'" encode --type 16 /dev/null
    refuses "no type" "type" decode
    refuses "no file" "cannot open 'missing.bin'" decode --type qos missing.bin
    zeros short.bin 100
    refuses "short qos" "payload is 100 bytes, the record needs 960: its stats_ntoh converts the whole record only when len >= 960 and converted 0 of 960 bytes" \
        decode --type qos short.bin
    refuses "short pktflow" "whole values that len covers and converted 96 of 864 bytes" \
        decode --type pktflow short.bin
    zeros short.bin 8
    refuses "short storm_supp" "ignores len and converted 12 of 12 bytes, 4 of them from past the end" \
        decode --type storm_supp short.bin
    zeros long.bin 48
    refuses "fcmac exact" "converts only when len == 40 and converted 0 of 40 bytes" \
        decode --type fcmac_avg_ctrs long.bin
    refuses "short request" "qos request payload is 2 bytes, the record needs 4" \
        decode --type qos --request - < <(printf '\0\0')
    zeros then.bin 100
    refuses "short baseline" "then.bin: the qos statistics payload is 100 bytes" \
        decode --type qos --baseline then.bin
    refuses "no request" "diag has no request record" decode --type diag --request
    refuses "no diff" "kelm_fabric_err has no diff" decode --type kelm_fabric_err --baseline /dev/null
    refuses "request baseline" "does not go with --request" decode --type qos --request --baseline x
    refuses "request alone" "--with-request gives the request that --baseline" decode --type qos --with-request x
    refuses "odd hex" "odd number of digits \(3\); the last one, at line 1, column 4" \
        decode --type storm_supp --hex - < <(echo '00 0')
    refuses "bad hex" "invalid hex: 'z' at line 2, column 2" decode --type storm_supp --hex - < <(printf '00\n0z')

    ok "storm json" decode --type storm_supp --json && cp out s.json
    refuses "bad json" "invalid JSON: parse error at line 2" encode --type storm_supp - < <(printf '{\n,')
    refuses "unknown field" "unknown field 'storm_count'" encode --type storm_supp - < <(sed 's/storm_counter/storm_count/' s.json)
    refuses "missing field" "missing field 'storm_counter'" encode --type storm_supp - < <(sed '/storm_counter/d' s.json)
    refuses "32-bit range" "'storm_value': 4294967296 is out of range for a 32-bit field" \
        encode --type storm_supp - < <(sed 's/"storm_value": [0-9]*/"storm_value": 4294967296/' s.json)
    refuses "negative" "'storm_counter': -1 is out of range for a 64-bit field" \
        encode --type storm_supp - < <(sed 's/"storm_counter": [0-9]*/"storm_counter": -1/' s.json)
    refuses "wrong kind" "'kind' is \"vl\" but storm_supp statistics" \
        encode --type storm_supp - < <(sed 's/"storm_supp"/"vl"/' s.json)
    refuses "request json" "'record' is \"statistics\" but storm_supp request" \
        encode --type storm_supp --request s.json
    ok "diag json" decode --type diag --json && cp out d.json
    refuses "16-bit range" "'head_u16': 65536 is out of range for a 16-bit field" \
        encode --type diag - < <(sed 's/"head_u16": [0-9]*/"head_u16": 65536/' d.json)
    refuses "array length" "'entry_u16' must be an array of 16 values, not 15" \
        encode --type diag - < <(sed 's/"entry_u16": \[[0-9]*,/"entry_u16": [/' d.json)
    refuses "element range" "'entry_u32\[0\]': 1.5 is out of range" \
        encode --type diag - < <(sed 's/"entry_u32": \[[0-9]*,/"entry_u32": [1.5,/' d.json)
    ok "snmp_clear json" decode --type snmp_clear --json && cp out c.json
    refuses "bytes" "'snmp_clear_trailing_bytes' must be a string of 520 bytes in hex, not 519" \
        encode --type snmp_clear - < <(sed 's/"snmp_clear_trailing_bytes": "00/"snmp_clear_trailing_bytes": "/' c.json)
    ;;

*)
    fail "no group '$group'"
    ;;
esac

[ "$failures" -eq 0 ] && echo "tool $group: ok"
[ "$failures" -eq 0 ]
