"""Reads what the release checks need from a Windows .exe: machine, link
time stamp, imported DLLs, resources and the version resource."""
import struct

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24


class PeFile:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        d = self.data
        pe = struct.unpack_from("<I", d, 0x3C)[0]
        if d[pe:pe + 4] != b"PE\0\0":
            raise ValueError(f"{path}: not a PE file")
        self.machine, sections, self.timestamp = struct.unpack_from("<HHI", d, pe + 4)
        optional_size = struct.unpack_from("<H", d, pe + 20)[0]
        optional = pe + 24
        magic = struct.unpack_from("<H", d, optional)[0]
        directories = optional + (112 if magic == 0x20B else 96)
        self.directories = [struct.unpack_from("<II", d, directories + 8 * i) for i in range(16)]
        table = optional + optional_size
        self.sections = [struct.unpack_from("<IIII", d, table + 40 * i + 8) for i in range(sections)]

    def offset(self, rva):
        for size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise ValueError(f"RVA {rva:#x} is in no section")

    def imports(self):
        rva = self.directories[1][0]
        names, at = [], self.offset(rva) if rva else None
        while at is not None and struct.unpack_from("<5I", self.data, at) != (0,) * 5:
            name = self.offset(struct.unpack_from("<I", self.data, at + 12)[0])
            names.append(self.data[name:self.data.index(b"\0", name)].decode().lower())
            at += 20
        return names

    def resources(self):
        """{(type, name, language): bytes}; ids as ints, names as str."""
        rva = self.directories[2][0]
        base = self.offset(rva)
        found = {}

        def walk(at, path):
            named, ids = struct.unpack_from("<HH", self.data, base + at + 12)
            for i in range(named + ids):
                key, target = struct.unpack_from("<II", self.data, base + at + 16 + 8 * i)
                if key & 0x80000000:
                    s = base + (key & 0x7FFFFFFF)
                    length = struct.unpack_from("<H", self.data, s)[0]
                    key = self.data[s + 2:s + 2 + 2 * length].decode("utf-16-le")
                if target & 0x80000000:
                    walk(target & 0x7FFFFFFF, path + (key,))
                else:
                    data_rva, size = struct.unpack_from("<II", self.data, base + target)
                    start = self.offset(data_rva)
                    found[path + (key,)] = self.data[start:start + size]

        if rva:
            walk(0, ())
        return found


def version_info(block):
    """(file version, product version, {string name: value}) of a VS_VERSIONINFO."""
    strings, versions = {}, []

    def node(at):
        length, value_length, kind = struct.unpack_from("<HHH", block, at)
        end_key = at + 6
        while block[end_key:end_key + 2] != b"\0\0":
            end_key += 2
        key = block[at + 6:end_key].decode("utf-16-le")
        value = (end_key + 2 + 3) & ~3
        if key == "VS_VERSION_INFO" and value_length:
            ms, ls, pms, pls = struct.unpack_from("<4I", block, value + 8)
            versions.extend([(ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF),
                             (pms >> 16, pms & 0xFFFF, pls >> 16, pls & 0xFFFF)])
        elif kind == 1 and value_length:
            strings[key] = block[value:value + 2 * value_length].decode("utf-16-le").rstrip("\0")
        child = (value + (2 * value_length if kind == 1 else value_length) + 3) & ~3
        while child < at + length:
            child = node(child)
        return (at + length + 3) & ~3

    node(0)
    return versions[0], versions[1], strings
