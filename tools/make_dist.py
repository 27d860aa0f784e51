#!/usr/bin/env python3
"""Builds what a Windows user downloads, from the files of the Windows build:

    mensor-<version>-win64.zip   the portable program: mensor.exe, help.chm,
                                 Languages/ and ReadMe.txt in a folder Mensor/
    mensor-<version>-x64.msi     the per-user installer (installer/mensor.wxs,
                                 built with wixl)
    mensor.exe.debug             the symbols of the shipped mensor.exe, which
                                 is stripped of them; kept to read the
                                 addresses of a crash report

    make_dist.py --version 2.0.0 --build build/windows --out build/dist

All three are reproducible: the same inputs give the same bytes. Every file
gets one fixed time stamp and the entries are written in sorted order; the
installer's product and package codes are derived from the version and the
contents instead of being drawn at random, and its summary times are fixed.
"""

import argparse
import hashlib
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import uuid
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WXS = os.path.join(ROOT, 'installer', 'mensor.wxs')
README = os.path.join(ROOT, 'installer', 'ReadMe.txt')

# 2020-01-01 00:00:00 UTC: the time stamp of every file in the zip and in the
# installer's cabinet.
FIXED_TIME = 1577836800
FIXED_ZIP_TIME = (2020, 1, 1, 0, 0, 0)
# Namespace of the codes derived here (a fixed, arbitrary UUID).
CODE_NAMESPACE = uuid.UUID('0d6f4f9e-3b52-4c1a-9f7e-6a2b8c4d1e30')


def program_files(build):
    """(name in the package, path on disk) of the program's files, sorted by
    name: mensor.exe, help.chm and the language packs (Languages/*.txt)."""
    files = [('mensor.exe', os.path.join(build, 'mensor.exe')), ('help.chm', os.path.join(build, 'help.chm'))]
    languages = os.path.join(build, 'Languages')
    if os.path.isdir(languages):
        for name in sorted(os.listdir(languages)):
            path = os.path.join(languages, name)
            if name.lower().endswith('.txt') and os.path.isfile(path):
                files.append(('Languages/' + name, path))
    for _, path in files:
        if not os.path.isfile(path):
            sys.exit('make_dist: missing %s (build the Windows build first)' % path)
    return sorted(files)


def strip_program(files, objcopy, work, out):
    """files with mensor.exe replaced by its stripped copy in work; the
    symbols go to mensor.exe.debug in out, tied to the copy by a debug link
    (the symbols file's name and checksum), so that a debugger given both
    finds them."""
    exe = dict(files)['mensor.exe']
    symbols = os.path.join(out, 'mensor.exe.debug')
    stripped = os.path.join(work, 'mensor.exe')
    # NOTE: objcopy stamps the current time into the PE header of what it
    # writes unless SOURCE_DATE_EPOCH gives one.
    env = dict(os.environ, SOURCE_DATE_EPOCH=str(FIXED_TIME))
    subprocess.run([objcopy, '--only-keep-debug', exe, symbols], check=True, env=env)
    subprocess.run([objcopy, '--strip-all', '--add-gnu-debuglink=' + symbols, exe, stripped], check=True, env=env)
    return [(name, stripped if name == 'mensor.exe' else src) for name, src in files]


def crlf(path):
    with open(path, 'rb') as f:
        text = f.read().replace(b'\r\n', b'\n')
    return text.replace(b'\n', b'\r\n')


def write_zip(path, version, files):
    """The portable program in a folder of its own, entries in sorted order
    with fixed times and permissions."""
    top = 'Mensor/'
    entries = [(name, None) for name in (top, top + 'Languages/')]
    entries += [(top + name, src) for name, src in files]
    entries.append((top + 'ReadMe.txt', README))
    with zipfile.ZipFile(path, 'w') as z:
        for name, src in sorted(entries):
            info = zipfile.ZipInfo(name, FIXED_ZIP_TIME)
            info.create_system = 0  # MS-DOS: no Unix owner or mode bits
            if src is None:
                info.external_attr = 0x10  # directory
                z.writestr(info, b'')
                continue
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0x20  # archive
            if src == README:
                data = crlf(src)
            else:
                with open(src, 'rb') as f:
                    data = f.read()
            z.writestr(info, data, compresslevel=9)


def digest(files, version):
    h = hashlib.sha256(version.encode())
    for name, src in files:
        h.update(name.encode() + b'\0')
        with open(src, 'rb') as f:
            h.update(hashlib.sha256(f.read()).digest())
    return h.hexdigest()


def code(*parts):
    return str(uuid.uuid5(CODE_NAMESPACE, '/'.join(parts))).upper()


def languages_fragment(files):
    """The component group of the language packs: one component per file,
    its code derived from the file name, so that it stays the same from one
    version to the next."""
    lines = ['<?xml version="1.0" encoding="utf-8"?>',
             '<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">',
             '  <Fragment>',
             '    <DirectoryRef Id="LanguagesDir">']
    packs = [name for name, _ in files if name.startswith('Languages/')]
    # The folder itself, also when there is no pack: the program keeps its
    # packs there.
    lines += ['      <Component Id="LanguagesFolder" Guid="%s">' % code('folder', 'Languages'),
              '        <RegistryValue Root="HKCU" Key="Software\\Mensor" Name="LanguagesDir" Type="string"'
              ' Value="[LanguagesDir]" KeyPath="yes"/>',
              '        <CreateFolder/>',
              '        <RemoveFolder Id="RemoveLanguagesDir" On="uninstall"/>',
              '      </Component>']
    for i, name in enumerate(packs):
        base = name.split('/', 1)[1]
        lines += ['      <Component Id="Pack%d" Guid="%s">' % (i, code('pack', base.lower())),
                  '        <RegistryValue Root="HKCU" Key="Software\\Mensor\\Languages" Name="%s" Type="integer"'
                  ' Value="1" KeyPath="yes"/>' % xml_escape(base),
                  '        <File Id="Pack%d" Name="%s" Source="$(var.Files)/Languages/%s"/>'
                  % (i, xml_escape(base), xml_escape(base)),
                  '      </Component>']
    lines.append('    </DirectoryRef>')
    lines.append('    <ComponentGroup Id="Languages">')
    lines.append('      <ComponentRef Id="LanguagesFolder"/>')
    lines += ['      <ComponentRef Id="Pack%d"/>' % i for i in range(len(packs))]
    lines += ['    </ComponentGroup>', '  </Fragment>', '</Wix>', '']
    return '\n'.join(lines)


def xml_escape(text):
    return text.replace('&', '&amp;').replace('"', '&quot;').replace('<', '&lt;').replace('>', '&gt;')


def write_msi(path, version, files):
    with tempfile.TemporaryDirectory(prefix='mensor-msi-') as work:
        # The files under their package names, all with the fixed time (the
        # cabinet stores each file's time).
        stage = os.path.join(work, 'files')
        for name, src in files:
            dest = os.path.join(stage, *name.split('/'))
            os.makedirs(os.path.dirname(dest), exist_ok=True)
            shutil.copyfile(src, dest)
            os.utime(dest, (FIXED_TIME, FIXED_TIME))
        # NOTE: wixl finds the sources relative to its working folder only.
        wxs = os.path.join(work, 'mensor.wxs')
        shutil.copyfile(WXS, wxs)
        fragment = os.path.join(work, 'languages.wxs')
        with open(fragment, 'w', encoding='utf-8') as f:
            f.write(languages_fragment(files))
        contents = digest(files, version)
        env = dict(os.environ, SOURCE_DATE_EPOCH=str(FIXED_TIME), TZ='UTC')
        subprocess.run(['wixl', '--arch', 'x64',
                        '-D', 'Version=' + version,
                        '-D', 'ProductCode=' + code('product', version),
                        '-D', 'PackageCode=' + code('package', contents),
                        '-D', 'Files=files',
                        '-o', os.path.abspath(path), 'mensor.wxs', 'languages.wxs'], check=True, env=env, cwd=work)
    fix_summary(path, code('package', contents))


# The summary information of the package as wixl writes it: the package code
# (a string property, type 30, of 39 bytes with its terminating zero, padded
# to four bytes), then the
# creation and last-save times (type 64, FILETIME).
SUMMARY_CODE_AND_TIMES = re.compile(
    rb'(\x1e\x00\x00\x00\x27\x00\x00\x00)\{[0-9A-F-]{36}\}(\x00+)'
    rb'(\x40\x00\x00\x00).{8}(\x40\x00\x00\x00).{8}', re.S)


def fix_summary(path, package_code):
    """wixl draws a new package code and stamps the current time into the
    package's summary; put the derived code and the fixed time there instead
    (same lengths, so the file's structure stays as it is)."""
    with open(path, 'rb') as f:
        data = f.read()
    # FILETIME: 100-nanosecond steps since 1601-01-01.
    filetime = struct.pack('<Q', (FIXED_TIME + 11644473600) * 10000000)
    fixed, count = SUMMARY_CODE_AND_TIMES.subn(
        lambda m: m.group(1) + b'{' + package_code.encode() + b'}' + m.group(2) + m.group(3) + filetime + m.group(4) + filetime,
        data)
    if count != 1:
        sys.exit('make_dist: the summary of %s is not laid out as expected (%d matches)' % (path, count))
    with open(path, 'wb') as f:
        f.write(fixed)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('--version', required=True)
    parser.add_argument('--build', required=True, help='the Windows build folder (mensor.exe, help.chm)')
    parser.add_argument('--out', required=True)
    parser.add_argument('--objcopy', default='x86_64-w64-mingw32-objcopy', help='objcopy of the mingw-w64 tools')
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    with tempfile.TemporaryDirectory(prefix='mensor-dist-') as work:
        files = strip_program(program_files(os.path.abspath(args.build)), args.objcopy, work, args.out)
        zip_path = os.path.join(args.out, 'mensor-%s-win64.zip' % args.version)
        msi_path = os.path.join(args.out, 'mensor-%s-x64.msi' % args.version)
        write_zip(zip_path, args.version, files)
        write_msi(msi_path, args.version, files)
        shipped = os.path.getsize(dict(files)['mensor.exe'])
    print('dist: mensor.exe %d bytes as built, %d bytes as shipped'
          % (os.path.getsize(os.path.join(args.build, 'mensor.exe')), shipped))
    for p in (zip_path, msi_path, os.path.join(args.out, 'mensor.exe.debug')):
        print('dist: %s (%d bytes)' % (os.path.normpath(p), os.path.getsize(p)))


if __name__ == '__main__':
    main()
