#!/usr/bin/env python3
"""Writes the Jet 4 file the import benchmark reads: 20,000 invoices with 100,000 rows.

    python3 make_import_bench.py OUT.mdb
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'data', 'import'))
sys.dont_write_bytecode = True
from make_fixtures import COLUMNS, description  # noqa: E402
from make_mdb import make_mdb  # noqa: E402


def main(out):
    ana = [[i, 'CLIENTE %04d' % i, 'Ditta %d S.R.L.' % i, None, '%011d' % i, None, 'Via Roma %d' % i, '47121',
            'Forlì', 'FC', 1] for i in range(1, 201)]
    fatt, cont = [], []
    for i in range(20000):
        year = 2010 + i // 2000
        num = '%d/%02d' % (i % 2000 + 1, year % 100)
        fatt.append([num, i % 200 + 1, '%d-%02d-%02d' % (year, i % 12 + 1, i % 28 + 1), 1220.5 + i % 100, 22,
                     'Pagamento 30gg' if i % 3 else None, None, 'X' if i % 2 else None])
        for o in range(1, 6):
            cont.append([num, o, 'Ringhiera in ferro battuto, verniciatura a polvere – riga %d' % o, 2.5, 150.25 + o])
    tables = {n: [] for n in COLUMNS}
    tables.update({'Anagrafica': ana, 'Fatture': fatt, 'ContFatt': cont})
    make_mdb(description(tables), out)


if __name__ == '__main__':
    main(sys.argv[1])
