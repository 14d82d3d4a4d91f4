#!/usr/bin/env python3
"""Changes to the certificate table of a signed PE file, for test inputs.

pe-certificates.py two-entries IN OUT   the one entry twice
pe-certificates.py entry-length IN OUT N   entry 0 claims to be N bytes long
pe-certificates.py flip-code IN OUT     one byte of the first section changed
pe-certificates.py flip-stub IN OUT     one byte of the DOS stub's message changed:
                                        hashed by the signature, never run
"""
import struct
import sys


def security_directory(data):
    pe = struct.unpack_from('<I', data, 0x3C)[0]
    if data[pe:pe + 4] != b'PE\0\0':
        sys.exit('not a PE file')
    optional = pe + 24
    magic = struct.unpack_from('<H', data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    entry = directories + 4 * 8  # IMAGE_DIRECTORY_ENTRY_SECURITY
    offset, size = struct.unpack_from('<II', data, entry)
    if offset == 0 or size == 0:
        sys.exit('the file carries no certificate table')
    return entry, offset, size


def two_entries(data):
    entry, offset, size = security_directory(data)
    length = struct.unpack_from('<I', data, offset)[0]
    first = bytes(data[offset:offset + length])
    padded = first + b'\0' * (-len(first) % 8)
    table = padded + padded
    del data[offset:]
    data += table
    struct.pack_into('<II', data, entry, offset, len(table))


def entry_length(data, value):
    _, offset, _ = security_directory(data)
    struct.pack_into('<I', data, offset, value)


def flip_code(data):
    pe = struct.unpack_from('<I', data, 0x3C)[0]
    optional_size = struct.unpack_from('<H', data, pe + 20)[0]
    section = pe + 24 + optional_size
    raw_size, raw_offset = struct.unpack_from('<II', data, section + 16)
    data[raw_offset + raw_size // 2] ^= 0xFF


def flip_stub(data):
    at = data.index(b'DOS mode')
    data[at] ^= 0x20


def main():
    command, source, target = sys.argv[1:4]
    data = bytearray(open(source, 'rb').read())
    if command == 'two-entries':
        two_entries(data)
    elif command == 'entry-length':
        entry_length(data, int(sys.argv[4], 0))
    elif command == 'flip-code':
        flip_code(data)
    elif command == 'flip-stub':
        flip_stub(data)
    else:
        sys.exit('unknown command ' + command)
    open(target, 'wb').write(data)


if __name__ == '__main__':
    main()
