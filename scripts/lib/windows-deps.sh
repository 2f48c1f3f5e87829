# The Windows (x86_64, MinGW-w64) third-party stack, cross-built from
# Debian's sources into a cache outside the repository, sourced by
# scripts/windows:
#   ~/.cache/zelkor-editor/qt-6.4.2-mingw64   qtbase + qtserialport (shared)
#   ~/.cache/zelkor-editor/deps-mingw64       zlib, minizip, libcsv, googletest,
#                                             libxlsxwriter (static)
#   ~/.cache/zelkor-editor/mingw-toolchain.cmake
# Each stage is skipped when its stamp says it is installed, so a second run
# is quick and an interrupted one resumes (ninja keeps the partial Qt build).
# ZELKOR_WIN_JOBS (default 2) sets the build's parallelism; ZELKOR_WIN_CLEAN=1
# drops sources and build trees (about 2.3 GB) once everything is installed.
CACHE=$HOME/.cache/zelkor-editor
QT_VERSION=6.4.2
QT_PREFIX=$CACHE/qt-$QT_VERSION-mingw64
DEPS_PREFIX=$CACHE/deps-mingw64
SRC_DIR=$CACHE/src
BUILD_DIR=$CACHE/build
LOG_DIR=$CACHE/logs
TOOLCHAIN=$CACHE/mingw-toolchain.cmake
JOBS=${ZELKOR_WIN_JOBS:-2}
TRIPLE=x86_64-w64-mingw32
HOST_QT_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake

# Debian's qt6-serialport source tarballs are missing from some mirrors, so
# the same upstream release is kept in third_party/; pinned so a wrong file
# cannot slip in.
QTSERIALPORT_SHA256=74c02d2d53b8bc6a4dda23b9130c31194f2ea33a2aaf7cb4199fb2172ec05329

# Bump a recipe's number when its flags change so the stage is rebuilt.
declare -A RECIPE=(
  [qtbase]=1 [qtserialport]=1 [zlib]=1 [minizip]=1 [libcsv]=1
  [googletest]=1 [libxlsxwriter]=2
)

NICE=(nice -n 10)
ALL_STAGES=(packages toolchain qtbase qtserialport zlib minizip libcsv googletest libxlsxwriter)

log() { printf '[windows] %s\n' "$*" >&2; }
die() { log "ERROR: $*"; exit 1; }

# Runs a command with its output in the stage's log; shows the tail on failure
# because a Qt build log is far too long for a terminal.
run() {
  local logfile=$LOG_DIR/$CURRENT_STAGE.log
  printf '\n$ %s\n' "$*" >>"$logfile"
  if ! "$@" >>"$logfile" 2>&1; then
    log "command failed: $*"
    log "last lines of $logfile:"
    tail -n 40 "$logfile" >&2
    exit 1
  fi
}

pkg_installed() {
  [[ $(dpkg-query -W -f='${Status}' "$1" 2>/dev/null) == "install ok installed" ]]
}

stamp_file() { echo "$1/share/zelkor-stamps/$2"; }

stamp_ok() { # prefix name
  local f
  f=$(stamp_file "$1" "$2")
  [[ -f $f && $(cat "$f") == "$2 recipe ${RECIPE[$2]}" ]]
}

write_stamp() { # prefix name
  local f
  f=$(stamp_file "$1" "$2")
  mkdir -p "$(dirname "$f")"
  echo "$2 recipe ${RECIPE[$2]}" >"$f"
}

first_subdir() { find "$1" -mindepth 1 -maxdepth 1 -type d -print -quit; }

# Tries each version apt knows, newest first: the mirror here lacks some
# sources (the security archive's among them), and an older Debian revision
# of the same upstream release is better than no build.
fetch_debian_source() { # source-package dir
  local ver logfile=$LOG_DIR/$CURRENT_STAGE.log
  if (cd "$2" && apt-get source -q "$1" >>"$logfile" 2>&1); then return 0; fi
  while read -r ver; do
    rm -rf "$2"; mkdir -p "$2"
    if (cd "$2" && apt-get source -q "$1=$ver" >>"$logfile" 2>&1); then
      log "$1: newest source unavailable, using $ver"
      return 0
    fi
  done < <(apt-cache showsrc "$1" | sed -n 's/^Version: //p' | sort -Vru)
  return 1
}

# Unpacks a Debian source package once and prints the unpacked tree.
debian_source() { # source-package
  local dir=$SRC_DIR/$1 tree
  if [[ ! -f $dir/.unpacked ]]; then
    rm -rf "$dir"; mkdir -p "$dir"
    fetch_debian_source "$1" "$dir" ||
      die "apt-get source $1 failed (see $LOG_DIR/$CURRENT_STAGE.log)"
    touch "$dir/.unpacked"
  fi
  tree=$(first_subdir "$dir")
  [[ -n $tree ]] || die "apt-get source $1 produced no source tree"
  echo "$tree"
}

# ---------------------------------------------------------------- packages

add_deb_src() {
  if grep -rqsE '^[[:space:]]*(deb-src[[:space:]]|Types:.*deb-src)' \
      /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; then
    return 1
  fi
  if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
    sed -E 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
      >/etc/apt/sources.list.d/zelkor-deb-src.sources
  elif grep -qsE '^[[:space:]]*deb[[:space:]]' /etc/apt/sources.list; then
    sed -nE 's/^[[:space:]]*deb[[:space:]]/deb-src /p' /etc/apt/sources.list \
      >/etc/apt/sources.list.d/zelkor-deb-src.list
  else
    die "no Debian apt source found to derive a deb-src entry from"
  fi
  log "added a deb-src entry"
}

BUILD_STAGES=(qtbase qtserialport zlib minizip libcsv googletest libxlsxwriter)

stage_prefix() { case $1 in qt*) echo "$QT_PREFIX" ;; *) echo "$DEPS_PREFIX" ;; esac; }

all_built() {
  local s
  for s in "${BUILD_STAGES[@]}"; do stamp_ok "$(stage_prefix "$s")" "$s" || return 1; done
}

stage_packages() {
  # qt6-base-dev(-tools) provide the host moc/rcc/uic and Qt6HostInfo that a
  # cross build of the same Qt version needs; fonts-wine gives wine text.
  local wanted=(g++-mingw-w64-x86-64-posix mingw-w64-tools ninja-build cmake
    wine wine64 fonts-wine nsis dpkg-dev xz-utils perl zip icoutils librsvg2-bin
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n) missing=() p need_update=0
  for p in "${wanted[@]}"; do pkg_installed "$p" || missing+=("$p"); done
  if [[ ${#missing[@]} -gt 0 ]] || ! all_built; then
    [[ $(id -u) -eq 0 ]] || die "run as root: packages to install (${missing[*]:-none}) or sources to fetch"
  fi
  if ! all_built; then
    if add_deb_src; then need_update=1; fi
    # grep -c reads to the end, so apt-cache never dies of SIGPIPE here.
    apt-cache showsrc zlib 2>/dev/null | grep -c '^Package:' >/dev/null || need_update=1
  fi
  if [[ ${#missing[@]} -gt 0 ]]; then need_update=1; fi
  if [[ $need_update -eq 1 ]]; then
    run apt-get update -q
  fi
  if [[ ${#missing[@]} -gt 0 ]]; then
    log "installing: ${missing[*]}"
    run env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
  fi
  local host_qt
  host_qt=$(dpkg-query -W -f='${Version}' qt6-base-dev)
  [[ $host_qt == $QT_VERSION* ]] ||
    die "host Qt is $host_qt; the cross build needs host tools of Qt $QT_VERSION"
}

# --------------------------------------------------------------- toolchain

stage_toolchain() {
  mkdir -p "$CACHE"
  touch "$CACHE/.zelkor-win-cache"
  # The Qt prefix records this path, so it must live in the cache, not here.
  if ! cmp -s "$ZELKOR_ROOT/cmake/mingw-toolchain.cmake" "$TOOLCHAIN"; then
    install -m 644 "$ZELKOR_ROOT/cmake/mingw-toolchain.cmake" "$TOOLCHAIN"
  fi
}

# ------------------------------------------------------------------ qtbase

# Qt's toolchain file records the absolute path of ours; pointing it at the
# copy beside the prefix lets the whole cache be restored somewhere else.
make_qt_toolchain_relocatable() {
  local f=$QT_PREFIX/lib/cmake/Qt6/qt.toolchain.cmake
  sed -i "s|\"$TOOLCHAIN\"|\"\${CMAKE_CURRENT_LIST_DIR}/../../../../mingw-toolchain.cmake\"|" "$f"
  grep -q 'CMAKE_CURRENT_LIST_DIR}/../../../../mingw-toolchain.cmake' "$f" ||
    die "could not make $f relocatable"
}

stage_qtbase() {
  if stamp_ok "$QT_PREFIX" qtbase && [[ -f $QT_PREFIX/lib/cmake/Qt6/qt.toolchain.cmake ]]; then
    make_qt_toolchain_relocatable
    log "qtbase: already installed"; return
  fi
  local src build=$BUILD_DIR/qtbase
  src=$(debian_source qt6-base)
  # tabletevent must be off from the first configure: Debian's source drops
  # src/3rdparty/wintab and flipping it later rebuilds half of Qt.
  # OpenGL (desktop) stays on: the windows platform plugin of 6.4.2 does not
  # compile without it. direct2d stays on too: 6.4.2 compiles the DirectWrite
  # font engine only with it, yet PrintSupport calls that engine whenever
  # directwrite is on, so Qt6PrintSupport.dll fails to link without it.
  # Bundled third-party code avoids hunting for MinGW zlib/png/freetype/...
  local args=(-S "$src" -B "$build" -G Ninja
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN"
    -DCMAKE_INSTALL_PREFIX="$QT_PREFIX"
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$HOST_QT_CMAKE_DIR"
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_icu=OFF
    -DFEATURE_glib=OFF -DFEATURE_vulkan=OFF -DFEATURE_zstd=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_opengl=ON -DFEATURE_opengl_desktop=ON -DFEATURE_opengl_dynamic=OFF
    -DFEATURE_direct2d=ON -DFEATURE_png=ON
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_jpeg=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_doubleconversion=OFF)
  # Reconfigures in place (ninja then rebuilds only what changed) when the
  # flags differ from the ones the build directory was configured with.
  if [[ ! -f $build/build.ninja || $(cat "$build/.zelkor-args" 2>/dev/null) != "${args[*]}" ]]; then
    run cmake "${args[@]}"
    echo "${args[*]}" >"$build/.zelkor-args"
  fi
  run "${NICE[@]}" cmake --build "$build" -- -j"$JOBS"
  run cmake --install "$build"
  make_qt_toolchain_relocatable
  write_stamp "$QT_PREFIX" qtbase
}

# ------------------------------------------------------------ qtserialport

qtserialport_source() {
  local dir=$SRC_DIR/qt6-serialport tarball
  if [[ -f $dir/.unpacked ]]; then
    first_subdir "$dir"; return
  fi
  rm -rf "$dir"; mkdir -p "$dir"
  if fetch_debian_source qt6-serialport "$dir"; then
    log "qtserialport: using Debian's source"
  else
    log "qtserialport: apt-get source failed, using third_party/qtserialport-$QT_VERSION.tar.gz"
    rm -rf "$dir"; mkdir -p "$dir"
    tarball=$ZELKOR_ROOT/third_party/qtserialport-$QT_VERSION.tar.gz
    echo "$QTSERIALPORT_SHA256  $tarball" | sha256sum -c --quiet - ||
      die "checksum mismatch for $tarball"
    tar -xzf "$tarball" -C "$dir"
  fi
  touch "$dir/.unpacked"
  first_subdir "$dir"
}

stage_qtserialport() {
  if stamp_ok "$QT_PREFIX" qtserialport && [[ -f $QT_PREFIX/bin/Qt6SerialPort.dll ]]; then
    log "qtserialport: already installed"; return
  fi
  local src build=$BUILD_DIR/qtserialport
  src=$(qtserialport_source)
  rm -rf "$build"
  run cmake -S "$src" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$QT_PREFIX/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$HOST_QT_CMAKE_DIR" \
    -DCMAKE_INSTALL_PREFIX="$QT_PREFIX" -DCMAKE_BUILD_TYPE=Release \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  run "${NICE[@]}" cmake --build "$build" -- -j"$JOBS"
  run cmake --install "$build"
  write_stamp "$QT_PREFIX" qtserialport
}

# -------------------------------------------------------- small C libraries

CFLAGS_TARGET=(-O2 -DNDEBUG)

stage_zlib() {
  if stamp_ok "$DEPS_PREFIX" zlib && [[ -f $DEPS_PREFIX/lib/libz.a ]]; then
    log "zlib: already installed"; return
  fi
  local src build=$BUILD_DIR/zlib f files=()
  src=$(debian_source zlib)
  rm -rf "$build"
  # Debian's dfsg tarball drops win32/Makefile.gcc, and zlib's CMake build
  # would name the static library libzlibstatic.a on MinGW; compiling the core
  # files gives the libz.a that FindZLIB looks for.
  for f in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite \
           infback inffast inflate inftrees trees uncompr zutil; do
    files+=("$src/$f.c")
  done
  build_static_c "$build" z -I"$src" -- "${files[@]}"
  install -d "$DEPS_PREFIX/lib" "$DEPS_PREFIX/include" "$DEPS_PREFIX/lib/pkgconfig"
  install -m 644 "$build/libz.a" "$DEPS_PREFIX/lib/"
  install -m 644 "$src/zlib.h" "$src/zconf.h" "$DEPS_PREFIX/include/"
  write_pc zlib "zlib compression library" "$(zlib_version "$src")" "-lz" ""
  write_stamp "$DEPS_PREFIX" zlib
}

zlib_version() { sed -nE 's/^#define ZLIB_VERSION "([^"]+)".*/\1/p' "$1/zlib.h"; }

# pkg-config files use ${pcfiledir} so the prefix can be moved.
write_pc() { # name description version libs cflags-extra
  cat >"$DEPS_PREFIX/lib/pkgconfig/$1.pc" <<EOF
prefix=\${pcfiledir}/../..
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: $1
Description: $2
Version: $3
Libs: -L\${libdir} $4
Cflags: -I\${includedir}$5
EOF
}

# Compiles C files into a static library with the cross compiler directly:
# these libraries have no build system that cross-compiles cleanly.
build_static_c() { # build-dir library-name cflags... -- sources...
  local build=$1 name=$2 cflags=() objs=() s o
  shift 2
  while [[ $1 != -- ]]; do cflags+=("$1"); shift; done
  shift
  mkdir -p "$build"
  for s in "$@"; do
    o=$build/$(basename "${s%.c}").o
    run "${NICE[@]}" "$TRIPLE-gcc-posix" "${CFLAGS_TARGET[@]}" "${cflags[@]}" -c "$s" -o "$o"
    objs+=("$o")
  done
  rm -f "$build/lib$name.a"
  run "$TRIPLE-ar" rcs "$build/lib$name.a" "${objs[@]}"
}

# CVE-2023-45853: oversized name/comment/extra lengths overflow a heap buffer
# in zipOpenNewFileInZip4_64. Debian fixed it only in bookworm-security, which
# may be the source that could not be fetched, so add the upstream check when
# it is missing.
guard_minizip_lengths() { # zip.c
  grep -q 'strlen(filename)>0xffff' "$1" && return 0
  patch --forward --quiet "$1" <<'EOF'
@@ -1075,6 +1075,14 @@
     if (file == NULL)
         return ZIP_PARAMERROR;
 
+    /* The name, comment and extra-field lengths are 16-bit in the format. */
+    if ((filename!=NULL) && (strlen(filename)>0xffff))
+        return ZIP_PARAMERROR;
+    if ((comment!=NULL) && (strlen(comment)>0xffff))
+        return ZIP_PARAMERROR;
+    if ((size_extrafield_local>0xffff) || (size_extrafield_global>0xffff))
+        return ZIP_PARAMERROR;
+
 #ifdef HAVE_BZIP2
     if ((method!=0) && (method!=Z_DEFLATED) && (method!=Z_BZIP2ED))
       return ZIP_PARAMERROR;
EOF
  grep -q 'strlen(filename)>0xffff' "$1" || die "could not add the minizip length check"
}

stage_minizip() {
  if stamp_ok "$DEPS_PREFIX" minizip && [[ -f $DEPS_PREFIX/lib/libminizip.a ]]; then
    log "minizip: already installed"; return
  fi
  stamp_ok "$DEPS_PREFIX" zlib || die "minizip needs the zlib stage first"
  local src mz build=$BUILD_DIR/minizip
  src=$(debian_source zlib)
  rm -rf "$build"; mkdir -p "$build"
  cp -a "$src/contrib/minizip" "$build/src"
  mz=$build/src
  guard_minizip_lengths "$mz/zip.c"
  build_static_c "$build" minizip -I"$DEPS_PREFIX/include" -I"$mz" -- \
    "$mz/ioapi.c" "$mz/unzip.c" "$mz/zip.c" "$mz/mztools.c" "$mz/iowin32.c"
  install -d "$DEPS_PREFIX/include/minizip"
  install -m 644 "$build/libminizip.a" "$DEPS_PREFIX/lib/"
  install -m 644 "$mz"/{ioapi.h,unzip.h,zip.h,mztools.h,iowin32.h,crypt.h} \
    "$DEPS_PREFIX/include/minizip/"
  write_pc minizip "zip/unzip library from zlib's contrib" \
    "$(zlib_version "$src")" "-lminizip -lz" " -I\${includedir}/minizip"
  write_stamp "$DEPS_PREFIX" minizip
}

stage_libcsv() {
  if stamp_ok "$DEPS_PREFIX" libcsv && [[ -f $DEPS_PREFIX/lib/libcsv.a ]]; then
    log "libcsv: already installed"; return
  fi
  local src build=$BUILD_DIR/libcsv
  src=$(debian_source libcsv)
  rm -rf "$build"
  build_static_c "$build" csv -I"$src" -- "$src/libcsv.c"
  install -d "$DEPS_PREFIX/lib" "$DEPS_PREFIX/include"
  install -m 644 "$build/libcsv.a" "$DEPS_PREFIX/lib/"
  install -m 644 "$src/csv.h" "$DEPS_PREFIX/include/"
  write_stamp "$DEPS_PREFIX" libcsv
}

# A CMake project built as static libraries into the deps prefix.
cmake_static() { # source build extra-args...
  run cmake -S "$1" -B "$2" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_INSTALL_PREFIX="$DEPS_PREFIX" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF "${@:3}"
  run "${NICE[@]}" cmake --build "$2" -- -j"$JOBS"
  run cmake --install "$2"
}

stage_googletest() {
  if stamp_ok "$DEPS_PREFIX" googletest && [[ -f $DEPS_PREFIX/lib/cmake/GTest/GTestConfig.cmake ]]; then
    log "googletest: already installed"; return
  fi
  local src build=$BUILD_DIR/googletest
  src=$(debian_source googletest)
  rm -rf "$build"
  cmake_static "$src" "$build" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
  write_stamp "$DEPS_PREFIX" googletest
}

stage_libxlsxwriter() {
  if stamp_ok "$DEPS_PREFIX" libxlsxwriter && [[ -f $DEPS_PREFIX/lib/libxlsxwriter.a ]]; then
    log "libxlsxwriter: already installed"; return
  fi
  stamp_ok "$DEPS_PREFIX" minizip || die "libxlsxwriter needs the minizip stage first"
  local src build=$BUILD_DIR/libxlsxwriter
  src=$(debian_source libxlsxwriter)
  rm -rf "$build"
  # Our minizip rather than the bundled copy, so an application that links
  # both gets one set of zip symbols.
  cmake_static "$src" "$build" -DUSE_SYSTEM_MINIZIP=ON -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF \
    -DZLIB_ROOT="$DEPS_PREFIX"
  # The installed .pc has an absolute prefix and omits minizip, which a
  # static link needs.
  write_pc xlsxwriter "library for creating Excel XLSX files" \
    "$(sed -nE 's/^#define LXW_VERSION "([^"]+)".*/\1/p' "$src/include/xlsxwriter.h")" \
    "-lxlsxwriter -lminizip -lz" ""
  write_stamp "$DEPS_PREFIX" libxlsxwriter
}

# -------------------------------------------------------------------- main

windows_deps() {
  local stages=("$@") s start
  if [[ ${#stages[@]} -eq 0 ]]; then
    stages=("${ALL_STAGES[@]}")
  fi
  mkdir -p "$CACHE" "$SRC_DIR" "$BUILD_DIR" "$LOG_DIR"
  log "cache: $CACHE"
  for s in "${stages[@]}"; do
    declare -F "stage_$s" >/dev/null || die "unknown stage '$s' (stages: ${ALL_STAGES[*]})"
  done
  for s in "${stages[@]}"; do
    CURRENT_STAGE=$s
    start=$SECONDS
    "stage_$s"
    log "$(printf '%-14s %4d s' "$s" $((SECONDS - start)))"
  done
  if all_built; then
    log "cache complete"
    # Sources and build trees (about 2.3 GB) only speed up a rebuild.
    if [[ ${ZELKOR_WIN_CLEAN:-0} == 1 ]]; then rm -rf "$SRC_DIR" "$BUILD_DIR"; fi
  fi
}
