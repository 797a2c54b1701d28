#!/usr/bin/env bash
# Checks that need no Windows, run by CTest: checks.sh FUNCTION ARGUMENTS...,
# with a function below and the arguments it names.
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }

# Fails, showing both, unless standard input is the text given.
expect() { diff -u <(printf '%s\n' "$2") - >&2 || fail "$1 (- expected, + found)"; }

# The resource directory as llvm-readobj reads it: "type name language size
# bytes" for each resource in the directory's order, bytes in hexadecimal.
resource_table() {  # EXE
  llvm-readobj --coff-resources "$1" | awk '
    function id(line) {  # "Name: BUTTON [" gives BUTTON, "Type: ICON (ID 3) [" 3
      sub(/^ *[A-Za-z]+: /, "", line); sub(/ \[$/, "", line)
      return match(line, /\(ID [0-9]+\)/) ? substr(line, RSTART + 4, RLENGTH - 5) : line
    }
    /^  Type: / {type = id($0)}
    /^    Name: / {name = id($0)}
    /^      Language: / {if (row) print row; row = type " " name " " id($0)}
    /^ *DataSize: / {row = row " " $2 " "}
    /^ +[0-9A-F]+: / {sub(/^ +[0-9A-F]+: /, ""); hex = substr($0, 1, 35); gsub(/ /, "", hex); row = row hex}
    END {print row}'
}

executable() {  # EXE WINDRES RESOURCES_DIR
  local exe=$1 windres=$2 resources=$3 headers table subsystem="4 0" config=0x40 entropy=
  headers=$(llvm-readobj --file-headers --coff-load-config "$exe")
  # A 64-bit build: the first x64 Windows, that loader's load configuration, high-entropy ASLR.
  if grep -q '^AddressSize: 64bit' <<<"$headers"; then
    subsystem="5 2" config=0x70 entropy=$'\nIMAGE_DLL_CHARACTERISTICS_HIGH_ENTROPY_VA (0x20)'
  fi
  # No time stamp, stripped, for Windows 4.0 on, a GUI program with ASLR and
  # NX and the relocations ASLR needs, the 2 MB stack; a load configuration
  # that takes the program's imports from the system folder alone.
  sed 's/^ *//' <<<"$headers" \
    | grep -E '^((TimeDateStamp|SymbolCount|M[a-z]+(OperatingSystem|Subsystem)Version|Subsystem):|IMAGE_DLL_)|^(SizeOfStackReserve|BaseRelocationTableSize|Size|DependentLoadFlags):' \
    | sed 's/^BaseRelocationTableSize: 0x[1-9A-F][0-9A-F]*$/relocations/' | expect "headers" "TimeDateStamp: 1970-01-01 00:00:00 (0x0)
SymbolCount: 0
MajorOperatingSystemVersion: 4
MinorOperatingSystemVersion: 0
MajorSubsystemVersion: ${subsystem% *}
MinorSubsystemVersion: ${subsystem#* }
Subsystem: IMAGE_SUBSYSTEM_WINDOWS_GUI (0x2)
IMAGE_DLL_CHARACTERISTICS_DYNAMIC_BASE (0x40)$entropy
IMAGE_DLL_CHARACTERISTICS_NX_COMPAT (0x100)
SizeOfStackReserve: 2097152
relocations
Size: $config
TimeDateStamp: 1970-01-01 00:00:00 (0x0)
DependentLoadFlags: 0x800"
  # The imports, a line for each DLL, names sorted.
  llvm-readobj --coff-imports "$exe" | awk '/^  Name: / {dll = toupper($2)} /^  Symbol: / {print dll, $2}' | LC_ALL=C sort \
    | awk '$1 != dll {if (dll) print line; dll = $1; line = $1} {line = line " " $2} END {print line}' \
    | expect "imports" "GDI32.DLL BitBlt CreateCompatibleDC CreateEllipticRgn DPtoLP DeleteDC DeleteObject GetMapMode GetObjectA SelectObject SetMapMode
KERNEL32.DLL ExitProcess GetCommandLineA GetModuleHandleA GetStartupInfoA
USER32.DLL BeginPaint CreateWindowExA DefWindowProcA DestroyWindow DispatchMessageA EndPaint GetClientRect GetDesktopWindow GetMessageA InvalidateRect LoadBitmapA LoadCursorA LoadIconA MoveWindow PostQuitMessage RegisterClassExA SetWindowRgn ShowWindow TranslateMessage
WINMM.DLL PlaySoundA"

  table=$(resource_table "$exe")
  cut -d' ' -f1-4 <<<"$table" | expect "resource directory" "WAVE PUSH_SOUND 1033 10042
2 BUTTON 1033 226616
2 BUTTON_PUSHED 1033 226616
3 1 1033 4264
3 2 1033 4264
14 A 1033 20
14 TUMK_ICON 1033 20
16 1 1033 732"
  bytes() { grep "^$1 $2 " <<<"$table" | cut -d' ' -f5; }  # TYPE NAME
  # Each carries its file's bytes: a bitmap resource the BMP file past its
  # 14-byte header, an icon image the icon file past its 22-byte directory.
  for row in "WAVE PUSH_SOUND push.wav 0" "2 BUTTON button.bmp 14" "2 BUTTON_PUSHED button_pushed.bmp 14" \
             "3 1 tumk.ico 22" "3 2 tumk.ico 22"; do
    set -- $row
    [ "$(bytes "$1" "$2")" = "$(tail -c +$(($4 + 1)) "$resources/$3" | basenc --base16 -w0)" ] \
      || fail "resource $2 is not $3"
  done
  # Each icon group: one 32 x 32, 32-bit entry of 4264 bytes, pointing at its image.
  for group in "A 02" "TUMK_ICON 01"; do
    [ "$(bytes 14 "${group% *}")" = "0000010001002020000001002000A8100000${group#* }00" ] || fail "icon group ${group% *}"
  done
  # The version information as the resource compiler reads it back; it
  # leaves out the fixed fields that are 0.
  "$windres" -i "$exe" -O rc | sed -n '/^1 VERSIONINFO/,$p' | grep -v 'BEGIN\|END' \
    | expect "version information" '1 VERSIONINFO
 FILEVERSION 0, 1, 1, 1
 PRODUCTVERSION 0, 1, 1, 1
 FILETYPE 0x1
  BLOCK "StringFileInfo"
    BLOCK "040904E4"
      VALUE "CompanyName", "Tumk Toy Co."
      VALUE "FileVersion", ""
      VALUE "FileDescription", L"\x0422\x0423\x041c\x041a (\x043a\x043d\x043e\x043f\x043a\x0430 \x0432 \x0441\x0435\x0440\x0435\x0434\x0438\x043d\x0435 \x044d\x043a\x0440\x0430\x043d\x0430)."
      VALUE "InternalName", ""
      VALUE "LegalCopyright", "Copyright (C) 2026 Tumk Toy Co."
      VALUE "LegalTrademarks", ""
      VALUE "OriginalFilename", ""
      VALUE "ProductName", L"\x0422\x0423\x041c\x041a"
      VALUE "ProductVersion", ""
  BLOCK "VarFileInfo"
    VALUE "Translation", 0x409, 1252'
}

# The committed files' headers, field by field in little-endian hexadecimal.
formats() {  # RESOURCES_DIR
  header() {  # FILE FIELD...
    local file=$1 fields
    fields=$(shift && tr -d ' ' <<<"$*")
    [ "$(head -c $((${#fields} / 2)) "$resources/$file" | od -An -tx1 | tr -d ' \n')" = "$fields" ] \
      || fail "$file's header"
  }
  local resources=$1 name
  # "BM", file size, 0, pixels at 54; 40-byte header: 238 x 238 bottom-up, 1 plane, 32 bits, BI_RGB,
  # 226576 bytes of pixels, 2835 pixels a metre (72 dpi) each way, no colour table.
  for name in button.bmp button_pushed.bmp; do
    header $name 424d 46750300 00000000 36000000 28000000 ee000000 ee000000 0100 2000 00000000 \
      10750300 130b0000 130b0000 00000000 00000000
    # Each pixel's fourth byte marks the disc: 0 on the 12,164 corner pixels
    # a centred disc leaves (they come in fours and eights), 255 on the rest.
    [ "$(od -An -v -tu1 -j54 "$resources/$name" | awk '{for (i = 4; i <= NF; i += 4) n[$i]++}
                                                        END {print n[0], n[255], length(n)}')" = "12164 44480 2" ] \
      || fail "$name's fourth bytes do not mark the disc"
  done
  # One image: 32 x 32, no palette, 1 plane, 32 bits, 4264 bytes at 22; 40-byte header: 32 x 64
  # (colour and mask), 1 plane, 32 bits, the rest 0.
  header tumk.ico 0000 0100 0100 20 20 00 00 0100 2000 a8100000 16000000 28000000 20000000 40000000 \
    0100 2000 000000000000000000000000000000000000000000000000
  # "RIFF" 10034 "WAVE"; "fmt " 18: PCM, mono, 22050 a second, 22050 bytes a second, align 1, 8 bits,
  # no extra bytes; "fact" 4: 9984 samples; "data" 9984.
  header push.wav 52494646 32270000 57415645 666d7420 12000000 0100 0100 22560000 22560000 0100 0800 \
    0000 66616374 04000000 00270000 64617461 00270000
}

reproducible() {  # EXE SOURCE_DIR TOOLCHAIN WORK
  rm -rf "$4"
  cmake -S "$2" -B "$4" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$3" >/dev/null
  cmake --build "$4" --target tumk >/dev/null
  cmp "$1" "$4/tumk.exe" || fail "two builds of the same sources differ"
}

package() {  # CPACK CPACK_CONFIG SOURCE_DIR WORK
  rm -rf "$4"
  # Packed in two time zones (UTC, Tokyo's), a second apart: neither may show.
  TZ=UTC0 "$1" --config "$2" -B "$4/1" >/dev/null && sleep 1.1
  TZ=JST-9 "$1" --config "$2" -B "$4/2" >/dev/null
  cmp "$4"/1/*.zip "$4"/2/*.zip || fail "two packs of the same build differ"
  cd "$4/1" && cmake -E tar tf *.zip | LC_ALL=C sort | expect "the zip's contents" $'LICENSE.txt\nREADME.txt\ntumk.exe'
  # Each entry dated at the sources' last commit (outside a git checkout,
  # 1980), in UTC: the DOS time Explorer shows, to the even second, and the
  # UT field's.
  local committed dos ut
  committed=$(git -c safe.directory="$3" -C "$3" log -1 --format=%ct 2>/dev/null) || committed=315532800
  dos=$(LC_ALL=C date -u -d "@$((committed / 2 * 2))" '+%Y %b %-d %T')
  ut=$(LC_ALL=C date -u -d "@$committed" '+%Y %b %-d %T')
  TZ=UTC0 zipinfo -v *.zip | grep -o 'modified on (.*' | tr -s ' ' | LC_ALL=C sort | uniq -c | sed 's/^ *//' \
    | expect "the entries' dates" "3 modified on (DOS date/time): $dos
3 modified on (UT extra field modtime): $ut UTC
3 modified on (UT extra field modtime): $ut local"
  # Beside the zip, its checksum and that of the tumk.exe it holds.
  cmake -E tar xf *.zip && sha256sum --check --quiet tumk-*.zip.sha256 tumk.exe.sha256 || fail "a checksum is not its file's"
  # Texts any Notepad reads: ASCII, each line ended by CRLF, the README's
  # lines short enough for one that does not wrap; the licence the repository's.
  ! LC_ALL=C grep -n -v $'^[ -~]*\r$' README.txt LICENSE.txt || fail "not ASCII text with CRLF line ends"
  ! LC_ALL=C grep -n $'^.\\{73,\\}\r$' README.txt || fail "README.txt has lines over 72 columns"
  sed 's/$/\r/' "$3/LICENSE" | cmp - LICENSE.txt || fail "LICENSE.txt is not the licence"
}

generator() {  # MAKE_RESOURCES FONT RESOURCES_DIR WORK
  rm -rf "$4" && mkdir -p "$4" && "$1" "$2" "$4"
  for name in button.bmp button_pushed.bmp tumk.ico push.wav; do
    cmp "$4/$name" "$3/$name" || fail "$name is not what the generator makes: cmake --build --preset host --target resources"
  done
}

case "${1:-}" in
  executable | formats | reproducible | package | generator) "$@" ;;
  *) echo "usage: see the top of $0" >&2; exit 2 ;;
esac
