#!/usr/bin/env python3
"""Writes the Access files the import tests read, and the JSON each is made from.

    python3 make_fixtures.py        (in this folder; needs make_mdb.py beside it)

corvalisto4.json/.mdb  Jet 4 with the password: the ten tables (Nome a little wider, as some files have it), accented names, the euro sign,
                       CR LF in long texts, Nulls, a memo over 64 KB, some thousand rows and the
                       rows the program's own rules would refuse
corvalisto3.mdb        the same description written as Jet 3 (Access 97)
unstorable.json/.mdb   two customers with one key and a total that is not a number
nocolumn.json/.mdb     Fatture without its column Pagata
notable.json/.mdb      the ten tables without Documenti
damaged.mdb            corvalisto4.mdb cut short after its first pages
"""
import json
import random

from make_mdb import make_mdb


def T(name, size=None):
    return {'name': name, 'type': 'text', 'size': size} if size else {'name': name, 'type': 'text'}


def C(name, ctype):
    return {'name': name, 'type': ctype}


COLUMNS = {
    'Anagrafica': [C('Id', 'autonumber'), T('Nome', 60), T('Ragione', 100), T('Ragione2', 100), T('Piva', 50),
                   T('Cf', 50), T('Indirizzo', 100), T('Cap', 10), T('Città', 30), T('Prov', 2), C('Valid', 'long')],
    'Categorie': [C('IdCat', 'autonumber'), T('Nome', 30), C('Valid', 'long')],
    'Magazzino': [C('IdArt', 'autonumber'), C('Cat', 'long'), T('Descrizione', 100), T('Um'), C('Qta', 'single'),
                  C('Valid', 'long')],
    'Fatture': [T('Num'), C('IdAna', 'long'), C('Data', 'datetime'), C('Totale', 'single'), C('Iva', 'long'),
                T('Note'), T('RA'), T('Pagata')],
    'ContFatt': [T('Num'), C('Ord', 'long'), T('Descrizione'), C('Qta', 'single'), C('Prezzo', 'single')],
    'Ddt': [T('Num'), C('IdAna', 'long'), C('Data', 'datetime'), T('Causale'), T('Mezzo', 3), C('Colli', 'long'),
            C('DataRit', 'datetime'), C('OraRit', 'datetime'), T('Note')],
    'ContDdt': [T('Num'), C('Ord', 'long'), T('Descrizione'), C('Qta', 'single')],
    'Preventivi': [T('Num'), C('IdAna', 'long'), T('Int1'), T('Int2'), C('Data', 'datetime'), C('Des', 'memo'),
                   T('Note', 255)],
    'Documenti': [T('Num'), C('Data', 'datetime'), C('Des', 'memo')],
    'Azienda': [T('Riga%d' % k, 100) for k in range(1, 6)],
}


def description(tables):
    return {'password': 'tovelk', 'created': '2003-06-15 10:30:00',
            'tables': [{'name': n, 'columns': COLUMNS[n], 'rows': r} for n, r in tables.items()]}


def corvalisto():
    rng = random.Random(26)
    maybe = lambda v, p=0.3: None if rng.random() < p else v  # noqa: E731
    names = ['ROSSI', "D'ANGELO", 'COLÒ', 'NICCOLÒ & FIGLI', 'FERRÈ "IL SARTO"', 'CANTÙ, S.P.A.', 'MÜLLER']
    towns = ['Forlì', 'Cantù', 'Città di Castello', "Sant'Agata"]
    ana = []
    for i in range(1, 41):
        if i % 10 == 0:
            continue  # keys of rows removed long ago: the counter still goes past them
        ana.append([i, '%s %03d' % (names[i % len(names)], i), maybe('Ditta %d – €' % i), maybe('Reparto è', 0.7),
                    maybe('%011d' % rng.randrange(10 ** 10)), maybe('RSSMRA80A01D704X'), maybe('Via Roma %d' % i),
                    maybe('%05d' % rng.randrange(100000)), maybe(rng.choice(towns)), maybe('FC'),
                    1 if i % 9 else 0])
    # A name over 50 characters and two valid customers with one name.
    ana.append([41, 'X' * 60, None, None, None, None, None, None, None, None, 1])
    ana.append([42, 'ROSSI 007', None, None, None, None, None, None, None, None, 1])
    cat = [[1, 'FERRAMENTA', 1], [2, 'ELETTRICITÀ', 1], [3, 'VERNICI €', 1], [5, 'VECCHIA', 0]]
    mag = [[i, rng.choice([1, 2, 3]), 'Articolo %d – «ok» Ø%d' % (i, i % 40), rng.choice(['Pz', 'kg', 'm', '€/h']),
            rng.choice([0.0, 0.1, 12.2, 12.5, -3.25, 1234.567, None, rng.uniform(-1000, 1000)]), 1 if i % 7 else 0]
           for i in range(1, 61)]
    fatt, cont = [], []
    counter = {}
    for i in range(300):
        year = rng.choice([2023, 2024, 2025])
        counter[year] = counter.get(year, 0) + 1
        num = '%d/%02d' % (counter[year], year % 100)
        date = '%d-%02d-%02d' % (year, rng.randint(1, 12), rng.randint(1, 28))
        fatt.append([num, rng.randint(1, 39), date, round(rng.uniform(0, 20000), 2), rng.choice([22, 10, 4, 0]),
                     rng.choice([None, '', 'Nota: consegna à domicilio']), rng.choice([None, 'X']),
                     rng.choice([None, 'X'])])
        for o in sorted(rng.sample(range(1, 20), rng.randint(4, 15))):
            spacer = o == 1
            cont.append([num, o, ' ' if spacer else 'Riga %d: fornitura è€' % o,
                         None if spacer else rng.choice([1, 2.5, 0.333, 100, 12.2]),
                         None if spacer else rng.choice([9.99, 0.01, 1500.0, 12.345, 0.1])])
    fatt.append(['A12', 1, '2024-02-02', 10.5, 22, None, None, None])  # not of the form N/YY
    cont.append(['999/24', 1, 'Riga senza fattura', 1, 2])
    ddt, contddt = [], []
    for i in range(1, 41):
        date = '2024-%02d-%02d' % (rng.randint(1, 12), rng.randint(1, 28))
        num = '%d/24' % i
        ddt.append([num, rng.randint(1, 39), date, rng.choice(['Vendita', 'Conto visione']),
                    rng.choice(['ced', 'ces', None]), maybe(rng.randint(1, 40)),
                    maybe('2024-%02d-%02d' % (rng.randint(1, 12), rng.randint(1, 28)), 0.5),
                    maybe('%02d:%02d:00' % (rng.randint(0, 23), rng.choice([0, 15, 30, 45])), 0.5),
                    maybe('Fragile – maneggiare con cura', 0.6)])
        for o in range(1, rng.randint(2, 6)):
            contddt.append([num, o, 'Collo %d – scatola' % o if o > 1 else ' ', maybe(rng.choice([1, 2, 3.5]))])
    big = ''.join('Riga %05d: fornitura e posa in opera – àèéìòù € "virgolette"\r\n' % n for n in range(1, 1300))
    prev = []
    for i in range(1, 21):
        ida = None if i % 4 == 0 else rng.randint(1, 39)
        des = big if i == 1 else '' if i == 2 else '\r\n'.join('Voce %d: lavorazione è€' % k for k in range(1, i + 2))
        prev.append(['%d/25' % i, ida, 'Spett.le Ditta Ünïcödé %d' % i if ida is None else None,
                     maybe('c.a. Sig. Niccolò'), '2025-03-%02d' % (i % 28 + 1), des, maybe('Validità 30 giorni')])
    docs = [['%d/24' % i, '2024-05-%02d' % (i % 28 + 1), ('Documento %d\r\n' % i) * i] for i in range(1, 11)]
    azienda = [['ACME S.R.L. – àèéìòù', 'Via dell’Industria 1', '47121 Forlì (FC)', 'P.IVA 01234567890 – €', None]]
    # A name exactly as long as the program's column, and a return time with its seconds.
    ana[0][1] = ("D'ANGELO 001 COSTRUZIONI METALLICHE E SERRAMENTI" + 'X' * 50)[:50]
    ddt[0][7] = '05:00:30'
    # A quote's number written twice is reported; documents may share a number.
    prev.append(['2/25', None, 'Spett.le Ditta ripetuta', None, '2025-04-01', 'Stesso numero', None])
    docs.append(['3/24', '2024-06-01', 'Stesso numero di un altro documento'])
    return {'Anagrafica': ana, 'Categorie': cat, 'Magazzino': mag, 'Fatture': fatt, 'ContFatt': cont, 'Ddt': ddt,
            'ContDdt': contddt, 'Preventivi': prev, 'Documenti': docs, 'Azienda': azienda}


def small():
    return {'Anagrafica': [[1, 'ROSSI', None, None, None, None, None, None, None, None, 1]],
            'Categorie': [], 'Magazzino': [],
            'Fatture': [['1/24', 1, '2024-01-10', 100.5, 22, None, None, None]],
            'ContFatt': [['1/24', 1, ' ', None, None], ['1/24', 2, 'Lavoro', 2, 50.25]],
            'Ddt': [], 'ContDdt': [], 'Preventivi': [], 'Documenti': [['1/24', '2024-01-11', 'Testo']],
            'Azienda': []}


def write(name, tables, fmt=None):
    s = description(tables)
    if fmt:
        s['format'] = fmt
    with open(name + '.json', 'w', encoding='utf-8') as f:
        json.dump(s, f, ensure_ascii=False, indent=0, allow_nan=True)
    make_mdb(s, name + '.mdb')
    return s


def main():
    full = write('corvalisto4', corvalisto())
    full['format'] = 'jet3'
    make_mdb(full, 'corvalisto3.mdb')
    bad = small()
    bad['Anagrafica'] = bad['Anagrafica'] + [[2, 'BIANCHI', None, None, None, None, None, None, None, None, 1],
                                             [2, 'VERDI', None, None, None, None, None, None, None, None, 1]]
    bad['Fatture'] = bad['Fatture'] + [['2/24', 1, '2024-01-12', float('nan'), 22, None, None, None]]
    write('unstorable', bad)
    nocol = small()
    COLUMNS['Fatture'] = COLUMNS['Fatture'][:-1]
    nocol['Fatture'] = [r[:-1] for r in nocol['Fatture']]
    write('nocolumn', nocol)
    COLUMNS['Fatture'].append(T('Pagata'))
    notab = small()
    del notab['Documenti']
    write('notable', notab)
    with open('corvalisto4.mdb', 'rb') as f:
        whole = f.read()
    with open('damaged.mdb', 'wb') as f:
        f.write(whole[:len(whole) // 3])


if __name__ == '__main__':
    main()
