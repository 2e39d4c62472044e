#!/bin/sh
# Draws every built-in picture again and writes it into the source tree:
# resources/frames/*.png, the menu's thumbnail sheets resources/thumbnails/*.png,
# resources/{photo,splash,hint}.png, resources/icon.ico, resources/pictures.rc
# and docs/contact-sheet.png. The result is the same, byte for byte, on every
# run. `scripts/generate-pictures.sh thumbnails` remakes only the sheets (and
# pictures.rc) from the committed frames, in seconds.
# Needs libcairo2-dev, libpng-dev, fonts-dejavu-core and optipng.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/pictures"

cmake --preset native -B "$build" >/dev/null
cmake --build "$build" --target generate_pictures
# The sanitizer build reports fontconfig's process-lifetime caches as leaks.
ASAN_OPTIONS=detect_leaks=0 "$build/tools/generate_pictures" "$root" "$@"

# Lossless and deterministic: keep 8-bit RGB (the frame format), drop nothing
# but the encoding's slack.
if [ "${1:-}" = thumbnails ]; then
  set -- "$root"/resources/thumbnails/*.png
else
  set -- "$root"/resources/frames/*.png "$root"/resources/thumbnails/*.png "$root"/resources/photo.png \
    "$root"/resources/splash.png "$root"/resources/hint.png "$root"/docs/contact-sheet.png
fi
for picture in "$@"; do
  echo "$picture"
done | xargs -P "$(nproc)" -n 8 optipng -quiet -o5 -nx -strip all
rm -rf "$root/resources/placeholder"
