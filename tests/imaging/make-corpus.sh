#!/bin/sh
# Makes the image corpus the decoder tests compare against: every variant of
# BMP, TGA, PNG, JPEG, GIF, TIFF and DDS that ImageMagick writes (plus, by
# handmade_images.py, the BMP and TGA layouts it does not), each beside
# ImageMagick's own decoding of it as an 8-bit RGBA PAM. Tiny pictures keep
# the repository small. With a PNG conformance suite (the folder
# contrib/pngsuite of libpng's source package) as the argument its files join
# the corpus as pngsuite-*.png. Run again only to change the corpus; the
# tests need no ImageMagick.
# Usage: make-corpus.sh PNGSUITE_FOLDER
set -eu
pngsuite="$(cd "${1:?give the PNG conformance suite folder}" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
out="$here/corpus"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
rm -rf "$out"
mkdir -p "$out"

# Two sources: 13x7 with an alpha ramp, 33x17 opaque with many colours.
convert -seed 7 -size 13x7 plasma: \( -size 13x7 gradient: \) -alpha off \
  -compose copy_opacity -composite -depth 8 "$work/a.png"
convert -seed 3 -size 33x17 plasma: -depth 8 "$work/c.png"
c="$work/c.png"
a="$work/a.png"

# w NAME FORMAT CONVERT-ARGUMENTS... (no dates written, so a rerun gives the same bytes)
w() {
  name="$1"; format="$2"; shift 2
  convert "$@" +set date:create +set date:modify -define png:exclude-chunks=date,time \
    "$format:$out/$name"
}

# BMP
w bmp24.bmp BMP3 "$c" -type TrueColor
w bmp24-core.bmp BMP2 "$c" -type TrueColor
w bmp16-565.bmp BMP "$c" -type TrueColor -define bmp:subtype=RGB565
w bmp16-555.bmp BMP "$c" -type TrueColor -define bmp:subtype=RGB555
w bmp16-4444.bmp BMP "$a" -define bmp:subtype=ARGB4444
w bmp16-1555.bmp BMP "$a" -define bmp:subtype=ARGB1555
w bmp32-v5-alpha.bmp BMP "$a"
w bmp8.bmp BMP3 "$c" -colors 200 -type Palette -compress None
w bmp8-rle8.bmp BMP3 "$c" -colors 200 -type Palette -compress RLE
w bmp8-core.bmp BMP2 "$c" -colors 200 -type Palette
w bmp4.bmp BMP3 "$c" -colors 16 -type Palette
w bmp1.bmp BMP3 "$c" -monochrome

# TGA. ImageMagick writes a picture read from a PNG top row first while its
# header declares the bottom-left origin, and -orient only relabels: these
# files show their source upside down (tga24-top-left.tga excepted). That is
# what they mean, so the references below come from ImageMagick's own reading
# turned upright by -auto-orient, which honours the origin as D3DX does.
w tga24.tga TGA "$c" -type TrueColor
w tga32.tga TGA "$a"
w tga24-rle.tga TGA "$c" -type TrueColor -compress RLE
w tga32-rle.tga TGA "$a" -compress RLE
w tga8-mapped.tga TGA "$c" -colors 200 -type Palette
w tga8-mapped-rle.tga TGA "$c" -colors 200 -type Palette -compress RLE
w tga8-grey.tga TGA "$c" -type Grayscale
w tga8-grey-rle.tga TGA "$c" -type Grayscale -compress RLE
w tga24-top-left.tga TGA "$c" -type TrueColor -orient TopLeft

# PNG: every colour type and bit depth, palettes with tRNS, interlace
w png-rgb8.png PNG24 "$c"
w png-rgba8.png PNG32 "$a"
w png-rgb16.png PNG48 "$c"
w png-rgba16.png PNG64 "$a"
w png-palette.png PNG8 "$c" -colors 200
w png-palette-trns.png PNG8 "$a" -channel A -threshold 50% +channel
for depth in 1 2 4 8 16; do
  w png-grey$depth.png PNG "$c" -colorspace Gray -define png:color-type=0 -define png:bit-depth=$depth
done
w png-grey-alpha8.png PNG "$a" -colorspace Gray -define png:color-type=4
w png-grey-alpha16.png PNG "$a" -colorspace Gray -define png:color-type=4 -define png:bit-depth=16
w png-palette4.png PNG8 "$c" -colors 16
w png-palette1.png PNG8 "$c" -colors 2
w png-interlaced.png PNG32 "$a" -interlace PNG
w png-interlaced16.png PNG48 "$c" -interlace PNG
w png-interlaced-palette.png PNG8 "$c" -colors 50 -interlace PNG
# Pictures smaller than an Adam7 block leave some of its passes empty.
w png-interlaced-1x1.png PNG32 "$a" -crop 1x1+0+0 +repage -interlace PNG
w png-interlaced-5x3-grey2.png PNG "$c" -crop 5x3+4+2 +repage -colorspace Gray \
  -define png:color-type=0 -define png:bit-depth=2 -interlace PNG
for file in "$pngsuite"/*.png "$pngsuite"/interlaced/*.png; do
  cp "$file" "$out/pngsuite-$(basename "$file")"
done

# JPEG
w jpeg-baseline.jpg JPEG "$c" -quality 90
w jpeg-420.jpg JPEG "$c" -quality 90 -sampling-factor 2x2
w jpeg-progressive.jpg JPEG "$c" -quality 90 -interlace JPEG
w jpeg-grey.jpg JPEG "$c" -colorspace Gray -quality 90
w jpeg-cmyk.jpg JPEG "$c" -colorspace CMYK -quality 90

# GIF
w gif.gif GIF "$c"
w gif-transparent.gif GIF "$a" -channel A -threshold 50% +channel
w gif-interlaced.gif GIF "$c" -interlace GIF

# TIFF: strips, tiles, compressions, depths, palette, CMYK, alpha
w tiff-rgb8.tif TIFF "$c" -compress None
w tiff-lzw.tif TIFF "$c" -compress LZW
w tiff-deflate.tif TIFF "$c" -compress Zip
w tiff-packbits.tif TIFF "$c" -compress RLE
w tiff-tiled.tif TIFF "$c" -define tiff:tile-geometry=16x16
w tiff-rgb16.tif TIFF "$c" -depth 16
w tiff-palette.tif TIFF "$c" -colors 200 -type Palette
w tiff-grey8.tif TIFF "$c" -colorspace Gray
w tiff-grey16.tif TIFF "$c" -colorspace Gray -depth 16
w tiff-bilevel.tif TIFF "$c" -monochrome
w tiff-cmyk.tif TIFF "$c" -colorspace CMYK
w tiff-cmyk16.tif TIFF "$c" -colorspace CMYK -depth 16
w tiff-alpha-unassociated.tif TIFF "$a" -define tiff:alpha=unassociated
w tiff-alpha-associated.tif TIFF "$a" -define tiff:alpha=associated
w tiff-alpha16.tif TIFF "$a" -depth 16
w tiff-float32.tif TIFF "$c" -define quantum:format=floating-point -depth 32
w tiff-float32-alpha.tif TIFF "$a" -define quantum:format=floating-point -depth 32
w tiff-grey-float32.tif TIFF "$c" -colorspace Gray -define quantum:format=floating-point -depth 32

# DDS
w dds-none.dds DDS "$c" -define dds:compression=none
w dds-none-alpha.dds DDS "$a" -define dds:compression=none
w dds-dxt1.dds DDS "$c" -define dds:compression=dxt1 -define dds:mipmaps=0
w dds-dxt5.dds DDS "$a" -define dds:compression=dxt5 -define dds:mipmaps=0

convert "$a" -depth 8 rgba:"$work/a.rgba"
python3 "$here/handmade_images.py" "$work/a.rgba" 13 7 "$out"

# ImageMagick's decoding of each, upright, as RGBA. A PNG keeps its stored
# values as a texture does: its gAMA chunk only labels them (gamma 1 would
# otherwise be taken for linear light and converted).
for file in "$out"/*; do
  stored=""
  case "$file" in *.png) stored="-set colorspace sRGB" ;; esac
  # shellcheck disable=SC2086
  convert "$file[0]" $stored -auto-orient -colorspace sRGB -alpha on -depth 8 PAM:"$file.pam"
done
