#!/usr/bin/env python3
"""Compiles the help file: build_help.py docs/help build/windows/help.chm

Runs chmcmd (Free Pascal's CHM compiler) on a copy of the sources, so that
nothing is written into the source tree, and makes the result reproducible:
chmcmd stamps the time of compilation into the file's header and into its
#SYSTEM record; both are set to a fixed time here. (The project keeps the
binary index off: chmcmd leaves bytes of it uninitialised. The index then
comes from the sitemap index.hhk, which every help viewer reads.)
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile

# 2020-01-01 00:00:00 UTC, the time stamp of everything we pack.
FIXED_TIME = 1577836800

# #SYSTEM record 10 (4 bytes): the compile time, right before record 9, the
# compiler's name.
SYSTEM_TIME = re.compile(rb'\x0a\x00\x04\x00(.{4})(\x09\x00..HHA Version)', re.S)


def compile_help(source, output):
    project = os.path.join(source, 'help.hhp')
    if not os.path.isfile(project):
        sys.exit('build_help: no %s' % project)
    with tempfile.TemporaryDirectory(prefix='mensor-help-') as work:
        copy = os.path.join(work, 'help')
        shutil.copytree(source, copy)
        r = subprocess.run(['chmcmd', '--no-html-scan', 'help.hhp'], cwd=copy,
                           stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        built = os.path.join(copy, 'help.chm')
        if r.returncode != 0 or not os.path.isfile(built):
            sys.stdout.write(r.stdout.decode(errors='replace'))
            sys.exit('build_help: chmcmd failed')
        with open(built, 'rb') as f:
            data = bytearray(f.read())
    # The header ("ITSF", version 3) holds a 32-bit time stamp at offset 16.
    if data[:4] != b'ITSF':
        sys.exit('build_help: %s is no CHM file' % built)
    stamp = FIXED_TIME.to_bytes(4, 'little')
    data[16:20] = stamp
    matches = list(SYSTEM_TIME.finditer(data))
    if len(matches) != 1:
        sys.exit('build_help: the #SYSTEM record is not laid out as expected')
    data[matches[0].start(1):matches[0].end(1)] = stamp
    tmp = output + '.tmp'
    with open(tmp, 'wb') as f:
        f.write(data)
    os.replace(tmp, output)


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit(__doc__.split('\n\n')[0])
    compile_help(sys.argv[1], os.path.abspath(sys.argv[2]))
