"""Reads the export names and imported DLLs of a PE file (32- or 64-bit), standard
library only."""
import struct

# DLLs that every Windows installation has: the module may import these and no others.
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "ole32.dll", "oleaut32.dll",
    "shell32.dll", "shlwapi.dll", "msvcrt.dll", "comctl32.dll", "wininet.dll", "msi.dll",
    "rpcrt4.dll", "oledlg.dll", "ws2_32.dll", "version.dll", "comdlg32.dll", "urlmon.dll",
}


class PeFile:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        d = self.data
        if d[:2] != b"MZ":
            raise ValueError(f"{path}: not a PE file")
        pe = struct.unpack_from("<I", d, 0x3C)[0]
        if d[pe:pe + 4] != b"PE\0\0":
            raise ValueError(f"{path}: no PE signature")
        sections, optional_size = struct.unpack_from("<2xH12xH", d, pe + 4)
        optional = pe + 24
        magic = struct.unpack_from("<H", d, optional)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.directories = [struct.unpack_from("<II", d, directories + 8 * i) for i in range(2)]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            vsize, vaddr, rawsize, rawptr = struct.unpack_from("<IIII", d, table + 40 * i + 8)
            self.sections.append((vaddr, max(vsize, rawsize), rawptr))

    def offset(self, rva):
        for vaddr, size, rawptr in self.sections:
            if vaddr <= rva < vaddr + size:
                return rva - vaddr + rawptr
        raise ValueError(f"RVA {rva:#x} outside every section")

    def text(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def export_names(self):
        rva, size = self.directories[0]
        if not rva:
            return []
        directory = self.offset(rva)
        count = struct.unpack_from("<I", self.data, directory + 24)[0]
        names = struct.unpack_from("<I", self.data, directory + 32)[0]
        return [self.text(struct.unpack_from("<I", self.data, self.offset(names) + 4 * i)[0])
                for i in range(count)]

    def import_dlls(self):
        rva, size = self.directories[1]
        out = []
        if not rva:
            return out
        at = self.offset(rva)
        while True:
            name = struct.unpack_from("<I", self.data, at + 12)[0]
            if name == 0:
                return out
            out.append(self.text(name))
            at += 20


def export_names(path):
    return PeFile(path).export_names()


def import_dlls(path):
    return PeFile(path).import_dlls()


if __name__ == "__main__":
    import sys
    for p in sys.argv[1:]:
        print(p, export_names(p), import_dlls(p))
