#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined behaviour
# sanitizers) into fuzz/build/: the icon reader, seeded with the shared
# real-world icons and a small PNG icon, and the guide parser, seeded with
# the shared real-world guides, the guide renderer and the HTML export (its
# pages checked by the tests' strict reader), seeded with the same guides,
# and the settings line (built with the whole core library), seeded with a
# few settings lines. Not part of the normal build.
#
#   fuzz/build.sh                                               build all five
#   fuzz/build.sh run icons|guide|render|html|settings [SECONDS]  build, then fuzz one (default 600 s)
set -euo pipefail
cd "$(dirname "$0")/.."

cxx=${CXX_FUZZ:-clang++-14}
shared=${FOLIOTEER_SHARED_DIR:-$(pwd)/../shared}
out=fuzz/build
mkdir -p "$out/seeds" "$out/guide-seeds" fuzz/corpus-icons fuzz/corpus-guide

"$cxx" -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -Wall -Wextra -Werror -I src -include fuzz/source_location_shim.h \
  fuzz/icon_reader_fuzz.cpp src/icons/*.cpp src/support/*.cpp \
  -o "$out/icon_reader_fuzz"
"$cxx" -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -Wall -Wextra -Werror -I src -include fuzz/source_location_shim.h \
  fuzz/guide_parser_fuzz.cpp src/guide/*.cpp src/containers/*.cpp src/support/*.cpp \
  -o "$out/guide_parser_fuzz"
"$cxx" -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -Wall -Wextra -Werror -I src -include fuzz/source_location_shim.h \
  fuzz/guide_render_fuzz.cpp src/render/*.cpp src/guide/*.cpp src/containers/*.cpp src/support/*.cpp \
  -o "$out/guide_render_fuzz"
"$cxx" -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -Wall -Wextra -Werror -I src -I tests -include fuzz/source_location_shim.h \
  fuzz/guide_html_fuzz.cpp src/html/*.cpp src/links/*.cpp src/render/*.cpp src/guide/*.cpp src/containers/*.cpp \
  src/support/*.cpp -o "$out/guide_html_fuzz"
# The settings line needs the core library: the folders src/CMakeLists.txt lists for it.
core=()
for folder in $(sed -n '/set(FOLIOTEER_CORE_FOLDERS/,/)/p' src/CMakeLists.txt | tr '()' '  '); do
  [[ -d src/$folder ]] || continue  # the words set and FOLIOTEER_CORE_FOLDERS
  for file in src/$folder/*.cpp; do [[ $file == */main.cpp ]] || core+=("$file"); done
done
"$cxx" -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -Wall -Wextra -Werror -I src -I tests -include fuzz/source_location_shim.h -pthread \
  fuzz/settings_line_fuzz.cpp "${core[@]}" -o "$out/settings_line_fuzz"
mkdir -p "$out/settings-seeds" fuzz/corpus-settings
printf '%s' 'MAKEICONS AUTOPREVIEWOFF USETABATTROFF HELPHINTS SPELLCHECKOFF' >"$out/settings-seeds/default"
printf '%s' 'PUBSCREEN="Work *"1*" **" EDITFONT="DejaVu Sans Mono" EDITFONTSIZE=13 NOMAKEICONS AUTOPREVIEW' \
  >"$out/settings-seeds/quoted"
printf '%s' 'Notes.guide PUBSCREEN "a*Nb" EDITFONT=x EDITFONTSIZE -7 SPELLCHECK SPELLCHECKOFF' \
  >"$out/settings-seeds/mixed"
mkdir -p fuzz/corpus-render fuzz/corpus-html
install -m 0644 "$shared"/corpus/guides/*.guide "$shared"/corpus/guides/*.Guide "$out/guide-seeds/"

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
  seconds=${3:-600}
  case "${2:-}" in
    icons)
      exec nice -n 19 "$out/icon_reader_fuzz" -max_total_time="$seconds" -dict=fuzz/icon.dict \
        -max_len=65536 -rss_limit_mb=2048 -malloc_limit_mb=512 -artifact_prefix="$out/" \
        fuzz/corpus-icons "$out/seeds" ;;
    guide)
      exec nice -n 19 "$out/guide_parser_fuzz" -max_total_time="$seconds" -dict=fuzz/guide.dict \
        -max_len=65536 -rss_limit_mb=2048 -artifact_prefix="$out/" \
        fuzz/corpus-guide "$out/guide-seeds" ;;
    render)
      exec nice -n 19 "$out/guide_render_fuzz" -max_total_time="$seconds" -dict=fuzz/guide.dict \
        -max_len=65536 -rss_limit_mb=2048 -artifact_prefix="$out/" \
        fuzz/corpus-render "$out/guide-seeds" ;;
    html)
      exec nice -n 19 "$out/guide_html_fuzz" -max_total_time="$seconds" -dict=fuzz/guide.dict \
        -max_len=65536 -rss_limit_mb=2048 -artifact_prefix="$out/" \
        fuzz/corpus-html "$out/guide-seeds" ;;
    settings)
      exec nice -n 19 "$out/settings_line_fuzz" -max_total_time="$seconds" -dict=fuzz/settings.dict \
        -max_len=4096 -rss_limit_mb=2048 -artifact_prefix="$out/" \
        fuzz/corpus-settings "$out/settings-seeds" ;;
    *) echo "fuzz/build.sh run icons|guide|render|html|settings [SECONDS]" >&2; exit 2 ;;
  esac
fi
