#!/usr/bin/env bats
# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# statscl as a user runs it.  STATSCL is the command (behind the emulator in
# a cross build), SOURCE the source tree.  Every offset, size and byte below
# is stated here, not taken from the library.
bats_require_minimum_version 1.5.0
load /usr/lib/bats/bats-support/load
load /usr/lib/bats/bats-assert/load

setup() {
    read -ra tool <<<"$STATSCL"
    cd "$BATS_TEST_TMPDIR" || return 1
}
st() { "${tool[@]}" "$@"; }
# Each kind's name and its request's size ("-" for none), from `list --json`.
kinds() { st list --json | awk -F'"' '/^      "name"/ { n = $4 } /^      "request"/ { print n, $3 ~ /null/ ? "-" : "req" }'; }
# zeros FILE SIZE, then poke FILE OFFSET HEX: a payload of zeros with some bytes set.
zeros() { head -c "$2" /dev/zero >"$1"; }
poke() { printf '%b' "$(sed 's/../\\x&/g' <<<"$3")" | dd of="$1" bs=1 seek="$2" conv=notrunc 2>/dev/null; }
# refuses PATTERN ARGS...: a non-zero exit that is no crash, nothing on stdout, PATTERN on stderr.
refuses() {
    run --separate-stderr st "${@:2}"
    ((status > 0 && status < 128)) || fail "exit $status"
    assert_output ''
    [[ $stderr =~ $1 ]] || fail "stderr lacks /$1/: $stderr"
}

@test "list: one row per kind with sizes, len rule and the operations that do work; JSON as committed" {
    run st list
    assert_line --regexp '^ *1 +pktflow +80 +864 +whole values +req stats diff clear pss$'
    assert_line --regexp '^ *2 +diag +- +14178 +>= size +stats diff\(newer-first\) pss$'
    assert_line --regexp '^ *- +fcmac_if_ctrs +- +704 +== size +stats$'
    [ "$(grep -cE '^ *([0-9]+|-) +[a-z_]+ ' <<<"$output")" -eq "$(kinds | wc -l)" ]
    # The same bytes on every word size and byte order.
    st list --json | cmp - "$SOURCE/docs/kinds.json"
    st list --json | tr -d ' \n' >list.json
    grep -qF '{"schema_version":1,"kinds":[{"type":1,"name":"pktflow","len_rule":"whole_values",' list.json
    grep -qF '{"type":2,"name":"diag","len_rule":"at_least","operations":["stats_hton","stats_ntoh",'\
'"diff","save_pss","restore_pss"],"diff_newer_first":true,"request_use":{"diff":"unused","clear":'\
'"unused"},"baseline_fields":["head_u16",' list.json
    # eee has no request, yet its clear does nothing without a pointer to one.
    grep -qF '"name":"eee","len_rule":"ignored","operations":["stats_hton","stats_ntoh","diff","clear",'\
'"save_pss","restore_pss"],"diff_newer_first":false,"request_use":{"diff":"unused","clear":"non_null"}'\
',"baseline_fields":["eee_counter_0","eee_counter_1","eee_counter_2","eee_counter_3"],"select_all":null,'\
'"request":null,' list.json
    grep -qF '"select_all":{"field":"path_mask","value":281474976710655},"request":{"size":144,' list.json
    grep -qF '{"type":null,"name":"kelm_fabric_err","len_rule":"ignored",' list.json
}

@test "header: the committed one is the tool's output; --version the header's three numbers" {
    st header | cmp - "$SOURCE/include/statscl_records.h"
    grep -q '^#define STATSCL_QOS_STATS_BLOCK_3_OFFSET  *192U$' "$SOURCE/include/statscl_records.h"
    grep -q '^#define STATSCL_VQ_DROP_STATS_VQ_VALUES_2_OFFSET  *8204U$' "$SOURCE/include/statscl_records.h"
    run st --version
    assert_output "statscl $(sed -n 's/^#define STATSCL_VERSION_\(MAJOR\|MINOR\|PATCH\) \([0-9]*\)$/\2/p' \
        "$SOURCE/include/statscl_convert.h" | paste -sd.)"
}

@test "every kind's records survive decode, encode and decode: raw, hex text and 0x strings" {
    while read -r kind req; do
        for flag in "" $([ "$req" = - ] || echo --request); do
            st decode -t "$kind" $flag --json >a.json
            st encode -t "$kind" $flag a.json | st decode -t "$kind" $flag --json - | cmp - a.json ||
                fail "$kind $flag: raw"
            st decode -t "$kind" $flag --json --hex64 | st encode -t "$kind" $flag --hex |
                st decode -t "$kind" $flag --hex --json - | cmp - a.json || fail "$kind $flag: hex"
        done
    done < <(kinds)
}

@test "decode: values at any alignment, bytes of unknown layout as they came" {
    run st decode --type 8 --hex - <<<'00 00 00 00 00 00 03 e8  00 00 00 07'
    assert_line --regexp '^storm_counter +0 +1000 +0x00000000000003e8$'
    assert_line --regexp '^storm_value +8 +7 +0x00000007$'
    zeros diag.bin 14178 && poke diag.bin 0 1234 && poke diag.bin 98 0102030405060708
    run st decode --type diag diag.bin
    assert_line --regexp '^head_u16 +0 +4660 +0x1234$'
    assert_line --regexp '^entry_block\[0\] +98 +72623859790382856 +0x0102030405060708$'
    zeros vq.bin 16412 && poke vq.bin 4 0102030405060708
    run st decode --type vq_drop --json --hex64 vq.bin
    assert_line '    "vq_head_value": "0x0102030405060708",'
    zeros snmp.bin 524 && poke snmp.bin 0 01020304aabb
    run st decode --type snmp_clear --json snmp.bin
    assert_line '    "snmp_clear_leading_word": 16909060,'
    assert_line --partial '"snmp_clear_trailing_bytes": "aabb0000'
    zeros long.bin 970
    run --separate-stderr st decode --type qos long.bin
    [[ $stderr == *"the 10 bytes past the 960-byte qos statistics record"* ]]
    # On a big-endian host pktflow's stats_hton converts element 0 only.
    run st encode --type pktflow --hex <(st decode --type pktflow --json)
    assert_line --index 0 '00 00 00 00 00 00 03 e8 00 00 00 00 00 00 03 e9'
    assert_line --index 53 '00 00 00 00 00 00 07 d4 00 00 00 00 00 00 07 d5'
}

@test "decode --each: back-to-back records one after another, whole records only" {
    run st decode --type storm_supp --each --hex - <<<'00 00 00 00 00 00 00 01 00 00 00 02  00 00 00 00 00 00 00 03 00 00 00 04'
    assert_line --index 2 --regexp '^storm_counter +0 +1 +0x0000000000000001$'
    assert_line --index 7 --regexp '^storm_value +8 +4 +0x00000004$'
    refuses "12 bytes are not whole 960-byte records" decode --type qos --each --hex - <<<'00 00 00 00 00 00 00 00 00 00 00 00'
    refuses "--baseline excludes --each" decode --type qos --each x --baseline y
}

@test "baseline: the kind's clear with the named request, then its diff; - where diff writes nothing" {
    echo '00 00 00 00 00 00 04 e2  00 00 00 07' >now.hex
    echo '00 00 00 00 00 00 03 e8  00 00 00 09' >then.hex
    run --separate-stderr st decode --type storm_supp --hex now.hex --baseline then.hex
    assert_line 'request: the sample request'
    assert_line --regexp '^storm_counter +0 +1250 +1000 +250$'
    assert_line --regexp '^storm_value +8 +7 +0 +-$'
    [[ $stderr == *"storm_supp's clear and diff do not read the request"* ]]
    # qos: clearing the even blocks leaves the odd blocks' baseline at zero.
    zeros now.bin 960 && poke now.bin 7 05 && poke now.bin 71 06
    printf '\0\0\0\1' >even.req
    run --separate-stderr st decode --type qos now.bin --baseline now.bin --with-request even.req
    assert_line 'request: even.req'
    assert_line '  block_select = 1'
    assert_line --regexp '^block_0\[0\] +0 +5 +5 +0$'
    assert_line --regexp '^block_1\[0\] +64 +6 +0 +6$'
    [[ $stderr == *"qos's diff does not read the request"* && $stderr != *warning* ]]
    # Written in little-endian order, the same request selects nothing: a warning says so.
    printf '\1\0\0\0' >swapped.req
    run --separate-stderr st decode --type qos now.bin --baseline now.bin --with-request swapped.req
    [[ $stderr == *"warning: swapped.req: qos's block_select is 0x01000000, which selects no counter; byte-swapped, 0x00000001"* ]]
    # diag has no clear and its diff takes the newer record first.
    zeros now.bin 14178 && poke now.bin 0 0005 && poke now.bin 1128 012c
    zeros then.bin 14178 && poke then.bin 0 0009 && poke then.bin 1129 64
    st decode --type diag --json now.bin --baseline then.bin | tr -d ' \n' >flat
    grep -q '"diff":{"head_u16":5,' flat
    grep -q '"entry_ctr0":\[200,0,' flat
    # pktflow: request word 0 = 16 turns the diff off.
    zeros off.bin 80 && poke off.bin 0 00000010 && zeros now.bin 864 && poke now.bin 7 05
    run st decode --type pktflow now.bin --baseline now.bin --with-request off.bin
    assert_line --regexp '^flow_counter\[0\] +0 +5 +5 +-$'
    run st decode --type pktflow now.bin --baseline now.bin
    assert_line --regexp '^flow_counter\[0\] +0 +5 +5 +0$'
}

@test "bad input: one message, nothing on stdout, a non-zero exit" {
    refuses "unknown type 'nosuch'; known types: 1 pktflow, 2 diag,.*by name only: kelm_fabric_err" \
        decode -t nosuch
    refuses "unknown type '0'" encode --type 0 /dev/null
    refuses "cannot open 'missing.bin'" decode --type qos missing.bin
    # A payload that the checked receive does not convert whole: what it converted, and of what.
    zeros short.bin 100
    refuses "payload is 100 bytes, the record needs 960: its stats_ntoh's len rule is '>= size' and "\
"statscl_stats_ntoh_checked converted 0 of 960 bytes" \
        decode --type qos short.bin
    refuses "'whole values' and statscl_stats_ntoh_checked converted 96 of 864 bytes" \
        decode --type pktflow short.bin
    refuses "'ignored' and statscl_stats_ntoh_checked converted 0 of 4 bytes \(the other 520 are of "\
"unknown layout" decode --type snmp_clear short.bin
    refuses "'ignored' and statscl_kelm_fabric_err_stats_ntoh_checked converted 0 of 1208 bytes" \
        decode --type kelm_fabric_err short.bin
    zeros short.bin 8
    refuses "'ignored' and statscl_stats_ntoh_checked converted 0 of 12 bytes" \
        decode --type storm_supp short.bin
    zeros long.bin 705
    refuses "705 bytes, the record needs 704: .*'== size' and statscl_fcmac_if_ctrs_stats_ntoh_checked "\
"converted 0 of 704" decode --type fcmac_if_ctrs long.bin
    refuses "qos request payload is 2 bytes, the record needs 4" \
        decode --type qos --request - < <(printf '\0\0')
    refuses "diag has no request record" decode --type diag --request
    refuses "kelm_fabric_err has no diff" decode --type kelm_fabric_err --baseline /dev/null
    refuses "--request excludes --baseline" decode --type qos --request --baseline x
    refuses "--with-request requires --baseline" decode --type qos --with-request x
    refuses "--hex64 requires --json" decode --type qos --hex64
    refuses "odd number of digits \(3\); the last one, at line 1, column 4" \
        decode --type storm_supp --hex - <<<'00 0'
    refuses "invalid hex: 'z' at line 2, column 2" decode -t storm_supp --hex - < <(printf '00\n0z')

    st decode --type storm_supp --json >s.json
    edit() { sed "$1" s.json >e.json; }
    enc=(encode -t 8 e.json)
    edit 's/"storm_supp"/"vl"/' && refuses "'kind' is \"vl\" but storm_supp statistics" "${enc[@]}"
    refuses "invalid JSON: parse error at line 2" encode --type storm_supp - < <(printf '{\n,')
    edit 's/storm_counter/storm_count/' && refuses "unknown field 'storm_count'" "${enc[@]}"
    edit '/storm_counter/d' && refuses "missing field 'storm_counter'" "${enc[@]}"
    edit 's/: 2000/: 4294967296/' && refuses "'storm_value': 4294967296 is out of range for a 32-bit" "${enc[@]}"
    edit 's/: 2000/: "0x100000000"/' && refuses "'storm_value': \"0x100000000\" is out of range" "${enc[@]}"
    edit 's/: 1000/: "0x1ffffffffffffffff"/' && refuses "'storm_counter'.* out of range for a 64-bit" "${enc[@]}"
    edit 's/: 1000/: -1/' && refuses "'storm_counter': -1 is out of range" "${enc[@]}"
    for bad in '"0x"' '"0xg"' '"1000"' '"0x 1"' '1.5'; do
        edit "s/: 1000/: $bad/"
        refuses "'storm_counter': expected an unsigned integer or a \"0x...\" hex string" "${enc[@]}"
    done
    st decode --type diag --json | sed 's/"entry_u16": \[[0-9]*,/"entry_u16": [/' >e.json
    refuses "'entry_u16' must be an array of 16 values, not 15" encode --type diag e.json
    st decode --type snmp_clear --json | sed 's/_bytes": "00/_bytes": "/' >e.json
    refuses "'snmp_clear_trailing_bytes' must be a string of 520 bytes in hex, not 519" encode -t snmp_clear e.json
}

# hosts CC: the test hosts built with CC, each needing a stand-in
# libstatcl_convert.so.1 under a run path.  host.c defines qos's handlers and
# app_log with default visibility: plain is linked without the package's
# flags, good with its export list, libhost.so is a shared object; mangled is
# C++ (-rdynamic), hidden has hidden visibility and no restore handler.
hosts() {
    local src=$SOURCE/tests/tool/hosts/host.c link=(-Llib -Wl,--no-as-needed -lstatcl_convert -Wl,-rpath,/opt/sc)
    mkdir -p lib && echo 'int f(void) { return 0; }' >stub.c
    "$1" -shared -fPIC -Wl,-soname,libstatcl_convert.so.1 -o lib/libstatcl_convert.so stub.c
    "$1" -o plain "$src" "${link[@]}"
    "$1" -o good "$src" "${link[@]}" -Wl,--dynamic-list="$EXPORTS"
    "$1" -shared -fPIC -o libhost.so "$src" "${link[@]}"
    "$1" -x c++ -o mangled "$src" -x none "${link[@]}" -rdynamic
    "$1" -fvisibility=hidden -DSAVE_ONLY -o hidden "$src" "${link[@]}"
}
# check_hosts CC FORMAT: each test host built with CC, as check-host reports it.
check_hosts() {
    [ -n "$HOST_CC" ] || skip "no check-host in this build"
    [ -n "$1" ] || skip "no compiler for $2 hosts"
    hosts "$1"
    run --separate-stderr st check-host good
    assert_success
    [ -z "$stderr" ]
    assert_line "good: $2 executable (PIE)"
    assert_line 'needs libstatcl_convert.so.1: yes'
    assert_line 'run path: /opt/sc (DT_RUNPATH)'
    assert_line --regexp '^statscl_qos_save_pss_hdlr +exported +found$'
    assert_line --regexp '^statscl_qos_restore_pss_hdlr +exported +found$'
    assert_line --regexp '^app_log +exported +found$'
    assert_line --regexp '^statscl_phy_restore_pss_hdlr +absent +the library logs "symbol ... not found"'
    assert_line --regexp '^ntoh_if_index +absent +the platform library.s is used$'
    [ "$(grep -c ' absent ' <<<"$output")" -eq 19 ]
    # Without the export list, default visibility leaves them in .symtab alone.
    run --separate-stderr st check-host plain
    assert_failure 1
    assert_line --regexp '^statscl_qos_restore_pss_hdlr +not exported +not found: defined, not in the dynamic symbol table$'
    [ "$(grep -c ' not exported ' <<<"$output")" -eq 3 ]
    [ "$(wc -l <<<"$stderr")" -eq 3 ]
    [[ $stderr == *"plain: statscl_qos_save_pss_hdlr is defined but not in the dynamic symbol table: the library cannot find it; give it default visibility and export it with the package's dynamic list,"* ]]
    run --separate-stderr st check-host libhost.so
    assert_success
    assert_line "libhost.so: $2 shared object"
    assert_line --partial 'note: a shared object: the library finds what it defines only if it is loaded with RTLD_GLOBAL'
    local u=', unsigned int'
    run --separate-stderr st check-host mangled
    assert_failure 1
    assert_line --regexp '^statscl_qos_save_pss_hdlr +exported'
    [ "$stderr" = "statscl: mangled: statscl_qos_restore_pss_hdlr is defined with C++ linkage as "\
"'statscl_qos_restore_pss_hdlr(unsigned int$u$u$u$u$u)'; the library looks for 'int32_t "\
"statscl_qos_restore_pss_hdlr(uint64_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t)' with C "\
"linkage: the library cannot find it" ]
    run --separate-stderr st check-host hidden
    assert_failure 1
    assert_line --regexp '^statscl_qos_save_pss_hdlr +not exported +not found: defined, not in'
    [ "$(wc -l <<<"$stderr")" -eq 3 ]
    [[ $stderr == *"warning: hidden: statscl_qos_save_pss_hdlr is defined but statscl_qos_restore_pss_hdlr is not"* ]]
    [[ $stderr == *"hidden: app_log is defined but not in the dynamic symbol table: the platform library's app_log is used instead;"* ]]
    st check-host --json mangled | tr -d ' \n' >m.json
    grep -qF '"format":"'"${2// /}"'executable(PIE)","needs_library":true,' m.json
    grep -qF '"run_path":"/opt/sc","run_path_tag":"DT_RUNPATH","note":null,' m.json
    grep -qF '"state":"C++linkage","expected":"int32_tstatscl_qos_restore_pss_hdlr(uint64_t,' m.json
}

@test "check-host: x86-64 hosts with each fault and one without" { check_hosts "$HOST_CC" "ELF64 little-endian x86-64"; }
@test "check-host: 32-bit PowerPC hosts" { check_hosts "$PPC_CC" "ELF32 big-endian PowerPC"; }
@test "check-host: 64-bit PowerPC hosts" { check_hosts "$PPC64_CC" "ELF64 big-endian PowerPC64"; }
@test "check-host: 32-bit ARM hosts" { check_hosts "$ARM_CC" "ELF32 little-endian ARM"; }

@test "check-host --json: the table's exit status and findings; a shared object's note" {
    [ -n "$HOST_CC" ] || skip "no check-host in this build"
    hosts "$HOST_CC"
    run --separate-stderr st check-host --json good
    assert_success
    run --separate-stderr st check-host --json plain
    assert_failure 1
    [ "$(wc -l <<<"$stderr")" -eq 3 ]
    tr -d ' \n' <<<"$output" >p.json
    grep -qF '{"name":"app_log","role":"platform","state":"notexported","expected":"intapp_log(int,constchar*)"},' p.json
    grep -qF '"problems":["statscl_qos_save_pss_hdlrisdefinedbutnotinthedynamicsymboltable:' p.json
    run --separate-stderr st check-host libhost.so
    assert_line --regexp '^statscl_qos_save_pss_hdlr +exported +found if the object is loaded globally$'
    run --separate-stderr st check-host --json libhost.so
    assert_success
    assert_line '  "note": "a shared object: the library finds what it defines only if it is loaded with RTLD_GLOBAL or linked by the executable",'
}

@test "check-host: anything but a dynamic ELF host is refused with one message" {
    [ -n "$HOST_CC" ] || skip "no check-host in this build"
    hosts "$HOST_CC"
    refuses "cannot open 'missing': No such file" check-host missing
    mkdir dir && refuses "^statscl: dir: not a regular file$" check-host dir
    refuses "stub.c: not an ELF file" check-host stub.c
    head -c 100 good >cut && refuses "cut: truncated: its section headers" check-host cut
    "$HOST_CC" -c -o host.o stub.c && refuses "host.o: not an executable or shared object" check-host host.o
    echo 'int main(void) { return 0; }' >s.c && "$HOST_CC" -static -o static s.c
    refuses "static: has no dynamic section" check-host static
}
