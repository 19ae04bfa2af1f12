#!/usr/bin/env python3
"""Sets the two times that chmcmd writes into a compiled help file, the time of day of its run in
milliseconds, to that of a given moment, so that the same pages always compile to the same bytes.
    scripts/chm_time.py FILE SECONDS_SINCE_1970
Fails, changing nothing, where the file is not laid out as chmcmd 3.2 lays it out."""
import re
import struct
import sys

path, seconds = sys.argv[1], int(sys.argv[2])
millisecond_of_day = seconds % 86400 * 1000
with open(path, 'rb') as f:
    data = bytearray(f.read())

if data[:4] != b'ITSF' or struct.unpack_from('<I', data, 4)[0] != 3:
    sys.exit(f'{path}: not a version 3 ITSF file')
# The header's time, big-endian.
struct.pack_into('>I', data, 0x10, millisecond_of_day)
# The #SYSTEM file is stored uncompressed: its version (3), its first entry (code 10, 4 bytes: the
# time), then the entry that names the compiler (code 9).
entries = list(re.finditer(rb'\x03\x00\x00\x00\x0a\x00\x04\x00(....)\x09\x00..HHA Version', data, re.S))
if len(entries) != 1:
    sys.exit(f'{path}: {len(entries)} #SYSTEM time entries where one was expected')
struct.pack_into('<I', data, entries[0].start(1), millisecond_of_day)

with open(path, 'wb') as f:
    f.write(data)
