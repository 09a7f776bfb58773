#!/usr/bin/env bash
# Installs every Debian package and npm tool the build and the tests need.
# Idempotent: when everything is already present it asks nothing and changes nothing.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)

packages=(
  # toolchain
  build-essential cmake ninja-build ccache pkg-config git
  # Qt 5.15
  qtbase5-dev qtbase5-dev-tools qttools5-dev qttools5-dev-tools libqt5opengl5-dev
  qt5-qmake libqt5svg5-dev qt5-image-formats-plugins
  # crash capture and platform probes
  libunwind-dev libdrm-dev libgl-dev libegl-dev
  # cameras: V4L2 streaming, hot-plug, MJPEG decoding; the virtual camera's printed codes
  libv4l-dev libudev-dev libturbojpeg0-dev libqrencode-dev libzint-dev
  # barcode decoding
  libzbar-dev
  # read-aloud: Qt's text-to-speech through speech-dispatcher with espeak-ng (Chinese and English voices)
  libqt5texttospeech5-dev qtspeech5-speechd-plugin speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
  # the AI panel's embedded browser (the program also builds without it)
  qtwebengine5-dev
  # the ticket records: Qt SQL with its SQLite driver, and PostgreSQL for a store shared by several counters
  # (the server itself runs in the tests)
  libqt5sql5-sqlite libqt5sql5-psql postgresql-15
  # microphone capture for voice commands and recordings: PulseAudio's simple API, ALSA as fallback;
  # the PulseAudio server gives the tests a pipe-fed microphone and a null sink
  libpulse-dev libasound2-dev pulseaudio pulseaudio-utils
  # recordings: FFmpeg's libraries (H.264 through libx264, AAC); ffprobe checks the files
  libavcodec-dev libavformat-dev libavutil-dev libswscale-dev libswresample-dev ffmpeg
  # Word export: LibreOffice driven by Python through UNO; catdoc reads the .doc back in tests
  libreoffice-writer-nogui python3-uno catdoc
  # the installable program: desktop entry, AppStream and package checks, the man page
  desktop-file-utils appstream lintian help2man dpkg-dev fakeroot file
  # image processing
  libopencv-dev
  # OCR in Chinese and English (also reads back the virtual camera's printed page in its tests)
  tesseract-ocr tesseract-ocr-eng tesseract-ocr-chi-sim libtesseract-dev libleptonica-dev
  # tests and benchmarks (poppler, qpdf, xmllint and unzip check the exported PDF and OFD files)
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  poppler-utils qpdf libxml2-utils unzip
  xvfb xauth x11-utils libgl1-mesa-dri mesa-utils
  imagemagick
  # fonts: the default interface language is Chinese
  fonts-wqy-microhei fonts-dejavu-core
)
# npm fetches the minidump reader tools; some images carry a Node.js build that already has it.
if ! command -v npm >/dev/null 2>&1; then packages+=(nodejs npm); fi
# `--training` adds what tools/orientation needs to render pages and retrain the orientation model
# (run with /usr/bin/python3): PyTorch, OpenCV's Python binding, and the page fonts, CJK included.
if [ "${1:-}" = "--training" ]; then
  packages+=(python3-torch python3-numpy python3-pil python3-opencv
    fonts-liberation fonts-freefont-ttf fonts-arphic-ukai fonts-arphic-uming fonts-wqy-zenhei
    fonts-urw-base35 fonts-crosextra-carlito fonts-crosextra-caladea fonts-lato fonts-open-sans fonts-go
    fonts-ipafont-gothic fonts-ipafont-mincho fonts-unfonts-core fonts-cantarell fonts-roboto-unhinted
    fonts-noto-cjk fonts-noto-mono fonts-dejavu-extra fonts-texgyre
    fonts-ebgaramond fonts-linuxlibertine fonts-sil-charis fonts-sil-andika fonts-hack fonts-cabin fonts-oxygen
    fonts-fanwood fonts-stix fonts-junicode fonts-firacode fonts-inconsolata fonts-lxgw-wenkai fonts-mplus
    fonts-vlgothic fonts-nanum fonts-baekmuk)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "[deps] installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  # libunwind-dev conflicts with the libunwind-14-dev some images carry; let apt resolve it.
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends \
    -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold \
    "${missing[@]}"
fi

# Unpacks npm package $1 (name@version) into folder $2; further arguments name the parts to keep.
fetch_npm_package() {
  local package=$1 dest=$2
  shift 2
  local tmp
  tmp=$(mktemp -d)
  (cd "$tmp" && npm pack --silent "$package" >/dev/null)
  mkdir -p "$dest"
  tar -xzf "$tmp"/*.tgz -C "$dest" --strip-components=1 "$@"
  rm -rf "$tmp"
}

# Voice recognition loads libvosk.so at run time; it ships inside the npm package "vosk".
if [ ! -f "$root/third_party/vosk/lib/linux-x86_64/libvosk.so" ]; then
  echo "[deps] fetching libvosk"
  fetch_npm_package vosk@0.3.39 "$root/third_party/vosk" package/lib/linux-x86_64 package/package.json
fi

# The minidump reader tools used by the crash tests ship inside an npm package.
tools="$root/third_party/minidump"
if [ ! -x "$tools/bin/linux-x64/minidump_dump" ]; then
  echo "[deps] fetching minidump tools"
  fetch_npm_package minidump@0.26.0 "$tools"
  chmod +x "$tools"/bin/linux-x64/* 2>/dev/null || true
fi
