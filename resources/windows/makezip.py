#!/usr/bin/python3
"""Packs files into a zip that is the same byte for byte whenever it is made
from the same files: entries in the order given, each dated DATE, with no
owner, permission or access-time fields.

    makezip.py ZIP DATE ROOT NAME...    (DATE as YYYY-MM-DD; NAME under ROOT)
"""
import sys
import zipfile


def main(zip_path, date, root, names):
    year, month, day = (int(part) for part in date.split('-'))
    with zipfile.ZipFile(zip_path, 'w') as archive:
        for name in names:
            entry = zipfile.ZipInfo(name, date_time=(year, month, day, 0, 0, 0))
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.external_attr = 0o644 << 16
            with open(f'{root}/{name}', 'rb') as data:
                archive.writestr(entry, data.read(), compresslevel=9)


if __name__ == '__main__':
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:])
