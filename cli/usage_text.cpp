#include "usage_text.h"

namespace quarn::cli {

const char* MainUsage() {
  return R"(NAME
    quarn - convert images to GPU textures and back

SYNOPSIS
    quarn compress INPUT... -f FORMAT [options]
    quarn decode INPUT.dds OUTPUT.png|.tga|.bmp [--force]
    quarn info FILE... [--json]
    quarn compare A B [--json] [--min-psnr DB]
    quarn --version

    Each subcommand takes --help.

FORMATS
    dxt1   DXT1, opaque                 8 bytes per 4x4 block
    dxt1a  DXT1 with one-bit alpha      8 bytes per 4x4 block
    dxt3   DXT3, explicit 4-bit alpha   16 bytes per 4x4 block
    dxt5   DXT5, interpolated alpha     16 bytes per 4x4 block
    4444   a4r4g4b4                     2 bytes per pixel
    1555   a1r5g5b5                     2 bytes per pixel
    565    r5g6b5                       2 bytes per pixel
    8888   a8r8g8b8                     4 bytes per pixel
    888    r8g8b8                       3 bytes per pixel
    555    x1r5g5b5                     2 bytes per pixel
    The codes 10 to 19 name the same formats in this order.

EXIT STATUS
    0  everything done
    1  some inputs failed (each is named on standard error)
    2  the command line is wrong
)";
}

const char* CompressUsage() {
  return R"(NAME
    quarn compress - convert images into textures with their whole mip chain

SYNOPSIS
    quarn compress INPUT... -f FORMAT [-o OUT | --out-dir DIR]
                   [--container dds|fs70|ace|mips] [--dither]
                   [--alpha ALPHA_IMAGE] [--no-mip-header] [-j N] [--force]

DESCRIPTION
    Reads each INPUT (PNG, JPEG, TGA or BMP) and writes a texture in FORMAT
    with every mip level from the image down to 1x1 (2x2 box filter).

OPTIONS
    -f, --format FORMAT
        dxt1, dxt1a, dxt3, dxt5, 4444, 1555, 565, 8888, 888 or 555, or the
        codes 10 to 19. The DXT formats need sides that are powers of two.
    -o, --output OUT
        The output file (one INPUT only). For --container mips, the prefix
        of the level files: OUT0.bmp, OUT1.bmp, ...
    --out-dir DIR
        Write every output into DIR (which must exist), named after its
        input. Without -o and --out-dir the output goes beside its input.
    --container dds|fs70|ace|mips
        dds (default): a DDS file, NAME.dds.
        fs70: an FS70 BMP texture, NAME.bmp (formats dxt1, dxt1a, dxt3,
              4444, 1555, 565 and 8888).
        ace:  an ACE texture, NAME.ace (dxt1 and dxt1a).
        mips: one FS70 BMP texture per mip level, NAME_0.bmp, NAME_1.bmp,
              ...; each file's header declares its own level's sides.
    --dither
        Ordered dither of the image to the precision of the format.
    --alpha ALPHA_IMAGE
        Take the alpha channel from ALPHA_IMAGE (same sides as the input;
        its grey level, colour images by luminance).
    --no-mip-header
        fs70 only: the header declares the first level alone. The file holds
        every level all the same.
    -j, --jobs N
        Convert N files at a time (default: the number of cores). The
        output is byte for byte the same for every N.
    --force
        Replace outputs that exist. Without it an existing output is an
        error and is left alone.

ROW ORDER
    Images are read top row first. DDS and ACE textures store the top row
    first; FS70 BMP textures and the per-level mip files store the bottom
    row first, like every BMP, so the tool turns the image upside down
    before it encodes those containers.

OUTPUT
    One line per converted input on standard output, one line per failed
    input on standard error, in the order of the inputs. On a terminal a
    progress line (files done, megapixels per second) shows on standard
    error. A failed input leaves no file behind; outputs are written under
    a temporary name and renamed once complete, so an interrupted run never
    leaves a half-written texture.

EXIT STATUS
    0 all inputs converted, 1 some inputs failed, 2 usage error.

EXAMPLES
    quarn compress photo.png -f dxt1
    quarn compress *.png -f dxt5 --out-dir textures -j 8
    quarn compress leaf.png --alpha leaf_mask.png -f dxt1a --container fs70
    quarn compress sky.jpg -f 565 --container mips -o mips/sky_
)";
}

const char* DecodeUsage() {
  return R"(NAME
    quarn decode - turn a DDS texture back into a picture

SYNOPSIS
    quarn decode INPUT.dds OUTPUT [--force]

DESCRIPTION
    Decodes the first level of INPUT.dds (DXT1, DXT3, DXT5 and the packed
    pixel formats; cube maps and volume slices side by side) and writes it
    as PNG, TGA or BMP, chosen by the extension of OUTPUT. Alpha is kept in
    PNG and TGA when the texture has it.

OPTIONS
    --force    replace OUTPUT when it exists

EXIT STATUS
    0 done, 1 the file could not be read or written, 2 usage error.
)";
}

const char* InfoUsage() {
  return R"(NAME
    quarn info - show what texture and image files hold

SYNOPSIS
    quarn info FILE... [--json]

DESCRIPTION
    For each DDS file, FS70 BMP texture, ACE texture, TGA or BMP image:
    the kind, format, sides, mip levels with their sizes, and the header
    fields. The kind is told from the file's first bytes (TGA, which has no
    signature, from the extension .tga).

OPTIONS
    --json     one JSON array with an object per file, for scripts

EXIT STATUS
    0 all files described, 1 some could not be read, 2 usage error.
)";
}

const char* CompareUsage() {
  return R"(NAME
    quarn compare - measure the difference between two images

SYNOPSIS
    quarn compare A B [--json] [--min-psnr DB]

DESCRIPTION
    Prints the root mean square error and the peak signal-to-noise ratio
    (PSNR, in dB, peak 255) of each channel and over all channels. A and B
    are PNG, JPEG, TGA or BMP images or DDS textures (decoded first) of the
    same sides. Alpha is compared when either image has a pixel that is
    not fully opaque. Identical images have an RMSE of 0 and a PSNR shown
    as "inf" (null in JSON).

OPTIONS
    --json          the figures as one JSON object
    --min-psnr DB   exit with status 1 when the overall PSNR is below DB

EXIT STATUS
    0 compared (and above --min-psnr), 1 an image could not be read, the
    sides differ, or the PSNR is below --min-psnr, 2 usage error.
)";
}

}  // namespace quarn::cli
