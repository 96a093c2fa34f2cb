#!/usr/bin/env bash
# Builds the icon reader's libFuzzer target with clang (address and undefined
# behaviour sanitizers) into fuzz/build/, and seeds its corpus with the shared
# real-world icons and a small PNG icon. Not part of the normal build.
#
#   fuzz/build.sh                     build only
#   fuzz/build.sh run [SECONDS]       build, then fuzz (default 600 s)
set -euo pipefail
cd "$(dirname "$0")/.."

cxx=${CXX_FUZZ:-clang++-14}
shared=${FOLIOTEER_SHARED_DIR:-$(pwd)/../shared}
out=fuzz/build
mkdir -p "$out/seeds" fuzz/corpus-icons

"$cxx" -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -Wall -Wextra -Werror -I src -include fuzz/source_location_shim.h \
  fuzz/icon_reader_fuzz.cpp src/icons/*.cpp src/support/*.cpp \
  -o "$out/icon_reader_fuzz"

install -m 0644 "$shared"/corpus/icons/*.info "$out/seeds/"
python3 - "$out/seeds/png-icon.info" <<'PY'
import struct, sys, zlib
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
tags = struct.pack('>II', 0x80001001, 10) + struct.pack('>II', 0x80001002, 20)
tags += struct.pack('>I', 0x8000100A) + b'SYS:Utilities/Multiview\0'
tags += struct.pack('>I', 0x8000100B) + b'PUBSCREEN=Work\0' + struct.pack('>II', 0x8000100F, 4)
png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 1, 1, 8, 6, 0, 0, 0))
png += chunk(b'icOn', tags) + chunk(b'IDAT', zlib.compress(b'\0\0\0\0\0')) + chunk(b'IEND', b'')
open(sys.argv[1], 'wb').write(png + png)
PY

if [[ "${1:-}" == "run" ]]; then
  seconds=${2:-600}
  exec nice -n 19 "$out/icon_reader_fuzz" -max_total_time="$seconds" -dict=fuzz/icon.dict \
    -max_len=65536 -rss_limit_mb=2048 -malloc_limit_mb=512 -artifact_prefix="$out/" \
    fuzz/corpus-icons "$out/seeds"
fi
