"""Monitors with a size of their own for the end-to-end tests: an EDID block
built here, and the X RandR output property "EDID" set to it (libXrandr
through ctypes), which Wine copies to the registry where the program's
SetupAPI reading finds it.

The property must be set before the first Wine process of the display
starts (Wine reads it when it sets up its display devices) and the X server
must run with -noreset (else the property goes with the last client)."""

import ctypes
import ctypes.util
import struct

XA_INTEGER = 19
PROP_MODE_REPLACE = 0


def build_edid(width_mm, height_mm, maker='MSR', product=0x0001, serial=1):
    """A 128-byte EDID 1.4 block: the maker's three letters, product code and
    serial, a first detailed timing descriptor with the picture's size in
    millimetres, the size in centimetres in bytes 21 and 22, and the
    checksum."""
    b = bytearray(128)
    b[0:8] = b'\x00\xff\xff\xff\xff\xff\xff\x00'
    letters = [ord(c) - ord('A') + 1 for c in maker]
    struct.pack_into('>H', b, 8, letters[0] << 10 | letters[1] << 5 | letters[2])
    struct.pack_into('<HI', b, 10, product, serial)
    b[18], b[19] = 1, 4
    b[21], b[22] = round(width_mm / 10), round(height_mm / 10)
    # Detailed timing: a 65 MHz pixel clock (1024 x 768 at 60 Hz) and the size.
    struct.pack_into('<H', b, 54, 6500)
    b[66] = width_mm & 0xFF
    b[67] = height_mm & 0xFF
    b[68] = (width_mm >> 8) << 4 | (height_mm >> 8)
    # The monitor's name.
    b[72:90] = b'\x00\x00\x00\xfc\x00' + b'MENSOR TEST\n '
    b[127] = (-sum(b[:127])) % 256
    return bytes(b)


class _XRRScreenResources(ctypes.Structure):
    _fields_ = [('timestamp', ctypes.c_ulong), ('configTimestamp', ctypes.c_ulong),
                ('ncrtc', ctypes.c_int), ('crtcs', ctypes.POINTER(ctypes.c_ulong)),
                ('noutput', ctypes.c_int), ('outputs', ctypes.POINTER(ctypes.c_ulong))]


class _XRROutputInfo(ctypes.Structure):
    _fields_ = [('timestamp', ctypes.c_ulong), ('crtc', ctypes.c_ulong),
                ('name', ctypes.c_char_p), ('nameLen', ctypes.c_int)]


def _libraries():
    x11 = ctypes.CDLL(ctypes.util.find_library('X11') or 'libX11.so.6')
    xrandr = ctypes.CDLL(ctypes.util.find_library('Xrandr') or 'libXrandr.so.2')
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    xrandr.XRRGetScreenResourcesCurrent.restype = ctypes.POINTER(_XRRScreenResources)
    xrandr.XRRGetScreenResourcesCurrent.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    xrandr.XRRFreeScreenResources.argtypes = [ctypes.POINTER(_XRRScreenResources)]
    xrandr.XRRGetOutputInfo.restype = ctypes.POINTER(_XRROutputInfo)
    xrandr.XRRGetOutputInfo.argtypes = [ctypes.c_void_p, ctypes.POINTER(_XRRScreenResources), ctypes.c_ulong]
    xrandr.XRRFreeOutputInfo.argtypes = [ctypes.POINTER(_XRROutputInfo)]
    xrandr.XRRChangeOutputProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong,
                                               ctypes.c_int, ctypes.c_int, ctypes.c_char_p, ctypes.c_int]
    return x11, xrandr


def set_edids(display, edids):
    """Sets the "EDID" property of the RandR outputs named in `edids`
    ({output name: bytes}) on the X display; raises when one is missing."""
    x11, xrandr = _libraries()
    dpy = x11.XOpenDisplay(display.encode())
    if not dpy:
        raise RuntimeError('cannot open display %s' % display)
    try:
        resources = xrandr.XRRGetScreenResourcesCurrent(dpy, x11.XDefaultRootWindow(dpy))
        atom = x11.XInternAtom(dpy, b'EDID', 0)
        found = set()
        try:
            for i in range(resources.contents.noutput):
                output = resources.contents.outputs[i]
                info = xrandr.XRRGetOutputInfo(dpy, resources, output)
                name = info.contents.name[:info.contents.nameLen].decode()
                xrandr.XRRFreeOutputInfo(info)
                if name in edids:
                    data = edids[name]
                    xrandr.XRRChangeOutputProperty(dpy, output, atom, XA_INTEGER, 8, PROP_MODE_REPLACE,
                                                   data, len(data))
                    found.add(name)
        finally:
            xrandr.XRRFreeScreenResources(resources)
        x11.XSync(dpy, 0)
    finally:
        x11.XCloseDisplay(dpy)
    missing = set(edids) - found
    if missing:
        raise RuntimeError('no RandR output %s on %s' % (', '.join(sorted(missing)), display))


def probe(session):
    """Runs the edidprobe.exe fixture (beside mensor.exe) on the session's
    display: ({display name: (bytes, identity, 'WxH' or 'none')}, first
    reading in ms, fastest reading in ms)."""
    import os
    import re
    import subprocess
    exe = os.path.join(os.path.dirname(os.path.abspath(os.environ.get('MENSOR_EXE', ''))), 'edidprobe.exe')
    if not os.path.isfile(exe):
        raise RuntimeError('no edidprobe.exe beside mensor.exe: %r' % exe)
    out = subprocess.run(['wine', exe], env=session.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                         timeout=60, check=True).stdout.decode(errors='replace')
    displays = {}
    for m in re.finditer(r'display=(\S+) bytes=(\d+) identity=(\S+) mm=(\S+)', out):
        displays[m.group(1)] = (int(m.group(2)), m.group(3), m.group(4))
    times = re.search(r'first_ms=([\d.]+) fastest_ms=([\d.]+)', out)
    if times is None:
        raise RuntimeError('edidprobe printed no times: %r' % out)
    return displays, float(times.group(1)), float(times.group(2))
