#!/usr/bin/env bash
# Builds the optimized deliverables (the configuration scripts/run.sh uses) and checks that
# each shared library exports its entries and works when a host loads it, so that a library
# that exports nothing cannot pass. KESTO_JOBS limits the build's parallel jobs.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${KESTO_RELEASE_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTO_TESTS=OFF -DKESTO_BENCH=OFF >/dev/null
cmake --build "$build" -j "${KESTO_JOBS:-$(nproc)}" \
  --target KestoObject KestoODBC KestoZentrel KestoCOM KestoList KestoQuery kestoregsvr kestoserver vovida kestocontrols

failed=0
fail() {
  echo "check-release: $*" >&2
  failed=1
}

# Each library with names it must export (one line per library).
check_exports() {
  local library=$build/$1
  shift
  [ -f "$library" ] || { fail "$library was not built"; return; }
  local exported
  exported=$(nm -D --defined-only "$library" | awk '{print $3}')
  for name in "$@"; do
    grep -qx -- "$name" <<<"$exported" || fail "$library does not export $name"
  done
}
check_exports objectlib/libKestoObject.so DllGetClassObject DllCanUnloadNow DllRegisterServer DllUnregisterServer \
  _ZN10d_DatabaseC1Ev _ZN8d_ObjectC1Ev _ZN11d_ResultSetC1EP10d_DatabasePKc
check_exports Objects/ODBC/src/libKestoODBC.so SQLAllocEnv SQLAllocConnect SQLAllocStmt SQLBindCol SQLCancel \
  SQLColAttributes SQLConnect SQLDescribeCol SQLDisconnect SQLError SQLExecDirect SQLExecute SQLFetch SQLFreeConnect \
  SQLFreeEnv SQLFreeStmt SQLGetCursorName SQLNumResultCols SQLPrepare SQLRowCount SQLSetCursorName SQLSetParam \
  SQLTransact SQLColumns SQLDriverConnect SQLGetConnectOption SQLGetData SQLGetFunctions SQLGetInfo SQLGetStmtOption \
  SQLGetTypeInfo SQLParamData SQLPutData SQLSetConnectOption SQLSetStmtOption SQLSpecialColumns SQLStatistics \
  SQLTables SQLColumnPrivileges SQLDescribeParam SQLExtendedFetch SQLForeignKeys SQLMoreResults SQLNativeSql \
  SQLNumParams SQLParamOptions SQLPrimaryKeys SQLProcedureColumns SQLProcedures SQLSetScrollOptions \
  SQLTablePrivileges SQLBindParameter ConfigDSN LoadByOrdinal
check_exports Modules/KestoZentrel/libKestoZentrel.so NewSyntaxColor NewSyntaxColorFree GetClassObject CanUnloadNow \
  DllRegisterServer DllUnregisterServer
check_exports platform/kestocom/libKestoCOM.so COM_GetClassFactory COM_CreateInstance COM_MkParseName \
  COM_GetDisplayNameFromClsid COM_GetDescriptionFromClsid COM_GetProgIDFromClsid COM_CreateTextSource \
  COM_CreateLineCollection COM_MemAlloc COM_MemFree COM_RegisterLanguageName COM_RegisterClass
check_exports controls/list/libKestoList.so DllGetClassObject DllCanUnloadNow DllRegisterServer DllUnregisterServer
check_exports controls/query/libKestoQuery.so DllGetClassObject DllCanUnloadNow DllRegisterServer DllUnregisterServer

# Hosts: each library loaded and used the least that shows it works, in a registry of its own.
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
export KESTO_ROOT=$root

for program in "$build/app/vovida" "$build/server/program/kestoserver" "$build/controls/demo/kestocontrols"; do
  [ -x "$program" ] || { fail "$program was not built"; continue; }
  ldd "$program" | grep -q "not found" && fail "$program misses libraries: $(ldd "$program" | grep 'not found')"
done
"$build/server/program/kestoserver" --help >/dev/null || fail "kestoserver --help failed"

"$build/platform/automation/kestoregsvr" "$build/objectlib/libKestoObject.so" >/dev/null ||
  fail "libKestoObject.so does not register"
"$build/platform/automation/kestoregsvr" "$build/Modules/KestoZentrel/libKestoZentrel.so" >/dev/null ||
  fail "libKestoZentrel.so does not register"
for control in controls/list/libKestoList.so controls/query/libKestoQuery.so; do
  "$build/platform/automation/kestoregsvr" "$build/$control" >/dev/null || fail "$control does not register"
done

python3 - "$build" "$root" <<'EOF' || failed=1
import ctypes, json, os, sys, uuid
from ctypes import POINTER, byref, c_int32, c_uint16, c_uint32, c_void_p, c_char_p

build, root = sys.argv[1], sys.argv[2]
failures = []

class GUID(ctypes.Structure):
    _fields_ = [("d1", c_uint32), ("d2", c_uint16), ("d3", c_uint16), ("d4", ctypes.c_ubyte * 8)]

def guid(text):
    u = uuid.UUID(text)
    g = GUID(u.fields[0], u.fields[1], u.fields[2])
    g.d4[:] = list(u.bytes[8:])
    return g

def method(obj, slot, *argtypes):
    table = ctypes.cast(obj, POINTER(POINTER(c_void_p))).contents
    return ctypes.CFUNCTYPE(c_int32, c_void_p, *argtypes)(table[slot])

def release(obj):
    ctypes.CFUNCTYPE(c_uint32, c_void_p)(ctypes.cast(obj, POINTER(POINTER(c_void_p))).contents[2])(obj)

def check(what, ok):
    if not ok:
        failures.append(what)

def registry_default(*path):
    with open(os.path.join(root, "registry", "HKEY_LOCAL_MACHINE.json")) as f:
        node = json.load(f)["root"]
    for name in ("SOFTWARE", "Classes") + path:
        node = next(k for k in node["keys"] if k["name"].lower() == name.lower())
    return next(v["sz"] for v in node["values"] if v["name"] == "")

# KestoObject: the registered class "KestoObject.Factory" is created through the library's
# class object.
try:
    objlib = ctypes.CDLL(os.path.join(build, "objectlib/libKestoObject.so"))
    clsid = guid(registry_default("KestoObject.Factory", "CLSID"))
    factory = c_void_p()
    hr = objlib.DllGetClassObject(byref(clsid), byref(guid("00000001-0000-0000-C000-000000000046")), byref(factory))
    check("KestoObject: DllGetClassObject answered %#x" % (hr & 0xFFFFFFFF), hr == 0 and factory)
    if factory:
        instance = c_void_p()
        hr = method(factory, 3, c_void_p, c_void_p, c_void_p)(factory, None,
                                                              byref(guid("00020400-0000-0000-C000-000000000046")),
                                                              byref(instance))
        check("KestoObject: creating KestoObject.Factory answered %#x" % (hr & 0xFFFFFFFF), hr == 0 and instance)
        if instance:
            release(instance)
        release(factory)
except Exception as e:
    failures.append("KestoObject: %r" % e)

# KestoODBC: an environment and a connection handle, and freed again.
try:
    odbc = ctypes.CDLL(os.path.join(build, "Objects/ODBC/src/libKestoODBC.so"))
    env, dbc = c_void_p(), c_void_p()
    check("KestoODBC: SQLAllocEnv", odbc.SQLAllocEnv(byref(env)) == 0)
    check("KestoODBC: SQLAllocConnect", odbc.SQLAllocConnect(env, byref(dbc)) == 0)
    check("KestoODBC: SQLFreeConnect", odbc.SQLFreeConnect(dbc) == 0)
    check("KestoODBC: SQLFreeEnv", odbc.SQLFreeEnv(env) == 0)
except Exception as e:
    failures.append("KestoODBC: %r" % e)

# KestoZentrel: both registered classes created through the component library colour a
# routine, and the flat entry colours it too; no character may be coloured as an error.
ROUTINE = ["CHECK ; release check", " S X=A&B,Y=$P(X,\",\",2) W !,Y", "TAG . S X=1", " D X(1).M() Q"]
try:
    com = ctypes.CDLL(os.path.join(build, "platform/kestocom/libKestoCOM.so"))
    zentrel = ctypes.CDLL(os.path.join(build, "Modules/KestoZentrel/libKestoZentrel.so"))
    allocator = c_void_p()
    com.COM_CreateInstance(byref(guid("1D371AC0-74F0-11D3-89EC-000000000000")), None,
                           byref(guid("FB890D5A-7285-11D3-9534-00C04F60B2F5")), byref(allocator))
    check("KestoZentrel: no allocator", allocator)
    text = "\n".join(ROUTINE)
    chars = (c_uint16 * len(text))(*[ord(c) for c in text])
    for name, clsid in (("KestoZentrel", "16FF6000-07A5-11D3-A03F-0080C74AF19F"),
                        ("KestoZentrel_MAC", "C05D40BA-F67A-11D3-9C7D-00C04F7912DD")):
        colourizer = c_void_p()
        hr = com.COM_CreateInstance(byref(guid(clsid)), None, byref(guid("12A7A5A0-DF1D-11D3-80BD-0050DA554B43")),
                                    byref(colourizer))
        check("KestoZentrel: creating %s answered %#x" % (name, hr & 0xFFFFFFFF), hr == 0 and colourizer)
        if not colourizer:
            continue
        source = c_void_p()
        com.COM_CreateTextSource((c_uint16 * 6)(*[ord(c) for c in "check"], 0), chars, ctypes.c_size_t(len(text)),
                                 byref(source))
        start, done = c_int32(), c_int32()
        hr = method(colourizer, 3, c_void_p, c_void_p, c_void_p, c_uint32, c_int32, c_int32, c_void_p, c_void_p)(
            colourizer, allocator, allocator, source, 0, 1, len(ROUTINE), byref(start), byref(done))
        check("KestoZentrel: %s ColourLines answered %#x" % (name, hr & 0xFFFFFFFF), hr == 0)
        info = c_void_p()
        method(source, 0, c_void_p, c_void_p)(source, byref(guid("7A1C0E31-4B52-4C1E-9D10-5E2B610A3301")), byref(info))
        for line in range(1, len(ROUTINE) + 1):
            words, count = POINTER(c_uint16)(), c_int32()
            method(info, 3, c_int32, c_void_p, c_void_p)(info, line, byref(words), byref(count))
            errors = [i for i in range(count.value) if words[i] & 0x1FF == 0]
            check("KestoZentrel: %s colours line %d as an error at %s" % (name, line, errors), not errors)
        release(info)
        release(source)
        release(colourizer)
    release(allocator)

    lines = [(c_uint16 * max(len(l), 1))(*[ord(c) for c in l]) for l in ROUTINE]
    lengths = (c_uint16 * len(ROUTINE))(*[len(l) for l in ROUTINE])
    texts = (c_void_p * len(ROUTINE))(*[ctypes.cast(l, c_void_p) for l in lines])
    count, states, attributes = c_int32(), c_void_p(), POINTER(POINTER(ctypes.c_ubyte))()
    ok = zentrel.NewSyntaxColor(1, len(ROUTINE), len(ROUTINE), lengths, texts, None, byref(count), byref(states),
                                byref(attributes))
    check("KestoZentrel: NewSyntaxColor failed", ok == 1 and count.value == len(ROUTINE))
    for i in range(count.value):
        errors = [c for c in range(len(ROUTINE[i])) if attributes[i][c] == 0]
        check("KestoZentrel: NewSyntaxColor colours line %d as an error at %s" % (i + 1, errors), not errors)
    zentrel.NewSyntaxColorFree(count, states, attributes)
except Exception as e:
    failures.append("KestoZentrel: %r" % e)

for f in failures:
    print("check-release: " + f, file=sys.stderr)
sys.exit(1 if failures else 0)
EOF

"$build/platform/automation/kestoregsvr" -u "$build/Modules/KestoZentrel/libKestoZentrel.so" >/dev/null ||
  fail "libKestoZentrel.so does not unregister"

if [ "$failed" -ne 0 ]; then
  echo "check-release: FAILED" >&2
  exit 1
fi
echo "check-release: the optimized libraries export their entries and work in a host"
