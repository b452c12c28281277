"""Japanese text helpers for nkf32's tools and its accuracy harness.

glibc iconv through ctypes (the converters the library's tables are built from
and checked against), and the arithmetic between double-byte Shift_JIS codes
and JIS rows and cells (1-based, as nkf32/Decoders.h counts them):

    iconv("あ".encode(), "EUC-JP", "UTF-8")   -> b"\\xa4\\xa2"
    kuten_of_sjis(0x82A0)                     -> (4, 2)
    sjis_of_kuten(4, 2)                       -> 0x82A0

Import from elsewhere with nkf32/tools on sys.path.
"""
import ctypes
import ctypes.util

_libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
_libc.iconv_open.restype = ctypes.c_void_p
_libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
_libc.iconv.restype = ctypes.c_size_t
_libc.iconv.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_char_p),
                        ctypes.POINTER(ctypes.c_size_t), ctypes.POINTER(ctypes.c_char_p),
                        ctypes.POINTER(ctypes.c_size_t)]
_FAILED = ctypes.c_size_t(-1).value
_descriptors = {}


def iconv(data, to, frm):
    """`data` converted strictly from `frm` to `to`, or None when any of it fails.
    Raises LookupError when iconv knows no such conversion."""
    if not data:
        return b""
    key = (to, frm)
    if key not in _descriptors:
        cd = _libc.iconv_open(to.encode(), frm.encode())
        if cd is None or cd == ctypes.c_void_p(-1).value:
            raise LookupError("iconv cannot convert from %s to %s" % (frm, to))
        _descriptors[key] = cd
    cd = _descriptors[key]
    _libc.iconv(cd, None, None, None, None)
    inbuf = ctypes.create_string_buffer(data, len(data))
    out = ctypes.create_string_buffer(len(data) * 4 + 16)
    ip = ctypes.c_char_p(ctypes.addressof(inbuf))
    il = ctypes.c_size_t(len(data))
    op = ctypes.c_char_p(ctypes.addressof(out))
    ol = ctypes.c_size_t(len(out))
    if _libc.iconv(cd, ctypes.byref(ip), ctypes.byref(il), ctypes.byref(op),
                   ctypes.byref(ol)) == _FAILED or il.value:
        return None
    if _libc.iconv(cd, None, None, ctypes.byref(op), ctypes.byref(ol)) == _FAILED:
        return None
    return out.raw[:len(out) - ol.value]


def kuten_of_sjis(code):
    """JIS row and cell of a double-byte Shift_JIS code (lead << 8 | trail): rows
    1-94, and 95-120 for the leads F0-FC beyond JIS."""
    lead, trail = code >> 8, code & 0xFF
    row = 2 * (lead - (0x81 if lead <= 0x9F else 0xC1)) + 1
    if trail >= 0x9F:
        return row + 1, trail - 0x9E
    return row, trail - 0x3F - (1 if trail >= 0x80 else 0)


def sjis_of_kuten(row, cell):
    """The double-byte Shift_JIS code of a JIS row (1-120) and cell (1-94)."""
    lead = ((row - 1) >> 1) + (0x81 if row <= 62 else 0xC1)
    trail = cell + 0x9E if row % 2 == 0 else cell + 0x3F + (1 if cell >= 64 else 0)
    return lead << 8 | trail
