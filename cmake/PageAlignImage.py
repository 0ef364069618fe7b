#!/usr/bin/env python3
"""Places a linked Windows image's large sections at page boundaries in the
file, in place:

    PageAlignImage.py IMAGE.exe

GNU ld lays sections out at 512-byte steps in the file. Windows reads such
an image into shared image pages either way, but Wine can map a section
straight from the file only where it starts at a page boundary; any other it
copies into memory of the process's own, so every byte of code would count
as the process's private memory. Only sections of 8 KB or more are moved, and
only where the header or the section before can take the padding within the
room it has in memory, so the file grows by a few KB, not by the 4 KB per
section that a page-sized file alignment costs. The sections' contents, their
addresses in memory and the file alignment stay as they are; the checksum is
written again. Run once, right after linking, before any signature.
"""
import struct
import sys

PAGE = 0x1000
LARGE = 0x2000


def align(value, to):
    return (value + to - 1) // to * to


def checksum(image, field):
    total = 0
    for offset in range(0, len(image), 2):
        if field <= offset < field + 4:
            continue
        total += image[offset] | (image[offset + 1] << 8 if offset + 1 < len(image) else 0)
        total = (total & 0xFFFF) + (total >> 16)
    return (total + (total >> 16) & 0xFFFF) + len(image)


def page_align(image):
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        sys.exit("PageAlignImage: not a PE image")
    count, symbols = struct.unpack_from("<H", image, pe + 6)[0], struct.unpack_from("<I", image, pe + 12)[0]
    optional = pe + 24
    section_alignment, file_alignment = struct.unpack_from("<II", image, optional + 32)
    headers_size = struct.unpack_from("<I", image, optional + 60)[0]
    security = struct.unpack_from("<II", image, optional + 96 + 4 * 8)
    if symbols or security[1] or section_alignment != PAGE:
        sys.exit("PageAlignImage: only a stripped, unsigned image with 4 KB sections can be laid out again")
    table = optional + struct.unpack_from("<H", image, pe + 20)[0]
    sections = []
    for index in range(count):
        virtual_size, address, raw_size, raw_offset = struct.unpack_from("<IIII", image, table + 40 * index + 8)
        if raw_size:
            sections.append({"index": index, "virtual": virtual_size, "address": address, "size": raw_size,
                             "offset": raw_offset, "data": image[raw_offset:raw_offset + raw_size]})
    sections.sort(key=lambda section: section["offset"])
    if sections and sections[-1]["offset"] + sections[-1]["size"] != len(image):
        sys.exit("PageAlignImage: data after the last section")

    position, previous = headers_size, None
    for section in sections:
        start = align(position, file_alignment)
        wanted = align(start, PAGE)
        if section["size"] >= LARGE and wanted != start:
            if previous is None and wanted <= section["address"]:
                headers_size = start = wanted
            elif previous is not None and wanted - previous["new"] <= align(previous["virtual"], PAGE):
                previous["size"] = wanted - previous["new"]
                start = wanted
        section["new"] = start
        position, previous = start + section["size"], section

    laid_out = bytearray(image[:struct.unpack_from("<I", image, optional + 60)[0]])
    laid_out += bytes(headers_size - len(laid_out))
    struct.pack_into("<I", laid_out, optional + 60, headers_size)
    for section in sections:
        laid_out += bytes(section["new"] - len(laid_out))
        laid_out += section["data"] + bytes(section["size"] - len(section["data"]))
        struct.pack_into("<II", laid_out, table + 40 * section["index"] + 16, section["size"], section["new"])
    struct.pack_into("<I", laid_out, optional + 64, checksum(laid_out, optional + 64))
    return bytes(laid_out)


def main():
    with open(sys.argv[1], "rb") as file:
        image = file.read()
    laid_out = page_align(image)
    with open(sys.argv[1], "wb") as file:
        file.write(laid_out)


if __name__ == "__main__":
    main()
