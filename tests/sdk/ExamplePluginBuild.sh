#!/usr/bin/env bash
# Installs the current build into a temporary prefix, builds examples/plugin against that
# prefix alone, adds it to the installed tree's plug-ins and starts the installed shell: the
# plug-in's question must be answered, and the process must map one copy of the SDK.
#   ExamplePluginBuild.sh <source dir> <build dir>
set -euo pipefail
source_dir="$1"
build_dir="$2"
work="$(mktemp -d)"
shell_pid=
cleanup() {
    [ -n "$shell_pid" ] && kill -KILL "$shell_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix="$work/prefix"
cmake --install "$build_dir" --prefix "$prefix" >/dev/null || fail "cmake --install"
for file in include/lumio/PluginInterface.h include/lumio/Version.h lib/liblumio_sdk.so \
            lib/cmake/Lumio/LumioConfig.cmake lib/cmake/Lumio/LumioConfigVersion.cmake bin/lumio; do
    [ -e "$prefix/$file" ] || fail "the installed tree has no $file"
done
[ -e "$prefix/bin/liblumio_sdk.so" ] && fail "a second SDK copy in bin/"

# Nothing of the source or build tree on the plug-in's paths: only the prefix.
cmake -S "$source_dir/examples/plugin" -B "$work/example" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_PREFIX_PATH="$prefix" >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; fail "configure"; }
cmake --build "$work/example" >"$work/build.log" 2>&1 || { cat "$work/build.log"; fail "build"; }

cp "$work/example/libexampleplugin.so" "$prefix/bin/plugins/"
# The list replaces the default names: keep the log-in plug-in. Services go to a refused
# loopback port, so nothing looks up an outside host.
sed -i -e 's/^dlls=.*/dlls=libloginmanager.so,libexampleplugin.so/' \
    -e 's#https\?://[^/ ,?]*#http://127.0.0.1:1#g' "$prefix/bin/allurl.ini"

mkdir -p "$work/home"
answer="$work/answer"
HOME="$work/home" LUMIO_EXAMPLE_ANSWER="$answer" ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" \
    "$prefix/bin/lumio" >"$work/shell.log" 2>&1 &
shell_pid=$!
for _ in $(seq 1 600); do
    [ -s "$answer" ] && break
    kill -0 "$shell_pid" 2>/dev/null || break
    sleep 0.1
done
[ -s "$answer" ] || { tail -20 "$work/shell.log"; fail "the example plug-in wrote no answer"; }
grep -q '^answered' "$answer" || fail "the shell did not answer: $(cat "$answer")"
copies="$(grep -o '/[^ ]*liblumio_sdk\.so[^ ]*' "/proc/$shell_pid/maps" | sort -u)"
[ "$(echo "$copies" | wc -l)" -eq 1 ] || fail "SDK mapped from more than one file: $copies"
case "$copies" in "$prefix/lib/"*) ;; *) fail "SDK mapped from $copies, not the prefix's lib/" ;; esac
kill -TERM "$shell_pid"
status=0
wait "$shell_pid" || status=$?
shell_pid=
[ "$status" -eq 0 ] || { tail -20 "$work/shell.log"; fail "the shell exited with $status"; }
echo "ok: $(cat "$answer")"
